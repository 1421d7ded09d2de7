// "Color range" and "Contrast/Brightness" through the whole program, on a 1024 x 768 desktop
// unless said otherwise. The 32-bit pages are pinned by the gallery; here are
// the keys, the modes opened, the 8-bit indices and 16-bit levels, and the refusals at 8 bits.
#include <array>

#include "tests/support/frames.h"

namespace orventa::testing {
namespace {

// Item `item` of "Color range" (main item 4) or "Contrast/Brightness" (5).
void openPattern(Program& p, int item, int menu = 4) {
  pickMain(p, menu);
  pick(p, 2.5 / 8, menu == 4 ? 1.3 / 4 : 1.5 / 4, item);
}
void pickGradient(Program& p, int item) { pick(p, 3.0 / 8, 1.5 / 4, item); }

TEST(BasicColours, NineKeysOrClicksShowThePaletteIndicesInOrderAtDepth8) {
  const std::array<int, 9> indices = {15, 9, 10, 12, 7, 1, 2, 4, 0};
  Started p;
  testSettings(p, 1024, 768, 8);
  openPattern(p, 1);
  for (std::size_t step = 0; step < 9; ++step) {
    expectPixels(p, {{0, 0, shownIndex(indices[step])}, {1023, 767, shownIndex(indices[step])}});
    step % 2 == 0 ? p.type("k") : p.click(600, 600);
  }
  EXPECT_TRUE(mainScreenShown(p));
}

// Inside A only, B only, C only, A+B, A+C, B+C, all and none of the discs at 1024 x 768.
void expectDiscs(Program& p, const std::array<int, 8>& index) {
  const int at[8][2] = {{200, 461}, {826, 461}, {513, 80},  {512, 661},
                        {400, 300}, {626, 300}, {513, 400}, {1000, 100}};
  for (std::size_t k = 0; k < 8; ++k)
    EXPECT_EQ(p.pixel(at[k][0], at[k][1]), shownIndex(index[k])) << k;
}

TEST(DiscTests, AtDepth8IndicesCombineAndCmykHasOnePage) {
  Started p;
  testSettings(p, 1024, 768, 8);
  openPattern(p, 2);
  expectDiscs(p, {12, 9, 10, 13, 14, 11, 15, 0});
  p.type(" ");
  expectDiscs(p, {4, 1, 2, 5, 6, 3, 7, 0});
  p.type(" ");
  openPattern(p, 3);
  expectDiscs(p, {11, 13, 14, 9, 10, 12, 8, 15});
  p.type(" ");
  EXPECT_TRUE(mainScreenShown(p));
}

TEST(Depth8, EbuDrawsItsFirstBarOnlyAndGradientSlantedLinesOrItsBlackTestMode) {
  Started p;
  testSettings(p, 1024, 768, 8);
  openPattern(p, 4);
  expectPixels(p, {{146, 767, shownIndex(23)}, {147, 384, 0}});  // the first bar only
  p.type(" ");
  openPattern(p, 5);
  pickGradient(p, 1);
  // The line of x = 20 runs from (20, 0) to column 29 of the last row, in index 20.
  expectPixels(p, {{20, 0, shownIndex(20)}, {29, 767, shownIndex(20)}, {20, 767, 0}});
  p.type(" ");
  openPattern(p, 5);
  p.click(1000, 700);  // beside the gradient menu: the test mode, black
  EXPECT_EQ(p.display().shownMode().bitsPerPixel, 8);
  EXPECT_EQ(p.pixel(20, 0), 0u);
}

TEST(HueSweep, AtDepth8IsBlack) {
  Started p;
  testSettings(p, 1024, 768, 8);
  openPattern(p, 6);
  expectPixels(p, {{0, 0, 0}, {200, 384, 0}});
}

TEST(CustomColour, SixHexDigitsFillTheScreenAnyOtherLengthGivesTheErrorBoxAndEscLeavesQuietly) {
  Started p;
  for (const char* typed : {"FA003C\r", "fa003c\x1b", "FA003\r", "FA003C1\r", "\r", "\x1b"}) {
    SCOPED_TRACE(typed);
    openPattern(p, 7);
    p.type(typed);
    const bool six = std::string(typed).size() == 7;
    const bool quiet = std::string(typed) == "\x1b";  // nothing typed: nothing asked for
    EXPECT_EQ(errorBoxShown(p), !six && !quiet);
    if (!quiet) {
      EXPECT_EQ(p.pixel(1023, 767), six ? 0xFA003Cu : 0);
    }
    p.type(quiet ? "" : " ");
    EXPECT_TRUE(mainScreenShown(p));
  }
  EXPECT_EQ(beeps(p), 0);
  // The field beeps at its limits as the custom resolution's does; here "g" is another key.
  openPattern(p, 7);
  p.type("g\x1b ");
  EXPECT_EQ(beeps(p), 1);
  // At depth 8 the last two digits are the palette index.
  testSettings(p, 1024, 768, 8);
  openPattern(p, 7);
  p.type("12340C\r");
  EXPECT_EQ(p.pixel(1023, 767), shownIndex(12));
}

TEST(Smpte, OpensItsOwn24BitModeEvenWithoutASwitchAndTheMainScreenComesBack) {
  Started p;
  for (int depth : {32, 16}) {  // the desktop's own settings, then 16 bits at 75 Hz
    p.state().test = {1024, 768, depth, depth == 32 ? 60 : 75};
    const int before = opens(p);
    openPattern(p, 6, 5);
    EXPECT_EQ(opens(p), before + 1);
    EXPECT_EQ(p.logged("open ").back(), "open 1024x768x32@0 full");
    p.type(" ");
    EXPECT_EQ(opens(p), before + 2);
  }
}

TEST(Contrast, AtDepth16LevelsGoThroughRgb565) {
  Started p;
  testSettings(p, 1024, 768, 16);
  openPattern(p, 3, 5);
  // Grey 16 and grey 20 differ in green only; grey 4 of the black levels is not black.
  expectPixels(p, {{10, 10, rgb565ToRgb(0x1082)}, {200, 400, rgb565ToRgb(0x10A2)}});
  p.type(" ");
  openPattern(p, 2, 5);
  expectPixels(p, {{150, 150, rgb565ToRgb(0x0020)}});
}

// Each test that needs more than 8 bits refuses, whether its menu item or a click beside its
// menu was picked, with the error box and one beep, and nothing switches.
TEST(Depth8, RefusedTestsShowTheErrorBoxAndBeepOnceWithoutSwitching) {
  const struct {
    int item;
    double fx, fy;
    int sub;  // 0: none, -1: a click beside the menu
  } cases[] = {
      {5, 2.5 / 8, 1.5 / 4, 3}, {5, 2.5 / 8, 1.5 / 4, -1}, {6, 0, 0, 0}, {11, 0.25, 0.5, 2}};
  Started p;
  testSettings(p, 1024, 768, 8);
  const int before = opens(p);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.item) + ", then " + std::to_string(c.sub));
    const int beepsBefore = beeps(p);
    pickMain(p, c.item);
    c.sub > 0 ? pick(p, c.fx, c.fy, c.sub) : c.sub < 0 ? p.click(5, 5) : void();
    EXPECT_TRUE(errorBoxShown(p));
    p.type(" ");
    EXPECT_EQ(beeps(p), beepsBefore + 1);
    EXPECT_TRUE(mainScreenShown(p));
  }
  EXPECT_EQ(opens(p), before);
}

}  // namespace
}  // namespace orventa::testing
