// floodFill: the 4-connected region around a seed, found as spans over the original pixels and
// filled only once the search is done.
#include <algorithm>
#include <cmath>
#include <vector>

#include "graphics/primitives.h"
#include "graphics/raster.h"
#include "graphics/target.h"

namespace orventa {
namespace {

struct Span {
  std::int64_t left;
  std::int64_t right;
  std::int64_t row;
};

template <typename T>
class Region {
 public:
  Region(const Target& t, T border) : t_(t), border_(border), rows_(t.height) {}

  void search(std::int64_t x, std::int64_t y) {
    add(x, y);
    while (!pending_.empty()) {
      const Span s = pending_.back();
      pending_.pop_back();
      if (s.row > 0) look(s, s.row - 1);
      if (s.row + 1 < t_.height) look(s, s.row + 1);
    }
  }

  void fill(T colour) const {
    for (std::size_t y = 0; y < rows_.size(); ++y)
      for (const auto& [left, right] : rows_[y])
        raster::fill(t_.at<T>(left, static_cast<std::int64_t>(y)),
                     static_cast<std::size_t>(right - left + 1), colour);
  }

  std::int64_t top() const { return top_; }
  std::int64_t bottom() const { return bottom_; }

 private:
  // Each pixel of row y beside span s that is not border starts (or lies in) a span there.
  void look(const Span& s, std::int64_t y) {
    const T* row = t_.at<T>(0, y);
    for (std::int64_t x = s.left; x <= s.right; ++x) {
      if (row[x] == border_) continue;
      x = add(x, y);
    }
  }

  // Records the span through (x, y) unless it is known; returns its right end.
  std::int64_t add(std::int64_t x, std::int64_t y) {
    auto& spans = rows_[static_cast<std::size_t>(y)];
    auto it = std::upper_bound(spans.begin(), spans.end(), x,
                               [](std::int64_t v, const auto& span) { return v < span.first; });
    if (it != spans.begin() && std::prev(it)->second >= x) return std::prev(it)->second;
    const T* row = t_.at<T>(0, y);
    std::int64_t left = x;
    std::int64_t right = x;
    while (left > 0 && row[left - 1] != border_) --left;
    right = static_cast<std::int64_t>(raster::findRight(
                row, static_cast<std::size_t>(x), static_cast<std::size_t>(t_.width), border_)) -
            1;
    spans.insert(it, {left, right});
    pending_.push_back({left, right, y});
    top_ = std::min(top_, y);
    bottom_ = std::max(bottom_, y);
    return right;
  }

  const Target& t_;
  T border_;
  std::vector<std::vector<std::pair<std::int64_t, std::int64_t>>> rows_;
  std::vector<Span> pending_;
  std::int64_t top_ = INT64_MAX;
  std::int64_t bottom_ = INT64_MIN;
};

// With the border colour equal to the fill colour (as the program always asks), a filled pixel
// is a border pixel: spans can be filled as soon as they are found, while their rows are still
// in the cache, and nothing needs recording. The region is the same.
template <typename T>
void fillWhereBorderIsFill(const Target& t, std::int64_t sx, std::int64_t sy, T colour,
                           std::int64_t& top, std::int64_t& bottom) {
  struct Seed {
    std::int64_t x;
    std::int64_t y;
  };
  std::vector<Seed> seeds{{sx, sy}};
  const std::size_t width = static_cast<std::size_t>(t.width);
  while (!seeds.empty()) {
    const Seed s = seeds.back();
    seeds.pop_back();
    T* row = t.at<T>(0, s.y);
    if (row[s.x] == colour) continue;
    std::int64_t left = s.x;
    while (left > 0 && row[left - 1] != colour) --left;
    const std::int64_t right = static_cast<std::int64_t>(raster::findRight(
                                   row, static_cast<std::size_t>(s.x), width, colour)) -
                               1;
    raster::fill(row + left, static_cast<std::size_t>(right - left + 1), colour);
    top = std::min(top, s.y);
    bottom = std::max(bottom, s.y);
    for (const std::int64_t y : {s.y - 1, s.y + 1}) {
      if (y < 0 || y >= t.height) continue;
      const T* next = t.at<T>(0, y);
      const std::size_t end = static_cast<std::size_t>(right + 1);
      for (std::int64_t x = left; x <= right; ++x) {
        x = static_cast<std::int64_t>(
            raster::findRightOther(next, static_cast<std::size_t>(x), end, colour));
        if (x > right) break;
        seeds.push_back({x, y});
        // One seed per run: skip to the run's end.
        x = static_cast<std::int64_t>(raster::findRight(
            next, static_cast<std::size_t>(x), static_cast<std::size_t>(right + 1), colour));
      }
    }
  }
}

// Whether every pixel of the target is `colour`: the usual case of a fill on a cleared screen,
// where one read to make sure beats the search's rereading of every row.
template <typename T>
bool allOneColour(const Target& t, T colour) {
  const std::size_t width = static_cast<std::size_t>(t.width);
  for (std::int64_t y = 0; y < t.height; ++y)
    if (raster::findRightOther(t.at<T>(0, y), 0, width, colour) != width) return false;
  return true;
}

}  // namespace

void floodFill(Image* target, float x, float y, std::uint32_t fillColour,
               std::uint32_t borderColour, std::string_view /*pattern*/, int /*patternMode*/,
               std::uint32_t flags) {
  Target t;
  if (!resolveTarget(target, t)) return;
  placeOnePoint(flags & COORDINATE_MODE_MASK, x, y);
  if (std::isnan(x) || std::isnan(y)) return;
  const std::int64_t sx = roundCoordinate(x);
  const std::int64_t sy = roundCoordinate(y);
  if (!t.inside(sx, sy)) return;
  const std::uint32_t fill = pixelColour(t, fillColour, flags);
  const std::uint32_t border =
      (flags & BORDER_IS_FILL) != 0 ? fill : pixelColour(t, borderColour, 0);
  ScreenLock lock;
  withPixelType(t.bytesPerPixel, [&]<typename T>() {
    if (*t.at<T>(sx, sy) == static_cast<T>(border)) return;
    if (border == fill) {
      if (allOneColour<T>(t, *t.at<T>(sx, sy))) {
        for (std::int64_t row = 0; row < t.height; ++row)
          raster::fill(t.at<T>(0, row), static_cast<std::size_t>(t.width), static_cast<T>(fill));
        t.changed(0, t.height - 1);
        return;
      }
      std::int64_t top = sy;
      std::int64_t bottom = sy;
      fillWhereBorderIsFill<T>(t, sx, sy, static_cast<T>(fill), top, bottom);
      t.changed(top, bottom);
      return;
    }
    Region<T> region(t, static_cast<T>(border));
    region.search(sx, sy);
    region.fill(static_cast<T>(fill));
    t.changed(region.top(), region.bottom());
  });
}

}  // namespace orventa
