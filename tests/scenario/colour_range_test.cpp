// "Color range" through the whole program, on a 1024 x 768 desktop unless said otherwise.
#include <array>

#include "tests/support/frames.h"

namespace orventa::testing {
namespace {

void openPattern(Program& p, int item) {
  pickMain(p, 4);
  pick(p, 2.5 / 8, 1.3 / 4, item);
}
void pickGradient(Program& p, int item) { pick(p, 3.0 / 8, 1.5 / 4, item); }

TEST(BasicColours, NineKeysOrClicksShowTheColoursInOrderAtDepth32And8) {
  const std::array<std::uint32_t, 9> depth32 = {0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0x808080,
                                                0x000080, 0x008000, 0x800000, 0};
  const std::array<int, 9> depth8 = {15, 9, 10, 12, 7, 1, 2, 4, 0};
  for (int depth : {32, 8}) {
    Started p;
    testSettings(p, 1024, 768, depth);
    openPattern(p, 1);
    for (std::size_t step = 0; step < 9; ++step) {
      const std::uint32_t c = depth == 32 ? depth32[step] : shownIndex(depth8[step]);
      expectPixels(p, {{0, 0, c}, {1023, 767, c}});
      step % 2 == 0 ? p.type("k") : p.click(600, 600);
    }
    EXPECT_TRUE(mainScreenShown(p)) << depth;
  }
}

// At 1024 x 768 the discs A, B and C (radius 256) have their centres at (410, 461), (615, 461)
// and (513, 308) on the screen. e: A only, B only, C only, A+B, A+C, B+C, all, none.
void expectDiscs(Program& p, const std::array<std::uint32_t, 8>& e) {
  // clang-format off
  expectPixels(p, {{200, 461, e[0]}, {826, 461, e[1]}, {513, 80, e[2]}, {512, 661, e[3]},
                   {400, 300, e[4]}, {626, 300, e[5]}, {513, 400, e[6]}, {1000, 100, e[7]},
                   // The discs' edges.
                   {153, 461, e[7]}, {154, 461, e[0]}, {871, 461, e[1]}, {872, 461, e[7]},
                   {256, 308, e[0]}, {257, 308, e[4]}, {769, 308, e[5]}, {770, 308, e[1]},
                   {513, 51, e[7]}, {513, 52, e[2]}, {410, 717, e[0]}, {410, 718, e[7]}});
  // clang-format on
}

TEST(DiscTests, RgbAddsAndCmykSubtractsAtDepth32AndIndicesCombineAtDepth8) {
  using Discs = std::array<std::uint32_t, 8>;
  const auto indices = [](std::array<int, 8> i) {
    Discs e{};
    for (std::size_t k = 0; k < 8; ++k) e[k] = shownIndex(i[k]);
    return e;
  };
  struct Case {
    int depth;
    std::vector<Discs> rgb, cmyk;  // the pages of each test; CMYK has one at depth 8
  };
  const Case cases[] = {
      {32,
       {{0xFF0000, 0x0000FF, 0x00FF00, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0xFFFFFF, 0},
        {0x800000, 0x000080, 0x008000, 0x800080, 0x808000, 0x008080, 0x808080, 0}},
       {{0xFF00FF, 0x00FFFF, 0xFFFF00, 0x0000FF, 0xFF0000, 0x00FF00, 0, 0xFFFFFF},
        {0x800080, 0x008080, 0x808000, 0x000080, 0x800000, 0x008000, 0, 0x808080}}},
      {8,
       {indices({12, 9, 10, 13, 14, 11, 15, 0}), indices({4, 1, 2, 5, 6, 3, 7, 0})},
       {indices({11, 13, 14, 9, 10, 12, 8, 15})}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.depth);
    Started p;
    testSettings(p, 1024, 768, c.depth);
    openPattern(p, 2);
    for (const Discs& e : c.rgb) expectDiscs(p, e), p.type(" ");
    openPattern(p, 3);
    // The white image starts at (1, 1): the top row and the left column stay black.
    if (c.depth == 32) expectPixels(p, {{500, 0, 0}, {0, 300, 0}, {1, 1, 0xFFFFFF}});
    for (const Discs& e : c.cmyk) expectDiscs(p, e), p.type(" ");
    EXPECT_TRUE(mainScreenShown(p));
  }
}

TEST(DiscTests, WithoutASwitchTheDiscsCombineOnThe32BitScreenWhateverTheDesktopDepth) {
  {
    Started deep(desktopOf(1024, 768, 16));
    const int before = opens(deep);
    openPattern(deep, 2);
    EXPECT_EQ(opens(deep), before);
    expectDiscs(deep, {0xFF0000, 0x0000FF, 0x00FF00, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0xFFFFFF, 0});
  }
  // An 8-bit desktop: the palette indices land on the 32-bit screen as they are.
  Started palette(desktopOf(1024, 768, 8));
  openPattern(palette, 3);
  expectDiscs(palette, {11, 13, 14, 9, 10, 12, 8, 15});
}

TEST(PlainEbu, BarsStartAtKWidthOver7AndDepth8DrawsTheFirstOnly) {
  Started p;
  openPattern(p, 4);
  // clang-format off
  expectPixels(p, {{145, 767, 0xC0C0C0}, {146, 0, 0xC0C000}, {292, 0, 0xC0C000},
                   {293, 0, 0x00C0C0}, {877, 0, 0xC00000}, {878, 0, 0x0000C0}});
  // clang-format on
  p.type(" ");
  testSettings(p, 1024, 768, 8);
  openPattern(p, 4);
  expectPixels(p, {{146, 767, shownIndex(23)}, {147, 384, 0}});
}

TEST(Gradient, RedBlackColumnsRoundHalfToEvenAndDepth8DrawsSlantedLines) {
  Started p;
  openPattern(p, 5);
  pickGradient(p, 1);
  // c = 0.498 at column 2, 0.747 at 3, 127.5 at 512 and 254.75 at 1023.
  expectPixels(
      p,
      {{0, 0, 0xFF0000}, {2, 767, 0xFF0000}, {3, 0, 0xFE0000}, {512, 767, 0x7F0000}, {1023, 0, 0}});
  p.type(" ");
  testSettings(p, 1024, 768, 8);
  openPattern(p, 5);
  pickGradient(p, 1);
  // The line of x = 20 runs from (20, 0) to column 29 of the last row, in index 20.
  const std::uint32_t i20 = shownIndex(20);
  expectPixels(p, {{20, 0, i20}, {29, 767, i20}, {21, 0, 0}, {20, 767, 0}});
  p.type(" ");
  openPattern(p, 5);
  p.click(1000, 700);  // beside the gradient menu: the test mode, black
  EXPECT_EQ(p.display().shownMode().bitsPerPixel, 8);
  expectPixels(p, {{20, 0, 0}, {512, 384, 0}});
}

TEST(Spectrum, PeaksAtOneSixthOneHalfAndFiveSixthsAndTheMainScreenIsReopened) {
  Started p(desktopOf(1200, 900));
  openPattern(p, 6);
  // Yellow at the left; at the peaks the other two channels lie 0.00001 to 0.00006 off 127.5.
  expectPixels(p,
               {{0, 0, 0xDDDD00}, {200, 899, 0xFF807F}, {600, 0, 0x807FFF}, {1000, 899, 0x7FFF80}});
  const int before = opens(p);
  p.type(" ");
  EXPECT_EQ(opens(p), before + 1);
  testSettings(p, 1200, 900, 8);
  openPattern(p, 6);
  expectPixels(p, {{0, 0, 0}, {200, 450, 0}});
}

TEST(CustomColour, SixHexDigitsFillTheScreenAndAnyOtherLengthGivesTheErrorBox) {
  Started p;
  for (const char* typed : {"FA003C\r", "fa003c\x1b", "FA003\r", "FA003C1\r", "\x1b"}) {
    SCOPED_TRACE(typed);
    openPattern(p, 7);
    p.type(typed);
    const bool six = std::string(typed).size() == 7;
    EXPECT_EQ(errorBoxShown(p), !six);
    expectPixels(p, {{5, 5, six ? 0xFA003Cu : 0}, {1023, 767, six ? 0xFA003Cu : 0}});
    p.type(" ");
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

}  // namespace
}  // namespace orventa::testing
