// drawEllipse: whole ellipses by integer stepping, arcs by angle steps; drawShapes: filled boxes
// and discs together.
#include <algorithm>
#include <cmath>
#include <span>
#include <utility>
#include <variant>
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

// Steps a whole ellipse outward from its centre row, calling visit(y, xl, xr) for each row it
// reaches; returns the first and last rows reached.
template <typename Visit>
std::pair<std::int64_t, std::int64_t> stepEllipse(const Target& t, std::int64_t cx, std::int64_t cy,
                                                  float rx, float ry, Visit&& visit) {
  std::int64_t xl = static_cast<std::int64_t>(static_cast<long double>(cx) - rx);
  std::int64_t xr = static_cast<std::int64_t>(static_cast<long double>(cx) + rx);
  std::int64_t ylo = cy;
  std::int64_t yhi = cy;
  visit(cy, xl, xr);
  if (ry == 0) return {cy, cy};
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
    visit(yhi, xl, xr);
    visit(ylo, xl, xr);
    // Rows only move outward: once both are off the target nothing more can show.
    if (ylo < 0 && yhi >= t.height) break;
  }
  return {ylo, yhi};
}

template <typename T>
void outline(const Target& t, std::int64_t cx, std::int64_t cy, float rx, float ry, T c) {
  const auto [top, bottom] =
      stepEllipse(t, cx, cy, rx, ry, [&](std::int64_t y, std::int64_t xa, std::int64_t xb) {
        if (y < 0 || y >= t.height) return;
        if (t.inside(xa, y)) *t.at<T>(xa, y) = c;
        if (t.inside(xb, y)) *t.at<T>(xb, y) = c;
      });
  t.changed(top, bottom);
}

// The span each row takes from a filled ellipse: the first the stepping gives it, its widest,
// clipped to the target. Empty (left > right) where it has none.
struct RowSpan {
  int left = 1;
  int right = 0;
};

// One row table per disc, each as long as the tallest target yet and empty between calls: a
// call clears only the rows its disc reached, sparing a page-high clear per ellipse.
std::vector<RowSpan>& rowTable(std::size_t disc, int height) {
  static thread_local std::vector<std::vector<RowSpan>> tables;
  if (tables.size() <= disc) tables.resize(disc + 1);
  std::vector<RowSpan>& rows = tables[disc];
  if (rows.size() < static_cast<std::size_t>(height)) rows.resize(static_cast<std::size_t>(height));
  return rows;
}

// How a shape changes a pixel d: to (d & keep) ^ flip. Setting, AND, OR and XOR all take this
// form, and so does any run of them, so the shapes over a pixel fold into one change.
template <typename T>
struct Change {
  T keep;
  T flip;
};

template <typename T>
Change<T> changeOf(int mode, T c) {
  constexpr T ALL = static_cast<T>(~T{0});
  switch (mode) {
    case AND:
      return {c, 0};
    case OR:
      return {static_cast<T>(~c), c};
    case XOR:
      return {ALL, c};
    default:
      return {0, c};
  }
}

// `first`, then `second`.
template <typename T>
Change<T> then(Change<T> first, Change<T> second) {
  return {static_cast<T>(first.keep & second.keep),
          static_cast<T>((first.flip & second.keep) ^ second.flip)};
}

template <typename T>
void apply(T* p, std::size_t n, Change<T> change) {
  if (change.keep == 0) {
    raster::fill(p, n, change.flip);
    return;
  }
  if (change.keep == static_cast<T>(~T{0}) && change.flip == 0) return;
  for (std::size_t i = 0; i < n; ++i)  // vectorised
    p[i] = static_cast<T>((p[i] & change.keep) ^ change.flip);
}

// A filled box or disc ready to draw. A box's pixels are set to the colour; a disc's meet what is
// there as `mode` says: AND, OR or XOR combine, anything else sets.
struct Piece {
  bool box = false;
  std::uint32_t colour = 0;  // in the target's pixel format
  int mode = COPY;
  std::int64_t first = 0;  // the target rows it covers, clipped
  std::int64_t last = -1;
  std::int64_t left = 0;  // a box's columns, clipped
  std::int64_t right = -1;
  std::int64_t cx = 0;  // a disc's centre and radii
  std::int64_t cy = 0;
  float rx = 0;
  float ry = 0;
  std::pair<std::int64_t, std::int64_t> reached{0, -1};  // the rows marked changed
  RowSpan* rows = nullptr;                               // a disc's spans by row
};

Piece discPiece(std::int64_t cx, std::int64_t cy, float rx, float ry, std::uint32_t colour,
                int mode) {
  Piece p;
  p.colour = colour;
  p.mode = mode;
  p.cx = cx;
  p.cy = cy;
  p.rx = rx;
  p.ry = ry;
  return p;
}

// Pixels in a strip of rows: small enough for the cache to keep it from one piece to the next.
constexpr std::int64_t STRIP_PIXELS = 65536;

// The pieces in turn, as each drawn whole would leave the target, but a strip of rows at a time:
// the strip meets every piece while it is still in the cache. A box over whole rows is filled as
// one block; in a row, the spans of the other pieces between two such boxes are cut where they
// start and end, and each cut is written once with the folded change of the pieces over it.
template <typename T>
void drawPieces(const Target& t, std::vector<Piece>& pieces) {
  std::size_t discs = 0;
  for (Piece& p : pieces) {
    if (p.box) continue;
    RowSpan* rows = rowTable(discs++, t.height).data();
    p.rows = rows;
    p.reached = stepEllipse(
        t, p.cx, p.cy, p.rx, p.ry, [&](std::int64_t y, std::int64_t xa, std::int64_t xb) {
          if (y < 0 || y >= t.height) return;
          RowSpan& span = rows[y];
          if (span.left <= span.right || xb < 0 || xa >= t.width) return;
          span.left = static_cast<int>(std::max<std::int64_t>(xa, 0));
          span.right = static_cast<int>(std::min<std::int64_t>(xb, t.width - 1));
        });
    p.first = std::max<std::int64_t>(p.reached.first, 0);
    p.last = std::min<std::int64_t>(p.reached.second, t.height - 1);
  }
  std::int64_t first = t.height;
  std::int64_t last = -1;
  for (const Piece& p : pieces) {
    if (p.first > p.last) continue;
    first = std::min(first, p.first);
    last = std::max(last, p.last);
  }
  const bool unpadded = t.pitch == t.width * static_cast<int>(sizeof(T));
  auto wholeRows = [&](const Piece& p) {
    return p.box && p.left == 0 && p.right == t.width - 1 && unpadded;
  };
  struct Span {
    std::int64_t left;
    std::int64_t right;
    Change<T> change;
  };
  std::vector<Span> spans;
  std::vector<std::int64_t> cuts;
  // Row y of pieces from..to-1, none of them a box over whole rows.
  auto drawRow = [&](std::size_t from, std::size_t to, std::int64_t y) {
    spans.clear();
    for (std::size_t i = from; i < to; ++i) {
      Piece& p = pieces[i];
      if (y < p.first || y > p.last) continue;
      const Change<T> change = changeOf(p.box ? COPY : p.mode, static_cast<T>(p.colour));
      if (p.box) {
        spans.push_back({p.left, p.right, change});
        continue;
      }
      RowSpan& span = p.rows[y];
      if (span.left <= span.right) spans.push_back({span.left, span.right, change});
      span = {};
    }
    if (spans.size() == 1) {
      const Span& s = spans[0];
      apply(t.at<T>(s.left, y), static_cast<std::size_t>(s.right - s.left + 1), s.change);
      return;
    }
    cuts.clear();
    for (const Span& s : spans) {
      cuts.push_back(s.left);
      cuts.push_back(s.right + 1);
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
      const std::int64_t x = cuts[k];
      Change<T> change{static_cast<T>(~T{0}), 0};
      bool covered = false;
      for (const Span& s : spans) {
        if (s.left > x || x > s.right) continue;
        change = then(change, s.change);
        covered = true;
      }
      if (covered) apply(t.at<T>(x, y), static_cast<std::size_t>(cuts[k + 1] - x), change);
    }
  };
  const std::int64_t strip = std::max<std::int64_t>(1, STRIP_PIXELS / t.width);
  for (std::int64_t top = first; top <= last; top += strip) {
    const std::int64_t bottom = std::min(last, top + strip - 1);
    for (std::size_t i = 0; i < pieces.size();) {
      const Piece& p = pieces[i];
      if (wholeRows(p)) {
        const std::int64_t a = std::max(p.first, top);
        const std::int64_t b = std::min(p.last, bottom);
        if (a <= b)
          raster::fill(t.at<T>(0, a), static_cast<std::size_t>((b - a + 1) * t.width),
                       static_cast<T>(p.colour));
        ++i;
        continue;
      }
      std::size_t end = i + 1;
      while (end < pieces.size() && !wholeRows(pieces[end])) ++end;
      for (std::int64_t y = top; y <= bottom; ++y) drawRow(i, end, y);
      i = end;
    }
  }
  for (const Piece& p : pieces) t.changed(p.reached.first, p.reached.second);
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

// A whole ellipse's centre and radii as drawEllipse reads its arguments, the cursor moved to the
// centre. False when nothing is to be drawn.
struct Placed {
  Target t;
  float x = 0;
  float y = 0;
  float rx = 0;
  float ry = 0;
  std::int64_t cx = 0;
  std::int64_t cy = 0;
};

bool place(Image* target, float x, float y, float radius, float aspect, std::uint32_t flags,
           Placed& e) {
  if (!resolveTarget(target, e.t)) return false;
  placeOnePoint(flags & COORDINATE_MODE_MASK, x, y);
  if (!(radius > 0) || std::isnan(x) || std::isnan(y)) return false;
  if (aspect == 0) aspect = 1;
  float rx = radius;
  float ry = radius;
  if (aspect > 1)
    rx = static_cast<float>(static_cast<long double>(radius) / aspect);
  else
    ry = static_cast<float>(static_cast<long double>(radius) * aspect);
  if (!(std::fabs(rx) <= MAX_RADIUS) || !(std::fabs(ry) <= MAX_RADIUS)) return false;
  e.x = x;
  e.y = y;
  e.rx = rx;
  e.ry = ry;
  e.cx = roundCoordinate(x);
  e.cy = roundCoordinate(y);
  return true;
}

}  // namespace

void drawEllipse(Image* target, float x, float y, float radius, std::uint32_t colour, float aspect,
                 float startAngle, float endAngle, int fill, std::uint32_t flags) {
  Placed e;
  if (!place(target, x, y, radius, aspect, flags, e)) return;
  const Target& t = e.t;
  x = e.x;
  y = e.y;
  const float rx = e.rx;
  const float ry = e.ry;
  const std::int64_t cx = e.cx;
  const std::int64_t cy = e.cy;
  const std::uint32_t c = pixelColour(t, colour, flags);
  ScreenLock lock;
  if (startAngle == 0 && endAngle == FULL_TURN) {
    // A flat ellipse is one filled row, whatever was asked.
    withPixelType(t.bytesPerPixel, [&]<typename T>() {
      if (fill != 0 || ry == 0) {
        std::vector<Piece> disc{discPiece(cx, cy, rx, ry, c, COPY)};
        drawPieces<T>(t, disc);
      } else {
        outline<T>(t, cx, cy, rx, ry, static_cast<T>(c));
      }
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

void drawShapes(Image* target, std::span<const FilledShape> shapes) {
  Target t;
  if (!resolveTarget(target, t)) return;
  std::vector<Piece> pieces;
  for (const FilledShape& shape : shapes) {
    Piece p;
    if (const FilledBox* box = std::get_if<FilledBox>(&shape)) {
      // As drawLine reads a filled box.
      float cursorX = box->x2;
      float cursorY = box->y2;
      placeOnePoint(0, cursorX, cursorY);
      if (std::isnan(box->x1) || std::isnan(box->y1) || std::isnan(box->x2) || std::isnan(box->y2))
        continue;
      std::int64_t x1 = roundCoordinate(box->x1);
      std::int64_t y1 = roundCoordinate(box->y1);
      std::int64_t x2 = roundCoordinate(box->x2);
      std::int64_t y2 = roundCoordinate(box->y2);
      if (x1 > x2) std::swap(x1, x2);
      if (y1 > y2) std::swap(y1, y2);
      if (x2 < 0 || y2 < 0 || x1 >= t.width || y1 >= t.height) continue;
      p.box = true;
      p.colour = pixelColour(t, box->colour, 0);
      p.left = std::max<std::int64_t>(x1, 0);
      p.right = std::min<std::int64_t>(x2, t.width - 1);
      p.first = std::max<std::int64_t>(y1, 0);
      p.last = std::min<std::int64_t>(y2, t.height - 1);
      p.reached = {p.first, p.last};
    } else {
      const FilledDisc& disc = std::get<FilledDisc>(shape);
      Placed e;
      if (!place(target, disc.x, disc.y, disc.radius, disc.aspect, 0, e)) continue;
      p = discPiece(e.cx, e.cy, e.rx, e.ry, pixelColour(t, disc.colour, 0), disc.combineMode);
    }
    pieces.push_back(p);
  }
  ScreenLock lock;
  withPixelType(t.bytesPerPixel, [&]<typename T>() { drawPieces<T>(t, pieces); });
}

}  // namespace orventa
