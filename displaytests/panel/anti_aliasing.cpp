#include "displaytests/panel/anti_aliasing.h"

#include <bit>

#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "ui/drawing.h"
#include "ui/pattern_colours.h"

namespace orventa {
namespace {

// Just short of a quarter turn back and of a full turn: the arcs take the stepped path, and the
// negative start adds a radius line straight up from the centre.
const float ARC_START = std::bit_cast<float>(0xBFC90FDAu);  // -1.5707963
const float ARC_END = std::bit_cast<float>(0x40C90FDAu);    // 6.283185

}  // namespace

void drawAntiAliasing(int width, int height, std::uint32_t p) {
  const long double w = width;
  const long double h = height;
  const float cx = static_cast<float>(w / 2);
  const float cy = static_cast<float>(h / 2);
  drawSolidLine(cx, 0, cx, static_cast<float>(h), p);
  drawSolidLine(0, cy, static_cast<float>(w), cy, p);

  for (int x = 0; x <= width / 2; x += 10) drawSolidLine(static_cast<float>(x), 0, cx, cy, p);
  for (int y = 0; y <= height / 2; y += 10) drawSolidLine(0, static_cast<float>(y), cx, cy, p);

  for (int k = 1; k <= 30; ++k)
    drawEllipse(nullptr, static_cast<float>(w), 0, static_cast<float>(w / 2 - 1), p,
                static_cast<float>(k / 30.0L), ARC_START, ARC_END, 0, ABSOLUTE_POINT);

  drawFilledBox(static_cast<float>(w / 2 + 1), static_cast<float>(h / 2 + 1), w, h, 0);

  const int halfH = height / 2;
  for (int d = 1; d <= halfH; d += 10)
    drawSolidLine(0, static_cast<float>(halfH + d), static_cast<float>(d),
                  static_cast<float>(halfH), p);

  for (int r = 1; r <= 20; ++r)
    drawWholeEllipse(static_cast<float>(3 * w / 4), static_cast<float>(3 * h / 4), 5 * r, p, 0,
                     false);
}

namespace {

void drawAntiAliasingPage(const DisplaySettings& test, int) {
  clearScreen();
  drawAntiAliasing(test.width, test.height, patternWhite(test.depth));
}

}  // namespace

const Pattern ANTI_ALIASING = {
    "anti-aliasing",     "Anti-aliasing", {"Pattern"}, false, ModeRule::TEST_MODE_THEN_RENEW,
    drawAntiAliasingPage};

}  // namespace orventa
