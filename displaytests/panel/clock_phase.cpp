#include "displaytests/panel/clock_phase.h"

#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "ui/prompts.h"

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

void clockPhase(ProgramState& state, std::uint32_t p) {
  enterTestMode(state);
  clearScreen();
  drawClockPhase(state.test.width, state.test.height, p);
  waitForKeyOrClick();
  clearScreen();
  state.modeChanged = true;
}

}  // namespace orventa
