#include "displaytests/panel/clock_phase.h"

#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "ui/pattern_colours.h"

namespace orventa {

void drawClockPhase(int width, int height, std::uint32_t p) {
  const float w = static_cast<float>(width);
  for (int y = 0; y <= height; y += 3) {
    const float row = static_cast<float>(y);
    drawLine(nullptr, 0, row, w, row, p, LINE, 0xAAAA, 0);
    drawLine(nullptr, 0, row + 1, w, row + 1, p, LINE, 0x5555, 0);
    drawLine(nullptr, 0, row + 2, w, row + 2, p, LINE, 0x5555, 0);
  }
}

namespace {

void drawClockPhasePage(const DisplaySettings& test, int) {
  clearScreen();
  drawClockPhase(test.width, test.height, patternWhite(test.depth));
}

}  // namespace

const Pattern CLOCK_PHASE = {
    "clock-phase",     "Clock & Phase", {"Pattern"}, false, ModeRule::TEST_MODE_THEN_RENEW,
    drawClockPhasePage};

}  // namespace orventa
