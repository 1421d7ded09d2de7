// The subpixel layout test: one-pixel red and blue stripes in opposite orders on the two halves,
// labelled with the subpixel order each one shows sharply.
#pragma once

#include "displaytests/pattern.h"
#include "ui/settings.h"

namespace orventa {

// Columns 0..M by x mod 4 red, blue, gap, gap; M..W blue, red, gap, gap (M = W/2 halves to even).
// True colours above 8 bits, palette indices 12 and 9 at 8 or less.
void drawSubpixelStripes(int width, int height, int testDepth);
// The labels as menu boxes, for test depths above 8.
void drawSubpixelBoxes(int width, int height);
// The labels in text-grid frames, for 8-bit test depths. Frames that would start left of the
// grid's first column or above its first row start there instead.
void drawSubpixelGridLabels();
// The whole pattern on a cleared page: stripes, and the labels as boxes or (at 8 bits) text-grid
// frames.
extern const Pattern SUBPIXEL_LAYOUT;

}  // namespace orventa
