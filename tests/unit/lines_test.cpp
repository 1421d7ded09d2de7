// drawLine: coordinate rounding, boxes, styled and stepped lines, clipping.
#include <limits>

#include "tests/support/headless_fixture.h"

namespace orventa {
namespace {

using testing::PixelSet;

constexpr std::uint32_t RED = 0xFFFF0000;
constexpr std::uint32_t BLACK = 0xFF000000;
constexpr int W = 64;
constexpr int H = 48;

class LineTest : public testing::HeadlessTest {
 protected:
  void SetUp() override { open(W, H, 32); }
  static PixelSet drawn() { return pixelsNot(BLACK); }
  static void line(float x1, float y1, float x2, float y2, std::uint32_t style = SOLID) {
    drawLine(nullptr, x1, y1, x2, y2, RED, LINE, style, 0);
  }
  // The pixels of the rectangle from (x1, y1) to (x2, y2), corners included.
  static PixelSet box(int x1, int y1, int x2, int y2) {
    PixelSet s;
    for (int y = y1; y <= y2; ++y)
      for (int x = x1; x <= x2; ++x) s.insert({x, y});
    return s;
  }
};

TEST_F(LineTest, CoordinatesRoundHalvesAwayFromZeroAndRelativeModesAddUnrounded) {
  for (const auto& [f, rounded] : {std::pair{2.5, 3}, {-2.5, -3}, {0.49, 0}, {-0.51, -1}})
    EXPECT_EQ(roundCoordinate(f), rounded) << f;
  line(2.5f, 2.5f, 2.5f, 2.5f);
  line(-0.5f, 8, -0.5f, 8);  // column -1: clipped away
  // Mode 1 adds on the floats before rounding: 1.3 + 1.3 = 2.6 reaches column 3.
  drawLine(nullptr, 1.3f, 30, 1.3f, 0, RED, LINE, SOLID, 1);
  line(0, 0, 10.4f, 5, 0);                                 // style 0: only moves the cursor
  drawLine(nullptr, 0.4f, 1, 20, 6, RED, LINE, SOLID, 2);  // (10.8, 6) to (20, 6)
  drawLine(nullptr, 0, 2, -5, 0, RED, LINE, SOLID, 3);     // (20, 8) to (15, 8)
  drawLine(nullptr, 0, 2, 17, 10, RED, LINE, SOLID, 5);    // (15, 10) to (17, 10)
  PixelSet expected = box(1, 30, 3, 30);
  expected.insert({3, 3});
  expected.merge(box(11, 6, 20, 6));
  expected.merge(box(15, 8, 20, 8));
  expected.merge(box(15, 10, 17, 10));
  EXPECT_EQ(drawn(), expected);
}

TEST_F(LineTest, DottedLinesTakeTheirPhaseFromTheFirstDrawnPixel) {
  // Clipped at the bottom, the line is drawn upward from row H - 1, so bit 15 lands there;
  // past the right edge, either direction starts at column W - 1.
  line(5, 0, 5, H, 0x5555);
  line(9, 0, 9, H - 1, 0x5555);
  line(12, 20, W, 20, 0xAAAA);
  line(W, 22, 12, 22, 0xAAAA);
  line(W - 1, 24, 12, 24, 0x5555);
  for (int y = 0; y < H; ++y) {
    EXPECT_EQ(pixel(5, y) == RED, y % 2 == 0) << "0x5555 to H, row " << y;
    EXPECT_EQ(pixel(9, y) == RED, y % 2 == 1) << "0x5555 to H - 1, row " << y;
  }
  for (int x = 12; x < W; ++x) {
    EXPECT_EQ(pixel(x, 20) == RED, (W - 1 - x) % 2 == 0) << x;
    EXPECT_EQ(pixel(x, 22) == RED, (W - 1 - x) % 2 == 0) << x;
    EXPECT_EQ(pixel(x, 24) == RED, (W - 1 - x) % 2 == 1) << x;
  }
}

TEST_F(LineTest, BoxesIncludeBothCornersAndEdgesOutsideAndHugeEndsAreClipped) {
  drawLine(nullptr, 30, 20, 5, 6, RED, FILLED_BOX, SOLID, 1);    // corner plus size
  drawLine(nullptr, 60, 45, 70, 60, RED, FILLED_BOX, SOLID, 0);  // cut at both edges
  drawLine(nullptr, -5, 30, 20, 40, RED, HOLLOW_BOX, SOLID, 0);  // no left edge on column 0
  line(-1e30f, 2, std::numeric_limits<float>::infinity(), 2);    // huge and infinite ends
  PixelSet expected = box(30, 20, 35, 26);
  expected.merge(box(60, 45, 63, 47));
  expected.merge(box(0, 30, 20, 30));
  expected.merge(box(0, 40, 20, 40));
  expected.merge(box(20, 30, 20, 40));
  expected.merge(box(0, 2, W - 1, 2));
  EXPECT_EQ(drawn(), expected);
}

TEST_F(LineTest, DiagonalsSetExactlyTheSteppedPixels) {
  // clang-format off
  const struct {
    float x1, y1, x2, y2;
    std::uint32_t style;
    PixelSet pixels;
  } cases[] = {
    // The error term is tested after each pixel is set.
    {0, 0, 5, 2, SOLID, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}},
    // Steep and backwards, the error reaches exactly 0 and steps there; walked the other way
    // the same segment is a different pixel set.
    {10, 10, 7, 2, SOLID,
        {{10, 10}, {10, 9}, {9, 8}, {9, 7}, {8, 6}, {8, 5}, {8, 4}, {7, 3}, {7, 2}}},
    {7, 2, 10, 10, SOLID,
        {{7, 2}, {7, 3}, {8, 4}, {8, 5}, {9, 6}, {9, 7}, {9, 8}, {10, 9}, {10, 10}}},
    // The style bit moves on for unset pixels too.
    {0, 0, 5, 2, 0xAAAA, {{0, 0}, {2, 1}, {4, 2}}},
    // Both ends beyond the same edge.
    {70, 1, 90, 40, SOLID, {}}};
  // clang-format on
  for (const auto& c : cases) {
    open(W, H, 32);
    line(c.x1, c.y1, c.x2, c.y2, c.style);
    EXPECT_EQ(drawn(), c.pixels) << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2;
  }
  // Clipped at its given end, a dotted line is walked back from the edge: (63, 27) is set.
  open(W, H, 32);
  line(10, 10, 100, 40, 0xAAAA);
  EXPECT_EQ(pixel(63, 27), RED);
  EXPECT_EQ(pixel(11, 10), RED);
  EXPECT_EQ(pixel(10, 10), BLACK);
}

}  // namespace
}  // namespace orventa
