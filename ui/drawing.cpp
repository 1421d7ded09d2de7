#include "ui/drawing.h"

#include "graphics/bitmap_font.h"
#include "graphics/primitives.h"

namespace orventa {
namespace {

float at(long double v) { return static_cast<float>(v); }

}  // namespace

void drawSolidLine(long double x1, long double y1, long double x2, long double y2,
                   std::uint32_t colour) {
  drawLine(nullptr, at(x1), at(y1), at(x2), at(y2), colour, LINE, SOLID, ABSOLUTE_POINTS);
}

void drawFilledBox(long double x1, long double y1, long double x2, long double y2,
                   std::uint32_t colour) {
  drawLine(nullptr, at(x1), at(y1), at(x2), at(y2), colour, FILLED_BOX, SOLID, ABSOLUTE_POINTS);
}

void drawLabel(long double x, long double y, std::string_view text, std::uint32_t colour) {
  drawBitmapText(nullptr, at(x), at(y), ABSOLUTE_POINT, text, colour);
}

void drawLabelInForeground(long double x, long double y, std::string_view text) {
  drawBitmapText(nullptr, at(x), at(y), DEFAULT_COLOUR | ABSOLUTE_POINT, text, 0);
}

void drawWholeEllipse(long double x, long double y, long double radius, std::uint32_t colour,
                      float aspect, bool filled) {
  drawEllipse(nullptr, at(x), at(y), at(radius), colour, aspect, 0, FULL_TURN, filled ? 1 : 0,
              ABSOLUTE_POINT);
}

void floodFromCorner(std::uint32_t colour) {
  floodFill(nullptr, 1, 1, colour, 0, "", 0, BORDER_IS_FILL | ABSOLUTE_POINT);
}

}  // namespace orventa
