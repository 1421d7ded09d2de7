// The geometry and display-mode tests driven through the whole program on the headless display:
// the modes they switch to and fall back from, odd sizes, the grid's keys and the refresh test's
// flow, whose waits run on the virtual clock. The 32-bit pages are pinned by the gallery.
#include <cstdlib>
#include <functional>
#include <iterator>

#include "graphics/bitmap_font.h"
#include "tests/support/frames.h"
#include "ui/menu_box.h"
#include "ui/prompts.h"
#include "ui/system_text.h"

namespace orventa::testing {
namespace {

constexpr std::uint32_t WHITE = 0xFFFFFFFF;
constexpr int CARD = 2, GRID = 3, ASPECT = 7, MOIRE = 8, REFRESH = 9, LIST_MODES = 10;

// The grid as described: lines every `spacing` pixels from the offsets, and the centre cross.
Frame gridFrame(int w, int h, int spacing, int x0, int y0, std::uint32_t colour = SHOWN_WHITE) {
  return frameOf(w, h, [=](int x, int y) -> std::uint32_t {
    const bool crossed =
        (x == w / 2 && std::abs(y - h / 2) <= 20) || (y == h / 2 && std::abs(x - w / 2) <= 20);
    const bool onLine =
        (x >= x0 && (x - x0) % spacing == 0) || (y >= y0 && (y - y0) % spacing == 0);
    return crossed || onLine ? colour : 0;
  });
}

// The refresh test's result box (drawn while no Program runs) on the 1024 x 768 desktop at (W/2 -
// 250, H/3), alone on black.
Frame result(bool yes, const std::string& rate, const std::string& size) {
  const Items lines =
      yes ? Items{" Your monitor supports" + rate + " Hz refresh",
                  "  rate with " + size + " resolution"}
          : Items{rate + " Hz refresh rate is not supported", " with " + size + " resolution"};
  return referenceFrame(
      1024, 768, [&] { drawMenuBox(262, 256, 500, WHITE, yes ? 0xFFFF0000 : 0xFF0000FF, lines); });
}

// A desktop whose driver also lists the modes the tests switch to. The main menu of a 1024 x 768
// desktop is at (128, 192), and its fallback screen is mode 18.
platform::HeadlessConfig withModes(int width, int height) {
  platform::HeadlessConfig config = desktopOf(width, height);
  config.modes = {{width, height, 32, 60}, {1024, 768, 32, 60},  {1025, 768, 32, 60},
                  {640, 480, 8, 60},       {1920, 1080, 32, 60}, {800, 600, 32, 60},
                  {800, 600, 32, 75}};
  return config;
}

// Picks main-menu item `item` with `test` as the test settings; returns the time of the click.
double runTest(Program& p, int item, DisplaySettings test) {
  p.state().test = test;
  const double clickedAt = p.display().seconds();
  pickMain(p, item);
  return clickedAt;
}
void keys(Program& p, const std::string& typed, int times = 1) {
  for (int i = 0; i < times; ++i) p.type(typed);
}
void arrow(Program& p, unsigned char scanCode, int times = 1) {
  for (int i = 0; i < times; ++i) p.extendedKey(scanCode);
}

TEST(Geometry, CardAndAspectSwitchToTheTestModeAndTheCardIsCentredOnWDiv2AtAnOddWidth) {
  Started p(withModes(1280, 1024));
  for (const platform::DisplayMode mode :
       {platform::DisplayMode{1024, 768, 32, 60}, platform::DisplayMode{640, 480, 8, 60}}) {
    runTest(p, CARD, {mode.width, mode.height, mode.bitsPerPixel, 60});
    EXPECT_EQ(p.display().shownMode(), mode);
    EXPECT_EQ(p.pixel(mode.width / 2, 0), mode.bitsPerPixel == 8 ? shownIndex(15) : SHOWN_WHITE);
    keys(p, "x");
    EXPECT_TRUE(mainScreenShown(p));
  }
  runTest(p, CARD, {1025, 768, 32, 60});
  expectPixels(p,
               {{512, 100, SHOWN_WHITE}, {511, 100, 0}, {513, 100, 0}, {1024, 384, SHOWN_WHITE}});
  keys(p, " ");
  // The aspect menu picks the ratio whose ellipse touches the edges.
  runTest(p, ASPECT, {1920, 1080, 32, 60});
  pick(p, 2.3 / 8, 1.7 / 4, 4);  // 16:9
  EXPECT_EQ(p.display().shownMode(), (platform::DisplayMode{1920, 1080, 32, 60}));
  expectPixels(p, {{1, 540, SHOWN_WHITE}, {960, 1, SHOWN_WHITE}});
}

TEST(SmallDesktop, RefusedOrUnaffordableCardFallsBackToAnEmptyTextFrameAtRow15Column20) {
  const Frame expected = referenceFrame(640, 480, [] {
    setTextGrid(80, 30);
    drawTextFrame(15, 20, 40, 9);
  });
  Started p(withModes(1024, 768));
  // Two pages of 60000 x 60000 at 32 bits are never asked of the display: memory refuses them.
  for (const int side : {1600, 60000}) {
    runTest(p, CARD, {side, side * 3 / 4, 32, 60});
    EXPECT_EQ(p.logged("refused " + std::to_string(side)).size(), side == 1600 ? 4u : 0u);
    EXPECT_EQ(p.display().shownMode(), (platform::DisplayMode{640, 480, 8, 60}));
    EXPECT_TRUE(shows(p, expected));
    p.click(10, 10);
    EXPECT_TRUE(mainScreenShown(p));
  }
}

TEST(Geometry, GridKeysShiftWrapWidenNarrowAndRecolourAt1024x768) {
  Started p(withModes(1280, 1024));
  const auto showsGrid = [&p](int spacing, int x0, int y0, std::uint32_t c = SHOWN_WHITE) {
    return shows(p, gridFrame(1024, 768, spacing, x0, y0, c));
  };
  runTest(p, GRID, {1024, 768, 32, 60});
  keys(p, " ");  // past the help box
  EXPECT_TRUE(showsGrid(54, 26, 6));
  arrow(p, 'M'), arrow(p, 'K', 2), arrow(p, 'P'), arrow(p, 'H', 2);
  arrow(p, 'M', 54);  // once round the spacing
  EXPECT_TRUE(showsGrid(54, 25, 5));
  keys(p, "+", 47);  // the last one beyond 100
  EXPECT_TRUE(showsGrid(100, 12, 84));
  arrow(p, 'K', 13);  // through 0 to spacing - 1
  EXPECT_TRUE(showsGrid(100, 99, 84));
  keys(p, "-", 98), arrow(p, 'M');
  EXPECT_TRUE(showsGrid(2, 1, 0));
  keys(p, "R");
  EXPECT_TRUE(showsGrid(2, 1, 0, 0xFF0000));
  p.press();
  EXPECT_FALSE(mainScreenShown(p));
  p.release();  // a released button ends it
  EXPECT_TRUE(mainScreenShown(p));
}

TEST(Geometry, GridEndsOnEscOrTheQTheHelpBoxOffersAndUsesIndicesAt8Bits) {
  Started p(withModes(1280, 1024));
  for (const char* end : {"\x1b", "q", "Q"}) {
    SCOPED_TRACE(end);
    runTest(p, GRID, {640, 480, 8, 60});
    keys(p, " ");
    EXPECT_TRUE(shows(p, gridFrame(640, 480, 43, 19, 25)));
    keys(p, "g");
    EXPECT_TRUE(shows(p, gridFrame(640, 480, 43, 19, 25, 0x55FF55)));
    keys(p, "x\t");
    EXPECT_EQ(p.shownWidth(), 640);
    keys(p, end);
    EXPECT_TRUE(mainScreenShown(p));
  }
}

TEST(Geometry, MoireWithoutASwitchEndsOnItsFifthPageAndTheMainScreenIsReopened) {
  Started p(withModes(1280, 1024));
  const int before = opens(p);
  runTest(p, MOIRE, p.state().desktop);
  keys(p, "12345");
  EXPECT_TRUE(mainScreenShown(p));
  EXPECT_EQ(opens(p), before + 1);
}

// Every page pixel for pixel at the depths the gallery does not show: rows every 2 and 4 rows,
// grids every 2 and 4 pixels, then the checkerboard lit where x + y + H is even.
TEST(Geometry, MoirePagesHoldTheirRowsGridsAndCheckerboardAt8And16Bits) {
  const int w = 21, h = 13;
  const std::function<bool(int, int)> lit[] = {
      [](int, int y) { return y % 2 == 0; }, [](int, int y) { return y % 4 == 0; },
      [](int x, int y) { return x % 2 == 0 || y % 2 == 0; },
      [](int x, int y) { return x % 4 == 0 || y % 4 == 0; },
      [](int x, int y) { return (x + y + h) % 2 == 0; }};
  for (int depth : {8, 16}) {
    Started p(acceptingEverything());
    runTest(p, MOIRE, {w, h, depth, 60});
    for (std::size_t page = 0; page < std::size(lit); ++page) {
      SCOPED_TRACE("page " + std::to_string(page + 1) + " at " + std::to_string(depth) + " bits");
      EXPECT_EQ(p.frame(),
                frameOf(w, h, [&](int x, int y) { return lit[page](x, y) ? SHOWN_WHITE : 0u; }));
      keys(p, "x");
    }
    EXPECT_TRUE(mainScreenShown(p));
  }
}

TEST(Modes, RefreshAtTheDesktopsRateOrRefusedIsNotSupportedWithoutAConfirmationWait) {
  const Frame refused = result(false, "85", "800 x600");
  Started p(withModes(1024, 768));
  const std::size_t logLines = p.display().log().size();
  runTest(p, REFRESH, {1024, 768, 16, 60});  // the depth is not compared
  EXPECT_TRUE(errorBoxShown(p));
  EXPECT_EQ(p.pixel(5, 5), SHOWN_GREY);  // over the main screen
  keys(p, " ");
  EXPECT_TRUE(mainScreenShown(p));
  EXPECT_EQ(p.display().log().size(), logLines);
  const double clickedAt = runTest(p, REFRESH, {800, 600, 32, 85});
  EXPECT_TRUE(shows(p, refused));
  EXPECT_EQ(p.display().shownMode(), (platform::DisplayMode{1024, 768, 32, 60}));
  // Countdown 9 s, settle 0.3 s, the prompt's 0.3 s pause.
  EXPECT_GE(p.display().seconds() - clickedAt, 9.6);
  EXPECT_LT(p.display().seconds() - clickedAt, 10);
  EXPECT_EQ(p.logged("open 800x600x32").back(), "open 800x600x32@0 full");
}

TEST(Modes, RefreshIsConfirmedByLowerCaseHOnlyAndGivesUpFiveSecondsAfterTheRoundedStart) {
  const Frame no = result(false, "75", "800 x600");
  const Frame yes = result(true, "75", "800 x600");
  Started p(withModes(1024, 768));
  // The wait starts at about x.7 s: rounding, not truncation, makes it last some 5.3 s.
  p.display().advanceClock(0.4);
  runTest(p, REFRESH, {800, 600, 32, 75});
  EXPECT_EQ(p.display().shownMode(), (platform::DisplayMode{800, 600, 32, 75}));
  const double start = p.display().seconds();
  ASSERT_GT(start - std::floor(start), 0.5);
  keys(p, "H");
  p.settle(std::round(start) + 5 - p.display().seconds() - 0.05);
  EXPECT_EQ(p.shownWidth(), 800);  // still waiting
  p.settle(0.1);
  EXPECT_TRUE(shows(p, no));
  keys(p, " ");
  runTest(p, REFRESH, {800, 600, 32, 75});
  keys(p, "h");
  EXPECT_TRUE(shows(p, yes));
  keys(p, " ");
  EXPECT_TRUE(mainScreenShown(p));
}

TEST(Modes, ModeListShowsOneEntryPerLineWithoutSwitching) {
  const Frame expected = referenceFrame(1024, 768, [] {
    drawSystemText(100, 60, "Supported modes for 32 bit depth color", "Arial", 12, WHITE);
    drawSystemText(100, 90, std::string(49, '='), "Arial", 12, WHITE);
    drawSystemText(100, 120, "640 x 480", "Arial", 12, WHITE);
    drawSystemText(100, 150, "800 x 600", "Arial", 12, WHITE);
  });
  Started p(withModes(1024, 768));
  p.state().supportedModes[3] = "/640 x 480/800 x 600";
  const int before = opens(p);
  runTest(p, LIST_MODES, p.state().desktop);
  pick(p, 2.0 / 8, 2.0 / 4, 4);  // "32 bit"
  EXPECT_TRUE(shows(p, expected));
  keys(p, " ");
  EXPECT_TRUE(mainScreenShown(p));
  EXPECT_EQ(opens(p), before);
}

}  // namespace
}  // namespace orventa::testing
