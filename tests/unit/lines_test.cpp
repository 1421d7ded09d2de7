// drawLine: coordinate rounding, boxes, styled and stepped lines, clipping.
#include <limits>
#include <vector>

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
  // The pixels of the rectangle from (x1, y1) to (x2, y2), or of the rows or columns given.
  static PixelSet box(int x1, int y1, int x2, int y2) {
    PixelSet s;
    for (int y = y1; y <= y2; ++y)
      for (int x = x1; x <= x2; ++x) s.insert({x, y});
    return s;
  }
  static PixelSet rows(std::initializer_list<int> ys, int x1 = 0, int x2 = W - 1) {
    PixelSet s;
    for (int y : ys) s.merge(box(x1, y, x2, y));
    return s;
  }
};

TEST(RoundCoordinateTest, RoundsHalvesAwayFromZero) {
  const std::pair<double, std::int64_t> cases[] = {
      {2.5, 3},   {-2.5, -3},  {0.49, 0}, {0.5, 1}, {-0.5, -1}, {-0.49, 0}, {1.5, 2},
      {-1.5, -2}, {2.4999, 2}, {0.0, 0},  {7.0, 7}, {-7.0, -7}, {-0.51, -1}};
  for (const auto& [f, expected] : cases) EXPECT_EQ(roundCoordinate(f), expected) << f;
}

TEST_F(LineTest, DrawnPointsUseTheSameRounding) {
  line(2.5f, 2.5f, 2.5f, 2.5f);
  EXPECT_EQ(drawn(), (PixelSet{{3, 3}}));
  line(-0.49f, 5.49f, -0.49f, 5.49f);
  EXPECT_EQ(drawn(), (PixelSet{{3, 3}, {0, 5}}));
  line(-0.5f, 8, -0.5f, 8);  // column -1: clipped away
  EXPECT_EQ(drawn().size(), 2u);

  // Mode 1 adds on the floats before rounding: 1.3 + 1.3 = 2.6 reaches column 3.
  drawLine(nullptr, 1.3f, 10, 1.3f, 0, RED, LINE, SOLID, 1);
  EXPECT_EQ(pixel(3, 10), RED);
  EXPECT_EQ(pixel(4, 10), BLACK);
}

TEST_F(LineTest, RelativeModesStartFromTheUnroundedCursor) {
  line(0, 0, 10.4f, 5, 0);                                 // style 0: only moves the cursor
  drawLine(nullptr, 0.4f, 1, 20, 6, RED, LINE, SOLID, 2);  // (10.8, 6) to (20, 6)
  drawLine(nullptr, 0, 2, -5, 0, RED, LINE, SOLID, 3);     // (20, 8) to (15, 8)
  drawLine(nullptr, 0, 2, 17, 10, RED, LINE, SOLID, 5);    // (15, 10) to (17, 10)
  PixelSet expected = box(11, 6, 20, 6);
  expected.merge(box(15, 8, 20, 8));
  expected.merge(box(15, 10, 17, 10));
  EXPECT_EQ(drawn(), expected);
}

TEST_F(LineTest, DottedLinesTakeTheirPhaseFromTheFirstDrawnPixel) {
  // Clipped at the bottom, the line is drawn upward from row H - 1, so bit 15 lands there.
  line(5, 0, 5, H, 0x5555);
  line(7, 0, 7, H, 0xAAAA);
  line(9, 0, 9, H - 1, 0x5555);
  for (int y = 0; y < H; ++y) {
    EXPECT_EQ(pixel(5, y) == RED, y % 2 == 0) << "0x5555 to H, row " << y;
    EXPECT_EQ(pixel(7, y) == RED, y % 2 == 1) << "0xAAAA to H, row " << y;
    EXPECT_EQ(pixel(9, y) == RED, y % 2 == 1) << "0x5555 to H - 1, row " << y;
  }
  EXPECT_EQ(drawn().size(), 3u * H / 2);

  // Horizontal: either direction past the right edge starts at column W - 1.
  open(W, H, 32);
  line(0, 20, W, 20, 0xAAAA);
  line(W, 22, 0, 22, 0xAAAA);
  line(W - 1, 24, 0, 24, 0x5555);
  for (int x = 0; x < W; ++x) {
    EXPECT_EQ(pixel(x, 20) == RED, (W - 1 - x) % 2 == 0) << x;
    EXPECT_EQ(pixel(x, 22) == RED, (W - 1 - x) % 2 == 0) << x;
    EXPECT_EQ(pixel(x, 24) == RED, (W - 1 - x) % 2 == 1) << x;
  }
  EXPECT_EQ(drawn().size(), 3u * W / 2);
}

TEST_F(LineTest, FilledBoxIncludesBothCorners) {
  open(200, 100, 32);
  drawLine(nullptr, 100, 50, 20, 30, RED, FILLED_BOX, SOLID, 1);    // corner plus size
  drawLine(nullptr, 195, 95, 210, 120, RED, FILLED_BOX, SOLID, 0);  // cut at both edges
  PixelSet expected = box(100, 50, 120, 80);
  expected.merge(box(195, 95, 199, 99));
  EXPECT_EQ(drawn(), expected);
}

TEST_F(LineTest, HollowBoxDropsEdgesThatLieOutside) {
  drawLine(nullptr, -5, 10, 50, 20, RED, HOLLOW_BOX, SOLID, 0);
  PixelSet expected = rows({10, 20}, 0, 50);
  expected.merge(box(50, 10, 50, 20));
  EXPECT_EQ(drawn(), expected);  // no left edge is moved onto column 0
}

TEST_F(LineTest, DiagonalsSetExactlyTheSteppedPixels) {
  // clang-format off
  const struct {
    float x1, y1, x2, y2;
    std::uint32_t style;
    PixelSet pixels;
  } cases[] = {
    // Shallow and steep: the error term is tested after each pixel is set.
    {0, 0, 5, 2, SOLID, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}},
    {0, 0, 2, 5, SOLID, {{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}, {2, 5}}},
    // Steep and backwards; the error reaches exactly 0 twice and steps there.
    {10, 10, 7, 2, SOLID,
        {{10, 10}, {10, 9}, {9, 8}, {9, 7}, {8, 6}, {8, 5}, {8, 4}, {7, 3}, {7, 2}}},
    // The same segment walked the other way is a different pixel set.
    {7, 2, 10, 10, SOLID,
        {{7, 2}, {7, 3}, {8, 4}, {8, 5}, {9, 6}, {9, 7}, {9, 8}, {10, 9}, {10, 10}}},
    // The style bit moves on for unset pixels too, and wraps after bit 0.
    {0, 0, 5, 2, 0xAAAA, {{0, 0}, {2, 1}, {4, 2}}},
    // Clipped at the left (y truncated toward zero to -3), then at the top.
    {-7, -9, 30, 20, SOLID,
        {{3, 0}, {4, 1}, {5, 1}, {6, 2}, {7, 3}, {8, 4}, {9, 4}, {10, 5}, {11, 6}, {12, 7},
        {13, 7}, {14, 8}, {15, 9}, {16, 10}, {17, 10}, {18, 11}, {19, 12}, {20, 13},
        {21, 13}, {22, 14}, {23, 15}, {24, 16}, {25, 16}, {26, 17}, {27, 18}, {28, 19},
        {29, 19}, {30, 20}}},
    // Clipped at its given end: walked from (63, 27) back to (10, 10).
    {10, 10, 100, 40, 0xAAAA,
        {{63, 27}, {61, 26}, {59, 26}, {57, 25}, {55, 24}, {53, 24}, {51, 23}, {49, 23},
        {47, 22}, {45, 21}, {43, 21}, {41, 20}, {39, 19}, {37, 19}, {35, 18}, {33, 17},
        {31, 17}, {29, 16}, {27, 15}, {25, 15}, {23, 14}, {21, 14}, {19, 13}, {17, 12},
        {15, 12}, {13, 11}, {11, 10}}},
    // Both ends beyond the same edge.
    {-5, -5, -1, 40, SOLID, {}}, {70, 1, 90, 40, SOLID, {}}};
  // clang-format on
  for (const auto& c : cases) {
    open(W, H, 32);
    line(c.x1, c.y1, c.x2, c.y2, c.style);
    EXPECT_EQ(drawn(), c.pixels) << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2;
  }
}

TEST_F(LineTest, NonFiniteAndHugeCoordinatesClip) {
  constexpr float inf = std::numeric_limits<float>::infinity();
  constexpr float nan = std::numeric_limits<float>::quiet_NaN();
  line(-1e30f, 10, 1e30f, 10);
  line(inf, 12, -inf, 12);
  EXPECT_EQ(drawn(), rows({10, 12}));

  line(nan, nan, nan, nan);  // must not fault
  line(-inf, inf, inf, -inf);

  open(W, H, 32);
  drawLine(nullptr, -inf, 5, inf, 7, RED, HOLLOW_BOX, SOLID, 0);
  EXPECT_EQ(drawn(), rows({5, 7}));
}

}  // namespace
}  // namespace orventa
