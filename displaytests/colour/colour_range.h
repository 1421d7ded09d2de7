// The patterns of "Color range", each drawn on the open screen without waiting, so that tests and
// benchmarks can render a page directly. W and H are the test size; depth is the test depth, which
// picks true colours (above 8) or indices of the default palette.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "displaytests/pattern.h"

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
// The whole page: row 0 and column 0 cleared, the rest as the three discs drawn into an image of
// the test size and put at (1, 1) after each. Draws nothing when the image cannot be had.
void drawDiscPage(int W, int H, const DiscPage& page);

void drawEbuBars(int W, int H, int depth);
// item 1..6 of the gradient menu; 0 draws nothing.
void drawGradient(int W, int H, int depth, int item);
void drawSpectrum(int W, int H, int depth);
// The patterns of the menu, in its order; "Custom color" is not one.
extern const Pattern BASIC_COLOURS;
extern const Pattern RGB_DISCS;
extern const Pattern CMYK_DISCS;
extern const Pattern PLAIN_EBU;
extern const Pattern GRADIENT;  // its pages are its own menu's items
extern const Pattern SPECTRUM;

// Floods the freshly cleared screen with the colour from (1, 1).
void fillWithColour(std::uint32_t colour);

}  // namespace orventa
