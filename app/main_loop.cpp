#include <string>
#include <vector>

#include "app/app.h"
#include "app/desktop_follow.h"
#include "displaytests/display_tests.h"
#include "graphics/display_session.h"
#include "graphics/input.h"
#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "ui/colours.h"
#include "ui/layout.h"
#include "ui/menu_box.h"
#include "ui/system_text.h"

namespace orventa {
namespace {

const Items MAIN_MENU = {"Change test settings", "Resolution test card", "Collinearity grid",
                         "Color range",          "Contrast/Brightness",  "Gamma correction",
                         "Aspect ratio",         "Moire patterns",       "Refresh test",
                         "List supported modes", "Miscellaneous",        "Show Desktop info",
                         "Visit homepage",       "Exit Program"};

constexpr int VISIT_HOMEPAGE = 13;
constexpr int EXIT_PROGRAM = 14;

void drawMainScreen(const ProgramState& state) {
  const long double w = state.desktop.width;
  const long double h = state.desktop.height;
  waitVerticalSync();
  clearScreen();
  floodFill(nullptr, 1, 1, GREY, 0, "", 0, BORDER_IS_FILL | 4);

  const int left = position(w / 10);
  drawSystemText(left, position(h / 10), "ORVENTA", "TimesNewRoman", 18, WHITE);
  drawSystemText(left, position(h / 10 + 30), "ORVENTA v 1.3  -  free software, MIT License",
                 "TimesNewRoman", 16, WHITE);
  drawSystemText(left, position(h / 10 + 60),
                 "Menus: click an item, or Up/Down and Enter; Esc closes a menu", "TimesNewRoman",
                 16, WHITE);
  drawSystemText(left, position(h / 10 + 90),
                 "Pick the test settings, then a pattern; a key or a click goes on",
                 "TimesNewRoman", 16, WHITE);

  const DisplaySettings& t = state.test;
  const int x = position(2 * w / 3);
  drawSystemText(x, position(h / 3), "Selected test settings", "Arial", 14, WHITE);
  // A size this desktop can only show in a window says so before it is picked.
  const std::string windowed = fullScreenPossible(t.width, t.height) ? "" : " (in a window)";
  drawSystemText(
      x, position(h / 3 + 30),
      "Resolution:" + std::to_string(t.width) + "x" + std::to_string(t.height) + windowed, "Arial",
      14, WHITE);
  drawSystemText(x, position(h / 3 + 60), "Color depth:" + std::to_string(t.depth), "Arial", 14,
                 WHITE);
  drawSystemText(x, position(h / 3 + 90), "Refresh rate:" + std::to_string(t.refreshRate), "Arial",
                 14, WHITE);
  if (const std::vector<DisplayOutput> outputs = displayOutputs(); outputs.size() > 1)
    drawSystemText(x, position(h / 3 + 120),
                   "Display:" + outputs[static_cast<std::size_t>(chosenDisplayOutput())].name,
                   "Arial", 14, WHITE);
}

void runMainMenuItem(int item, ProgramState& state) {
  switch (item) {
    case 1:
      settingsMenu(state);
      break;
    case 12:
      showDesktopInfo(state);
      break;
    default:
      runDisplayTest(item, state);
      break;
  }
}

}  // namespace

int runMainLoop(ProgramState& state) {
  const DisplaySettings& desktop = state.desktop;
  for (;;) {
    openMainScreenMode(state);
    // Without a screen there is no input either, and the menu could never be left: try again
    // now and then until the display takes the main-screen mode.
    while (screenPointer() == nullptr) {
      sleepMilliseconds(1000);
      idle();
      openMainScreenMode(state);
    }
    do {
      drawMainScreen(state);
      const long double w = desktop.width;
      const long double h = desktop.height;
      const int choice = chooseFromMenu(position(w / 8), position(h / 4), 400, MAIN_MENU);
      if (choice == VISIT_HOMEPAGE) return visitHomepage(state);
      if (choice == EXIT_PROGRAM) return 0;
      runMainMenuItem(choice, state);
      // A desktop mode changed meanwhile gets a main screen of its own size.
      if (followDesktop(state)) state.modeChanged = true;
    } while (!state.modeChanged);
    state.modeChanged = false;
  }
}

}  // namespace orventa
