// "Contrast/Brightness" through the whole program, with 1024 x 768 test settings unless said
// otherwise.
#include "tests/support/frames.h"

namespace orventa::testing {
namespace {

void openPattern(Program& p, int item) {
  pickMain(p, 5);
  pick(p, 2.5 / 8, 1.5 / 4, item);
}

constexpr std::uint32_t G16 = shownGrey(16);
constexpr std::uint32_t G235 = shownGrey(235);

// clang-format off
TEST(Contrast, ColumnsOf30AndRowsOf51WithTheirNumbers) {
  Started p;
  openPattern(p, 1);
  // Column 1 spans x 30 to 60 at level 8, column 16 has level 128 (127.5 rounds to even);
  // row 1 spans y 51 to 102, row 7 (grey) 663 to 714.
  expectPixels(p, {{29, 90, 0}, {30, 90, 0x000008}, {59, 90, 0x000008}, {60, 90, 0x000010},
                   {45, 50, 0}, {45, 102, 0x000008}, {45, 103, 0}, {500, 190, 0x008000},
                   {500, 290, 0x800000}, {500, 390, 0x800080}, {500, 490, 0x808000},
                   {500, 590, 0x008080}, {500, 662, 0}, {500, 714, 0x808080}, {500, 715, 0},
                   {990, 700, SHOWN_WHITE}, {991, 700, 0}});
  expectBitmapText(p, 30, 51, "1", SHOWN_WHITE, 0x000008);
  expectBitmapText(p, 480, 561, "16", SHOWN_WHITE, 0x008080);
  expectBitmapText(p, 480, 663, "16", SHOWN_RED, 0x808080);
}

TEST(BlackLevels, SquaresStartAtRoundedPositionsAndTheirSideIsOneSixthOfTheHeight) {
  Started p(desktopOf(2560, 1600));
  testSettings(p, 1024, 768, 32);
  openPattern(p, 2);
  // s = 128; squares at (85, 77), (256, 77) and the sixth, level 24, at (85, 230).
  expectPixels(p, {{84, 150, 0}, {85, 150, shownGrey(4)}, {213, 205, shownGrey(4)},
                   {214, 150, 0}, {150, 206, 0}, {255, 150, 0}, {256, 77, shownGrey(8)},
                   {85, 229, 0}, {85, 230, shownGrey(24)}});
  expectBitmapText(p, 90, 82, "4", SHOWN_RED, shownGrey(4));
  expectBitmapText(p, 773, 543, "80", SHOWN_RED, shownGrey(80));
  p.type(" ");
  testSettings(p, 2048, 1536, 32);  // s = 256 from (171, 154)
  openPattern(p, 2);
  expectPixels(p, {{427, 410, shownGrey(4)}, {428, 300, 0}, {300, 411, 0}});
  p.type(" ");
  testSettings(p, 2560, 1600, 32);  // s = 267 from (213, 160)
  openPattern(p, 2);
  expectPixels(p, {{212, 300, 0}, {480, 427, shownGrey(4)}, {481, 300, 0}, {300, 428, 0}});
}

TEST(Double, StepsOfWidth79AndLabelsAtFractionalMultiples) {
  Started p;
  openPattern(p, 3);
  // u = 79, v = 192: step k from k u, rows 192 to 576; steps 3, 6 and 9 have no box.
  expectPixels(p, {{511, 100, G16}, {512, 100, G235}, {78, 400, G16}, {100, 191, G16},
                   {100, 576, shownGrey(27)}, {100, 577, G16}, {158, 400, shownGrey(20)},
                   {250, 400, G16}, {474, 400, shownGrey(5)}, {475, 400, G16},
                   {553, 400, shownGrey(224)}, {948, 400, shownGrey(246)}, {949, 400, G235}});
  // m u = 94.8, 252.8, 568.8 and 884.8 round half away from zero to the pixel.
  expectBitmapText(p, 95, 192, "+5%", SHOWN_WHITE, shownGrey(27));
  expectBitmapText(p, 253, 192, "0%", SHOWN_WHITE, G16);
  expectBitmapText(p, 569, 192, "-5%", 0, shownGrey(224));
  expectBitmapText(p, 885, 192, "+5%", 0, shownGrey(246));
}

TEST(Contrast, RampPlugeAndSmpteAt1024x768) {
  Started p;
  openPattern(p, 4);  // the last line at 974 with level 242.55 rounded
  expectPixels(p, {{2, 0, 0}, {3, 767, shownGrey(1)}, {974, 0, shownGrey(243)}, {975, 767, 0}});
  p.type(" ");
  openPattern(p, 5);
  // Bars from 0.2 W = 204.8 to 0.25 W = 256 in thirds, rows 122.88 to 614.4; the grey scale
  // from 0.54 W to 0.8 W in quarters of the same rows.
  expectPixels(p, {{0, 0, G16}, {204, 300, G16}, {205, 300, shownGrey(5)},
                   {221, 123, shownGrey(5)}, {222, 300, G16}, {238, 300, G16},
                   {239, 614, shownGrey(28)}, {256, 300, shownGrey(28)}, {257, 300, G16},
                   {210, 122, G16}, {210, 615, G16}, {552, 200, G16}, {553, 123, SHOWN_WHITE},
                   {819, 245, SHOWN_WHITE}, {820, 200, G16}, {600, 246, shownGrey(191)},
                   {600, 369, shownGrey(128)}, {600, 492, shownGrey(63)},
                   {600, 614, shownGrey(63)}, {600, 615, G16}});
  p.type(" ");
  openPattern(p, 6);
  // Bands end at 512 and 576; q = 731 and u = 49 place the bottom band's boxes.
  expectPixels(p, {{145, 512, 0xC0C0C0}, {146, 0, 0xC0C000}, {0, 513, 0x0000C0},
                   {146, 576, 0x131313}, {878, 513, 0xC0C0C0}, {182, 577, 0x00214C},
                   {183, 767, 0xFFFFFF}, {365, 577, 0xFFFFFF}, {366, 577, 0x32006A},
                   {548, 767, 0x131313}, {730, 577, 0x131313}, {731, 577, 0x090909},
                   {780, 767, 0x131313}, {829, 577, 0x1D1D1D}, {877, 767, 0x1D1D1D},
                   {878, 577, 0x131313}});
}
// clang-format on

TEST(Smpte, OpensItsOwn24BitModeEvenWithoutASwitchAndTheMainScreenComesBack) {
  Started p;
  for (int depth : {32, 16}) {  // the desktop's own settings, then 16 bits at 75 Hz
    p.state().test = {1024, 768, depth, depth == 32 ? 60 : 75};
    const int before = opens(p);
    openPattern(p, 6);
    EXPECT_EQ(opens(p), before + 1);
    EXPECT_EQ(p.logged("open ").back(), "open 1024x768x32@0 full");
    p.type(" ");
    EXPECT_EQ(opens(p), before + 2);
  }
}

TEST(Contrast, AtDepth16LevelsGoThroughRgb565) {
  Started p;
  testSettings(p, 1024, 768, 16);
  openPattern(p, 3);
  // Grey 16 and grey 20 differ in green only; grey 5 looks like grey 4 of the black levels.
  expectPixels(p, {{10, 10, rgb565ToRgb(0x1082)},
                   {200, 400, rgb565ToRgb(0x10A2)},
                   {450, 400, rgb565ToRgb(0x0020)}});
  p.type(" ");
  openPattern(p, 2);
  expectPixels(p, {{150, 150, rgb565ToRgb(0x0020)}});
}

TEST(Contrast, Depth8ShowsTheErrorBoxThenBeepsWhateverWasClicked) {
  Started p;
  BeepWitness witness(p);
  testSettings(p, 1024, 768, 8);
  const int before = opens(p);
  openPattern(p, 3);
  EXPECT_TRUE(errorBoxShown(p));
  p.type(" ");
  pickMain(p, 5);
  p.click(5, 5);
  EXPECT_TRUE(errorBoxShown(p));
  p.type(" ");
  EXPECT_EQ(witness.seenAtBeeps, (std::vector<bool>{true, true}));
  EXPECT_EQ(opens(p), before);
  testSettings(p, 1024, 768, 16);  // deeper, a click beside the menu simply returns
  pickMain(p, 5);
  p.click(5, 5);
  EXPECT_TRUE(mainScreenShown(p));
  EXPECT_EQ(beeps(p), 2);
}

}  // namespace
}  // namespace orventa::testing
