// The moire patterns: one-pixel lines and dots at the finest pitches, on a black page.
#pragma once

#include <cstdint>

#include "displaytests/pattern.h"

namespace orventa {

// Every pattern draws on what is there: the caller clears the page first.
// Solid rows 0, pitch, 2 pitch, ... across the whole width.
void drawMoireRows(int width, int height, int pitch, std::uint32_t colour);
// The rows above, then solid columns at the same pitch.
void drawMoireGrid(int width, int height, int pitch, std::uint32_t colour);
// A one-pixel checkerboard: (x, y) lit when x + y + height is even.
void drawMoireCheckerboard(int width, int height, std::uint32_t colour);

// Pages in order: rows at pitch 2 and 4, grids at pitch 2 and 4, the checkerboard, each on a
// cleared page in white.
extern const Pattern MOIRE_PATTERNS;

}  // namespace orventa
