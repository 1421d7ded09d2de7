// A headless display for tests that draw: installs the backend, closes any screen between cases,
// and reads pixels of the open screen's work page.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <utility>

#include "graphics/platform/headless/headless_platform.h"
#include "graphics/screen.h"
#include "graphics/screen_state.h"

namespace orventa::testing {

// Pixel positions as (x, y), ordered by x then y.
using PixelSet = std::set<std::pair<int, int>>;

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
    return s->pages[page].data() + static_cast<std::size_t>(y) * s->pitch +
           static_cast<std::size_t>(x) * s->bytesPerPixel;
  }

  // The pixel at (x, y) of a page, as stored.
  static std::uint32_t pixelOnPage(int page, int x, int y) {
    std::uint32_t v = 0;
    std::memcpy(&v, address(page, x, y), openScreen()->bytesPerPixel);
    return v;
  }

  // The pixel at (x, y) of the work page, as stored.
  static std::uint32_t pixel(int x, int y) { return pixelOnPage(openScreen()->workPage, x, y); }

  // Stores a raw pixel value on the work page, bypassing colour conversion and dirty marks.
  static void setPixel(int x, int y, std::uint32_t v) {
    std::memcpy(address(openScreen()->workPage, x, y), &v, openScreen()->bytesPerPixel);
  }

  // How many pixels of a page (the work page when negative) differ from `background`.
  static long countNot(std::uint32_t background, int page = -1) {
    const Screen* s = openScreen();
    if (page < 0) page = s->workPage;
    long n = 0;
    for (int y = 0; y < s->height; ++y)
      for (int x = 0; x < s->width; ++x) n += pixelOnPage(page, x, y) != background;
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
