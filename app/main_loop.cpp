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
#include "ui/drawing.h"
#include "ui/layout.h"
#include "ui/menu_box.h"
#include "ui/system_text.h"

namespace orventa {
namespace {

// What a main-menu item does: runs and comes back, or ends the program with a status.
struct MainMenuItem {
  const char* text;
  void (*run)(ProgramState& state);
  int (*end)(ProgramState& state) = nullptr;
};

// The main menu in its order: its items and their actions, in one place.
const MainMenuItem MAIN_MENU[] = {
    {"Change test settings", settingsMenu},
    {"Resolution test card", resolutionTestCard},
    {"Collinearity grid", collinearityGrid},
    {"Color range", colourRange},
    {"Contrast/Brightness", contrastBrightness},
    {"Gamma correction", gammaChart},
    {"Aspect ratio", aspectRatio},
    {"Moire patterns", moirePatterns},
    {"Refresh test", refreshTest},
    {"List supported modes", listSupportedModes},
    {"Miscellaneous", panelTests},
    {"Show Desktop info", [](ProgramState& state) { showDesktopInfo(state); }},
    {"Visit homepage", nullptr, [](ProgramState& state) { return visitHomepage(state); }},
    {"Exit Program", nullptr, [](ProgramState&) { return 0; }},
};

Items mainMenuItems() {
  Items items;
  for (const MainMenuItem& item : MAIN_MENU) items.emplace_back(item.text);
  return items;
}

void drawMainScreen(const ProgramState& state) {
  const long double w = state.desktop.width;
  const long double h = state.desktop.height;
  waitVerticalSync();
  clearScreen();
  floodFromCorner(GREY);

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
      const int choice = chooseFromMenu(position(w / 8), position(h / 4), 400, mainMenuItems());
      if (choice != 0) {
        const MainMenuItem& item = MAIN_MENU[choice - 1];
        if (item.end != nullptr) return item.end(state);
        item.run(state);
      }
      // A desktop mode changed meanwhile gets a main screen of its own size.
      if (followDesktop(state)) state.modeChanged = true;
    } while (!state.modeChanged);
    state.modeChanged = false;
  }
}

}  // namespace orventa
