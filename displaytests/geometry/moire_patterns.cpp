#include "displaytests/geometry/moire_patterns.h"

#include "displaytests/display_tests.h"
#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "ui/drawing.h"
#include "ui/pattern_colours.h"
#include "ui/prompts.h"

namespace orventa {

void drawMoireRows(int width, int height, int pitch, std::uint32_t colour) {
  for (long long y = 0; y <= height; y += pitch) drawSolidLine(0, y, width, y, colour);
}

void drawMoireGrid(int width, int height, int pitch, std::uint32_t colour) {
  drawMoireRows(width, height, pitch, colour);
  for (long long x = 0; x <= width; x += pitch) drawSolidLine(x, 0, x, height, colour);
}

void drawMoireCheckerboard(int width, int height, std::uint32_t colour) {
  // The clipped end on row H starts each column's style, so H decides the phase.
  for (long long x = 0; x <= width; ++x)
    drawLine(nullptr, x, 0, x, height, colour, LINE, x % 2 == 0 ? 0x5555 : 0xAAAA, 0);
}

namespace {

void drawMoirePage(const DisplaySettings& test, int page) {
  const std::uint32_t colour = patternWhite(test.depth);
  clearScreen();
  if (page <= 2)
    drawMoireRows(test.width, test.height, 2 * page, colour);
  else if (page <= 4)
    drawMoireGrid(test.width, test.height, 2 * (page - 2), colour);
  else
    drawMoireCheckerboard(test.width, test.height, colour);
}

}  // namespace

const Pattern MOIRE_PATTERNS = {
    "moire",
    "Moire patterns",
    {"Rows 2 px apart", "Rows 4 px apart", "Grid 2 px apart", "Grid 4 px apart", "Checkerboard"},
    false,
    ModeRule::TEST_MODE_THEN_RENEW,
    drawMoirePage};

void moirePatterns(ProgramState& state) { showPages(state, MOIRE_PATTERNS); }

}  // namespace orventa
