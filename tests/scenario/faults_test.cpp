// The program at the edges of the platform: a display that refuses every mode for a while, and
// frame buffers that cannot be had, whether for a test mode or in the middle of a test.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <string>
#include <vector>

#include "graphics/screen_state.h"
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

// Frame memory capped for the life of the guard.
struct MemoryCap {
  explicit MemoryCap(std::size_t bytes) { capFrameMemory(bytes); }
  ~MemoryCap() { capFrameMemory(0); }
  MemoryCap(const MemoryCap&) = delete;
  MemoryCap& operator=(const MemoryCap&) = delete;
};

struct MenuPick {
  double fx, fy;  // the menu's top-left corner as fractions of the desktop
  int item;
};

void pick(Program& p, const MenuPick& m) {
  p.click(static_cast<int>(std::nearbyint(m.fx * 1024)) + 20,
          static_cast<int>(std::nearbyint(m.fy * 768)) + 30 * (m.item - 1) + 10);
}

MenuPick mainItem(int item) { return {1.0 / 8, 1.0 / 4, item}; }

platform::HeadlessConfig acceptingEverything() {
  platform::HeadlessConfig config;
  config.desktop = {1024, 768, 32, 60};
  config.accepts = [](const platform::DisplayMode&, bool) { return true; };
  return config;
}

// Every test, entered while no frame buffer can be had at all: the test mode, the way back to
// the main screen and any image all fail. Each must still take its input and return, and the
// main screen must come back once memory does.
TEST(Faults, EveryTestSurvivesFrameBuffersThatCannotBeHad) {
  const std::vector<std::vector<MenuPick>> routes = {
      {mainItem(2)},
      {mainItem(3)},
      {mainItem(4), {2.5 / 8, 1.3 / 4, 1}},
      {mainItem(4), {2.5 / 8, 1.3 / 4, 2}},
      {mainItem(4), {2.5 / 8, 1.3 / 4, 3}},
      {mainItem(4), {2.5 / 8, 1.3 / 4, 4}},
      {mainItem(4), {2.5 / 8, 1.3 / 4, 5}, {3.0 / 8, 1.5 / 4, 2}},
      {mainItem(4), {2.5 / 8, 1.3 / 4, 6}},
      {mainItem(5), {2.5 / 8, 1.5 / 4, 1}},
      {mainItem(5), {2.5 / 8, 1.5 / 4, 5}},
      {mainItem(5), {2.5 / 8, 1.5 / 4, 6}},
      {mainItem(6)},
      {mainItem(7), {2.3 / 8, 1.7 / 4, 1}},
      {mainItem(8)},
      {mainItem(9)},
      {mainItem(11), {2.0 / 8, 2.0 / 4, 1}},
      {mainItem(11), {2.0 / 8, 2.0 / 4, 2}},
      {mainItem(11), {2.0 / 8, 2.0 / 4, 3}},
      {mainItem(11), {2.0 / 8, 2.0 / 4, 4}},
      {mainItem(11), {2.0 / 8, 2.0 / 4, 6}},
  };
  for (const std::vector<MenuPick>& route : routes) {
    SCOPED_TRACE("main menu item " + std::to_string(route.front().item) + ", then " +
                 std::to_string(route.back().item));
    Program p(acceptingEverything());
    p.start();
    p.state().test = {1280, 1024, 32, 60};
    {
      const MemoryCap nothing(1);
      for (const MenuPick& m : route) pick(p, m);
      for (int k = 0; k < 12; ++k) {
        p.key(0x1b);
        p.click(5, 5);
      }
      EXPECT_TRUE(p.logged("open 1280").empty());
      EXPECT_FALSE(p.finished());
    }
    p.settle(2);  // the main loop retries its mode once a second
    ASSERT_EQ(p.shownWidth(), 1024);
    EXPECT_EQ(p.pixel(5, 5), 0xA0A0A0u);
    pick(p, mainItem(14));  // "Exit Program"
    EXPECT_TRUE(p.finished());
    EXPECT_EQ(p.exitStatus(), 0);
  }
}

// Memory runs out between two pages of additive discs: the second page's image cannot be had,
// and the screen keeps the first page rather than discs drawn uncombined.
TEST(Faults, AnImageThatCannotBeHadMidTestLeavesThePageAsItWas) {
  Program p(acceptingEverything());
  p.start();
  p.state().test = {800, 600, 32, 60};
  pick(p, mainItem(4));
  pick(p, {2.5 / 8, 1.3 / 4, 2});  // "RGB test"
  ASSERT_EQ(p.shownWidth(), 800);
  const std::vector<std::uint32_t> firstPage = p.frame();
  {
    const MemoryCap tight(800 * 600 * 4 - 1);
    p.click(5, 5);
    EXPECT_EQ(p.frame(), firstPage);
    p.click(5, 5);
  }
  p.settle(2);
  EXPECT_EQ(p.shownWidth(), 1024);
  EXPECT_EQ(p.pixel(5, 5), 0xA0A0A0u);
}

}  // namespace
}  // namespace orventa
