#include "displaytests/modes/refresh_test.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "displaytests/display_tests.h"
#include "graphics/input.h"
#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "ui/colours.h"
#include "ui/layout.h"
#include "ui/menu_box.h"
#include "ui/prompts.h"
#include "ui/system_text.h"

namespace orventa {
namespace {

const Items SAME_SETTINGS = {
    " ************ Error! ************", " Selected parameters for the test are",
    " the same with the desktop settings.", " Please select different values."};

const Items WARNING = {
    " WARNING! If you've selected an unsupported", "  refresh rate, it's possible to see only a ",
    " black screen. In this case, your standard ", " screen will be auto-restored in 5 seconds."};

// The fourth line says what happens when the count ends.
Items refreshAnnouncementLines(const DisplaySettings& test) {
  return {"  Preparing for refresh test...  sec",
          " You have selected " + std::to_string(test.refreshRate) + " Hz refresh for",
          std::to_string(test.width) + "x" + std::to_string(test.height) + " resolution with" +
              std::to_string(test.depth) + " bpc",
          " At 0 the test mode opens: then press h."};
}

std::string hertz(double hz) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", hz);
  return text;
}

}  // namespace

void drawRefreshAnnouncement(const DisplaySettings& desktop, const DisplaySettings& test) {
  const long double dw = desktop.width;
  const long double dh = desktop.height;
  clearScreen();
  drawMenuBox(position(dw / 2 - 250), position(dh / 3), 500, WHITE, BLUE,
              refreshAnnouncementLines(test));
  drawMenuBox(position(dw / 2 - 300), position(2 * dh / 3), 620, BLACK, WHITE, WARNING);
}

void drawCountdownDigit(const DisplaySettings& desktop, int n) {
  const long double dw = desktop.width;
  const long double dh = desktop.height;
  drawLine(nullptr, static_cast<float>(dw / 2 + 120), static_cast<float>(dh / 3 + 10),
           static_cast<float>(dw / 2 + 140), static_cast<float>(dh / 3 + 35), BLUE, FILLED_BOX,
           SOLID, 0);
  drawSystemText(position(dw / 2 + 120), position(dh / 3), std::to_string(n), "System", 18, WHITE);
}

void drawRefreshResult(const DisplaySettings& desktop, const DisplaySettings& test, bool confirmed,
                       const MeasuredRefresh& measured) {
  const long double dw = desktop.width;
  const long double dh = desktop.height;
  const std::string rate = std::to_string(test.refreshRate);
  const std::string size = std::to_string(test.width) + " x" + std::to_string(test.height);
  Items lines = confirmed ? Items{" Your monitor supports" + rate + " Hz refresh",
                                  "  rate with " + size + " resolution"}
                          : Items{rate + " Hz refresh rate is not supported",
                                  " with " + size + " resolution"};
  // A display that runs at another rate than it was asked for is worth a word.
  if (measured.ready && measured.measurable &&
      std::abs(measured.hz - test.refreshRate) > 0.005 * test.refreshRate)
    lines.push_back(" Measured: " + hertz(measured.hz) + " Hz");
  drawMenuBox(position(dw / 2 - 250), position(dh / 3), 500, WHITE, confirmed ? RED : BLUE, lines);
}

void drawMeasuredRefresh(const DisplaySettings& test, const MeasuredRefresh& measured) {
  const long double h = test.height;
  const std::string text = measured.measurable ? "Measured: " + hertz(measured.hz) + " Hz over " +
                                                     std::to_string(measured.frames) + " frames"
                                               : "Measured: not measurable";
  drawSystemText(test.width / 4, position(h / 2 + 60), text, "System", 14, WHITE);
}

void drawRefreshQuestion(const DisplaySettings& test) {
  const long double h = test.height;
  const int x = test.width / 4;
  drawSystemText(x, position(h / 2),
                 "If you can read this message, your monitor supports " +
                     std::to_string(test.refreshRate) + " Hz refresh rate",
                 "System", 14, WHITE);
  drawSystemText(x, position(h / 2 + 30), "Please confirm by pressing H key", "System", 14, WHITE);
}

namespace {

void drawQuestionPage(const DisplaySettings& test, int) {
  clearScreen();
  drawRefreshQuestion(test);
}

}  // namespace

const Pattern REFRESH_TEST = {"refresh-rate", "Refresh rate test", {"Question"},
                              false,          ModeRule::TEST_MODE, drawQuestionPage};

void refreshTest(ProgramState& state) {
  const DisplaySettings& desktop = state.desktop;
  const DisplaySettings& test = state.test;
  if (test.width == desktop.width && test.height == desktop.height &&
      test.refreshRate == desktop.refreshRate) {
    const long double dw = desktop.width;
    const long double dh = desktop.height;
    drawMenuBox(position(dw / 2 - 250), position(dh / 3), 500, WHITE, RED, SAME_SETTINGS);
    waitForKeyOrClick();
    return;
  }

  drawRefreshAnnouncement(desktop, test);
  for (int n = 9; n >= 1; --n) {
    drawCountdownDigit(desktop, n);
    sleepMilliseconds(1000);
  }

  clearScreen();
  enterTestMode(state);
  sleepMilliseconds(300);
  int width = 0;
  int height = 0;
  int depth = 0;
  int measured = 0;
  getScreenInfo(width, height, depth, measured);

  bool confirmed = false;
  MeasuredRefresh timed;
  // With no screen open the desktop's own rate comes back, which says nothing about the mode.
  if (screenPointer() != nullptr && measured == test.refreshRate) {
    REFRESH_TEST.drawPage(test, 1);
    startMeasuringRefresh();
    const double start = std::round(timer());
    for (;;) {
      if (!timed.ready) {
        timed = measuredRefresh();
        if (timed.ready) drawMeasuredRefresh(test, timed);
      }
      if (readKey() == "h") {
        confirmed = true;
        break;
      }
      if (timer() - start > 5) break;
    }
  }

  enterTestMode(test, desktop, state.modeChanged);
  clearScreen();
  drawRefreshResult(desktop, test, confirmed, timed);
  waitForKeyOrClick();
}

}  // namespace orventa
