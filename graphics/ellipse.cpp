// drawEllipse: whole ellipses by integer stepping, arcs by angle steps.
#include <algorithm>
#include <cmath>
#include <vector>

#include "graphics/primitives.h"
#include "graphics/raster.h"
#include "graphics/target.h"

namespace orventa {
namespace {

// Radii beyond this would overflow the stepping's 64-bit terms; no display is that large.
constexpr float MAX_RADIUS = 1 << 19;
// Angles beyond this many radians are refused: adding a turn no longer changes them.
constexpr double MAX_ANGLE = 1e6;
constexpr double TWO_PI = 6.283185307179586;

template <typename T>
class Spans {
 public:
  Spans(const Target& t, T colour, bool filled) : t_(t), colour_(colour), filled_(filled) {
    if (filled_) marks().assign(static_cast<std::size_t>(t.height), 0);
  }

  void operator()(std::int64_t y, std::int64_t xa, std::int64_t xb) {
    if (y < 0 || y >= t_.height) return;
    if (!filled_) {
      if (t_.inside(xa, y)) *t_.at<T>(xa, y) = colour_;
      if (t_.inside(xb, y)) *t_.at<T>(xb, y) = colour_;
      return;
    }
    std::uint8_t& mark = marks()[static_cast<std::size_t>(y)];
    if (mark != 0 || xb < 0 || xa >= t_.width) return;
    mark = 1;
    xa = std::max<std::int64_t>(xa, 0);
    xb = std::min<std::int64_t>(xb, t_.width - 1);
    raster::fill(t_.at<T>(xa, y), static_cast<std::size_t>(xb - xa + 1), colour_);
  }

 private:
  // One row mark per row of the target, kept between calls to spare an allocation per ellipse.
  static std::vector<std::uint8_t>& marks() {
    static thread_local std::vector<std::uint8_t> rows;
    return rows;
  }
  const Target& t_;
  T colour_;
  bool filled_;
};

template <typename T>
void wholeEllipse(const Target& t, std::int64_t cx, std::int64_t cy, float rx, float ry, T c,
                  bool filled) {
  std::int64_t xl = static_cast<std::int64_t>(static_cast<long double>(cx) - rx);
  std::int64_t xr = static_cast<std::int64_t>(static_cast<long double>(cx) + rx);
  std::int64_t ylo = cy;
  std::int64_t yhi = cy;
  // A flat ellipse is one filled row, whatever was asked.
  Spans<T> span(t, c, filled || ry == 0);
  if (ry == 0) {
    span(cy, xl, xr);
    t.changed(cy, cy);
    return;
  }
  span(cy, xl, xr);
  const std::int64_t a2 = static_cast<std::int64_t>(static_cast<long double>(rx) * rx);
  const std::int64_t b2 = static_cast<std::int64_t>(static_cast<long double>(ry) * ry);
  std::int64_t e = static_cast<std::int64_t>(static_cast<long double>(b2) * rx);
  std::int64_t ddx = 2 * e;
  std::int64_t ddy = 0;
  std::int64_t k = static_cast<std::int64_t>(rx);
  while (k > 0) {
    if (e > 0) {
      ++yhi;
      --ylo;
      ddy += 2 * a2;
      e -= ddy;
    }
    if (!(e > 0)) {
      --k;
      ++xl;
      --xr;
      ddx -= 2 * b2;
      e += ddx;
    }
    span(yhi, xl, xr);
    span(ylo, xl, xr);
    // Rows only move outward: once both are off the target nothing more can show.
    if (ylo < 0 && yhi >= t.height) break;
  }
  t.changed(ylo, yhi);
}

std::int64_t roundHalfAway(double v) { return static_cast<std::int64_t>(std::round(v)); }

template <typename T>
void arc(const Target& t, std::int64_t cx, std::int64_t cy, float rx, float ry, T c, double start,
         double end) {
  while (end < start) end += TWO_PI;
  while (end - start > TWO_PI) start += TWO_PI;
  const double step =
      1.0 / (1.5 * std::sqrt(static_cast<double>(rx)) * std::sqrt(static_cast<double>(ry)));
  if (!(step > 0)) return;
  std::int64_t top = cy;
  std::int64_t bottom = cy;
  for (double a = start; a < end + step / 2; a += step) {
    const std::int64_t x = cx + roundHalfAway(std::cos(a) * rx);
    const std::int64_t y = cy - roundHalfAway(std::sin(a) * ry);
    if (!t.inside(x, y)) continue;
    *t.at<T>(x, y) = c;
    top = std::min(top, y);
    bottom = std::max(bottom, y);
  }
  t.changed(top, bottom);
}

}  // namespace

void drawEllipse(Image* target, float x, float y, float radius, std::uint32_t colour, float aspect,
                 float startAngle, float endAngle, int fill, std::uint32_t flags) {
  Target t;
  if (!resolveTarget(target, t)) return;
  placeOnePoint(flags & COORDINATE_MODE_MASK, x, y);
  if (!(radius > 0) || std::isnan(x) || std::isnan(y)) return;
  if (aspect == 0) aspect = 1;
  float rx = radius;
  float ry = radius;
  if (aspect > 1)
    rx = static_cast<float>(static_cast<long double>(radius) / aspect);
  else
    ry = static_cast<float>(static_cast<long double>(radius) * aspect);
  if (!(std::fabs(rx) <= MAX_RADIUS) || !(std::fabs(ry) <= MAX_RADIUS)) return;
  const std::int64_t cx = roundCoordinate(x);
  const std::int64_t cy = roundCoordinate(y);
  const std::uint32_t c = pixelColour(t, colour, flags);
  ScreenLock lock;
  if (startAngle == 0 && endAngle == FULL_TURN) {
    withPixelType(t.bytesPerPixel, [&]<typename T>() {
      wholeEllipse<T>(t, cx, cy, rx, ry, static_cast<T>(c), fill != 0);
    });
    return;
  }
  if (!(std::fabs(startAngle) <= MAX_ANGLE) || !(std::fabs(endAngle) <= MAX_ANGLE)) return;
  double start = startAngle;
  double end = endAngle;
  // Radius lines from the centre as given, to the arc's ends.
  auto radiusLine = [&](double a) {
    const double px = static_cast<double>(roundHalfAway(std::cos(a) * rx));
    const double py = static_cast<double>(roundHalfAway(std::sin(a) * ry));
    drawLine(target, x, y, std::trunc(x + px), std::trunc(y - py), colour, LINE, SOLID,
             flags & DEFAULT_COLOUR);
  };
  if (start < 0) {
    start = -start;
    radiusLine(start);
  }
  if (end < 0) {
    end = -end;
    radiusLine(end);
  }
  // The radius lines moved the cursor; the ellipse leaves it at its centre.
  placeOnePoint(0, x, y);
  withPixelType(t.bytesPerPixel,
                [&]<typename T>() { arc<T>(t, cx, cy, rx, ry, static_cast<T>(c), start, end); });
}

}  // namespace orventa
