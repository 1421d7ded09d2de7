#include "displaytests/panel/high_voltage.h"

#include <cmath>
#include <string>

#include "graphics/input.h"
#include "graphics/screen.h"
#include "ui/pattern_colours.h"

namespace orventa {
void drawHighVoltageFrame(int width, int height, std::uint32_t p) {
  const float w = static_cast<float>(width);
  const float h = static_cast<float>(height);
  drawLine(nullptr, 0, 0, 0, h, p, LINE, SOLID, 0);
  drawLine(nullptr, 0, 0, w, 0, p, LINE, SOLID, 0);
  drawLine(nullptr, w - 1, 0, w - 1, h - 1, p, LINE, SOLID, 0);
  drawLine(nullptr, 0, h - 1, w - 1, h - 1, p, LINE, SOLID, 0);
  const long double lh = height;
  drawLine(nullptr, 9, static_cast<float>(lh / 3), static_cast<float>(width - 11),
           static_cast<float>(2 * lh / 3), p, FILLED_BOX, SOLID, 0);
}

Image* makeHighVoltageField(int width, int height, std::uint32_t p) {
  Image* field = createImage(width - 19, height - 20, 0, 0, TRANSPARENT_FILL);
  // A null target would be the screen: the fill would flood the picture instead.
  if (field != nullptr) floodFill(field, 1, 1, p, p, "", 0, BORDER_IS_FILL | ABSOLUTE_POINT);
  return field;
}

namespace {

void drawHighVoltagePage(const DisplaySettings& test, int page) {
  const std::uint32_t p = patternWhite(test.depth);
  clearScreen();
  drawHighVoltageFrame(test.width, test.height, p);
  if (page != 1) return;
  const OwnedImage field(makeHighVoltageField(test.width, test.height, p));
  if (field) putImage(nullptr, 9, 9, field.get(), XOR);
}

}  // namespace

const Pattern HIGH_VOLTAGE = {"high-voltage", "High voltage",      {"Field on", "Field off"},
                              false,          ModeRule::TEST_MODE, drawHighVoltagePage};

void highVoltage(ProgramState& state) {
  const std::uint32_t p = patternWhite(state.test.depth);
  enterTestMode(state);
  HIGH_VOLTAGE.drawPage(state.test, 2);
  // A refused mode leaves no screen, and with no screen the mouse reads as a button held for ever.
  if (screenPointer() == nullptr) return;
  const int w = state.test.width;
  const int h = state.test.height;
  const OwnedImage field(makeHighVoltageField(w, h, p));

  int inputs = 0;
  while (inputs < 2) {
    waitVerticalSync();
    putImage(nullptr, 9, 9, field.get(), XOR);
    const std::string key = readKey();
    // Rounded, so that every phase after the first ends on a whole second of the timer.
    const double start = std::nearbyint(timer());
    int buttons = 0;
    do {
      buttons = mouseButtons();
    } while (timer() - start < 1 && key.empty() && buttons == 0);
    if (key.empty() && buttons == 0) continue;
    // A held button is one input: the next phase starts only once it is up.
    while (mouseButtons() != 0) {
    }
    putImage(nullptr, 9, 9, field.get(), COPY);
    ++inputs;
  }
}

}  // namespace orventa
