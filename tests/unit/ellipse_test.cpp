// drawEllipse: clipping of the filled circle, and the arc path.
#include <vector>

#include "tests/support/headless_fixture.h"

namespace orventa {
namespace {

using testing::bounds;
using testing::Bounds;
using testing::PixelSet;

constexpr std::uint32_t RED = 0xFFFF0000;
constexpr std::uint32_t BLACK = 0xFF000000;
constexpr std::uint32_t ABSOLUTE = 4;  // coordinate mode the callers use for one-point primitives

class EllipseTest : public testing::HeadlessTest {
 protected:
  static void circle(float x, float y, float r, int fill, float start = 0, float end = FULL_TURN) {
    drawEllipse(nullptr, x, y, r, RED, 0, start, end, fill, ABSOLUTE);
  }
};

TEST_F(EllipseTest, FilledCircleIsClippedNotMovedAtTheEdges) {
  // Unclipped on a large screen, the filled circle of radius 10 about (20, 20).
  open(64, 48, 32);
  circle(20, 20, 10, 1);
  const PixelSet whole = pixelsNot(BLACK);
  EXPECT_EQ(bounds(whole), (Bounds{10, 30, 10, 30}));
  for (const auto& [cx, cy] : {std::pair{30, 5}, {3, 30}}) {
    open(64, 48, 32);
    circle(static_cast<float>(cx), static_cast<float>(cy), 10, 1);
    PixelSet expected;
    for (const auto& [x, y] : whole)
      if (x + cx - 20 >= 0 && y + cy - 20 >= 0) expected.insert({x + cx - 20, y + cy - 20});
    EXPECT_EQ(pixelsNot(BLACK), expected) << cx << "," << cy;
  }
}

TEST_F(EllipseTest, ArcsIgnoreTheFillAndNegativeAnglesAddRadiusLines) {
  for (int fill : {0, 1}) {
    open(128, 96, 32);
    circle(50, 50, 20, fill, 1.5707963f, 3.1415927f);
    // From straight above the centre to straight left, hollow and nothing beyond.
    EXPECT_EQ(bounds(pixelsNot(BLACK)), (Bounds{30, 50, 30, 50}));
    EXPECT_EQ(pixel(40, 40), BLACK);
  }
  // An end just short of the full-turn constant is an arc too, not the stepped outline.
  open(64, 48, 32);
  circle(20, 20, 10, 0, 0, 6.283185f);
  EXPECT_EQ(pixel(10, 17), RED);
  EXPECT_EQ(pixel(12, 15), BLACK);

  open(128, 96, 32);
  circle(50, 50, 20, 0, -1.5707963f, 3.1415927f);
  for (int y = 30; y <= 50; ++y) EXPECT_EQ(pixel(50, y), RED) << y;
  EXPECT_EQ(pixel(40, 50), BLACK);
}

}  // namespace
}  // namespace orventa
