// The program at the edges of the platform: a display that refuses every mode for a while, and
// a test mode whose frame buffers cannot be had.
#include <gtest/gtest.h>

#include <atomic>

#include "tests/support/program.h"

namespace orventa {
namespace {

using testing::Program;

TEST(Faults, ADisplayRefusingEveryModeIsWaitedOutAndExitStillWorks) {
  auto refusing = std::make_shared<std::atomic<bool>>(true);
  platform::HeadlessConfig config;
  config.desktop = {1024, 768, 32, 60};
  config.accepts = [refusing](const platform::DisplayMode&, bool) { return !*refusing; };
  Program p(config);
  p.start();
  EXPECT_EQ(p.shownWidth(), 0);
  EXPECT_FALSE(p.finished());
  p.settle(30);
  EXPECT_EQ(p.shownWidth(), 0);
  *refusing = false;
  p.settle(2);
  ASSERT_EQ(p.shownWidth(), 1024);
  EXPECT_EQ(p.pixel(5, 5), 0xA0A0A0u);
  p.click(128 + 20, 192 + 30 * 13 + 10);  // "Exit Program"
  EXPECT_TRUE(p.finished());
  EXPECT_EQ(p.exitStatus(), 0);
}

TEST(Faults, ATestModeTooLargeForMemoryShowsTheFallbackScreen) {
  platform::HeadlessConfig config;
  config.desktop = {1024, 768, 32, 60};
  Program p(config);
  p.start();
  // Settings, resolution, "Custom": 60000 x 60000 at 32 bits and two pages cannot be had.
  p.click(128 + 20, 192 + 10);
  p.click(256 + 20, 192 + 10);
  p.click(294 + 20, 230 + 30 * 14 + 10);
  p.type("60000x60000\r");
  ASSERT_EQ(p.state().test.width, 60000);
  p.click(128 + 20, 192 + 30 + 10);  // "Resolution test card"
  EXPECT_EQ(p.shownWidth(), 640);    // the 640 x 480 fallback screen of a 1024-wide desktop
  EXPECT_EQ(p.shownHeight(), 480);
  p.click(10, 10);
  EXPECT_EQ(p.shownWidth(), 1024);
  EXPECT_EQ(p.pixel(5, 5), 0xA0A0A0u);
  EXPECT_FALSE(p.finished());
}

}  // namespace
}  // namespace orventa
