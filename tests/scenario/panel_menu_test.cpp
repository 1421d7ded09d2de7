// The "Miscellaneous" menu and its panel tests, driven through the whole program: the high
// voltage phases on the virtual clock, modes refused or reopened, and what differs at 8 and 16
// bits. The 32-bit pages are pinned by the gallery.
#include "graphics/bitmap_font.h"
#include "tests/support/frames.h"
#include "ui/layout.h"

namespace orventa::testing {
namespace {

constexpr std::uint32_t LIT = SHOWN_WHITE;
enum Item { HIGH_VOLTAGE = 1, READABILITY, ANTI_ALIASING, CLOCK_PHASE, NOT_USED, SUBPIXEL };

// A 1024 x 768 x 32 desktop whose display also accepts the test mode, with the test settings set.
struct Panel : Started {
  explicit Panel(DisplaySettings test, bool acceptWindow = true)
      : Started(config(test, acceptWindow)), w(test.width), h(test.height) {
    state().test = test;
  }
  static platform::HeadlessConfig config(const DisplaySettings& t, bool acceptWindow) {
    platform::HeadlessConfig c = desktopOf(1024, 768);
    c.modes = {c.desktop, {t.width, t.height, t.depth, t.refreshRate}};
    c.acceptWindow = acceptWindow;
    return c;
  }
  // "Miscellaneous" of the main menu, then the item of its menu at (W/4, H/2).
  void pickPanel(int item) {
    pickMain(*this, 11);
    pick(*this, 1.0 / 4, 2.0 / 4, item);
  }
  bool showsFrame(const std::function<std::uint32_t(int, int)>& expected) {
    return shows(*this, frameOf(w, h, expected));
  }
  // Lets the virtual clock run to `fraction` of the next second.
  void alignClock(double fraction) {
    const double t = now() - std::floor(now());
    settle(fraction - t + (t > fraction ? 1 : 0));
  }
  double now() { return display().seconds(); }
  // Whether the program has left its test for the main screen once more.
  bool returnsAfterAKey() {
    const int before = opens(*this);
    type(" ");
    return opens(*this) == before + 1 && mainScreenShown(*this);
  }

  int w;
  int h;
};

TEST(PanelMenu, NotUsedAMissAndARefusedModeReturnWithoutSwitching) {
  Panel p({1024, 768, 32, 60}, false);  // without windows 800 x 600 cannot be had at all
  p.state().test = {800, 600, 32, 60};
  const int before = opens(p);
  p.pickPanel(NOT_USED);
  p.click(148, 502);
  p.click(255, 394);  // just left of the menu's hit columns
  EXPECT_TRUE(mainScreenShown(p));
  EXPECT_EQ(opens(p), before);
  EXPECT_EQ(p.logged("refused ").size(), 0u);
  p.pickPanel(HIGH_VOLTAGE);
  EXPECT_EQ(p.logged("open 800").size(), 0u);
  EXPECT_TRUE(mainScreenShown(p));
}

// ---- High voltage: frame, 8/9/10-pixel gaps, field at (9, 9), bar over rows H/3 .. 2H/3.
enum Field { BAR_DARK, BAR_LIT, SOLID_DARK, SOLID_LIT };

bool showsHighVoltage(Panel& p, Field field) {
  const int w = p.w, h = p.h, top = position(h / 3.0L), bottom = position(2 * h / 3.0L);
  return p.showsFrame([&](int x, int y) -> std::uint32_t {
    if (x == 0 || y == 0 || x == w - 1 || y == h - 1) return LIT;
    if (x < 9 || y < 9 || x > w - 11 || y > h - 12) return 0;
    const bool bar = y >= top && y <= bottom;
    return field == SOLID_LIT || (field == BAR_DARK && !bar) || (field == BAR_LIT && bar) ? LIT : 0;
  });
}

TEST(HighVoltage, InvertsOnWholeSecondsInsideTheLitFrame) {
  Panel p({1024, 768, 32, 60});
  p.alignClock(0.7);  // the first phase's start rounds up: it lasts about 1.3 s
  p.pickPanel(HIGH_VOLTAGE);
  const double next = std::floor(p.now()) + 2;
  EXPECT_TRUE(showsHighVoltage(p, BAR_DARK));
  const std::pair<double, Field> steps[] = {
      {-0.05, BAR_DARK}, {0.05, BAR_LIT}, {0.9, BAR_LIT}, {1.1, BAR_DARK}};
  for (const auto& [after, field] : steps) {
    p.settle(next + after - p.now());
    EXPECT_TRUE(showsHighVoltage(p, field)) << after;
  }
}

TEST(HighVoltage, KeysCountAtTheNextPhaseAndTheSecondEnds) {
  Panel p({1280, 1024, 8, 60});
  p.alignClock(0.2);
  p.pickPanel(HIGH_VOLTAGE);
  const double next = std::floor(p.now()) + 1;
  p.type("a");
  EXPECT_TRUE(showsHighVoltage(p, BAR_DARK));
  p.settle(next - p.now() + 0.05);  // inverted, turned solid, and inverted at once
  EXPECT_TRUE(showsHighVoltage(p, SOLID_DARK));
  p.settle(1);
  EXPECT_TRUE(showsHighVoltage(p, SOLID_LIT));
  p.extendedKey('H');  // two characters, one input
  EXPECT_FALSE(mainScreenShown(p));
  p.settle(1);
  EXPECT_TRUE(mainScreenShown(p));
}

TEST(Readability, SixteenBitsShowsBlackPagesThenAWhiteOne) {
  Panel p({1024, 768, 16, 60});
  p.pickPanel(READABILITY);
  for (int page = 1; page <= 4; ++page) {
    EXPECT_TRUE(p.showsFrame([](int, int) { return 0u; })) << page;
    p.type(" ");
  }
  EXPECT_TRUE(p.showsFrame([](int, int) { return LIT; }));
  EXPECT_TRUE(p.returnsAfterAKey());
}

TEST(AntiAliasing, WithoutASwitchTheRaisedFlagStillReopensTheMainScreen) {
  Panel p({1024, 768, 32, 60});
  p.pickPanel(ANTI_ALIASING);
  EXPECT_TRUE(p.returnsAfterAKey());
}

TEST(Subpixel, EightBitLabelsSitInTextFrames) {
  // The cell at row r, column c of the 8 x 8 grid holds `code`, white on black.
  const auto cell = [](Program& p, int r, int c, char code) {
    const Frame f = p.frame();
    const auto rows = glyphRows(8, std::uint8_t(code));
    for (int y = 0; y < 8; ++y)
      for (int b = 0; b < 8; ++b)
        ASSERT_EQ(f[std::size_t((r - 1) * 8 + y) * std::size_t(p.shownWidth()) +
                    std::size_t((c - 1) * 8 + b)],
                  (rows[y] >> b & 1) != 0 ? LIT : 0u)
            << code << " at row " << r << ", column " << c;
  };
  Panel p({800, 600, 8, 60});  // a 100 x 75 grid
  p.pickPanel(SUBPIXEL);
  expectPixels(p, {{24, 440, 0xFF5555}, {25, 440, 0x5555FF}});  // palette red and blue
  cell(p, 59, 10, 'R');
  cell(p, 32, 30, '\xC9');  // the note's frame: 37.5 - 5 halves to even
}

}  // namespace
}  // namespace orventa::testing
