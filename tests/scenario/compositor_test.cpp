// A desktop whose compositor never switches the display: a test size other than the panel's own
// is announced before the pattern and shown in a window, and the main screen says so first.
#include <algorithm>

#include "tests/support/frames.h"

namespace orventa::testing {
namespace {

constexpr int W = 1366, H = 768;

// The driver lists 800 x 600 and the display would take any request: only the session decides.
platform::HeadlessConfig desktop(bool switchesModes) {
  platform::HeadlessConfig config = desktopOf(W, H);
  config.modes = {{800, 600, 32, 60}, {W, H, 32, 60}};
  config.accepts = [](const platform::DisplayMode&, bool) { return true; };
  config.session = {"Wayland", "wayland", "X1", W, H, 2, switchesModes};
  return config;
}

// The rightmost ink of the settings block's "Resolution:" line, drawn at (2W/3, H/3 + 30).
int resolutionLineEnd(Program& p) {
  int end = 0;
  for (int y = H / 3 + 30; y < H / 3 + 50; ++y)
    for (int x = 2 * W / 3; x < W; ++x)
      if (p.pixel(x, y) != SHOWN_GREY) end = std::max(end, x);
  return end;
}

int resolutionLineEndFor(bool switchesModes, int width, int height) {
  Started p(desktop(switchesModes));
  testSettings(p, width, height, 32);
  p.click(5, 5);  // picks nothing: the main screen is drawn again
  return resolutionLineEnd(p);
}

TEST(Compositor, AnotherSizeIsAnnouncedBeforeThePatternThenShownInAWindow) {
  Started p(desktop(false));
  testSettings(p, 800, 600, 32);
  pickMain(p, 2);  // the resolution card
  EXPECT_TRUE(errorBoxShown(p));
  EXPECT_EQ(p.shownWidth(), W);
  EXPECT_TRUE(p.logged("open 800x600").empty());
  p.type(" ");
  EXPECT_EQ(p.logged("open 800x600x32@60 window").size(), 1u);
  EXPECT_TRUE(p.logged("open 800x600x32@60 full").empty());
  EXPECT_EQ(p.shownWidth(), 800);
  p.type(" ");
  EXPECT_TRUE(mainScreenShown(p));
}

TEST(Compositor, ThePanelsOwnSizeAndASwitchingDisplayGetNoNotice) {
  {
    Started p(desktop(false));
    testSettings(p, W, H, 16);  // a depth of its own: reopened, full screen
    pickMain(p, 2);
    EXPECT_FALSE(errorBoxShown(p));
    EXPECT_EQ(p.logged("open 1366x768x16@60 full").size(), 1u);
    p.type(" ");
  }
  Started p(desktop(true));
  testSettings(p, 800, 600, 32);
  pickMain(p, 2);
  EXPECT_EQ(p.logged("open 800x600x32@60 full").size(), 1u);
  EXPECT_TRUE(p.logged("open 800x600x32@60 window").empty());
}

TEST(Compositor, TheMainScreenMarksASizeThatWillBeWindowed) {
  const int plain = resolutionLineEndFor(true, 800, 600);
  EXPECT_GT(resolutionLineEndFor(false, 800, 600), plain + 40);
  EXPECT_EQ(resolutionLineEndFor(false, W, H), resolutionLineEndFor(true, W, H));
}

}  // namespace
}  // namespace orventa::testing
