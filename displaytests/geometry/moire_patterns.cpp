#include "displaytests/geometry/moire_patterns.h"

#include "displaytests/display_tests.h"
#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "ui/pattern_colours.h"
#include "ui/prompts.h"

namespace orventa {

void drawMoireRows(int width, int height, int pitch, std::uint32_t colour) {
  for (long long y = 0; y <= height; y += pitch)
    drawLine(nullptr, 0, y, width, y, colour, LINE, SOLID, 0);
}

void drawMoireGrid(int width, int height, int pitch, std::uint32_t colour) {
  drawMoireRows(width, height, pitch, colour);
  for (long long x = 0; x <= width; x += pitch)
    drawLine(nullptr, x, 0, x, height, colour, LINE, SOLID, 0);
}

void drawMoireCheckerboard(int width, int height, std::uint32_t colour) {
  // The clipped end on row H starts each column's style, so H decides the phase.
  for (long long x = 0; x <= width; ++x)
    drawLine(nullptr, x, 0, x, height, colour, LINE, x % 2 == 0 ? 0x5555 : 0xAAAA, 0);
}

void drawMoirePage(int width, int height, int page, std::uint32_t colour) {
  if (page <= 2)
    drawMoireRows(width, height, 2 * page, colour);
  else if (page <= 4)
    drawMoireGrid(width, height, 2 * (page - 2), colour);
  else
    drawMoireCheckerboard(width, height, colour);
}

void moirePatterns(ProgramState& state) {
  const DisplaySettings& test = state.test;
  enterTestMode(state);
  for (int page = 1; page <= MOIRE_PAGES; ++page) {
    clearScreen();
    drawMoirePage(test.width, test.height, page, patternWhite(test.depth));
    waitForKeyOrClick();
  }
  // The main-screen mode is opened afresh even when the test mode was the same.
  state.modeChanged = true;
}

}  // namespace orventa
