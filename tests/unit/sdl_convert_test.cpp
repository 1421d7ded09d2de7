// Frame-buffer rows as the SDL backend hands them to the display.
#include "graphics/platform/sdl/sdl_convert.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "graphics/colour.h"

namespace orventa::platform {
namespace {

constexpr std::uint32_t UNTOUCHED = 0x12345678;

// A frame of `width` x `height` pixels of `bytesPerPixel`, and a target as wide with rows padded.
struct Conversion {
  Conversion(int width, int height, int bytesPerPixel)
      : pixels(static_cast<std::size_t>(width) * height * 4),
        dirty(static_cast<std::size_t>(height), 0),
        target(static_cast<std::size_t>(width + 3) * height, UNTOUCHED) {
    frame.pixels = pixels.data();
    frame.width = width;
    frame.height = height;
    frame.bytesPerPixel = bytesPerPixel;
    frame.pitch = width * bytesPerPixel;
    frame.palette = palette.data();
    frame.dirtyRows = dirty.data();
  }

  void set(int x, int y, std::uint32_t value) {
    const auto at = std::size_t(y * frame.pitch + x * frame.bytesPerPixel);
    std::memcpy(&pixels[at], &value, std::size_t(frame.bytesPerPixel));
  }

  // Converts the dirty span into the target; false when nothing was dirty.
  bool run() {
    int first = 0, last = 0;
    if (!dirtySpan(frame, first, last)) return false;
    auto* rows = reinterpret_cast<std::uint8_t*>(&target[std::size_t(first * targetWidth())]);
    convertRows(frame, first, last, rows, targetWidth() * 4);
    return true;
  }

  int targetWidth() const { return frame.width + 3; }
  std::uint32_t shown(int x, int y) const { return target[std::size_t(y * targetWidth() + x)]; }

  std::vector<std::uint8_t> pixels;
  std::vector<std::uint8_t> dirty;
  std::vector<std::uint32_t> target;
  std::array<std::uint32_t, 256> palette = defaultPalette();
  FrameView frame;
};

TEST(SdlConvertTest, EveryRgb565ValueWidensAsTheColourRuleSays) {
  Conversion c(256, 256, 2);
  for (int v = 0; v < 65536; ++v) c.set(v % 256, v / 256, static_cast<std::uint32_t>(v));
  c.dirty.assign(256, 1);
  ASSERT_TRUE(c.run());
  for (int v = 0; v < 65536; ++v)
    ASSERT_EQ(c.shown(v % 256, v / 256), 0xFF000000u | rgb565ToRgb(static_cast<std::uint32_t>(v)))
        << v;
}

TEST(SdlConvertTest, PaletteIndicesGoThroughThePaletteOpaqueAtAnyWidth) {
  // Seven pixels a row: the four-at-a-time loop and its tail, over every index.
  Conversion c(7, 37, 1);
  for (int i = 0; i < 256; ++i) c.palette[std::size_t(i)] = 0xAB000000u | (255u - i) * 0x010203u;
  for (int i = 0; i < 256; ++i) c.set(i % 7, i / 7, static_cast<std::uint32_t>(i));
  c.dirty.assign(37, 1);
  ASSERT_TRUE(c.run());
  for (int i = 0; i < 256; ++i)
    EXPECT_EQ(c.shown(i % 7, i / 7), 0xFF000000u | ((255u - i) * 0x010203u & 0xFFFFFF)) << i;
}

TEST(SdlConvertTest, OnlyTheDirtySpanIsConvertedAndItsMarksCleared) {
  Conversion c(4, 10, 4);
  EXPECT_FALSE(c.run());
  c.dirty[3] = 1;
  c.dirty[6] = 1;
  ASSERT_TRUE(c.run());
  for (int y = 0; y < 10; ++y) {
    const bool inSpan = y >= 3 && y <= 6;
    EXPECT_EQ(c.shown(0, y), inSpan ? 0xFF000000u : UNTOUCHED) << y;
    EXPECT_EQ(c.dirty[static_cast<std::size_t>(y)], 0) << y;
  }
  // The padding after each row is not the frame's to write.
  EXPECT_EQ(c.shown(4, 3), UNTOUCHED);
  EXPECT_FALSE(c.run());
}

}  // namespace
}  // namespace orventa::platform
