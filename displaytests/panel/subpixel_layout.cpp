#include "displaytests/panel/subpixel_layout.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "graphics/bitmap_font.h"
#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "ui/colours.h"
#include "ui/layout.h"
#include "ui/menu_box.h"
#include "ui/prompts.h"
#include "ui/settings.h"

namespace orventa {

void drawSubpixelStripes(int width, int height, int testDepth) {
  const bool trueColour = testDepth > 8;
  const std::uint32_t red = trueColour ? RED : 12;
  const std::uint32_t blue = trueColour ? BLUE : 9;
  const std::array<std::uint32_t, 4> left = {red, blue, 0, 0};
  const std::array<std::uint32_t, 4> right = {blue, red, 0, 0};
  const float h = static_cast<float>(height);
  const int m = position(static_cast<long double>(width) / 2);
  for (int x = 0; x <= m; ++x)
    drawLine(nullptr, static_cast<float>(x), 0, static_cast<float>(x), h,
             left[static_cast<std::size_t>(x % 4)], LINE, SOLID, 0);
  for (int x = m; x <= width; ++x)
    drawLine(nullptr, static_cast<float>(x), 0, static_cast<float>(x), h,
             right[static_cast<std::size_t>(x % 4)], LINE, SOLID, 0);
}

void drawSubpixelBoxes(int width, int height) {
  const long double w = width;
  const long double h = height;
  drawMenuBox(position(w / 2 - (w / 2 - 450) / 2 - 450), position(3 * h / 4), 450, WHITE, BLUE,
              {" Red-Green-Blue subpixel order"});
  drawMenuBox(position(w / 2 + (w / 2 - 450) / 2), position(3 * h / 4), 450, WHITE, BLUE,
              {" Blue-Green-Red subpixel order"});
  drawMenuBox(position(w / 2 - 250), position(h / 3), 500, WHITE, BLUE,
              {"   The pattern corresponding to your", "  subpixel layout will appear with",
               "  distinct red and blue lines."});
}

void drawSubpixelGridLabels() {
  const std::uint32_t grid = textGridSize();
  const long double r = grid >> 16;
  const long double c = grid & 0xFFFF;

  // Grids of 82 columns or fewer (8-bit modes narrower than 664 pixels, 640 among them) would put
  // the left frame at column 0 or before, off the screen's left edge.
  const int labelRow = std::max(1, position(3 * r / 4));
  const int rgbColumn = std::max(1, position(c / 4 - 20));
  drawTextFrame(labelRow, rgbColumn, 40, 7);
  setTextCursor(position(3 * r / 4 + 3), std::max(rgbColumn + 1, position(c / 4 - 15)));
  printText("Red-Green-Blue subpixel order", true);

  const int bgrColumn = std::max(1, position(3 * c / 4 - 20));
  drawTextFrame(labelRow, bgrColumn, 40, 7);
  setTextCursor(position(3 * r / 4 + 3), std::max(bgrColumn + 1, position(3 * c / 4 - 15)));
  printText("Blue-Green-Red subpixel order", true);

  // The note's lines follow the rounded frame: rounded on their own, two of them would share a
  // row when R is odd, and they would cover the frame's left edge when C is odd.
  const int noteRow = std::max(1, position(r / 2 - 5));
  const int noteColumn = std::max(1, position(c / 2 - 20));
  drawTextFrame(noteRow, noteColumn, 40, 6);
  setTextCursor(noteRow + 1, noteColumn + 1);
  printText("   The pattern corresponding to your", true);
  setTextCursor(noteRow + 2, noteColumn + 1);
  printText("   subpixel layout will appear with", true);
  setTextCursor(noteRow + 3, noteColumn + 1);
  printText("   distinct red and blue lines.", true);
}

namespace {

void drawSubpixelLayout(const DisplaySettings& t, int) {
  clearScreen();
  drawSubpixelStripes(t.width, t.height, t.depth);
  if (t.depth > 8)
    drawSubpixelBoxes(t.width, t.height);
  else
    drawSubpixelGridLabels();
}

}  // namespace

const Pattern SUBPIXEL_LAYOUT = {"subpixel-layout",   "Subpixel layout", {"Pattern"}, false,
                                 ModeRule::TEST_MODE, drawSubpixelLayout};

}  // namespace orventa
