// The patterns of "Color range", each drawn on the open screen without waiting, so that tests and
// benchmarks can render a page directly. W and H are the test size; depth is the test depth, which
// picks true colours (above 8) or indices of the default palette.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace orventa {

// The nine backgrounds of "Basic colors", in the order they are shown.
std::array<std::uint32_t, 9> basicColours(int depth);
// Makes the colour the background and clears the screen with it.
void showBasicColour(std::uint32_t colour);

struct DiscPage {
  std::uint32_t imageFill;
  std::array<std::uint32_t, 3> discs;  // A, B, C
  int secondMode;                      // for discs B and C: OR adds, AND subtracts
};
std::vector<DiscPage> rgbPages(int depth);
std::vector<DiscPage> cmykPages(int depth);
// Draws the three discs into an image of the test size, putting the image at (1, 1) after each.
void drawDiscPage(int W, int H, const DiscPage& page);

void drawEbuBars(int W, int H, int depth);
// item 1..6 of the gradient menu; 0 draws nothing.
void drawGradient(int W, int H, int depth, int item);
void drawSpectrum(int W, int H, int depth);
// Floods the freshly cleared screen with the colour from (1, 1).
void fillWithColour(std::uint32_t colour);

}  // namespace orventa
