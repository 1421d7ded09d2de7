#include "ui/prompts.h"

#include <cstdint>
#include <string>

#include "graphics/bitmap_font.h"
#include "graphics/input.h"
#include "graphics/screen.h"
#include "ui/colours.h"
#include "ui/layout.h"
#include "ui/menu_box.h"

namespace orventa {

void waitForKeyOrClick() {
  waitForKeyOrClick([] {});
}

void waitForKeyOrClick(const std::function<void()>& whileWaiting) {
  // With no screen there is no key and no mouse: waiting would never end.
  if (screenPointer() == nullptr) return;
  pause(300);
  int held = 0;
  for (;;) {
    whileWaiting();
    held = mouseButtons();
    if (!readKey().empty() || held != 0) break;
  }
  if (held != 0)
    while (mouseButtons() != 0) {
    }
}

void drawErrorBox(const DisplaySettings& mainScreen, const std::vector<std::string>& lines) {
  drawMenuBox(position(static_cast<long double>(mainScreen.width) / 2 - 175),
              position(static_cast<long double>(mainScreen.height) / 3), 350, WHITE, RED, lines);
}

void showErrorBox(const DisplaySettings& mainScreen, const std::vector<std::string>& lines) {
  drawErrorBox(mainScreen, lines);
  waitForKeyOrClick();
}

void drawTextFrame(int row, int column, int width, int height) {
  // The frame's arguments are 8-bit values.
  row = static_cast<std::int8_t>(row);
  column = static_cast<std::int8_t>(column);
  width = static_cast<std::int8_t>(width);
  height = static_cast<std::int8_t>(height);
  const std::string::size_type inner =
      width > 2 ? static_cast<std::string::size_type>(width - 2) : 0;
  for (int k = 0; k < height; ++k) {
    std::string line;
    if (k == 0)
      line = '\xC9' + std::string(inner, '\xCD') + '\xBB';
    else if (k == height - 1)
      line = '\xC8' + std::string(inner, '\xCD') + '\xBC';
    else
      line = '\xBA' + std::string(inner, ' ') + '\xBA';
    setTextCursor(row + k, column);
    printText(line, true);
  }
}

}  // namespace orventa
