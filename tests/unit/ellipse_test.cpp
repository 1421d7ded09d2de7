// drawEllipse: the integer-stepped whole ellipse (outline and filled), radii from the aspect,
// clipping, and the trigonometric arc path.
#include <algorithm>
#include <map>
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

// The outline of radius 10 about (20, 20), row by row, worked out from the stepping: rows where
// the stepping only moves inward get several pixel pairs.
// clang-format off
const std::map<int, std::vector<int>> kCircle10 = {
    {10, {18, 19, 20, 21, 22}}, {11, {16, 17, 23, 24}}, {12, {14, 15, 25, 26}}, {13, {13, 27}},
    {14, {12, 28}}, {15, {12, 28}}, {16, {11, 29}}, {17, {11, 29}}, {18, {10, 30}}, {19, {10, 30}},
    {20, {10, 30}}, {21, {10, 30}}, {22, {10, 30}}, {23, {11, 29}}, {24, {11, 29}}, {25, {12, 28}},
    {26, {12, 28}}, {27, {13, 27}}, {28, {14, 15, 25, 26}}, {29, {16, 17, 23, 24}},
    {30, {18, 19, 20, 21, 22}}};
// clang-format on

// Half the width of the circle above on the row `dy` from its centre.
int halfWidth(int dy) { return 20 - kCircle10.at(20 + dy).front(); }

class EllipseTest : public testing::HeadlessTest {
 protected:
  static void circle(float x, float y, float r, int fill, float start = 0, float end = FULL_TURN,
                     std::uint32_t colour = RED) {
    drawEllipse(nullptr, x, y, r, colour, 0, start, end, fill, ABSOLUTE);
  }
};

TEST_F(EllipseTest, OutlineIsTheSteppedPixelSet) {
  open(64, 48, 32);
  circle(20, 20, 10, 0);
  PixelSet expected;
  for (const auto& [y, xs] : kCircle10)
    for (int x : xs) expected.insert({x, y});
  EXPECT_EQ(pixelsNot(BLACK), expected);
}

TEST_F(EllipseTest, FilledCircleSpansEachRowBetweenTheOutlineEndsAndKeepsOnlyVisibleRows) {
  for (const auto& [cx, cy] : {std::pair{20, 20}, {30, 5}, {3, 30}}) {
    open(64, 48, 16);
    circle(cx, cy, 10, 1, 0, FULL_TURN, 0xFF0000);
    PixelSet expected;
    for (int dy = -10; dy <= 10; ++dy)
      for (int x = std::max(cx - halfWidth(dy), 0); x <= cx + halfWidth(dy); ++x)
        if (cy + dy >= 0) expected.insert({x, cy + dy});
    EXPECT_EQ(pixelsNot(0), expected) << cx << "," << cy;
    EXPECT_EQ(pixel(cx, cy), 0xF800u);
  }
}

TEST_F(EllipseTest, RadiiFollowTheAspect) {
  const struct {
    float aspect;
    Bounds expected;
  } cases[] = {{0.5f, {50, 250, 70, 170}},    // rx 100, ry 50
               {2.0f, {100, 200, 20, 220}}};  // rx 50, ry 100
  for (const auto& c : cases) {
    open(320, 240, 32);
    drawEllipse(nullptr, 150, 120, 100, RED, c.aspect, 0, FULL_TURN, 0, ABSOLUTE);
    EXPECT_EQ(bounds(pixelsNot(BLACK)), c.expected);
    // The side extremes lie on the centre row.
    EXPECT_EQ(pixel(c.expected.left, 120), RED);
    EXPECT_EQ(pixel(c.expected.right, 120), RED);
  }
}

TEST_F(EllipseTest, ArcsAreSteppedByAngleAndIgnoreTheFill) {
  const PixelSet quarter = {{20, 10}, {21, 10}, {22, 10}, {23, 10}, {24, 11}, {25, 11},
                            {25, 12}, {26, 12}, {27, 13}, {28, 14}, {29, 15}, {29, 16},
                            {29, 17}, {30, 17}, {30, 18}, {30, 19}, {30, 20}};
  for (int fill : {0, 1}) {
    open(64, 48, 32);
    circle(20, 20, 10, fill, 0, 1.5707964f);
    EXPECT_EQ(pixelsNot(BLACK), quarter) << fill;
  }
  // An end just short of the full-turn constant is an arc too, not the stepped outline.
  open(64, 48, 32);
  circle(20, 20, 10, 0, 0, 6.283185f);
  EXPECT_EQ(pixel(10, 17), RED);
  EXPECT_EQ(pixel(12, 15), BLACK);
}

TEST_F(EllipseTest, NegativeAnglesAddRadiusLines) {
  open(128, 96, 32);
  circle(50, 50, 20, 0, 1.5707963f, 3.1415927f);
  EXPECT_EQ(pixel(50, 30), RED);  // the arc's start, straight above the centre
  EXPECT_EQ(pixel(30, 50), RED);  // its end, straight left
  EXPECT_EQ(pixel(50, 40), BLACK);
  EXPECT_EQ(pixel(40, 50), BLACK);

  open(128, 96, 32);
  circle(50, 50, 20, 0, -1.5707963f, 3.1415927f);
  for (int y = 30; y <= 50; ++y) EXPECT_EQ(pixel(50, y), RED) << y;
  EXPECT_EQ(pixel(40, 50), BLACK);
}

}  // namespace
}  // namespace orventa
