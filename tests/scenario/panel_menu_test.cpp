// The "Miscellaneous" menu and its panel tests, driven through the whole program.
#include "graphics/screen_state.h"
#include "tests/support/frames.h"
#include "ui/layout.h"
#include "ui/system_text.h"

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
  // What the display shows now; at() reads the last one taken.
  void snap() { shot = frame(); }
  std::uint32_t at(int x, int y) const { return shot[static_cast<std::size_t>(y) * w + x]; }
  static std::uint32_t stored(int x, int y) {
    const Screen* s = openScreen();
    const std::uint8_t* p = s->pages[s->visiblePage].data() + y * s->pitch;
    return s->bytesPerPixel == 1 ? p[x] : reinterpret_cast<const std::uint32_t*>(p)[x];
  }
  bool showsFrame(const std::function<std::uint32_t(int, int)>& expected) {
    return shows(*this, frameOf(w, h, expected));
  }
  // Lets the virtual clock run to `fraction` of the next second.
  void alignClock(double fraction) {
    const double t = now();
    settle(fraction - (t - std::floor(t)) + (t - std::floor(t) > fraction ? 1 : 0));
  }
  double now() { return display().seconds(); }

  int w;
  int h;
  Frame shot;
};

TEST(PanelMenu, NotUsedAMissAndARefusedModeReturnWithoutSwitching) {
  Panel p({1024, 768, 32, 60}, false);  // without windows 800 x 600 cannot be had at all
  p.state().test = {800, 600, 32, 60};
  const int before = opens(p);
  p.pickPanel(NOT_USED);
  EXPECT_TRUE(mainScreenShown(p));
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
  const int w = p.w;
  const int h = p.h;
  const int top = position(h / 3.0L);
  const int bottom = position(2 * h / 3.0L);
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
  EXPECT_EQ(Panel::stored(100, 300), 0u);
  // The seconds around the next whole one; black 0xFF000000 inverted is 0x00FFFFFF.
  const std::pair<double, Field> steps[] = {
      {-0.9, BAR_DARK}, {-0.05, BAR_DARK}, {0.05, BAR_LIT}, {0.9, BAR_LIT}, {1.1, BAR_DARK}};
  for (const auto& [after, field] : steps) {
    p.settle(next + after - p.now());
    EXPECT_TRUE(showsHighVoltage(p, field)) << after;
    EXPECT_EQ(Panel::stored(100, 100), field == BAR_LIT ? 0xFF000000u : 0x00FFFFFFu);
  }
}

TEST(HighVoltage, KeysCountAtTheNextPhaseAndTheSecondEnds) {
  Panel p({1280, 1024, 8, 60});  // bar rows 341 .. 683; indices 15 and 0
  p.alignClock(0.2);
  p.pickPanel(HIGH_VOLTAGE);
  const double next = std::floor(p.now()) + 1;
  EXPECT_TRUE(showsHighVoltage(p, BAR_DARK));
  EXPECT_EQ(Panel::stored(100, 100), 15u);
  EXPECT_EQ(Panel::stored(100, 500), 0u);
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

TEST(HighVoltage, AClickCountsAtOnceAndAHeldButtonOnce) {
  Panel p({1024, 768, 32, 60});
  p.pickPanel(HIGH_VOLTAGE);
  p.press();
  p.settle(3);
  EXPECT_TRUE(showsHighVoltage(p, BAR_DARK));  // the field turns solid only on the release
  p.alignClock(0.2);
  p.release();
  EXPECT_TRUE(showsHighVoltage(p, SOLID_DARK));
  p.settle(1);
  EXPECT_TRUE(showsHighVoltage(p, SOLID_LIT));
  p.click(500, 500);
  EXPECT_TRUE(mainScreenShown(p));
}

// ---- Readability: rows y .. y + 30 of a frame.
Frame rows(const Frame& f, int y) { return {f.begin() + y * 1024, f.begin() + (y + 31) * 1024}; }

TEST(Readability, FontPagesPlaceLinesAt31sPlus20AndLabelTheSize) {
  Frame times20;
  Frame arial5;
  {
    Panel p({1024, 768, 32, 60});
    p.pickPanel(READABILITY);
    p.snap();
    for (int y = 0; y < 51; ++y)
      for (int x = 0; x < 1024; ++x) ASSERT_EQ(p.at(x, y), 0u) << "above line 1";
    for (int s = 2; s <= 20; ++s) {
      bool lit = false;
      for (int y = 31 * s + 20; y < 31 * s + 51 && y < 768; ++y)
        for (int x = 0; x < 1024; ++x) lit = lit || p.at(x, y) != 0;
      EXPECT_TRUE(lit) << "size " << s;
    }
    times20 = rows(p.shot, 640);
    p.type(" ");
    arial5 = rows(p.frame(), 175);
  }
  // What drawSystemText alone shows of the line on a fresh screen.
  const auto line = [](const std::string& label, const char* face, int size, int y) {
    const std::string text = label + "The quick brown fox jumps over the lazy dog 0123456789";
    return rows(referenceFrame(1024, 768, [&] { drawSystemText(0, y, text, face, size, ~0u); }), y);
  };
  EXPECT_EQ(times20, line("Font: Times New Roman; size:20. ", "Times New Roman", 20, 640));
  EXPECT_EQ(arial5, line("Font: Arial; size:5. ", "Arial", 5, 175));
  EXPECT_NE(arial5, line("Font: Arial; size: 5. ", "Arial", 5, 175));
}

TEST(Readability, SixteenBitsShowsBlackPagesThenAWhiteOneAndEightBitsAnErrorBox) {
  Panel p({1024, 768, 16, 60});
  p.pickPanel(READABILITY);
  for (int page = 1; page <= 4; ++page) {
    EXPECT_TRUE(p.showsFrame([](int, int) { return 0u; })) << page;
    p.type(" ");
  }
  EXPECT_TRUE(p.showsFrame([](int, int) { return LIT; }));
  p.type(" ");
  EXPECT_TRUE(mainScreenShown(p));

  p.state().test = {1024, 768, 8, 60};
  const int before = opens(p);
  p.pickPanel(READABILITY);
  EXPECT_TRUE(errorBoxShown(p));
  EXPECT_EQ(beeps(p), 1);
  EXPECT_EQ(opens(p), before);
  p.type("x");
  EXPECT_FALSE(errorBoxShown(p));
}

// ---- Anti-aliasing and clock & phase
TEST(AntiAliasing, FansArcsDiagonalsAndCirclesAt800x600) {
  Panel p({800, 600, 32, 60});
  p.pickPanel(ANTI_ALIASING);
  p.snap();
  auto lit = [&](int x, int y) { return p.at(x, y) == LIT; };
  for (int x = 0; x <= 400; ++x) EXPECT_EQ(lit(x, 0), x % 10 == 0) << x;  // 41 fan lines
  EXPECT_TRUE(lit(401, 0));                                               // the arcs' start
  for (int y = 0; y < 600; ++y)  // the left fan, then 30 diagonals
    EXPECT_EQ(lit(0, y), y <= 300 ? y % 10 == 0 : y <= 591 && y % 10 == 1) << y;
  // Right of the vertical quarter line: only arcs above, only circles of radius <= 100 below.
  for (int y = 0; y < 600; ++y)
    for (int x = 401; x < 800; ++x)
      if (y != 300 && lit(x, y)) {
        const double r = y < 300 ? std::hypot(800 - x, y) : std::hypot(x - 600, y - 450);
        ASSERT_LE(r, y < 300 ? 400.0 : 101.0) << x << ", " << y;
      }
  EXPECT_TRUE(lit(500, 450) && lit(700, 450));
}

TEST(AntiAliasing, CirclesAreClippedAt320x240AndTheMainScreenIsReopened) {
  {
    Panel p({320, 240, 32, 60});
    p.pickPanel(ANTI_ALIASING);
    p.snap();
    int edge = 0;
    for (int k = 161; k < 320; ++k) edge += p.at(k, 239) == LIT;
    for (int k = 121; k < 240; ++k) edge += p.at(319, k) == LIT;
    EXPECT_GT(edge, 0);
    EXPECT_EQ(p.at(140, 180), LIT);  // radius 100 reaches into the left quarter
  }
  Panel p({1024, 768, 32, 60});  // no switch: only the raised flag reopens the main screen
  p.pickPanel(ANTI_ALIASING);
  const int before = opens(p);
  p.type(" ");
  EXPECT_EQ(opens(p), before + 1);
}

TEST(ClockPhase, PhaseCountsFromTheRightEdgeAtEvenAndOddWidths) {
  for (const int width : {1024, 1023}) {
    Panel p({width, 768, 32, 60});
    p.pickPanel(CLOCK_PHASE);
    EXPECT_TRUE(p.showsFrame(
        [width](int x, int y) { return (y % 3 == 0) == ((width - 1 - x) % 2 == 0) ? LIT : 0u; }));
    const int before = opens(p);
    p.type(" ");
    EXPECT_EQ(opens(p), before + 1);
  }
}

// ---- Subpixel layout
TEST(Subpixel, StripesMeetAtHalfWidthHalvesToEvenUnderBoxes) {
  for (const int width : {1024, 1023}) {
    Panel p({width, 768, 32, 60});
    p.pickPanel(SUBPIXEL);
    p.snap();
    const std::uint32_t order[2][4] = {{SHOWN_RED, SHOWN_BLUE, 0, 0},
                                       {SHOWN_BLUE, SHOWN_RED, 0, 0}};
    for (int x = 0; x < width; ++x) {
      EXPECT_EQ(p.at(x, 10), order[x >= 512][x % 4]) << x;
      EXPECT_EQ(p.at(x, 767), order[x >= 512][x % 4]) << x;
    }
    for (const int boxX : {31, width == 1024 ? 543 : 542}) {
      EXPECT_EQ(p.at(boxX, 596), LIT) << boxX;
      EXPECT_EQ(p.at(boxX + 1, 596), 0u);
      EXPECT_EQ(p.at(boxX + 440, 590), SHOWN_BLUE);
    }
    EXPECT_EQ(p.at(262, 300), LIT);  // the note's box at (W/2 - 250, H/3)
  }
}

TEST(Subpixel, EightBitLabelsSitInTextFrames) {
  // The cell at row r, column c of the 8 x 8 grid holds `code`, white on black.
  const auto cell = [](Program& p, int r, int c, char code) {
    expectBitmapText(p, (c - 1) * 8, (r - 1) * 8, std::string(1, code), LIT, 0);
  };
  {
    Panel p({800, 600, 8, 60});  // a 100 x 75 grid
    p.pickPanel(SUBPIXEL);
    expectPixels(p, {{24, 440, 0xFF5555}, {25, 440, 0x5555FF}});  // palette red and blue
    cell(p, 56, 5, '\xC9');
    cell(p, 59, 10, 'R');
    cell(p, 59, 60, 'B');
    // The note's frame at row 32 (37.5 - 5 halves to even), its lines on the three rows below.
    cell(p, 32, 30, '\xC9');
    cell(p, 33, 34, 'T');
    cell(p, 34, 34, 's');
    cell(p, 35, 34, 'd');
  }
  Panel p({640, 480, 8, 60});  // C/4 - 20 = 0: the frame moves to column 1
  p.pickPanel(SUBPIXEL);
  cell(p, 45, 1, '\xC9');
  cell(p, 48, 5, 'R');
}

}  // namespace
}  // namespace orventa::testing
