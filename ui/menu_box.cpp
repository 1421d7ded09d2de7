#include "ui/menu_box.h"

#include "graphics/display_session.h"
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

// The item a navigation key lights, from the lit one h of n; -1 for any other key.
int keyedItem(const std::string& key, int h, int n) {
  if (key.size() != 2 || key[0] != '\xFF' || n == 0) return -1;
  switch (key[1]) {
    case 'H':  // Up
      return (h - 1 + n) % n;
    case 'P':  // Down
      return (h + 1) % n;
    case 'G':  // Home
    case 'I':  // Page Up
      return 0;
    case 'O':  // End
    case 'Q':  // Page Down
      return n - 1;
    default:
      return -1;
  }
}

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
  auto light = [&](int from, int to) {
    if (from >= 0) drawMenuItem(x, y, w, from, WHITE, BLUE, items[static_cast<std::size_t>(from)]);
    drawMenuItem(x, y, w, to, BLACK, WHITE, items[static_cast<std::size_t>(to)]);
  };
  int highlighted = -1;
  Pointer p;
  int r = 0;
  // A key's highlight holds while the pointer rests where it was when the key came; a resting
  // pointer over the box would otherwise take it back at once.
  bool keyLit = false;
  Pointer restedAt;
  int keyed = -1;  // the answer of Enter or Esc
  for (bool first = true;; first = false) {
    // The menu is of the old desktop's size: it answers 0, and the main loop rebuilds.
    if (desktopChangedOutside()) {
      keyed = 0;
      break;
    }
    p = readPointer();
    const Pointer real = p;
    r = rowOf(p.y, y);
    if (first) {
      // Item 1 lights up as soon as the menu is drawn, wherever the pointer is.
      r = 0;
      p.x = x + 4;
    }
    if (keyLit && real.x == restedAt.x && real.y == restedAt.y && real.buttons == 0)
      r = highlighted;
    else
      keyLit = false;
    if (r < 0 || r >= n) r = highlighted;
    if (r != highlighted && insideColumns(p.x, x, w)) {
      light(highlighted, r);
      highlighted = r;
    }
    if (p.buttons != 0) break;

    const std::string key = readKey();
    if (key == "\r") {
      keyed = highlighted + 1;
      break;
    }
    if (key == "\x1b") {
      keyed = 0;
      break;
    }
    const int target = keyedItem(key, highlighted, n);
    if (target >= 0 && target != highlighted) {
      light(highlighted, target);
      highlighted = target;
      keyLit = true;
      restedAt = real;
    }
  }
  int result = keyed;
  if (keyed < 0) {
    result = rowOf(p.y, y) == r && insideColumns(p.x, x, w) ? r + 1 : 0;
    while (readPointer().buttons != 0) {
    }
  }
  discardKeys();
  return result;
}

Items menuItems(const std::vector<std::string_view>& texts) {
  return Items(texts.begin(), texts.end());
}

}  // namespace orventa
