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

class Scenario : public ::testing::Test {
 protected:
  explicit Scenario(int width = 1280, int height = 1024)
      : program_([=] {
          platform::HeadlessConfig config = desktopOf(width, height);
          config.modes = {{width, height, 32, 60}, {1024, 768, 32, 60}, {1025, 768, 32, 60},
                          {1024, 601, 32, 60},     {640, 480, 8, 60},   {1920, 1080, 32, 60},
                          {800, 600, 32, 60},      {800, 600, 32, 75}};
          return config;
        }()) {}

  void runTest(int item, DisplaySettings test) {
    program_.state().test = test;
    clickedAt_ = program_.display().seconds();
    pickMain(program_, item);
  }
  double elapsed() { return program_.display().seconds() - clickedAt_; }
  bool shows(const Frame& expected) { return testing::shows(program_, expected); }
  bool mainScreenShown() { return testing::mainScreenShown(program_); }
  void keys(const std::string& typed, int times = 1) {
    for (int i = 0; i < times; ++i) program_.type(typed);
  }
  void arrow(unsigned char scanCode, int times = 1) {
    for (int i = 0; i < times; ++i) program_.extendedKey(scanCode);
  }

  Program program_;
  double clickedAt_ = 0;
};
using Geometry = Scenario;

// The main menu of a 1024 x 768 desktop is at (128, 192); the fallback screen is mode 18.
class SmallDesktop : public Scenario {
 protected:
  SmallDesktop() : Scenario(1024, 768) {}
};
using Modes = SmallDesktop;

TEST_F(Geometry, CardIsExactAt1024x768x32InIndex15At8BitsAndCentredOnWDiv2) {
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
  program_.start();
  runTest(CARD, {1024, 768, 32, 60});
  EXPECT_EQ(program_.display().shownMode(), (platform::DisplayMode{1024, 768, 32, 60}));
  EXPECT_TRUE(shows(worked));
  keys("x");
  EXPECT_TRUE(mainScreenShown());
  runTest(CARD, {640, 480, 8, 60});
  EXPECT_EQ(program_.display().shownMode().bitsPerPixel, 8);
  EXPECT_TRUE(shows(vga));
  keys("x");

  runTest(CARD, {1025, 768, 32, 60});
  const Frame f = program_.frame();
  const auto at = [&f](int x, int y) { return f[static_cast<std::size_t>(y) * 1025 + x]; };
  for (int y : {0, 153, 364, 404, 614, 767}) EXPECT_EQ(at(512, y), SHOWN_WHITE) << y;
  for (int x : {0, 205, 492, 532, 820, 1024}) EXPECT_EQ(at(x, 384), SHOWN_WHITE) << x;
  EXPECT_EQ(at(206, 384) | at(819, 384) | at(511, 100) | at(513, 100), 0u);
}

TEST_F(SmallDesktop, RefusedOrUnaffordableCardFallsBackToAnEmptyTextFrameAtRow15Column20) {
  const Frame expected = referenceFrame(640, 480, [] {
    setTextGrid(80, 30);
    drawTextFrame(15, 20, 40, 9);
  });
  program_.start();
  runTest(CARD, {1600, 1200, 32, 60});
  EXPECT_EQ(program_.logged("refused 1600x1200").size(), 4u);
  EXPECT_EQ(program_.display().shownMode(), (platform::DisplayMode{640, 480, 8, 60}));
  EXPECT_TRUE(shows(expected));
  program_.click(10, 10);
  EXPECT_TRUE(mainScreenShown());
  // Two pages of 60000 x 60000 at 32 bits are never asked of the display: memory refuses them.
  runTest(CARD, {60000, 60000, 32, 60});
  EXPECT_EQ(program_.logged("refused 60000").size(), 0u);
  EXPECT_TRUE(shows(expected));
  program_.click(10, 10);
  EXPECT_TRUE(mainScreenShown());
}

TEST(GridStartSpacing, FollowsTheExtendedPrecisionProductAndHoldsWideScreens) {
  const std::pair<int, int> table[] = {{640, 43},  {800, 48},  {1024, 54}, {1152, 57}, {1280, 60},
                                       {1366, 62}, {1400, 63}, {1440, 64}, {1600, 67}, {1680, 69},
                                       {1920, 74}, {2048, 76}, {2560, 86}, {5669, 127}};
  for (const auto& [width, spacing] : table) EXPECT_EQ(gridStartSpacing(width), spacing) << width;
  EXPECT_EQ(gridStartSpacing(5670), 100);  // 128 would wrap in 8 bits
  EXPECT_EQ(gridStartSpacing(1), 2);       // 1 would leave "-" a spacing of 0
}

TEST_F(Geometry, GridKeysShiftWrapWidenNarrowAndRecolourAt1024x768) {
  const auto showsGrid = [this](int spacing, int x0, int y0, std::uint32_t c = SHOWN_WHITE) {
    return shows(gridFrame(1024, 768, spacing, x0, y0, c));
  };
  program_.start();
  runTest(GRID, {1024, 768, 32, 60});
  keys(" ");  // past the help box
  EXPECT_TRUE(showsGrid(54, 26, 6));

  arrow('M'), arrow('K', 2), arrow('P'), arrow('H', 2);
  EXPECT_TRUE(showsGrid(54, 25, 5));
  arrow('M', 54);  // once round the spacing
  EXPECT_TRUE(showsGrid(54, 25, 5));
  keys("+", 47);  // the last one beyond 100
  EXPECT_TRUE(showsGrid(100, 12, 84));
  arrow('K', 13);  // through 0 to spacing - 1
  EXPECT_TRUE(showsGrid(100, 99, 84));
  keys("-", 98), arrow('M');
  EXPECT_TRUE(showsGrid(2, 1, 0));
  keys("-");  // spacing 1 re-centres to 0, then comes back to 2
  EXPECT_TRUE(showsGrid(2, 0, 0));
  keys("R");
  EXPECT_TRUE(showsGrid(2, 0, 0, 0xFF0000));
}

TEST_F(Geometry, GridEndsOnEscOrAReleasedButtonOnlyAndUsesIndicesAt8Bits) {
  program_.start();
  runTest(GRID, {640, 480, 8, 60});
  keys(" ");
  EXPECT_TRUE(shows(gridFrame(640, 480, 43, 19, 25)));
  keys("g");
  EXPECT_TRUE(shows(gridFrame(640, 480, 43, 19, 25, 0x55FF55)));
  keys("qQx\t");
  EXPECT_EQ(program_.shownWidth(), 640);
  keys("\x1b");
  EXPECT_TRUE(mainScreenShown());

  runTest(GRID, {1024, 768, 32, 60});
  keys(" ");
  program_.press();
  EXPECT_TRUE(shows(gridFrame(1024, 768, 54, 26, 6)));
  program_.release();
  EXPECT_TRUE(mainScreenShown());

  runTest(GRID, {1600, 1200, 32, 60});  // refused: no screen, nothing to wait for
  keys(" ");
  EXPECT_TRUE(mainScreenShown());
}

TEST_F(Geometry, AspectEllipsesTouchTheEdgesWhenTheRatioMatchesTheMode) {
  const Frame fourThirds = referenceFrame(1024, 768, [] { crossAndEllipse(512, 384, 511, 0.75f); });
  const Frame sixteenNinths =
      referenceFrame(1920, 1080, [] { crossAndEllipse(960, 540, 959, 0.5625f); });
  program_.start();
  runTest(ASPECT, {1024, 768, 32, 60});
  program_.click(368 + 20, 435 + 10);  // the ratio menu at (2.3 W / 8, 1.7 H / 4)
  EXPECT_TRUE(shows(fourThirds));
  keys(" ");
  runTest(ASPECT, {1920, 1080, 32, 60});
  program_.click(368 + 20, 435 + 90 + 10);
  EXPECT_TRUE(shows(sixteenNinths));
}

TEST_F(Geometry, MoirePagesFollowEachOtherAndTheCheckerboardFollowsTheHeight) {
  using Lit = bool (*)(int, int);
  const auto page = [](int h, Lit lit) {
    return frameOf(1024, h, [=](int x, int y) { return lit(x, y) ? SHOWN_WHITE : 0u; });
  };
  const Lit pages[] = {[](int, int y) { return y % 2 == 0; }, [](int, int y) { return y % 4 == 0; },
                       [](int x, int y) { return x % 2 == 0 || y % 2 == 0; },
                       [](int x, int y) { return x % 4 == 0 || y % 4 == 0; },
                       [](int x, int y) { return (x + y) % 2 == 0; }};
  program_.start();
  runTest(MOIRE, {1024, 768, 32, 60});
  for (Lit lit : pages) {
    EXPECT_TRUE(shows(page(768, lit)));
    keys(" ");
  }
  EXPECT_TRUE(mainScreenShown());
  runTest(MOIRE, {1024, 601, 32, 60});
  keys("1234");
  EXPECT_TRUE(shows(page(601, [](int x, int y) { return (x + y) % 2 == 1; })));
  keys(" ");

  // Without a switch the test still has the main-screen mode opened afresh.
  const int before = opens(program_);
  runTest(MOIRE, program_.state().desktop);
  keys("12345");
  EXPECT_TRUE(mainScreenShown());
  ASSERT_EQ(opens(program_), before + 1);
  EXPECT_EQ(program_.logged("open ").back(), "open 1280x1024x32@0 full");
}

TEST_F(Modes, RefreshWithTheDesktopsSizeAndRateShowsTheErrorBoxWithoutSwitching) {
  const Frame error =
      box(0xFFFF0000, {" ************ Error! ************", " Selected parameters for the test are",
                       " the same with the desktop settings.", " Please select different values."});
  program_.start();
  const std::size_t logLines = program_.display().log().size();
  runTest(REFRESH, {1024, 768, 16, 60});  // the depth is not compared
  EXPECT_TRUE(sameFrame(program_.frame(), error, 1024, 262, 256, 772, 386));
  EXPECT_EQ(program_.pixel(5, 5), SHOWN_GREY);  // over the main screen
  keys(" ");
  EXPECT_TRUE(mainScreenShown());
  EXPECT_EQ(program_.display().log().size(), logLines);
}

TEST_F(Modes, RefreshRefusedOrUnopenableIsNotSupportedWithoutAConfirmationWait) {
  const Frame refused = notSupported("85", "800 x600");
  // With no screen open the measured rate would be the desktop's, equal to the one asked for.
  const Frame unopenable = notSupported("60", "1600 x1200");
  program_.start();
  runTest(REFRESH, {800, 600, 32, 85});
  EXPECT_TRUE(shows(refused));
  EXPECT_EQ(program_.display().shownMode(), (platform::DisplayMode{1024, 768, 32, 60}));
  // Countdown 9 s, settle 0.3 s, the prompt's 0.3 s pause.
  EXPECT_GE(elapsed(), 9.6);
  EXPECT_LT(elapsed(), 10);
  EXPECT_EQ(program_.logged("open 800x600x32").back(), "open 800x600x32@0 full");
  keys(" ");
  EXPECT_TRUE(mainScreenShown());

  runTest(REFRESH, {1600, 1200, 32, 60});
  EXPECT_TRUE(shows(unopenable));
  EXPECT_LT(elapsed(), 10);
}

TEST_F(Modes, RefreshConfirmedByALowerCaseHAlsoWhenTypedBeforeTheSwitch) {
  const Frame question = referenceFrame(800, 600, [] {
    drawSystemText(200, 300,
                   "If you can read this message, your monitor supports 75 Hz refresh rate",
                   "System", 14, WHITE);
    drawSystemText(200, 330, "Please confirm by pressing H key", "System", 14, WHITE);
  });
  const Frame yes = supported("75", "800 x600");
  program_.start();
  runTest(REFRESH, {800, 600, 32, 75});
  EXPECT_EQ(program_.display().shownMode(), (platform::DisplayMode{800, 600, 32, 75}));
  EXPECT_TRUE(shows(question));
  keys("h");
  EXPECT_TRUE(shows(yes));
  keys(" ");

  keys("h");  // the main menu leaves keys in the queue
  runTest(REFRESH, {800, 600, 32, 75});
  EXPECT_TRUE(shows(yes));
  keys(" ");
  keys("h");  // with differing rates it ends the result box at once
  runTest(REFRESH, {800, 600, 32, 85});
  EXPECT_TRUE(mainScreenShown());
}

TEST_F(Modes, RefreshIgnoresUpperCaseHAndGivesUpFiveSecondsAfterTheRoundedStart) {
  const Frame no = notSupported("75", "800 x600");
  program_.start();
  // The wait starts at about x.7 s: rounding, not truncation, makes it last some 5.3 s.
  program_.display().advanceClock(0.4);
  runTest(REFRESH, {800, 600, 32, 75});
  const double start = program_.display().seconds();
  ASSERT_GT(start - std::floor(start), 0.5);
  keys("H");
  program_.settle(std::round(start) + 5 - program_.display().seconds() - 0.05);
  EXPECT_EQ(program_.shownWidth(), 800);  // still waiting
  program_.settle(0.1);
  EXPECT_TRUE(shows(no));
}

TEST_F(Modes, ModeListShowsOneEntryPerLineAndTheLastToStartOnScreenIsThe22nd) {
  std::string list;
  const auto entry = [](int i) { return std::to_string(600 + 40 * i) + " x " + std::to_string(i); };
  for (int i = 1; i <= 23; ++i) list += "/" + entry(i);
  const Frame expected = referenceFrame(1024, 768, [&] {
    drawSystemText(100, 60, "Supported modes for 32 bit depth color", "Arial", 12, WHITE);
    drawSystemText(100, 90, "=================================================", "Arial", 12,
                   WHITE);
    for (int m = 1; m <= 22; ++m) drawSystemText(100, 90 + 30 * m, entry(m), "Arial", 12, WHITE);
  });
  program_.start();
  program_.state().supportedModes[3] = list;
  const int before = opens(program_);
  runTest(LIST_MODES, program_.state().desktop);
  program_.click(276, 384 + 90 + 10);  // the depth menu at (2 W / 8, 2 H / 4)
  EXPECT_TRUE(shows(expected));
  keys(" ");
  EXPECT_TRUE(mainScreenShown());
  EXPECT_EQ(opens(program_), before);
}

}  // namespace
}  // namespace orventa::testing
