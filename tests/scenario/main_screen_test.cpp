// The main screen, its menu and the settings menu, and start-up, driven through the whole program.
#include <atomic>
#include <memory>

#include "app/app.h"
#include "tests/support/frames.h"

namespace orventa::testing {
namespace {

// The main menu box of a desktop: its top-left corner, 400 wide, 14 items.
struct Menu {
  int x;
  int y;
  int w;
  int items;
  // A point well inside item k's hit row (k from 1).
  int rowY(int k) const { return y + 30 * (k - 1) + 10; }
  int itemX() const { return x + 20; }
};

class MainScreen : public ::testing::Test {
 protected:
  // 1366 x 768: W/8 = 170.75 and W/4 = 341.5 round to 171 and 342 (halves to even).
  const Menu main_{171, 192, 400, 14};
  const Menu settings_{342, 192, 300, 4};
  // 2.3 W / 8 = 392.725, 1.2 H / 4 = 230.4, 1.3 H / 4 = 249.6.
  const Menu resolution_{393, 230, 350, 15};
  const Menu depthMenu_{393, 250, 100, 6};
  const Menu refreshMenu_{393, 250, 110, 6};

  void pick(const Menu& menu, int item) { program_.click(menu.itemX(), menu.rowY(item)); }
  // Settings of the main menu, its item, then `choice` of that item's menu.
  void choose(int item, const Menu& menu, int choice) {
    pick(main_, 1);
    pick(settings_, item);
    pick(menu, choice);
  }

  Started program_{desktopOf(1366, 768)};
};

void expectMainScreen(Program& p, const Menu& m) {
  const int right = m.x + m.w, bottom = m.y + 30 * m.items;
  // Outer and inner frame lines with the black panel between them; item 1 lights up white at
  // once, the others stay blue, their bars running into each other.
  // clang-format off
  expectPixels(p, {{5, 5, SHOWN_GREY}, {m.x, m.y + 100, SHOWN_WHITE}, {m.x + 1, m.y + 100, 0},
                   {m.x + 3, m.y + 100, SHOWN_WHITE}, {right + 10, m.y + 100, SHOWN_WHITE},
                   {right + 7, bottom + 7, SHOWN_WHITE}, {right + 11, m.y + 100, SHOWN_GREY},
                   {right - 1, m.y + 6, SHOWN_WHITE}, {right - 1, m.y + 36, SHOWN_BLUE},
                   {right, bottom + 5, SHOWN_BLUE}, {right + 1, m.y + 36, 0}});
  // clang-format on
}

TEST(MainScreenLayout, IsDrawnAtRoundedPositionsWithItemOneLit) {
  struct Case {
    int width, height;
    Menu menu;
  };
  for (const Case& c :
       {Case{1366, 768, {171, 192, 400, 14}}, Case{1920, 1080, {240, 270, 400, 14}}}) {
    Started p(desktopOf(c.width, c.height));
    EXPECT_TRUE(mainScreenShown(p));
    expectMainScreen(p, c.menu);
  }
}

TEST_F(MainScreen, HighlightFollowsThePointerAcrossRows) {
  program_.moveTo(main_.itemX(), main_.rowY(3));
  EXPECT_EQ(program_.pixel(main_.x + main_.w - 1, main_.y + 30 * 2 + 20), SHOWN_WHITE);
  EXPECT_EQ(program_.pixel(main_.x + main_.w - 1, main_.y + 20), SHOWN_BLUE);
  // Beside the box the highlight stays where it was.
  program_.moveTo(main_.x + 3, main_.rowY(5));
  EXPECT_EQ(program_.pixel(main_.x + main_.w - 1, main_.y + 30 * 2 + 20), SHOWN_WHITE);
}

TEST_F(MainScreen, HitRowsReachAboveTheBoxAndExcludeTheFrameColumns) {
  // 29 pixels above the box is still item 1.
  program_.click(main_.x + 4, main_.y - 29);
  EXPECT_EQ(program_.pixel(settings_.x + settings_.w - 1, settings_.y + 6), SHOWN_WHITE);
  program_.click(5, 5);  // outside: the settings menu picks nothing
  expectMainScreen(program_, main_);
  // The inner frame's column and the row below the last item pick nothing.
  program_.click(main_.x + 3, main_.rowY(14));
  program_.click(main_.x + main_.w + 7, main_.rowY(14));
  program_.click(main_.itemX(), main_.y + 30 * 14);
  program_.click(main_.itemX(), main_.y - 30);
  EXPECT_FALSE(program_.finished());
  expectMainScreen(program_, main_);
  // The last pixel column and row of item 14's hit row end the program.
  program_.click(main_.x + main_.w + 6, main_.y + 30 * 13 + 29);
  EXPECT_TRUE(program_.finished());
  EXPECT_EQ(program_.exitStatus(), 0);
}

TEST(MainScreenEnd, ExitProgramAndVisitHomepageEndWithStatusZeroAndGiveTheDisplayBack) {
  for (int item : {14, 13}) {
    Started p(desktopOf(1366, 768));
    pickMain(p, item);
    ASSERT_TRUE(p.finished());
    EXPECT_EQ(p.exitStatus(), 0);
    EXPECT_EQ(p.shownWidth(), 0);
    EXPECT_EQ(p.display().log().back(), "close");
    const auto commands = p.logged("command ");
    ASSERT_EQ(commands.size(), item == 13 ? 1u : 0u);
    for (const std::string& c : commands) EXPECT_EQ(c.rfind("command xdg-open http", 0), 0u) << c;
  }
}

TEST_F(MainScreen, TheModeChangedFlagDecidesBetweenReopeningAndRedrawing) {
  const int before = opens(program_);
  program_.click(5, 5);  // nothing picked, flag down: only a redraw
  EXPECT_EQ(opens(program_), before);
  program_.state().modeChanged = true;
  program_.click(5, 5);
  ASSERT_EQ(opens(program_), before + 1);
  EXPECT_EQ(program_.logged("open ").back(), "open 1366x768x32@0 full");
  EXPECT_FALSE(program_.state().modeChanged);
  expectMainScreen(program_, main_);
}

TEST_F(MainScreen, SettingsMenuChangesDepthAndRefreshAndResets) {
  choose(2, depthMenu_, 4);  // "16 bit"
  EXPECT_EQ(program_.state().test.depth, 16);
  choose(3, refreshMenu_, 6);  // "120 Hz"
  EXPECT_EQ(program_.state().test.refreshRate, 120);
  choose(1, resolution_, 2);  // SVGA
  EXPECT_EQ(program_.state().test, (DisplaySettings{800, 600, 16, 120}));
  pick(main_, 1);
  pick(settings_, 2);
  program_.click(5, 5);  // beside the sub-menu: nothing changes
  EXPECT_EQ(program_.state().test.depth, 16);
  pick(main_, 1);
  pick(settings_, 4);
  EXPECT_EQ(program_.state().test, program_.state().desktop);
}

TEST_F(MainScreen, CustomResolutionIsParsedAtTheFirstXAndMissingOrOversizedNumbersAreRefused) {
  // clang-format off
  const struct {
    const char* typed;
    int width, height;  // 0: refused with the error box, the settings unchanged
  } cases[] = {{"1024x768\r", 1024, 768}, {"1024X768\r", 1024, 768}, {"1280x1024x5\r", 1280, 1024},
               {"800x600\x1b", 800, 600}, {"1024x\r", 0, 0}, {"x768\r", 0, 0}, {"\x1b", 0, 0},
               {"1024\r", 0, 0}, {"99999999999x5\r", 0, 0}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    program_.state().test = program_.state().desktop;
    choose(1, resolution_, 15);  // "Custom"
    program_.type(c.typed);
    EXPECT_EQ(errorBoxShown(program_), c.width == 0);
    if (c.width == 0) {
      program_.type(" ");  // any key closes the box
      EXPECT_FALSE(errorBoxShown(program_));
      EXPECT_EQ(program_.state().test, program_.state().desktop);
    } else {
      EXPECT_EQ(program_.state().test.width, c.width);
      EXPECT_EQ(program_.state().test.height, c.height);
    }
  }
}

TEST_F(MainScreen, CustomResolutionBeepsAtItsLimits) {
  choose(1, resolution_, 15);  // "Custom"
  program_.type("\b");         // nothing to erase: the cursor would leave cell 1
  EXPECT_EQ(beeps(program_), 1);
  program_.type("a");
  program_.extendedKey('H');
  EXPECT_EQ(beeps(program_), 3);
  program_.type("640x480\b\b80");  // the erased cells are typed again
  EXPECT_EQ(beeps(program_), 3);
  program_.type("00");
  EXPECT_EQ(beeps(program_), 3);
  program_.type("0");  // the tenth character: the cursor stays at cell 10
  EXPECT_EQ(beeps(program_), 4);
  program_.type("\r");
  EXPECT_EQ(program_.state().test.width, 640);
  EXPECT_EQ(program_.state().test.height, 480000);
}

TEST_F(MainScreen, DesktopInfoBoxIsDrawnOverTheMainScreenUntilAKey) {
  pick(main_, 12);
  // The box at (W/4, H/4), 565 wide: its bars run to x = 342 + 565.
  EXPECT_EQ(program_.pixel(342 + 565 - 1, 192 + 20), SHOWN_BLUE);
  EXPECT_EQ(program_.pixel(main_.x + main_.w - 1, main_.y + 30 * 13 + 20), SHOWN_BLUE);
  program_.type("q");
  EXPECT_EQ(program_.pixel(342 + 565 - 1, 192 + 20), SHOWN_GREY);
}

TEST(Faults, ADisplayRefusingEveryModeIsWaitedOutAndExitStillWorks) {
  auto refusing = std::make_shared<std::atomic<bool>>(true);
  platform::HeadlessConfig config = desktopOf(1024, 768);
  config.accepts = [refusing](const platform::DisplayMode&, bool) { return !*refusing; };
  Started p(config);
  EXPECT_EQ(p.shownWidth(), 0);
  EXPECT_FALSE(p.finished());
  p.settle(30);
  EXPECT_EQ(p.shownWidth(), 0);
  *refusing = false;
  p.settle(2);
  ASSERT_TRUE(mainScreenShown(p));
  pickMain(p, 14);  // "Exit Program"
  EXPECT_TRUE(p.finished());
  EXPECT_EQ(p.exitStatus(), 0);
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
  Started wide(desktopOf(1025, 768));
  EXPECT_EQ(wide.state().fallback.modeNumber, 19);
  EXPECT_EQ(wide.state().fallback.columns, 100);
  EXPECT_EQ(wide.state().fallback.rows, 37);
}

TEST(ResolutionMenu, MarksSizesTheDriverDoesNotListAtTheTestDepth) {
  ProgramState s;
  s.supportedModes = {"/1640 x 480", "", "", "/800 x 600/1024 x 768"};
  s.test.depth = 32;
  const auto items = resolutionMenuItems(s);
  ASSERT_EQ(items.size(), 15u);
  EXPECT_EQ(items[0], "VGA 640 x 480*");
  EXPECT_EQ(items[1], "SVGA 800 x 600");
  EXPECT_EQ(items[2], "XGA 1024 x 768");
  EXPECT_EQ(items[13], "QSXGA 2560 x 2048*");
  EXPECT_EQ(items[14], "Custom");
  // At 2 and 4 bits the 8-bit list stands in; a plain substring search counts 1640 x 480.
  s.test.depth = 4;
  EXPECT_EQ(resolutionMenuItems(s)[0], "VGA 640 x 480");
  EXPECT_EQ(resolutionMenuItems(s)[1], "SVGA 800 x 600*");
}

}  // namespace
}  // namespace orventa::testing
