#include "displaytests/modes/supported_modes.h"

#include "displaytests/display_tests.h"
#include "graphics/screen.h"
#include "ui/colours.h"
#include "ui/layout.h"
#include "ui/menu_box.h"
#include "ui/prompts.h"
#include "ui/system_text.h"

namespace orventa {

std::vector<std::string> modeEntries(const std::string& list) {
  std::vector<std::string> entries;
  std::string::size_type from = 1;  // behind the leading "/"
  for (;;) {
    const std::string::size_type slash = list.find('/', from);
    entries.push_back(from < list.size() ? list.substr(from, slash - from) : std::string());
    if (slash == std::string::npos) return entries;
    from = slash + 1;
  }
}

void drawModeList(int depth, const std::string& list) {
  drawSystemText(100, 60, "Supported modes for " + std::to_string(depth) + " bit depth color",
                 "Arial", 12, 0xFFFFFF);
  drawSystemText(100, 90, std::string(49, '='), "Arial", 12, 0xFFFFFF);
  int m = 1;
  for (const std::string& entry : modeEntries(list))
    drawSystemText(100, 90 + 30 * m++, entry, "Arial", 12, WHITE);
}

void listSupportedModes(ProgramState& state) {
  const long double dw = state.desktop.width;
  const long double dh = state.desktop.height;
  const int k = chooseFromMenu(position(2 * dw / 8), position(2 * dh / 4), 300,
                               {"8 bit", "16 bit", "24 bit", "32 bit"});
  clearScreen();
  if (k == 0) return;
  drawModeList(8 * k, supportedModes(state, 8 * k));
  waitForKeyOrClick();
}

}  // namespace orventa
