// A headless display for tests that draw (with what they all include): installs the backend, closes
// any screen between cases, and reads pixels of the open screen's work page.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <set>
#include <utility>

#include "graphics/platform/headless/headless_platform.h"
#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "graphics/screen_state.h"

namespace orventa::testing {

// Pixel positions as (x, y), ordered by x then y.
using PixelSet = std::set<std::pair<int, int>>;

struct Bounds {
  int left = INT_MAX, right = -1, top = INT_MAX, bottom = -1;
  bool operator==(const Bounds&) const = default;
};
inline Bounds bounds(const PixelSet& set) {
  Bounds b;
  for (const auto& [x, y] : set) {
    b.left = std::min(b.left, x);
    b.right = std::max(b.right, x);
    b.top = std::min(b.top, y);
    b.bottom = std::max(b.bottom, y);
  }
  return b;
}
inline std::ostream& operator<<(std::ostream& os, const Bounds& b) {
  return os << "x " << b.left << ".." << b.right << ", y " << b.top << ".." << b.bottom;
}

class HeadlessTest : public ::testing::Test {
 protected:
  explicit HeadlessTest(platform::HeadlessConfig config = {}) : display_(std::move(config)) {
    platform::usePlatform(&display_);
  }
  ~HeadlessTest() override {
    setNumberedScreenMode(0, 0, 0, 0, 0);
    platform::usePlatform(nullptr);
  }

  // Opens a one-page full-screen mode; fails the test when it cannot.
  void open(int width, int height, int depth, int pages = 1) {
    ASSERT_EQ(setScreenMode(width, height, depth, pages, FULL_SCREEN, 0), 0)
        << width << "x" << height << "x" << depth;
  }

  static std::uint8_t* address(int page, int x, int y) {
    const Screen* s = openScreen();
    return s->pages[page < 0 ? s->workPage : page].data() + std::size_t(y) * s->pitch +
           std::size_t(x) * s->bytesPerPixel;
  }

  // The pixel at (x, y) of a page (the work page when negative), as stored.
  static std::uint32_t pixel(int x, int y, int page = -1) {
    std::uint32_t v = 0;
    std::memcpy(&v, address(page, x, y), openScreen()->bytesPerPixel);
    return v;
  }

  // Stores a raw pixel value on the work page, bypassing colour conversion and dirty marks.
  static void setPixel(int x, int y, std::uint32_t v) {
    std::memcpy(address(-1, x, y), &v, openScreen()->bytesPerPixel);
  }

  // How many pixels of a page (the work page when negative) differ from `background`.
  static long countNot(std::uint32_t background, int page = -1) {
    long n = 0;
    for (int y = 0; y < openScreen()->height; ++y)
      for (int x = 0; x < openScreen()->width; ++x) n += pixel(x, y, page) != background;
    return n;
  }

  // The positions on the work page whose pixel differs from `background`.
  static PixelSet pixelsNot(std::uint32_t background) {
    const Screen* s = openScreen();
    PixelSet set;
    for (int y = 0; y < s->height; ++y)
      for (int x = 0; x < s->width; ++x)
        if (pixel(x, y) != background) set.insert({x, y});
    return set;
  }

  platform::HeadlessPlatform display_;
};

}  // namespace orventa::testing
