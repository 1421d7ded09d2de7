// The drawing calls every pattern makes, on the screen's work page: solid lines and filled boxes
// between absolute points, and bitmap-font labels. A point is computed in extended precision
// where it is drawn and handed to the primitive as a float.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace orventa {

void drawSolidLine(long double x1, long double y1, long double x2, long double y2,
                   std::uint32_t colour);
void drawFilledBox(long double x1, long double y1, long double x2, long double y2,
                   std::uint32_t colour);
// One box of a band: its left and right edges, as drawFilledBox takes them, and its colour.
struct BandBox {
  long double left;
  long double right;
  std::uint32_t colour;
};
// drawFilledBox(box.left, top, box.right, bottom, box.colour) for each box in turn; boxes that
// cover the width are drawn a few rows high and copied down, for half the memory traffic.
void drawBand(long double top, long double bottom, std::span<const BandBox> boxes);
void drawLabel(long double x, long double y, std::string_view text, std::uint32_t colour);
void drawLabelInForeground(long double x, long double y, std::string_view text);
// An ellipse outline (fill false) or disc around (x, y), the whole turn.
void drawWholeEllipse(long double x, long double y, long double radius, std::uint32_t colour,
                      float aspect, bool filled);
// Floods the page from (1, 1) up to pixels of the fill colour itself.
void floodFromCorner(std::uint32_t colour);

}  // namespace orventa
