#include "ui/drawing.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "graphics/bitmap_font.h"
#include "graphics/primitives.h"
#include "graphics/screen.h"

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

namespace {

// Whether the boxes, as drawLine rounds and clips their edges, leave no column of the width
// uncovered.
bool coverWidth(std::span<const BandBox> boxes, int width) {
  std::int64_t covered = 0;  // columns 0..covered-1 are known covered
  std::vector<std::pair<std::int64_t, std::int64_t>> spans;
  for (const BandBox& box : boxes) {
    const float left = at(box.left);
    const float right = at(box.right);
    if (std::isnan(left) || std::isnan(right)) return false;
    const std::int64_t a = roundCoordinate(left);
    const std::int64_t b = roundCoordinate(right);
    spans.emplace_back(std::min(a, b), std::max(a, b));
  }
  std::sort(spans.begin(), spans.end());
  for (const auto& [a, b] : spans) {
    if (a > covered) break;
    covered = std::max(covered, b + 1);
  }
  return covered >= width;
}

}  // namespace

void drawBand(long double top, long double bottom, std::span<const BandBox> boxes) {
  auto boxByBox = [&] {
    for (const BandBox& box : boxes) drawFilledBox(box.left, top, box.right, bottom, box.colour);
  };
  int width = 0;
  int height = 0;
  int depth = 0;
  int refresh = 0;
  getScreenInfo(width, height, depth, refresh);
  const float y1 = at(top);
  const float y2 = at(bottom);
  // Below 8 bits the screen masks colours that an image keeps whole.
  if (boxes.empty() || width < 1 || depth < 8 || std::isnan(y1) || std::isnan(y2) ||
      !coverWidth(boxes, width)) {
    boxByBox();
    return;
  }
  const std::int64_t first =
      std::max<std::int64_t>(std::min(roundCoordinate(y1), roundCoordinate(y2)), 0);
  const std::int64_t last =
      std::min<std::int64_t>(std::max(roundCoordinate(y1), roundCoordinate(y2)), height - 1);
  if (last - first < 2) {
    boxByBox();
    return;
  }
  // Boxes covering the width make every row of the band alike: a few rows are drawn in an
  // image and copied down, whole rows at a time, which costs half what box-by-box spans do.
  constexpr std::int64_t TILE_PIXELS = 65536;
  const std::int64_t rows =
      std::min(std::max<std::int64_t>(TILE_PIXELS / width, 1), last - first + 1);
  const OwnedImage tile(createImage(width, static_cast<int>(rows), 0, 0, 0));
  if (!tile) {
    boxByBox();
    return;
  }
  const float tileBottom = static_cast<float>(rows - 1);
  for (const BandBox& box : boxes)
    drawLine(tile.get(), at(box.left), 0, at(box.right), tileBottom, box.colour, FILLED_BOX, SOLID,
             ABSOLUTE_POINTS);
  for (std::int64_t y = first; y <= last; y += rows) {
    const int n = static_cast<int>(std::min(rows, last - y + 1));
    putImage(nullptr, 0, static_cast<float>(y), tile.get(), 0, 0, width - 1, n - 1, 0, COPY);
  }
  // Redrawn where it already is, the last box leaves the graphics cursor where drawing box by
  // box would.
  const BandBox& lastBox = boxes.back();
  drawFilledBox(lastBox.left, bottom, lastBox.right, bottom, lastBox.colour);
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
