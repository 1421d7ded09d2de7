// The geometry and display-mode tests driven through the whole program on the headless display,
// each screen held pixel by pixel against a picture drawn with the positions written out; the
// refresh test's waits run on the virtual clock.
#include <cstdlib>

#include "displaytests/geometry/collinearity_grid.h"
#include "graphics/primitives.h"
#include "tests/support/frames.h"
#include "ui/menu_box.h"
#include "ui/prompts.h"
#include "ui/system_text.h"

namespace orventa::testing {
namespace {

constexpr std::uint32_t WHITE = 0xFFFFFFFF;
constexpr int CARD = 2, GRID = 3, ASPECT = 7, MOIRE = 8, REFRESH = 9, LIST_MODES = 10;

// Reference shapes: runs are filled boxes, so the expected picture owes nothing to line drawing.
void run(int x1, int y1, int x2, int y2) {
  drawLine(nullptr, x1, y1, x2, y2, WHITE, FILLED_BOX, SOLID, 0);
}
void crossAndEllipse(int cx, int cy, float radius, float aspect) {
  run(cx, cy - 20, cx, cy + 20);
  run(cx - 20, cy, cx + 20, cy);
  drawEllipse(nullptr, cx, cy, radius, WHITE, aspect, 0, FULL_TURN, 0, 4);
}

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

// A box of the 1024 x 768 desktop at (W/2 - 250, H/3) = (262, 256), alone on black.
Frame box(std::uint32_t bars, const Items& lines) {
  return referenceFrame(1024, 768, [&] { drawMenuBox(262, 256, 500, WHITE, bars, lines); });
}
Frame supported(const std::string& rate, const std::string& size) {
  return box(0xFFFF0000, {" Your monitor supports" + rate + " Hz refresh",
                          "  rate with " + size + " resolution"});
}
Frame notSupported(const std::string& rate, const std::string& size) {
  return box(0xFF0000FF,
             {rate + " Hz refresh rate is not supported", " with " + size + " resolution"});
}

// A desktop whose driver also lists the modes the tests switch to. The main menu of a 1024 x 768
// desktop is at (128, 192), and its fallback screen is mode 18.
platform::HeadlessConfig withModes(int width, int height) {
  platform::HeadlessConfig config = desktopOf(width, height);
  config.modes = {{width, height, 32, 60}, {1024, 768, 32, 60}, {1025, 768, 32, 60},
                  {1024, 601, 32, 60},     {640, 480, 8, 60},   {1920, 1080, 32, 60},
                  {800, 600, 32, 60},      {800, 600, 32, 75}};
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

TEST(Geometry, CardIsExactAt1024x768x32InIndex15At8BitsAndCentredOnWDiv2) {
  const Frame worked = referenceFrame(1024, 768, [] {
    run(0, 0, 0, 767), run(0, 0, 1023, 0), run(1023, 0, 1023, 767), run(0, 767, 1023, 767);
    run(512, 0, 512, 153), run(512, 614, 512, 767), run(0, 384, 204, 384);
    run(819, 384, 1023, 384);
    crossAndEllipse(512, 384, 383, 0), crossAndEllipse(512, 384, 511, 0.75f);
  });
  const Frame vga = referenceFrame(640, 480, [] {
    run(0, 0, 0, 479), run(0, 0, 639, 0), run(639, 0, 639, 479), run(0, 479, 639, 479);
    run(320, 0, 320, 96), run(320, 384, 320, 479), run(0, 240, 128, 240), run(512, 240, 639, 240);
    crossAndEllipse(320, 240, 239, 0), crossAndEllipse(320, 240, 319, 0.75f);
  });
  Started p(withModes(1280, 1024));
  runTest(p, CARD, {1024, 768, 32, 60});
  EXPECT_EQ(p.display().shownMode(), (platform::DisplayMode{1024, 768, 32, 60}));
  EXPECT_TRUE(shows(p, worked));
  keys(p, "x");
  EXPECT_TRUE(mainScreenShown(p));
  runTest(p, CARD, {640, 480, 8, 60});
  EXPECT_EQ(p.display().shownMode().bitsPerPixel, 8);
  EXPECT_TRUE(shows(p, vga));
  keys(p, "x");

  runTest(p, CARD, {1025, 768, 32, 60});
  const Frame f = p.frame();
  const auto at = [&f](int x, int y) { return f[static_cast<std::size_t>(y) * 1025 + x]; };
  for (int y : {0, 153, 364, 404, 614, 767}) EXPECT_EQ(at(512, y), SHOWN_WHITE) << y;
  for (int x : {0, 205, 492, 532, 820, 1024}) EXPECT_EQ(at(x, 384), SHOWN_WHITE) << x;
  EXPECT_EQ(at(206, 384) | at(819, 384) | at(511, 100) | at(513, 100), 0u);
}

TEST(SmallDesktop, RefusedOrUnaffordableCardFallsBackToAnEmptyTextFrameAtRow15Column20) {
  const Frame expected = referenceFrame(640, 480, [] {
    setTextGrid(80, 30);
    drawTextFrame(15, 20, 40, 9);
  });
  Started p(withModes(1024, 768));
  runTest(p, CARD, {1600, 1200, 32, 60});
  EXPECT_EQ(p.logged("refused 1600x1200").size(), 4u);
  EXPECT_EQ(p.display().shownMode(), (platform::DisplayMode{640, 480, 8, 60}));
  EXPECT_TRUE(shows(p, expected));
  p.click(10, 10);
  EXPECT_TRUE(mainScreenShown(p));
  // Two pages of 60000 x 60000 at 32 bits are never asked of the display: memory refuses them.
  runTest(p, CARD, {60000, 60000, 32, 60});
  EXPECT_EQ(p.logged("refused 60000").size(), 0u);
  EXPECT_TRUE(shows(p, expected));
  p.click(10, 10);
  EXPECT_TRUE(mainScreenShown(p));
}

TEST(GridStartSpacing, FollowsTheExtendedPrecisionProductAndHoldsWideScreens) {
  const std::pair<int, int> table[] = {{640, 43},  {800, 48},  {1024, 54}, {1152, 57}, {1280, 60},
                                       {1366, 62}, {1400, 63}, {1440, 64}, {1600, 67}, {1680, 69},
                                       {1920, 74}, {2048, 76}, {2560, 86}, {5669, 127}};
  for (const auto& [width, spacing] : table) EXPECT_EQ(gridStartSpacing(width), spacing) << width;
  EXPECT_EQ(gridStartSpacing(5670), 100);  // 128 would wrap in 8 bits
  EXPECT_EQ(gridStartSpacing(1), 2);       // 1 would leave "-" a spacing of 0
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
  EXPECT_TRUE(showsGrid(54, 25, 5));
  arrow(p, 'M', 54);  // once round the spacing
  EXPECT_TRUE(showsGrid(54, 25, 5));
  keys(p, "+", 47);  // the last one beyond 100
  EXPECT_TRUE(showsGrid(100, 12, 84));
  arrow(p, 'K', 13);  // through 0 to spacing - 1
  EXPECT_TRUE(showsGrid(100, 99, 84));
  keys(p, "-", 98), arrow(p, 'M');
  EXPECT_TRUE(showsGrid(2, 1, 0));
  keys(p, "-");  // spacing 1 re-centres to 0, then comes back to 2
  EXPECT_TRUE(showsGrid(2, 0, 0));
  keys(p, "R");
  EXPECT_TRUE(showsGrid(2, 0, 0, 0xFF0000));
}

TEST(Geometry, GridEndsOnEscOrAReleasedButtonOnlyAndUsesIndicesAt8Bits) {
  Started p(withModes(1280, 1024));
  runTest(p, GRID, {640, 480, 8, 60});
  keys(p, " ");
  EXPECT_TRUE(shows(p, gridFrame(640, 480, 43, 19, 25)));
  keys(p, "g");
  EXPECT_TRUE(shows(p, gridFrame(640, 480, 43, 19, 25, 0x55FF55)));
  keys(p, "qQx\t");
  EXPECT_EQ(p.shownWidth(), 640);
  keys(p, "\x1b");
  EXPECT_TRUE(mainScreenShown(p));

  runTest(p, GRID, {1024, 768, 32, 60});
  keys(p, " ");
  p.press();
  EXPECT_TRUE(shows(p, gridFrame(1024, 768, 54, 26, 6)));
  p.release();
  EXPECT_TRUE(mainScreenShown(p));

  runTest(p, GRID, {1600, 1200, 32, 60});  // refused: no screen, nothing to wait for
  keys(p, " ");
  EXPECT_TRUE(mainScreenShown(p));
}

TEST(Geometry, AspectEllipsesTouchTheEdgesWhenTheRatioMatchesTheMode) {
  const Frame fourThirds = referenceFrame(1024, 768, [] { crossAndEllipse(512, 384, 511, 0.75f); });
  const Frame sixteenNinths =
      referenceFrame(1920, 1080, [] { crossAndEllipse(960, 540, 959, 0.5625f); });
  Started p(withModes(1280, 1024));
  runTest(p, ASPECT, {1024, 768, 32, 60});
  p.click(368 + 20, 435 + 10);  // the ratio menu at (2.3 W / 8, 1.7 H / 4)
  EXPECT_TRUE(shows(p, fourThirds));
  keys(p, " ");
  runTest(p, ASPECT, {1920, 1080, 32, 60});
  p.click(368 + 20, 435 + 90 + 10);
  EXPECT_TRUE(shows(p, sixteenNinths));
}

TEST(Geometry, MoirePagesFollowEachOtherAndTheCheckerboardFollowsTheHeight) {
  using Lit = bool (*)(int, int);
  const auto page = [](int h, Lit lit) {
    return frameOf(1024, h, [=](int x, int y) { return lit(x, y) ? SHOWN_WHITE : 0u; });
  };
  const Lit pages[] = {[](int, int y) { return y % 2 == 0; }, [](int, int y) { return y % 4 == 0; },
                       [](int x, int y) { return x % 2 == 0 || y % 2 == 0; },
                       [](int x, int y) { return x % 4 == 0 || y % 4 == 0; },
                       [](int x, int y) { return (x + y) % 2 == 0; }};
  Started p(withModes(1280, 1024));
  runTest(p, MOIRE, {1024, 768, 32, 60});
  for (Lit lit : pages) {
    EXPECT_TRUE(shows(p, page(768, lit)));
    keys(p, " ");
  }
  EXPECT_TRUE(mainScreenShown(p));
  runTest(p, MOIRE, {1024, 601, 32, 60});
  keys(p, "1234");
  EXPECT_TRUE(shows(p, page(601, [](int x, int y) { return (x + y) % 2 == 1; })));
  keys(p, " ");

  // Without a switch the test still has the main-screen mode opened afresh.
  const int before = opens(p);
  runTest(p, MOIRE, p.state().desktop);
  keys(p, "12345");
  EXPECT_TRUE(mainScreenShown(p));
  ASSERT_EQ(opens(p), before + 1);
  EXPECT_EQ(p.logged("open ").back(), "open 1280x1024x32@0 full");
}

TEST(Modes, RefreshWithTheDesktopsSizeAndRateShowsTheErrorBoxWithoutSwitching) {
  const Frame error =
      box(0xFFFF0000, {" ************ Error! ************", " Selected parameters for the test are",
                       " the same with the desktop settings.", " Please select different values."});
  Started p(withModes(1024, 768));
  const std::size_t logLines = p.display().log().size();
  runTest(p, REFRESH, {1024, 768, 16, 60});  // the depth is not compared
  EXPECT_TRUE(sameFrame(p.frame(), error, 1024, 262, 256, 772, 386));
  EXPECT_EQ(p.pixel(5, 5), SHOWN_GREY);  // over the main screen
  keys(p, " ");
  EXPECT_TRUE(mainScreenShown(p));
  EXPECT_EQ(p.display().log().size(), logLines);
}

TEST(Modes, RefreshRefusedOrUnopenableIsNotSupportedWithoutAConfirmationWait) {
  const Frame refused = notSupported("85", "800 x600");
  // With no screen open the measured rate would be the desktop's, equal to the one asked for.
  const Frame unopenable = notSupported("60", "1600 x1200");
  Started p(withModes(1024, 768));
  double clickedAt = runTest(p, REFRESH, {800, 600, 32, 85});
  EXPECT_TRUE(shows(p, refused));
  EXPECT_EQ(p.display().shownMode(), (platform::DisplayMode{1024, 768, 32, 60}));
  // Countdown 9 s, settle 0.3 s, the prompt's 0.3 s pause.
  EXPECT_GE(p.display().seconds() - clickedAt, 9.6);
  EXPECT_LT(p.display().seconds() - clickedAt, 10);
  EXPECT_EQ(p.logged("open 800x600x32").back(), "open 800x600x32@0 full");
  keys(p, " ");
  EXPECT_TRUE(mainScreenShown(p));

  clickedAt = runTest(p, REFRESH, {1600, 1200, 32, 60});
  EXPECT_TRUE(shows(p, unopenable));
  EXPECT_LT(p.display().seconds() - clickedAt, 10);
}

TEST(Modes, RefreshConfirmedByALowerCaseHAlsoWhenTypedBeforeTheSwitch) {
  const Frame question = referenceFrame(800, 600, [] {
    drawSystemText(200, 300,
                   "If you can read this message, your monitor supports 75 Hz refresh rate",
                   "System", 14, WHITE);
    drawSystemText(200, 330, "Please confirm by pressing H key", "System", 14, WHITE);
  });
  const Frame yes = supported("75", "800 x600");
  Started p(withModes(1024, 768));
  runTest(p, REFRESH, {800, 600, 32, 75});
  EXPECT_EQ(p.display().shownMode(), (platform::DisplayMode{800, 600, 32, 75}));
  EXPECT_TRUE(shows(p, question));
  keys(p, "h");
  EXPECT_TRUE(shows(p, yes));
  keys(p, " ");

  keys(p, "h");  // the main menu leaves keys in the queue
  runTest(p, REFRESH, {800, 600, 32, 75});
  EXPECT_TRUE(shows(p, yes));
  keys(p, " ");
  keys(p, "h");  // with differing rates it ends the result box at once
  runTest(p, REFRESH, {800, 600, 32, 85});
  EXPECT_TRUE(mainScreenShown(p));
}

TEST(Modes, RefreshIgnoresUpperCaseHAndGivesUpFiveSecondsAfterTheRoundedStart) {
  const Frame no = notSupported("75", "800 x600");
  Started p(withModes(1024, 768));
  // The wait starts at about x.7 s: rounding, not truncation, makes it last some 5.3 s.
  p.display().advanceClock(0.4);
  runTest(p, REFRESH, {800, 600, 32, 75});
  const double start = p.display().seconds();
  ASSERT_GT(start - std::floor(start), 0.5);
  keys(p, "H");
  p.settle(std::round(start) + 5 - p.display().seconds() - 0.05);
  EXPECT_EQ(p.shownWidth(), 800);  // still waiting
  p.settle(0.1);
  EXPECT_TRUE(shows(p, no));
}

TEST(Modes, ModeListShowsOneEntryPerLineAndTheLastToStartOnScreenIsThe22nd) {
  std::string list;
  const auto entry = [](int i) { return std::to_string(600 + 40 * i) + " x " + std::to_string(i); };
  for (int i = 1; i <= 23; ++i) list += "/" + entry(i);
  const Frame expected = referenceFrame(1024, 768, [&] {
    drawSystemText(100, 60, "Supported modes for 32 bit depth color", "Arial", 12, WHITE);
    drawSystemText(100, 90, "=================================================", "Arial", 12,
                   WHITE);
    for (int m = 1; m <= 22; ++m) drawSystemText(100, 90 + 30 * m, entry(m), "Arial", 12, WHITE);
  });
  Started p(withModes(1024, 768));
  p.state().supportedModes[3] = list;
  const int before = opens(p);
  runTest(p, LIST_MODES, p.state().desktop);
  p.click(276, 384 + 90 + 10);  // the depth menu at (2 W / 8, 2 H / 4)
  EXPECT_TRUE(shows(p, expected));
  keys(p, " ");
  EXPECT_TRUE(mainScreenShown(p));
  EXPECT_EQ(opens(p), before);
}

}  // namespace
}  // namespace orventa::testing
