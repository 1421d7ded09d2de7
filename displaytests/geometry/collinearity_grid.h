// The collinearity grid: one-pixel lines at an even spacing with a cross at the centre, moved,
// widened and recoloured by keys.
#pragma once

#include <cstdint>
#include <string>

#include "displaytests/pattern.h"

namespace orventa {

// The grid's state for one run. The values are those of signed 8-bit fields: the spacing stays
// within 2..100 once a key was handled, and the offsets within 0..spacing - 1.
struct Grid {
  int spacing = 0;
  int xOffset = 0;  // column of the leftmost vertical line
  int yOffset = 0;  // row of the topmost horizontal line
  std::uint32_t colour = 0;
};

// floor(sqrt(W) x 1.7) in extended precision (67 for 1600, not 68). A start value that would not
// fit the 8-bit field (W of 5670 or more), or below 2 (W = 1), is held to 2..100 as keys hold it.
int gridStartSpacing(int width);
// The start state: lines through the centre column and row, white.
Grid startGrid(int width, int height, int depth);
// One key as readKey gives it, then the normalisation that follows every key.
void handleGridKey(Grid& grid, const std::string& key, int width, int height, int depth);
// One frame: the cross and the lines on the work page, then the hidden page copied to page 0.
void drawGridFrame(const Grid& grid, int width, int height);

// Its one page is the start grid; the keys move it from there.
extern const Pattern COLLINEARITY_GRID;

}  // namespace orventa
