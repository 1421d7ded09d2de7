// Frame buffers that cannot be had, whether for a test mode or in the middle of a test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/screen_state.h"
#include "tests/support/frames.h"

namespace orventa::testing {
namespace {

// Frame memory capped for the life of the guard.
struct MemoryCap {
  explicit MemoryCap(std::size_t bytes) { capFrameMemory(bytes); }
  ~MemoryCap() { capFrameMemory(0); }
  MemoryCap(const MemoryCap&) = delete;
  MemoryCap& operator=(const MemoryCap&) = delete;
};

// Every test, entered while no frame buffer can be had at all: the test mode, the way back to
// the main screen and any image all fail. Each must still take its input and return, and the
// main screen must come back once memory does.
TEST(Faults, EveryTestSurvivesFrameBuffersThatCannotBeHad) {
  // Main-menu items, each with the items of its own menu (at fx W, fy H) that open a test.
  const struct {
    int item;
    double fx, fy;
    std::vector<int> subItems;
  } menus[] = {{2, 0, 0, {0}},
               {3, 0, 0, {0}},
               {4, 2.5 / 8, 1.3 / 4, {1, 2, 3, 4, 5, 6}},
               {5, 2.5 / 8, 1.5 / 4, {1, 5, 6}},
               {6, 0, 0, {0}},
               {7, 2.3 / 8, 1.7 / 4, {1}},
               {8, 0, 0, {0}},
               {9, 0, 0, {0}},
               {11, 2.0 / 8, 2.0 / 4, {1, 2, 3, 4, 6}}};
  for (const auto& menu : menus)
    for (const int sub : menu.subItems) {
      SCOPED_TRACE("main menu item " + std::to_string(menu.item) + ", then " + std::to_string(sub));
      Started p(acceptingEverything());
      testSettings(p, 1280, 1024, 32);
      {
        const MemoryCap nothing(1);
        pickMain(p, menu.item);
        if (sub != 0) pick(p, menu.fx, menu.fy, sub);
        if (menu.item == 4 && sub == 5) pick(p, 3.0 / 8, 1.5 / 4, 2);  // a gradient
        for (int k = 0; k < 12; ++k) {
          p.key(0x1b);
          p.click(5, 5);
        }
        EXPECT_TRUE(p.logged("open 1280").empty());
        EXPECT_FALSE(p.finished());
      }
      p.settle(2);  // the main loop retries its mode once a second
      EXPECT_TRUE(mainScreenShown(p));
      pickMain(p, 14);  // "Exit Program"
      EXPECT_TRUE(p.finished());
      EXPECT_EQ(p.exitStatus(), 0);
    }
}

// Memory runs out between two pages of additive discs: the second page's image cannot be had,
// and the screen keeps the first page rather than discs drawn uncombined.
TEST(Faults, AnImageThatCannotBeHadMidTestLeavesThePageAsItWas) {
  Started p(acceptingEverything());
  testSettings(p, 800, 600, 32);
  pickMain(p, 4);
  pick(p, 2.5 / 8, 1.3 / 4, 2);  // "RGB test"
  ASSERT_EQ(p.shownWidth(), 800);
  const Frame firstPage = p.frame();
  {
    const MemoryCap none(1);
    p.click(5, 5);
    EXPECT_EQ(p.frame(), firstPage);
    p.click(5, 5);
  }
  p.settle(2);
  EXPECT_TRUE(mainScreenShown(p));
}

}  // namespace
}  // namespace orventa::testing
