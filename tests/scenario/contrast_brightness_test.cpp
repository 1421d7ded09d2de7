// "Contrast/Brightness" through the whole program, with 1024 x 768 test settings unless said
// otherwise. The 32-bit pages are pinned by the gallery; here are the modes opened, 16-bit
// levels, and the refusals at 8 bits of this and other menus.
#include "tests/support/frames.h"

namespace orventa::testing {
namespace {

void openPattern(Program& p, int item) {
  pickMain(p, 5);
  pick(p, 2.5 / 8, 1.5 / 4, item);
}

TEST(Smpte, OpensItsOwn24BitModeEvenWithoutASwitchAndTheMainScreenComesBack) {
  Started p;
  for (int depth : {32, 16}) {  // the desktop's own settings, then 16 bits at 75 Hz
    p.state().test = {1024, 768, depth, depth == 32 ? 60 : 75};
    const int before = opens(p);
    openPattern(p, 6);
    EXPECT_EQ(opens(p), before + 1);
    EXPECT_EQ(p.logged("open ").back(), "open 1024x768x32@0 full");
    p.type(" ");
    EXPECT_EQ(opens(p), before + 2);
  }
}

TEST(Contrast, AtDepth16LevelsGoThroughRgb565) {
  Started p;
  testSettings(p, 1024, 768, 16);
  openPattern(p, 3);
  // Grey 16 and grey 20 differ in green only; grey 4 of the black levels is not black.
  expectPixels(p, {{10, 10, rgb565ToRgb(0x1082)}, {200, 400, rgb565ToRgb(0x10A2)}});
  p.type(" ");
  openPattern(p, 2);
  expectPixels(p, {{150, 150, rgb565ToRgb(0x0020)}});
  p.type(" ");
  pickMain(p, 5);
  p.click(5, 5);  // deep enough, a click beside the menu simply returns
  EXPECT_TRUE(mainScreenShown(p));
  EXPECT_EQ(beeps(p), 0);
}

// Each test that needs more than 8 bits refuses, whether its menu item or a click beside its
// menu was picked, with the error box and one beep, and nothing switches.
TEST(Depth8, RefusedTestsShowTheErrorBoxAndBeepOnceWithoutSwitching) {
  const struct {
    int item;
    double fx, fy;
    int sub;  // 0: none, -1: a click beside the menu
  } cases[] = {
      {5, 2.5 / 8, 1.5 / 4, 3}, {5, 2.5 / 8, 1.5 / 4, -1}, {6, 0, 0, 0}, {11, 0.25, 0.5, 2}};
  Started p;
  testSettings(p, 1024, 768, 8);
  const int before = opens(p);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.item) + ", then " + std::to_string(c.sub));
    const int beepsBefore = beeps(p);
    pickMain(p, c.item);
    c.sub > 0 ? pick(p, c.fx, c.fy, c.sub) : c.sub < 0 ? p.click(5, 5) : void();
    EXPECT_TRUE(errorBoxShown(p));
    p.type(" ");
    EXPECT_EQ(beeps(p), beepsBefore + 1);
    EXPECT_TRUE(mainScreenShown(p));
  }
  EXPECT_EQ(opens(p), before);
}

}  // namespace
}  // namespace orventa::testing
