#include "ui/menu_box.h"

#include "graphics/input.h"
#include "graphics/primitives.h"
#include "ui/colours.h"
#include "ui/system_text.h"

namespace orventa {
namespace {

void box(int x1, int y1, int x2, int y2, std::uint32_t colour, int kind) {
  drawLine(nullptr, static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
           static_cast<float>(y2), colour, kind, SOLID, 0);
}

struct Pointer {
  int x = -1;
  int y = -1;
  int buttons = -1;
};

Pointer readPointer() {
  Pointer p;
  int wheel = 0;
  int clip = 0;
  readMouse(p.x, p.y, wheel, p.buttons, clip);
  return p;
}

// The pointer's row: truncated toward zero, so row 0 reaches 29 pixels above the box.
int rowOf(int pointerY, int y) { return (pointerY - y) / 30; }

bool insideColumns(int pointerX, int x, int w) { return pointerX > x + 3 && pointerX < x + w + 7; }

}  // namespace

void drawMenuItem(int x, int y, int w, int i, std::uint32_t textColour, std::uint32_t barColour,
                  const std::string& item) {
  box(x + 10, y + 30 * i + 5, x + w, y + 30 * i + 35, barColour, FILLED_BOX);
  drawSystemText(x + 10, y + 30 * i, item, "Arial", 18, textColour, REGULAR, 1);
}

void drawMenuBox(int x, int y, int w, std::uint32_t textColour, std::uint32_t barColour,
                 const Items& items) {
  const int n = static_cast<int>(items.size());
  box(x, y, x + w + 10, y + 30 * n + 10, 0, FILLED_BOX);
  box(x, y, x + w + 10, y + 30 * n + 10, textColour, HOLLOW_BOX);
  box(x + 3, y + 3, x + w + 7, y + 30 * n + 7, textColour, HOLLOW_BOX);
  for (int i = 0; i < n; ++i)
    drawMenuItem(x, y, w, i, textColour, barColour, items[static_cast<std::size_t>(i)]);
}

int chooseFromMenu(int x, int y, int w, const Items& items) {
  drawMenuBox(x, y, w, WHITE, BLUE, items);
  const int n = static_cast<int>(items.size());
  int highlighted = -1;
  Pointer p;
  int r = 0;
  for (bool first = true;; first = false) {
    p = readPointer();
    r = rowOf(p.y, y);
    if (first) {
      // Item 1 lights up as soon as the menu is drawn, wherever the pointer is.
      r = 0;
      p.x = x + 4;
    }
    if (r < 0 || r >= n) r = highlighted;
    if (r != highlighted && insideColumns(p.x, x, w)) {
      if (highlighted >= 0)
        drawMenuItem(x, y, w, highlighted, WHITE, BLUE,
                     items[static_cast<std::size_t>(highlighted)]);
      drawMenuItem(x, y, w, r, BLACK, WHITE, items[static_cast<std::size_t>(r)]);
      highlighted = r;
    }
    if (p.buttons != 0) break;
  }
  const int result = rowOf(p.y, y) == r && insideColumns(p.x, x, w) ? r + 1 : 0;
  while (readPointer().buttons != 0) {
  }
  return result;
}

}  // namespace orventa
