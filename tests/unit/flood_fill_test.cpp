// floodFill: the 4-connected region around the seed, bounded by the border colour.
#include "tests/support/headless_fixture.h"

namespace orventa {
namespace {

constexpr std::uint32_t RED = 0xFFFF0000;
constexpr std::uint32_t GREEN = 0xFF00FF00;
constexpr std::uint32_t BLUE = 0xFF0000FF;
constexpr std::uint32_t BLACK = 0xFF000000;
constexpr std::uint32_t SYSTEM_FLAGS = BORDER_IS_FILL | 4;  // what the callers pass
constexpr std::uint32_t SEPARATE_BORDER = 4;

class FloodFillTest : public testing::HeadlessTest {
 protected:
  void SetUp() override { open(64, 48, 32); }
  static void box(std::uint32_t colour) {
    drawLine(nullptr, 10, 10, 30, 30, colour, HOLLOW_BOX, SOLID, 0);
  }
  static void wall(float x1, float y1, float x2, float y2) {
    drawLine(nullptr, x1, y1, x2, y2, RED, LINE, SOLID, 0);
  }
  static void fill(float x, float y, std::uint32_t colour, std::uint32_t border = 0,
                   std::uint32_t flags = SYSTEM_FLAGS) {
    floodFill(nullptr, x, y, colour, border, "", 0, flags);
  }
};

TEST_F(FloodFillTest, ShapeInTheFillColourIsAWallAndSeedsOnItOrOutsideChangeNothing) {
  box(RED);
  for (const auto& [x, y] : {std::pair{10.0f, 10.0f}, {-1, 5}, {5, 48}, {-0.5f, 3}})
    fill(x, y, RED);
  EXPECT_EQ(countNot(BLACK), 80);
  fill(-0.4f, 47.4f, RED);            // rounds to (0, 47), inside
  EXPECT_EQ(countNot(RED), 19 * 19);  // only the inside of the box is left

  open(64, 48, 32);
  box(RED);
  fill(20, 20, RED);
  EXPECT_EQ(countNot(BLACK), 21 * 21);  // the box and its inside
}

TEST_F(FloodFillTest, DiagonalStepsDoNotLeakButWindingPathsAreFollowed) {
  wall(0, 20, 20, 0);  // x + y = 20
  fill(1, 1, RED);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(pixel(x, y) == RED, x + y <= 20) << x << "," << y;

  // A path down the left, under the first wall, up and over the second wall.
  open(64, 48, 32);
  wall(20, 0, 20, 40);
  wall(40, 8, 40, 47);
  wall(50, 20, 63, 20);
  fill(5, 5, RED);
  EXPECT_EQ(countNot(RED), 0);
}

TEST_F(FloodFillTest, SeparateBorderColourBoundsTheRegion) {
  box(BLUE);
  wall(15, 15, 25, 15);  // not the border: painted over
  fill(20, 20, GREEN, BLUE, SEPARATE_BORDER);
  EXPECT_EQ(countNot(BLACK), 21 * 21);
  EXPECT_EQ(pixel(20, 15), GREEN);

  // Without the border-is-fill flag a shape in the fill colour is no wall.
  open(64, 48, 32);
  box(GREEN);
  fill(1, 1, GREEN, BLUE, SEPARATE_BORDER);
  EXPECT_EQ(countNot(GREEN), 0);
}

}  // namespace
}  // namespace orventa
