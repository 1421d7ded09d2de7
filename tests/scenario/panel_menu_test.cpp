// The "Miscellaneous" menu and its panel tests, driven through the whole program.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "graphics/bitmap_font.h"
#include "graphics/screen.h"
#include "graphics/screen_state.h"
#include "tests/support/program.h"
#include "ui/layout.h"
#include "ui/system_text.h"

namespace orventa {
namespace {

using testing::Program;

constexpr std::uint32_t LIT = 0xFFFFFF;
constexpr std::uint32_t GREY = 0xA0A0A0;
constexpr std::uint32_t RED = 0xFF0000;
constexpr std::uint32_t BLUE = 0x0000FF;
enum Item { HIGH_VOLTAGE = 1, READABILITY, ANTI_ALIASING, CLOCK_PHASE, NOT_USED, SUBPIXEL };

// A 1024 x 768 x 32 desktop whose display also accepts the test mode, with the test settings set.
struct Panel {
  explicit Panel(DisplaySettings test, bool acceptWindow = true)
      : program(config(test, acceptWindow)), w(test.width), h(test.height) {
    program.start();
    program.state().test = test;
  }
  static platform::HeadlessConfig config(const DisplaySettings& t, bool acceptWindow) {
    platform::HeadlessConfig c;
    c.modes = {c.desktop, {t.width, t.height, t.depth, t.refreshRate}};
    c.acceptWindow = acceptWindow;
    return c;
  }
  // "Miscellaneous" of the main menu at (128, 192), then the item of the menu at (256, 384).
  void pick(int item) {
    program.click(148, 192 + 30 * 10 + 10);
    program.click(276, 384 + 30 * (item - 1) + 10);
  }
  bool mainScreenShown() { return program.pixel(5, 5) == GREY; }
  // What the display shows now; at() reads the last one taken.
  void snap() { shot = program.frame(); }
  std::uint32_t at(int x, int y) const { return shot[static_cast<std::size_t>(y) * w + x]; }
  static std::uint32_t stored(int x, int y) {
    const Screen* s = openScreen();
    const std::uint8_t* p = s->pages[s->visiblePage].data() + y * s->pitch;
    return s->bytesPerPixel == 1 ? p[x] : reinterpret_cast<const std::uint32_t*>(p)[x];
  }
  // Every pixel shown against `expected`; reports the first mismatch.
  void expectFrame(const std::function<std::uint32_t(int, int)>& expected) {
    const std::vector<std::uint32_t> f = program.frame();
    ASSERT_EQ(f.size(), static_cast<std::size_t>(w) * h);
    long wrong = 0;
    for (std::size_t i = 0; i < f.size(); ++i) {
      const int x = static_cast<int>(i % w);
      const int y = static_cast<int>(i / w);
      if (f[i] != expected(x, y) && wrong++ == 0)
        ADD_FAILURE() << "at (" << x << ", " << y << ") shown " << std::hex << f[i] << " expected "
                      << expected(x, y);
    }
    EXPECT_EQ(wrong, 0);
  }
  // Lets the virtual clock run to `fraction` of the next second.
  void alignClock(double fraction) {
    const double t = program.display().seconds();
    program.settle(fraction - (t - std::floor(t)) + (t - std::floor(t) > fraction ? 1 : 0));
  }
  double now() { return program.display().seconds(); }

  Program program;
  int w;
  int h;
  std::vector<std::uint32_t> shot;
};

TEST(PanelMenu, NotUsedAndAMissReturnWithoutSwitchingTheMode) {
  Panel p({800, 600, 32, 60});
  const std::size_t opens = p.program.logged("open ").size();
  p.pick(NOT_USED);
  EXPECT_TRUE(p.mainScreenShown());
  p.program.click(148, 502);
  p.program.click(255, 394);  // just left of the menu's hit columns
  EXPECT_TRUE(p.mainScreenShown());
  EXPECT_EQ(p.program.logged("open ").size(), opens);
  EXPECT_EQ(p.program.logged("refused ").size(), 0u);
}

// ---- High voltage: frame, 8/9/10-pixel gaps, field at (9, 9), bar over rows H/3 .. 2H/3.
enum Field { BAR_DARK, BAR_LIT, SOLID_DARK, SOLID_LIT };

void expectHighVoltage(Panel& p, Field field) {
  const int w = p.w;
  const int h = p.h;
  const int top = position(h / 3.0L);
  const int bottom = position(2 * h / 3.0L);
  p.expectFrame([&](int x, int y) -> std::uint32_t {
    if (x == 0 || y == 0 || x == w - 1 || y == h - 1) return LIT;
    if (x < 9 || y < 9 || x > w - 11 || y > h - 12) return 0;
    const bool bar = y >= top && y <= bottom;
    return field == SOLID_LIT || (field == BAR_DARK && !bar) || (field == BAR_LIT && bar) ? LIT : 0;
  });
}

TEST(HighVoltage, InvertsOnWholeSecondsInsideTheLitFrame) {
  Panel p({1024, 768, 32, 60});
  p.alignClock(0.7);  // the first phase's start rounds up: it lasts about 1.3 s
  p.pick(HIGH_VOLTAGE);
  const double next = std::floor(p.now()) + 2;
  expectHighVoltage(p, BAR_DARK);
  EXPECT_EQ(Panel::stored(100, 100), 0x00FFFFFFu);  // black 0xFF000000 inverted
  EXPECT_EQ(Panel::stored(100, 300), 0u);
  p.program.settle(next - 1 - p.now() + 0.1);
  expectHighVoltage(p, BAR_DARK);
  p.program.settle(next - p.now() - 0.05);
  expectHighVoltage(p, BAR_DARK);
  p.program.settle(0.1);
  expectHighVoltage(p, BAR_LIT);
  EXPECT_EQ(Panel::stored(100, 100), 0xFF000000u);
  p.program.settle(0.85);
  expectHighVoltage(p, BAR_LIT);
  p.program.settle(0.2);
  expectHighVoltage(p, BAR_DARK);
}

TEST(HighVoltage, KeysCountAtTheNextPhaseAndTheSecondEnds) {
  Panel p({1280, 1024, 8, 60});  // bar rows 341 .. 683; indices 15 and 0
  p.alignClock(0.2);
  p.pick(HIGH_VOLTAGE);
  const double next = std::floor(p.now()) + 1;
  expectHighVoltage(p, BAR_DARK);
  EXPECT_EQ(Panel::stored(100, 100), 15u);
  EXPECT_EQ(Panel::stored(100, 500), 0u);
  p.program.type("a");
  expectHighVoltage(p, BAR_DARK);
  p.program.settle(next - p.now() + 0.05);  // inverted, turned solid, and inverted at once
  expectHighVoltage(p, SOLID_DARK);
  p.program.settle(1);
  expectHighVoltage(p, SOLID_LIT);
  p.program.extendedKey('H');  // two characters, one input
  EXPECT_FALSE(p.mainScreenShown());
  p.program.settle(1);
  EXPECT_TRUE(p.mainScreenShown());
}

TEST(HighVoltage, AClickCountsAtOnceAndAHeldButtonOnce) {
  Panel p({1024, 768, 32, 60});
  p.pick(HIGH_VOLTAGE);
  p.program.press();
  p.program.settle(3);
  expectHighVoltage(p, BAR_DARK);  // the field turns solid only on the release
  p.alignClock(0.2);
  p.program.release();
  expectHighVoltage(p, SOLID_DARK);
  p.program.settle(1);
  expectHighVoltage(p, SOLID_LIT);
  p.program.click(500, 500);
  EXPECT_TRUE(p.mainScreenShown());
}

TEST(HighVoltage, ARefusedModeReturnsToTheMainScreen) {
  Panel p({1024, 768, 32, 60}, false);
  p.program.state().test = {800, 600, 32, 60};
  p.pick(HIGH_VOLTAGE);
  EXPECT_EQ(p.program.logged("open 800").size(), 0u);
  EXPECT_TRUE(p.mainScreenShown());
}

// ---- Readability
std::vector<std::uint32_t> rows(const std::vector<std::uint32_t>& f, int y) {
  return {f.begin() + y * 1024, f.begin() + (y + 31) * 1024};
}

// Rows y .. y + 30 of what drawSystemText alone shows on a fresh 1024 x 768 x 32 screen.
std::vector<std::uint32_t> referenceLine(const std::string& text, const char* face, int size,
                                         int y) {
  platform::HeadlessPlatform display;
  platform::usePlatform(&display);
  setScreenMode(1024, 768, 32, 1, FULL_SCREEN, 0);
  drawSystemText(0, y, text, face, size, 0xFFFFFFFF);
  const std::vector<std::uint32_t> line = rows(display.snapshot(), y);
  setNumberedScreenMode(0, 0, 0, 0, 0);
  platform::usePlatform(nullptr);
  return line;
}

TEST(Readability, FontPagesPlaceLinesAt31sPlus20AndLabelTheSize) {
  std::vector<std::uint32_t> times20;
  std::vector<std::uint32_t> arial5;
  {
    Panel p({1024, 768, 32, 60});
    p.pick(READABILITY);
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
    p.program.type(" ");
    arial5 = rows(p.program.frame(), 175);
  }
  const std::string sample = "The quick brown fox jumps over the lazy dog 0123456789";
  EXPECT_EQ(times20,
            referenceLine("Font: Times New Roman; size:20. " + sample, "Times New Roman", 20, 640));
  EXPECT_EQ(arial5, referenceLine("Font: Arial; size:5. " + sample, "Arial", 5, 175));
  EXPECT_NE(arial5, referenceLine("Font: Arial; size: 5. " + sample, "Arial", 5, 175));
}

TEST(Readability, SixteenBitsShowsBlackPagesThenAWhiteOneAndEightBitsAnErrorBox) {
  Panel p({1024, 768, 16, 60});
  p.pick(READABILITY);
  for (int page = 1; page <= 4; ++page) {
    p.expectFrame([](int, int) { return 0u; });
    p.program.type(" ");
  }
  p.expectFrame([](int, int) { return LIT; });
  p.program.type(" ");
  EXPECT_TRUE(p.mainScreenShown());

  p.program.state().test = {1024, 768, 8, 60};
  const std::size_t opens = p.program.logged("open ").size();
  p.pick(READABILITY);
  EXPECT_EQ(p.program.pixel(337 + 300, 256 + 10), RED);  // the box at (DW/2 - 175, DH/3)
  EXPECT_EQ(p.program.logged("beep 1000 250").size(), 1u);
  EXPECT_EQ(p.program.logged("open ").size(), opens);
  p.program.type("x");
  EXPECT_NE(p.program.pixel(337 + 300, 256 + 10), RED);
}

// ---- Anti-aliasing and clock & phase
TEST(AntiAliasing, FansArcsDiagonalsAndCirclesAt800x600) {
  Panel p({800, 600, 32, 60});
  p.pick(ANTI_ALIASING);
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
    p.pick(ANTI_ALIASING);
    p.snap();
    int edge = 0;
    for (int k = 161; k < 320; ++k) edge += p.at(k, 239) == LIT;
    for (int k = 121; k < 240; ++k) edge += p.at(319, k) == LIT;
    EXPECT_GT(edge, 0);
    EXPECT_EQ(p.at(140, 180), LIT);  // radius 100 reaches into the left quarter
  }
  Panel p({1024, 768, 32, 60});  // no switch: only the raised flag reopens the main screen
  p.pick(ANTI_ALIASING);
  const std::size_t opens = p.program.logged("open ").size();
  p.program.type(" ");
  EXPECT_EQ(p.program.logged("open ").size(), opens + 1);
}

TEST(ClockPhase, PhaseCountsFromTheRightEdgeAtEvenAndOddWidths) {
  for (const int width : {1024, 1023}) {
    Panel p({width, 768, 32, 60});
    p.pick(CLOCK_PHASE);
    p.expectFrame(
        [width](int x, int y) { return (y % 3 == 0) == ((width - 1 - x) % 2 == 0) ? LIT : 0u; });
    const std::size_t opens = p.program.logged("open ").size();
    p.program.type(" ");
    EXPECT_EQ(p.program.logged("open ").size(), opens + 1);
  }
}

// ---- Subpixel layout
TEST(Subpixel, StripesMeetAtHalfWidthHalvesToEvenUnderBoxes) {
  for (const int width : {1024, 1023}) {
    Panel p({width, 768, 32, 60});
    p.pick(SUBPIXEL);
    p.snap();
    const std::uint32_t order[2][4] = {{RED, BLUE, 0, 0}, {BLUE, RED, 0, 0}};
    for (int x = 0; x < width; ++x) {
      EXPECT_EQ(p.at(x, 10), order[x >= 512][x % 4]) << x;
      EXPECT_EQ(p.at(x, 767), order[x >= 512][x % 4]) << x;
    }
    for (const int boxX : {31, width == 1024 ? 543 : 542}) {
      EXPECT_EQ(p.at(boxX, 596), LIT) << boxX;
      EXPECT_EQ(p.at(boxX + 1, 596), 0u);
      EXPECT_EQ(p.at(boxX + 440, 590), BLUE);
    }
    EXPECT_EQ(p.at(262, 300), LIT);  // the note's box at (W/2 - 250, H/3)
  }
}

// The cell at row r, column c of the 8 x 8 grid holds `code`, white on black.
void expectCell(const Panel& p, int r, int c, unsigned char code) {
  const std::uint8_t* glyph = glyphRows(8, code);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      ASSERT_EQ(p.at((c - 1) * 8 + x, (r - 1) * 8 + y), (glyph[y] >> x & 1) ? LIT : 0u)
          << "row " << r << " column " << c << " pixel " << x << ", " << y;
}

TEST(Subpixel, EightBitLabelsSitInTextFrames) {
  {
    Panel p({800, 600, 8, 60});  // a 100 x 75 grid
    p.pick(SUBPIXEL);
    p.snap();
    EXPECT_EQ(p.at(24, 440), 0xFF5555u);  // palette red and blue left of the frame
    EXPECT_EQ(p.at(25, 440), 0x5555FFu);
    expectCell(p, 56, 5, 0xC9);
    expectCell(p, 59, 10, 'R');
    expectCell(p, 59, 60, 'B');
    // The note's frame at row 32 (37.5 - 5 halves to even), its lines on the three rows below.
    expectCell(p, 32, 30, 0xC9);
    expectCell(p, 33, 34, 'T');
    expectCell(p, 34, 34, 's');
    expectCell(p, 35, 34, 'd');
  }
  Panel p({640, 480, 8, 60});  // C/4 - 20 = 0: the frame moves to column 1
  p.pick(SUBPIXEL);
  p.snap();
  expectCell(p, 45, 1, 0xC9);
  expectCell(p, 48, 5, 'R');
}

}  // namespace
}  // namespace orventa
