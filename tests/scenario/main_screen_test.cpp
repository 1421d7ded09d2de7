// The main screen, its menu and the settings menu, driven through the whole program.
#include <gtest/gtest.h>

#include "app/app.h"
#include "tests/support/program.h"

namespace orventa {
namespace {

using testing::Program;

constexpr std::uint32_t SHOWN_WHITE = 0xFFFFFF;
constexpr std::uint32_t SHOWN_BLUE = 0x0000FF;
constexpr std::uint32_t SHOWN_RED = 0xFF0000;
constexpr std::uint32_t SHOWN_GREY = 0xA0A0A0;

platform::HeadlessConfig desktop(int width, int height) {
  platform::HeadlessConfig config;
  config.desktop = {width, height, 32, 60};
  return config;
}

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
  explicit MainScreen(int width = 1366, int height = 768) : program_(desktop(width, height)) {}
  void SetUp() override { program_.start(); }

  // 1366 x 768: W/8 = 170.75 and W/4 = 341.5 round to 171 and 342 (halves to even).
  const Menu main_{171, 192, 400, 14};
  const Menu settings_{342, 192, 300, 4};
  // 2.3 W / 8 = 392.725, 1.2 H / 4 = 230.4, 1.3 H / 4 = 249.6.
  const Menu resolution_{393, 230, 350, 15};
  const Menu depthMenu_{393, 250, 100, 6};
  const Menu refreshMenu_{393, 250, 110, 6};

  void pick(const Menu& menu, int item) { program_.click(menu.itemX(), menu.rowY(item)); }
  void openCustomInput() {
    pick(main_, 1);
    pick(settings_, 1);
    pick(resolution_, 15);
  }
  int beeps() { return static_cast<int>(program_.logged("beep 1000 250").size()); }
  // The error box's first bar, at (W/2 - 175, H/3) = (508, 256).
  bool errorBoxShown() { return program_.pixel(508 + 300, 256 + 10) == SHOWN_RED; }

  Program program_;
};

void expectMainScreen(Program& p, const Menu& m) {
  EXPECT_EQ(p.pixel(5, 5), SHOWN_GREY);
  // Outer and inner frame lines with the black panel between them.
  EXPECT_EQ(p.pixel(m.x, m.y + 100), SHOWN_WHITE);
  EXPECT_EQ(p.pixel(m.x + 1, m.y + 100), 0u);
  EXPECT_EQ(p.pixel(m.x + 3, m.y + 100), SHOWN_WHITE);
  EXPECT_EQ(p.pixel(m.x + m.w + 10, m.y + 100), SHOWN_WHITE);
  EXPECT_EQ(p.pixel(m.x + m.w + 7, m.y + 30 * m.items + 7), SHOWN_WHITE);
  EXPECT_EQ(p.pixel(m.x + m.w + 11, m.y + 100), SHOWN_GREY);
  // Item 1 lights up white at once; the others stay blue, bars running into each other.
  EXPECT_EQ(p.pixel(m.x + m.w - 1, m.y + 6), SHOWN_WHITE);
  EXPECT_EQ(p.pixel(m.x + m.w - 1, m.y + 36), SHOWN_BLUE);
  EXPECT_EQ(p.pixel(m.x + m.w, m.y + 30 * m.items + 5), SHOWN_BLUE);
  EXPECT_EQ(p.pixel(m.x + m.w + 1, m.y + 36), 0u);
}

TEST_F(MainScreen, IsDrawnAtRoundedPositionsWithItemOneLit) {
  EXPECT_EQ(program_.shownWidth(), 1366);
  expectMainScreen(program_, main_);
}

TEST(MainScreenFullHd, IsDrawnAtRoundedPositions) {
  Program p(desktop(1920, 1080));
  p.start();
  expectMainScreen(p, Menu{240, 270, 400, 14});
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

TEST_F(MainScreen, ExitProgramEndsWithStatusZeroAndGivesTheDisplayBack) {
  pick(main_, 14);
  ASSERT_TRUE(program_.finished());
  EXPECT_EQ(program_.exitStatus(), 0);
  EXPECT_EQ(program_.shownWidth(), 0);
  EXPECT_EQ(program_.display().log().back(), "close");
}

TEST_F(MainScreen, VisitHomepageRunsTheCommandOnceAndEnds) {
  pick(main_, 13);
  ASSERT_TRUE(program_.finished());
  EXPECT_EQ(program_.exitStatus(), 0);
  const auto commands = program_.logged("command ");
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].rfind("command xdg-open http", 0), 0u) << commands[0];
}

TEST_F(MainScreen, TheModeChangedFlagDecidesBetweenReopeningAndRedrawing) {
  const std::size_t opens = program_.logged("open ").size();
  program_.click(5, 5);  // nothing picked, flag down: only a redraw
  EXPECT_EQ(program_.logged("open ").size(), opens);
  program_.state().modeChanged = true;
  program_.click(5, 5);
  const auto after = program_.logged("open ");
  ASSERT_EQ(after.size(), opens + 1);
  EXPECT_EQ(after.back(), "open 1366x768x32@0 full");
  EXPECT_FALSE(program_.state().modeChanged);
  expectMainScreen(program_, main_);
}

TEST_F(MainScreen, SettingsMenuChangesDepthAndRefreshAndResets) {
  pick(main_, 1);
  pick(settings_, 2);
  pick(depthMenu_, 4);  // "16 bit"
  EXPECT_EQ(program_.state().test.depth, 16);
  pick(main_, 1);
  pick(settings_, 3);
  pick(refreshMenu_, 6);  // "120 Hz"
  EXPECT_EQ(program_.state().test.refreshRate, 120);
  pick(main_, 1);
  pick(settings_, 1);
  pick(resolution_, 2);  // SVGA
  EXPECT_EQ(program_.state().test, (DisplaySettings{800, 600, 16, 120}));
  // A click beside a sub-menu changes nothing.
  pick(main_, 1);
  pick(settings_, 2);
  program_.click(5, 5);
  EXPECT_EQ(program_.state().test.depth, 16);
  pick(main_, 1);
  pick(settings_, 4);
  EXPECT_EQ(program_.state().test, program_.state().desktop);
}

TEST_F(MainScreen, CustomResolutionIsParsedAtTheFirstX) {
  struct Case {
    const char* typed;
    int width;
    int height;
  };
  for (const Case& c : {Case{"1024x768\r", 1024, 768}, Case{"1024X768\r", 1024, 768},
                        Case{"1280x1024x5\r", 1280, 1024}, Case{"800x600\x1b", 800, 600}}) {
    SCOPED_TRACE(c.typed);
    program_.state().test = program_.state().desktop;
    openCustomInput();
    program_.type(c.typed);
    EXPECT_EQ(program_.state().test.width, c.width);
    EXPECT_EQ(program_.state().test.height, c.height);
    EXPECT_FALSE(errorBoxShown());
  }
}

TEST_F(MainScreen, CustomResolutionRefusesMissingAndOversizedNumbers) {
  for (const char* typed : {"1024x\r", "x768\r", "\x1b", "1024\r", "99999999999x5\r"}) {
    SCOPED_TRACE(typed);
    openCustomInput();
    program_.type(typed);
    EXPECT_TRUE(errorBoxShown());
    program_.type(" ");  // any key closes the box
    EXPECT_FALSE(errorBoxShown());
    EXPECT_EQ(program_.state().test, program_.state().desktop);
  }
}

TEST_F(MainScreen, CustomResolutionBeepsAtItsLimits) {
  openCustomInput();
  program_.type("\b");  // nothing to erase: the cursor would leave cell 1
  EXPECT_EQ(beeps(), 1);
  program_.type("a");
  program_.extendedKey('H');
  EXPECT_EQ(beeps(), 3);
  program_.type("640x480\b\b80");  // the erased cells are typed again
  EXPECT_EQ(beeps(), 3);
  program_.type("00");
  EXPECT_EQ(beeps(), 3);
  program_.type("0");  // the tenth character: the cursor stays at cell 10
  EXPECT_EQ(beeps(), 4);
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

TEST(DesktopInfo, ColourCountIsTwoToTheDepth) {
  EXPECT_EQ(colourCount(8), "256");
  EXPECT_EQ(colourCount(16), "65536");
  EXPECT_EQ(colourCount(24), "16777216");
  EXPECT_EQ(colourCount(32), "4294967296");
}

TEST(StartUp, ListsEachSizeOncePerDepthAndPicksTheFallbackByWidth) {
  {
    platform::HeadlessConfig config = desktop(1024, 768);
    config.modes = {{1024, 768, 32, 60}, {1024, 768, 32, 75}, {1024, 768, 16, 60},
                    {800, 600, 32, 60},  {640, 480, 8, 60},   {1600, 1200, 24, 60}};
    Program p(config);
    p.start();
    const ProgramState& s = p.state();
    EXPECT_EQ(s.supportedModes[0], "/640 x 480");
    EXPECT_EQ(s.supportedModes[1], "/1024 x 768");
    EXPECT_EQ(s.supportedModes[2], "/800 x 600/1024 x 768/1600 x 1200");
    EXPECT_EQ(s.supportedModes[3], s.supportedModes[2]);
    EXPECT_EQ(s.test, s.desktop);
    EXPECT_EQ(s.fallback.modeNumber, 18);
    EXPECT_EQ(s.sampleText, "The quick brown fox jumps over the lazy dog 0123456789");
  }
  Program wide(desktop(1025, 768));
  wide.start();
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
}  // namespace orventa
