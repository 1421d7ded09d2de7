// drawLine: lines with outcode clipping and integer stepping, hollow and filled boxes.
#include <algorithm>
#include <cmath>
#include <utility>

#include "graphics/primitives.h"
#include "graphics/raster.h"
#include "graphics/target.h"

namespace orventa {
namespace {

// Points beyond this are far outside any target; holding them here keeps the clipping
// arithmetic inside 64 bits without moving anything that could be seen.
constexpr std::int64_t FAR = std::int64_t{1} << 40;

std::int64_t truncate(long double v) {
  if (!(v > -static_cast<long double>(FAR))) return -FAR;
  if (v > static_cast<long double>(FAR)) return FAR;
  return static_cast<std::int64_t>(v);
}

bool styleBit(std::uint32_t style, std::int64_t k) { return (style >> (15 - (k & 15))) & 1; }

template <typename T>
void span(const Target& t, std::int64_t y, std::int64_t xa, std::int64_t xb, T c) {
  raster::fill(t.at<T>(xa, y), static_cast<std::size_t>(xb - xa + 1), c);
}

// Row y from xa to xb (already ordered), clipped; the style runs on from `k`.
template <typename T>
void styledRow(const Target& t, std::int64_t y, std::int64_t xa, std::int64_t xb, T c,
               std::uint32_t style, std::int64_t& k) {
  if (y < 0 || y >= t.height) return;
  xa = std::max<std::int64_t>(xa, 0);
  xb = std::min<std::int64_t>(xb, t.width - 1);
  if (xa > xb) return;
  if (style == SOLID) {
    span(t, y, xa, xb, c);
    return;
  }
  T* p = t.at<T>(xa, y);
  for (std::int64_t x = xa; x <= xb; ++x, ++p, ++k)
    if (styleBit(style, k)) *p = c;
}

template <typename T>
void styledColumn(const Target& t, std::int64_t x, std::int64_t ya, std::int64_t yb, T c,
                  std::uint32_t style, std::int64_t& k) {
  if (x < 0 || x >= t.width) return;
  ya = std::max<std::int64_t>(ya, 0);
  yb = std::min<std::int64_t>(yb, t.height - 1);
  for (std::int64_t y = ya; y <= yb; ++y, ++k)
    if (styleBit(style, k)) *t.at<T>(x, y) = c;
}

template <typename T>
void box(const Target& t, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, T c,
         bool filled, std::uint32_t style) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (x2 < 0 || y2 < 0 || x1 >= t.width || y1 >= t.height) return;
  if (filled) {
    const std::int64_t xa = std::max<std::int64_t>(x1, 0);
    const std::int64_t xb = std::min<std::int64_t>(x2, t.width - 1);
    const std::int64_t ya = std::max<std::int64_t>(y1, 0);
    const std::int64_t yb = std::min<std::int64_t>(y2, t.height - 1);
    if (xa == 0 && xb == t.width - 1 && t.pitch == t.width * static_cast<int>(sizeof(T))) {
      // Whole rows of an unpadded target are one block.
      raster::fill(t.at<T>(0, ya), static_cast<std::size_t>((yb - ya + 1) * t.width), c);
    } else {
      for (std::int64_t y = ya; y <= yb; ++y) span(t, y, xa, xb, c);
    }
    t.changed(ya, yb);
    return;
  }
  std::int64_t k = 0;
  styledRow(t, y2, x1, x2, c, style, k);
  styledRow(t, y1, x1, x2, c, style, k);
  styledColumn(t, x2, y1, y2, c, style, k);
  styledColumn(t, x1, y1, y2, c, style, k);
  t.changed(y1, y2);
}

int outcode(const Target& t, std::int64_t x, std::int64_t y) {
  int code = 0;
  if (x < 0) code |= 1;
  if (x >= t.width) code |= 2;
  if (y < 0) code |= 8;
  if (y >= t.height) code |= 4;
  return code;
}

// Moves the ends onto the target; false when the line misses it. The first point may end up
// swapped with the second: the caller draws from the first.
bool clipLine(const Target& t, std::int64_t& x1, std::int64_t& y1, std::int64_t& x2,
              std::int64_t& y2) {
  for (int round = 0; round < 16; ++round) {
    int c1 = outcode(t, x1, y1);
    int c2 = outcode(t, x2, y2);
    if ((c1 | c2) == 0) return true;
    if ((c1 & c2) != 0) return false;
    if (c1 == 0) {
      std::swap(x1, x2);
      std::swap(y1, y2);
      std::swap(c1, c2);
    }
    const long double m =
        x1 == x2 ? 1.0L : static_cast<long double>(y2 - y1) / static_cast<long double>(x2 - x1);
    if (c1 & 1) {
      y1 = truncate(y1 + (0 - x1) * m);
      x1 = 0;
    } else if (c1 & 2) {
      y1 = truncate(y1 + (t.width - 1 - x1) * m);
      x1 = t.width - 1;
    } else if (c1 & 8) {
      if (x1 != x2) x1 = truncate(x1 + (0 - y1) / m);
      y1 = 0;
    } else {
      if (x1 != x2) x1 = truncate(x1 + (t.height - 1 - y1) / m);
      y1 = t.height - 1;
    }
  }
  return false;
}

template <typename T>
void line(const Target& t, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, T c,
          std::uint32_t style) {
  if (!clipLine(t, x1, y1, x2, y2)) return;
  const std::int64_t top = std::min(y1, y2);
  const std::int64_t bottom = std::max(y1, y2);
  if (x1 == x2) {
    // Walked top-down whichever end comes first; each pixel keeps the bit of its distance from
    // the first point.
    const std::int64_t n = bottom - top + 1;
    std::uint8_t* p = t.row(top) + x1 * static_cast<std::int64_t>(sizeof(T));
    if (style == SOLID) {
      raster::fillColumn(p, static_cast<std::size_t>(n), t.pitch, c, sizeof(T));
    } else {
      const bool down = y1 <= y2;
      for (std::int64_t i = 0; i < n; ++i, p += t.pitch)
        if (styleBit(style, down ? i : n - 1 - i)) *reinterpret_cast<T*>(p) = c;
    }
  } else if (y1 == y2) {
    const std::int64_t left = std::min(x1, x2);
    const std::int64_t n = std::max(x1, x2) - left + 1;
    if (style == SOLID) {
      span(t, y1, left, left + n - 1, c);
    } else {
      // The style repeats every 16 pixels: one mask per phase, blended in without branches.
      const bool right = x1 <= x2;
      T mask[16];
      for (std::int64_t j = 0; j < 16; ++j)
        mask[j] = styleBit(style, right ? j : n - 1 - j) ? static_cast<T>(~T{0}) : T{0};
      T* p = t.at<T>(left, y1);
      std::int64_t i = 0;
      for (; i + 16 <= n; i += 16, p += 16)
        for (int j = 0; j < 16; ++j) p[j] = static_cast<T>((p[j] & ~mask[j]) | (c & mask[j]));
      for (int j = 0; i < n; ++i, ++j)
        if (mask[j] != 0) p[j] = c;
    }
  } else {
    const std::int64_t dx = std::abs(x2 - x1);
    const std::int64_t dy = std::abs(y2 - y1);
    const std::int64_t sx = x2 > x1 ? 1 : -1;
    const std::int64_t sy = y2 > y1 ? 1 : -1;
    std::int64_t x = x1;
    std::int64_t y = y1;
    if (dx < dy) {
      std::int64_t e = -dy;
      for (std::int64_t k = 0; k <= dy; ++k) {
        e += 2 * dx;
        if (styleBit(style, k)) *t.at<T>(x, y) = c;
        if (e >= 0) {
          x += sx;
          e -= 2 * dy;
        }
        y += sy;
      }
    } else {
      std::int64_t e = -dx;
      for (std::int64_t k = 0; k <= dx; ++k) {
        e += 2 * dy;
        if (styleBit(style, k)) *t.at<T>(x, y) = c;
        if (e >= 0) {
          y += sy;
          e -= 2 * dx;
        }
        x += sx;
      }
    }
  }
  t.changed(top, bottom);
}

}  // namespace

std::int64_t roundCoordinate(double f) {
  if (std::isnan(f)) return 0;
  if (f > static_cast<double>(FAR)) return FAR;
  if (f < -static_cast<double>(FAR)) return -FAR;
  return static_cast<std::int64_t>(f > 0 ? f + 0.5 : f - 0.5);
}

void drawLine(Image* target, float x1, float y1, float x2, float y2, std::uint32_t colour, int kind,
              std::uint32_t style, std::uint32_t flags) {
  Target t;
  if (!resolveTarget(target, t)) return;
  Screen& s = *openScreen();
  const std::uint32_t mode = flags & COORDINATE_MODE_MASK;
  if (firstFromCursor(mode)) {
    x1 = s.cursorX + x1;
    y1 = s.cursorY + y1;
  }
  if (secondFromFirst(mode)) {
    x2 = x1 + x2;
    y2 = y1 + y2;
  }
  s.cursorX = x2;
  s.cursorY = y2;
  if (std::isnan(x1) || std::isnan(y1) || std::isnan(x2) || std::isnan(y2)) return;
  const std::int64_t ix1 = roundCoordinate(x1);
  const std::int64_t iy1 = roundCoordinate(y1);
  const std::int64_t ix2 = roundCoordinate(x2);
  const std::int64_t iy2 = roundCoordinate(y2);
  if (kind != LINE && kind != HOLLOW_BOX && kind != FILLED_BOX) return;
  const std::uint32_t c = pixelColour(t, colour, flags);
  style &= 0xFFFF;
  ScreenLock lock;
  withPixelType(t.bytesPerPixel, [&]<typename T>() {
    if (kind == LINE)
      line<T>(t, ix1, iy1, ix2, iy2, static_cast<T>(c), style);
    else
      box<T>(t, ix1, iy1, ix2, iy2, static_cast<T>(c), kind == FILLED_BOX, style);
  });
}

}  // namespace orventa
