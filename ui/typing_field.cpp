#include "ui/typing_field.h"

#include <cctype>

#include "graphics/input.h"
#include "graphics/primitives.h"
#include "ui/colours.h"
#include "ui/layout.h"
#include "ui/system_text.h"

namespace orventa {

std::optional<std::string> typeIntoField(const DisplaySettings& mainScreen,
                                         bool (*accepts)(int code)) {
  const long double w = mainScreen.width;
  const long double h = mainScreen.height;
  const int row = position(h / 3 + 60);
  auto cellX = [&](int i) { return w / 2 + 20 * i - 225; };
  auto drawCursor = [&](int i) {
    drawSystemText(position(cellX(i)), row, "_", "Arial", 14, WHITE);
  };
  std::string text;
  int i = 1;
  drawCursor(i);
  for (;;) {
    const std::string key = readKey();
    const int code = key.empty() ? 0 : static_cast<unsigned char>(key[0]);
    if (code == 0) continue;  // the cursor already stands where it was drawn
    if (accepts(code) && text.size() < FIELD_CELLS) {
      drawSystemText(position(cellX(i)), row, key.substr(0, 1), "Arial", 14, WHITE);
      ++i;
      text += static_cast<char>(std::tolower(code));
    } else if (code == 8) {
      // The last character's cell; the cursor stands on the tenth one once it is filled.
      if (!text.empty()) {
        i = static_cast<int>(text.size());
        drawLine(nullptr, static_cast<float>(cellX(i)), static_cast<float>(h / 3 + 60), 20, 30,
                 BLUE, FILLED_BOX, SOLID, 1);
        text.pop_back();
      } else {
        i = 0;
      }
    } else if (code != 13 && code != 27) {
      // Any other key, and a character the full field has no cell for.
      beep();
    }
    if (i < 1) {
      beep();
      i = 1;
    }
    if (i > static_cast<int>(FIELD_CELLS)) {
      beep();
      i = static_cast<int>(FIELD_CELLS);
    }
    drawCursor(i);
    if (code == 13) return text;
    if (code == 27) return text.empty() ? std::nullopt : std::optional<std::string>(text);
  }
}

}  // namespace orventa
