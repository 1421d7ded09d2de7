// The main screen, its menu and the settings menu, and start-up, driven through the whole program.
#include <atomic>
#include <memory>

#include "tests/support/frames.h"

namespace orventa::testing {
namespace {

// On 1366 x 768 the main menu (400 wide, 14 items) is at (171, 192): W/8 = 170.75 rounds up.
constexpr int MX = 171, MY = 192, MW = 400;
constexpr int row(int k) { return MY + 30 * (k - 1) + 10; }
constexpr double RESOLUTION = 1.2 / 4, DEPTH_OR_RATE = 1.3 / 4;

struct MainScreen : ::testing::Test {
  // Settings of the main menu, its item, then `choice` of that item's menu at (2.3 W/8, fy H).
  void choose(int item, double fy, int choice) {
    pickMain(p, 1);
    pick(p, 2.0 / 8, 1.0 / 4, item);
    pick(p, 2.3 / 8, fy, choice);
  }
  void expectMainScreen() {
    // The frame line with the black panel inside; item 1 lit white, item 2 blue.
    expectPixels(p, {{5, 5, SHOWN_GREY},
                     {MX, MY + 100, SHOWN_WHITE},
                     {MX + 1, MY + 100, 0},
                     {MX + MW - 1, MY + 6, SHOWN_WHITE},
                     {MX + MW - 1, MY + 36, SHOWN_BLUE},
                     {MX + MW + 11, MY + 100, SHOWN_GREY}});
  }
  Started p{desktopOf(1366, 768)};
};

TEST_F(MainScreen, IsDrawnWithItemOneLitTheHighlightFollowsAndOnlyHitRowsPick) {
  expectMainScreen();
  p.moveTo(MX + 20, row(3));
  EXPECT_EQ(p.pixel(MX + MW - 1, MY + 80), SHOWN_WHITE);
  EXPECT_EQ(p.pixel(MX + MW - 1, MY + 20), SHOWN_BLUE);
  // The inner frame's column and the row below the last item pick nothing.
  p.click(MX + 3, row(14));
  p.click(MX + 20, MY + 30 * 14);
  EXPECT_FALSE(p.finished());
  p.click(MX + MW + 6, MY + 30 * 13 + 29);  // item 14's last hit column and row
  EXPECT_TRUE(p.finished());
  EXPECT_EQ(p.exitStatus(), 0);
}

TEST(MainScreenEnd, ExitProgramAndVisitHomepageEndWithStatusZeroAndGiveTheDisplayBack) {
  for (int item : {14, 13}) {
    Started p(desktopOf(1366, 768));
    pickMain(p, item);
    ASSERT_TRUE(p.finished());
    EXPECT_EQ(p.exitStatus(), 0);
    EXPECT_EQ(p.display().log().back(), "close");
    const auto commands = p.logged("command ");
    ASSERT_EQ(commands.size(), item == 13 ? 1u : 0u);
    for (const std::string& c : commands) EXPECT_EQ(c.rfind("command xdg-open http", 0), 0u) << c;
  }
}

TEST(MainScreenEnd, AHomepageThatCannotBeOpenedIsSaidInAnErrorBoxAndEndsWithStatusOne) {
  for (int status : {127, 3}) {  // no opener at all; an opener that found no browser
    platform::HeadlessConfig config = desktopOf(1366, 768);
    config.commandStatus = status;
    Started p(config);
    pickMain(p, 13);
    ASSERT_FALSE(p.finished());
    EXPECT_TRUE(errorBoxShown(p));
    p.type(" ");
    ASSERT_TRUE(p.finished());
    EXPECT_EQ(p.exitStatus(), 1);
    EXPECT_EQ(p.display().log().back(), "close");
  }
}

TEST_F(MainScreen, TheModeChangedFlagDecidesBetweenReopeningAndRedrawing) {
  const int before = opens(p);
  p.click(5, 5);  // nothing picked, flag down: only a redraw
  EXPECT_EQ(opens(p), before);
  p.state().modeChanged = true;
  p.click(5, 5);
  ASSERT_EQ(opens(p), before + 1);
  EXPECT_EQ(p.logged("open ").back(), "open 1366x768x32@0 full");
  EXPECT_FALSE(p.state().modeChanged);
  expectMainScreen();
}

TEST_F(MainScreen, SettingsMenuChangesDepthAndRefreshAndResets) {
  choose(2, DEPTH_OR_RATE, 4);  // "16 bit"
  choose(3, DEPTH_OR_RATE, 6);  // "120 Hz"
  choose(1, RESOLUTION, 2);     // SVGA
  EXPECT_EQ(p.state().test, (DisplaySettings{800, 600, 16, 120}));
  pickMain(p, 1);
  pick(p, 2.0 / 8, 1.0 / 4, 4);
  EXPECT_EQ(p.state().test, p.state().desktop);
}

TEST_F(MainScreen, CustomResolutionIsParsedAtTheFirstXAndMissingOrOversizedNumbersAreRefused) {
  // clang-format off
  const struct {
    const char* typed;
    int width, height;  // 0: refused with the error box, -1: left quietly; the settings unchanged
  } cases[] = {{"1024x768\r", 1024, 768}, {"1024X768\r", 1024, 768}, {"1280x1024x5\r", 1280, 1024},
               {"800x600\x1b", 800, 600}, {"1024x\r", 0, 0}, {"x768\r", 0, 0}, {"\r", 0, 0},
               {"\x1b", -1, 0}, {"12\b\b\x1b", -1, 0}, {"1024\r", 0, 0},
               {"99999999999x5\r", 0, 0}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    p.state().test = p.state().desktop;
    choose(1, RESOLUTION, 15);  // "Custom"
    p.type(c.typed);
    EXPECT_EQ(errorBoxShown(p), c.width == 0);
    if (c.width == -1) expectMainScreen();
    p.type(c.width == 0 ? " " : "");  // any key closes the box
    EXPECT_FALSE(errorBoxShown(p));
    EXPECT_EQ(p.state().test.width, c.width <= 0 ? 1366 : c.width);
    EXPECT_EQ(p.state().test.height, c.width <= 0 ? 768 : c.height);
  }
}

TEST_F(MainScreen, CustomResolutionBeepsAtItsLimits) {
  choose(1, RESOLUTION, 15);  // "Custom"
  p.type("\b");               // nothing to erase
  p.type("a");
  p.extendedKey('H');
  EXPECT_EQ(beeps(p), 3);
  p.type("640x480\b\b8000");  // the erased cells are typed again
  EXPECT_EQ(beeps(p), 3);
  p.type("0");  // the tenth character: the cursor stays at cell 10
  EXPECT_EQ(beeps(p), 4);
  // An eleventh has no cell: refused, so that the field shows what is used.
  p.type("7");
  EXPECT_EQ(beeps(p), 5);
  p.type("\b\b\r");
  EXPECT_EQ(p.state().test, (DisplaySettings{640, 4800, 32, 60}));
}

TEST_F(MainScreen, TheFieldShowsExactlyTheTextAfterItFills) {
  choose(1, RESOLUTION, 15);  // "Custom"
  // Ten characters fill the field; an eleventh draws nothing.
  p.type("1280x10240");
  const Frame full = p.frame();
  p.type("5");
  EXPECT_EQ(p.frame(), full);
  // Backspace rubs out the tenth cell (x = W/2 + 200 - 225 = 658), the cursor then drawn there.
  p.type("\b");
  long ink = 0;
  for (int y = 768 / 3 + 60; y < 768 / 3 + 90; ++y)
    for (int x = 658; x < 678; ++x) ink += p.pixel(x, y) != SHOWN_BLUE;
  EXPECT_GT(ink, 0);
  EXPECT_LT(ink, 20);  // an underscore, no digit under it
}

TEST(Faults, ADisplayRefusingEveryModeIsWaitedOutAndExitStillWorks) {
  auto refusing = std::make_shared<std::atomic<bool>>(true);
  platform::HeadlessConfig config = desktopOf(1024, 768);
  config.accepts = [refusing](const platform::DisplayMode&, bool) { return !*refusing; };
  Started p(config);
  p.settle(30);
  EXPECT_EQ(p.shownWidth(), 0);
  EXPECT_FALSE(p.finished());
  *refusing = false;
  p.settle(2);
  ASSERT_TRUE(mainScreenShown(p));
  pickMain(p, 14);  // "Exit Program"
  EXPECT_TRUE(p.finished());
}

TEST(StartUp, ListsEachSizeOncePerDepthAndPicksTheFallbackByWidth) {
  {
    platform::HeadlessConfig config = desktopOf(1024, 768);
    config.modes = {{1024, 768, 32, 60}, {1024, 768, 32, 75}, {1024, 768, 16, 60},
                    {800, 600, 32, 60},  {640, 480, 8, 60},   {1600, 1200, 24, 60}};
    Started p(config);
    const ProgramState& s = p.state();
    EXPECT_EQ(s.supportedModes[0], "/640 x 480");
    EXPECT_EQ(s.supportedModes[1], "/1024 x 768");
    EXPECT_EQ(s.supportedModes[2], "/800 x 600/1024 x 768/1600 x 1200");
    EXPECT_EQ(s.supportedModes[3], s.supportedModes[2]);
    EXPECT_EQ(s.test, s.desktop);
    EXPECT_EQ(s.fallback.modeNumber, 18);
  }
  Started wide(desktopOf(1025, 768));  // one program at a time: the graphics layer has one screen
  EXPECT_EQ(wide.state().fallback.modeNumber, 19);
}

}  // namespace
}  // namespace orventa::testing
