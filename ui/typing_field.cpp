#include "ui/typing_field.h"

#include <cctype>

#include "graphics/input.h"
#include "graphics/primitives.h"
#include "ui/colours.h"
#include "ui/layout.h"
#include "ui/system_text.h"

namespace orventa {

std::string typeIntoField(const DisplaySettings& mainScreen, bool (*accepts)(int code)) {
  const long double w = mainScreen.width;
  const long double h = mainScreen.height;
  const int row = position(h / 3 + 60);
  auto cellX = [&](int i) { return w / 2 + 20 * i - 225; };
  std::string text;
  int i = 1;
  for (;;) {
    const std::string key = readKey();
    const int code = key.empty() ? 0 : static_cast<unsigned char>(key[0]);
    if (code > 0 && accepts(code)) {
      drawSystemText(position(cellX(i)), row, key.substr(0, 1), "Arial", 14, WHITE);
      ++i;
      text += static_cast<char>(std::tolower(code));
    } else if (code == 8) {
      --i;
      if (i >= 1)
        drawLine(nullptr, static_cast<float>(cellX(i)), static_cast<float>(h / 3 + 60), 20, 30,
                 BLUE, FILLED_BOX, SOLID, 1);
      if (!text.empty()) text.pop_back();
    } else if (code != 13 && code != 27 && code > 0) {
      beep();
    }
    if (i < 1) {
      beep();
      i = 1;
    }
    if (i > 10) {
      beep();
      i = 10;
    }
    drawSystemText(position(cellX(i)), row, "_", "Arial", 14, WHITE);
    if (code == 13 || code == 27) return text;
  }
}

}  // namespace orventa
