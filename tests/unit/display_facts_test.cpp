// What a display says of itself: EDID blocks built byte by byte, with the values worked out by
// hand; and the refresh rate found in made-up presentation times.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "graphics/platform/display_facts/edid.h"
#include "graphics/platform/display_facts/refresh_estimate.h"
#include "tests/support/edid_blocks.h"

namespace orventa::platform {
namespace {

using namespace orventa::testing;

TEST(Edid, AMonitorsBlockGivesItsMakerNameSizeAndNativeTiming) {
  const auto e = decodeEdid(monitor());
  ASSERT_TRUE(e);
  EXPECT_EQ(e->manufacturer, "DEL");
  EXPECT_EQ(e->productCode, 0xA0C4);
  EXPECT_EQ(e->serialNumber, 0x12345678u);
  EXPECT_EQ(e->week, 23);
  EXPECT_EQ(e->year, 2022);
  EXPECT_EQ(e->name, "DELL U2720Q");
  EXPECT_EQ(e->serialText, "ABC123");
  EXPECT_EQ(e->widthMm, 598);  // the timing's millimetres beat the block's centimetres
  EXPECT_EQ(e->heightMm, 336);
  EXPECT_EQ(e->nativeWidth, 1920);
  EXPECT_EQ(e->nativeHeight, 1080);
  EXPECT_DOUBLE_EQ(e->nativeRefresh, 60.0);
  EXPECT_NEAR(pixelsPerInch(*e), 1920 * 25.4 / 598, 1e-9);  // 81.55
}

TEST(Edid, OddButValidBlocksFallBackToWhatTheyDoSay) {
  // No name, an image size given as the aspect ratio 16 x 9, a model year, and an extension
  // block after the base one.
  Block b = monitor();
  putText(b, 72, 0x10, "");  // a dummy descriptor instead of the name
  put(b, 54 + 12, {16, 9, 0});
  b[16] = 0xFF;
  b.resize(256, 0);
  b[126] = 1;
  seal(b);
  const auto e = decodeEdid(b);
  ASSERT_TRUE(e);
  EXPECT_EQ(e->name, "");
  EXPECT_EQ(e->week, 0);
  EXPECT_EQ(e->widthMm, 600);
  EXPECT_EQ(e->heightMm, 340);
  // No timing and no size: nothing to derive a density from.
  put(b, 54, {0, 0, 0, 0x10, 0});
  put(b, 21, {0, 0});
  seal(b);
  const auto bare = decodeEdid(b);
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare->nativeWidth, 0);
  EXPECT_EQ(bare->widthMm, 0);
  EXPECT_EQ(pixelsPerInch(*bare), 0);
  // A name of all thirteen characters has no line feed.
  b = monitor();
  putText(b, 72, 0xFC, "ABCDEFGHIJKLM");
  seal(b);
  EXPECT_EQ(decodeEdid(b)->name, "ABCDEFGHIJKLM");
}

TEST(Edid, ShortBrokenOrForeignBlocksAreUnknown) {
  Block b = monitor();
  b[100] ^= 1;
  EXPECT_FALSE(decodeEdid(b)) << "bad checksum";
  b = monitor();
  b.pop_back();
  EXPECT_FALSE(decodeEdid(b)) << "127 bytes";
  EXPECT_FALSE(decodeEdid(Block{}));
  b = monitor();
  b[0] = 0x01;
  seal(b);
  EXPECT_FALSE(decodeEdid(b)) << "no header";
}

// Presentations at `hz` with uniform jitter of +-1 ms, every twentieth frame missed, and a stall
// of a quarter second and a bit after frame 150.
std::vector<double> presentations(double hz, int frames, bool untidy) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> jitter(-0.001, 0.001);
  std::vector<double> t;
  for (int k = 0; k < frames; ++k) {
    if (untidy && k % 20 == 7) continue;
    t.push_back(k / hz + (untidy ? jitter(random) : 0) + (untidy && k > 150 ? 0.2537 : 0));
  }
  return t;
}

TEST(RefreshEstimate, FindsTheRateThroughJitterMissedFramesAndAStall) {
  for (double hz : {59.94, 74.97, 143.9}) {
    for (bool untidy : {false, true}) {
      SCOPED_TRACE(std::to_string(hz) + (untidy ? " untidy" : " steady"));
      const RefreshEstimate e = estimateRefresh(presentations(hz, 400, untidy));
      ASSERT_TRUE(e.measurable);
      EXPECT_NEAR(e.hz, hz, 0.05);
      EXPECT_GE(e.frames, 300);
      if (!untidy) {
        EXPECT_LT(e.spreadHz, 1e-6);
      }
    }
  }
}

TEST(RefreshEstimate, UnpacedOrTooFewPresentationsAreNotMeasurable) {
  // No vertical sync: presentations as fast as the machine goes, at random.
  std::mt19937 random(3);
  std::uniform_real_distribution<double> gap(0.0001, 0.0009);
  std::vector<double> t{0};
  for (int i = 0; i < 500; ++i) t.push_back(t.back() + gap(random));
  EXPECT_FALSE(estimateRefresh(t).measurable);
  EXPECT_FALSE(estimateRefresh(presentations(60, 100, false)).measurable);
  EXPECT_TRUE(estimateRefresh(presentations(60, 121, false)).measurable);
  EXPECT_FALSE(estimateRefresh(std::vector<double>{}).measurable);
}

}  // namespace
}  // namespace orventa::platform
