// The built-in code page 437 bitmap fonts (8 x 8, 8 x 14, 8 x 16) and the text grid.
#pragma once

#include <cstdint>
#include <string_view>

#include "graphics/primitives.h"

namespace orventa {

// The glyph rows of `code` in the font of that glyph height (8, 14 or 16), top row first; bit 0
// of each byte is the leftmost pixel. Null for any other height.
const std::uint8_t* glyphRows(int glyphHeight, unsigned char code);

// Text with its first glyph's top-left pixel at (x, y), in the current font, without background.
void drawBitmapText(Image* target, float x, float y, std::uint32_t flags, std::string_view text,
                    std::uint32_t colour);
// The same in the built-in font of that glyph height (8, 14 or 16); 0: the current font.
void drawBitmapText(Image* target, float x, float y, std::uint32_t flags, std::string_view text,
                    std::uint32_t colour, int glyphHeight);

// The text grid: cursor from 1, opaque cells in the foreground and background colours.
void setTextCursor(int row, int column);
void printText(std::string_view text, bool lineBreak);
// Sets the grid and picks the font whose glyph is (W / columns) x (H / rows); 1 when none fits.
int setTextGrid(int columns, int rows);

// The glyph tables behind glyphRows, generated at build time from the Linux console fonts.
extern const std::uint8_t font8x8[256 * 8];
extern const std::uint8_t font8x14[256 * 14];
extern const std::uint8_t font8x16[256 * 16];

}  // namespace orventa
