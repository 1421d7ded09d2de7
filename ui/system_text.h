// One line of text in a named outline font, copied onto the screen through the key colour, so
// that only the text's own pixels change. Draws only on 24- and 32-bit screens.
#pragma once

#include <cstdint>
#include <string_view>

namespace orventa {

constexpr int REGULAR = 1;  // style bits
constexpr int BOLD = 2;
constexpr int ITALIC = 4;

// (x, y) is the top-left corner of the text's block; size is in points; colour 0xAARRGGBB.
void drawSystemText(int x, int y, std::string_view text, std::string_view face, int size,
                    std::uint32_t colour, int style = REGULAR, int charset = 1);

// The pixel height the font is asked for: -round(size * dpi / 72).
int fontPixelHeight(int size, int dpi);

}  // namespace orventa
