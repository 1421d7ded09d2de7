// drawEllipse: the integer-stepped whole ellipse (outline and filled), radii from the aspect,
// clipping, and the trigonometric arc path.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "tests/support/headless_fixture.h"

namespace orventa {
namespace {

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

struct Bounds {
  int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;
  bool operator==(const Bounds&) const = default;
};
Bounds bounds(const PixelSet& set) {
  Bounds b;
  for (const auto& [x, y] : set) {
    b.left = std::min(b.left, x);
    b.right = std::max(b.right, x);
    b.top = std::min(b.top, y);
    b.bottom = std::max(b.bottom, y);
  }
  return b;
}

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
  const PixelSet got = pixelsNot(BLACK);
  EXPECT_EQ(got, expected);
  EXPECT_EQ(bounds(got), (Bounds{10, 30, 10, 30}));
}

TEST_F(EllipseTest, FilledCircleSpansEachRowBetweenTheOutlineEnds) {
  open(64, 48, 16);
  circle(20, 20, 10, 0, 0, FULL_TURN, 0xFF0000);
  std::map<int, std::pair<int, int>> ends;  // row -> leftmost, rightmost outline pixel
  for (const auto& [x, y] : pixelsNot(0)) {
    auto [it, fresh] = ends.try_emplace(y, x, x);
    it->second.first = std::min(it->second.first, x);
    it->second.second = std::max(it->second.second, x);
  }

  open(64, 48, 16);
  circle(20, 20, 10, 1, 0, FULL_TURN, 0xFF0000);
  PixelSet expected;
  for (const auto& [y, e] : ends)
    for (int x = e.first; x <= e.second; ++x) expected.insert({x, y});
  EXPECT_EQ(pixelsNot(0), expected);
  EXPECT_EQ(countNot(0), 333);  // sum of 2 * halfWidth + 1 over rows 10..30
  EXPECT_EQ(pixel(20, 20), 0xF800u);
}

struct AspectCase {
  int width, height;
  float x, y, radius, aspect;
  Bounds expected;
};
class EllipseAspectTest : public EllipseTest, public ::testing::WithParamInterface<AspectCase> {};

TEST_P(EllipseAspectTest, RadiiFollowTheAspect) {
  const AspectCase& c = GetParam();
  open(c.width, c.height, 32);
  drawEllipse(nullptr, c.x, c.y, c.radius, RED, c.aspect, 0, FULL_TURN, 0, ABSOLUTE);
  EXPECT_EQ(bounds(pixelsNot(BLACK)), c.expected);
  // The side extremes lie on the centre row.
  EXPECT_EQ(pixel(c.expected.left, static_cast<int>(c.y)), RED);
  EXPECT_EQ(pixel(c.expected.right, static_cast<int>(c.y)), RED);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, EllipseAspectTest,
    ::testing::Values(
        AspectCase{320, 240, 150, 120, 100, 0.5f, {50, 250, 70, 170}},     // rx 100, ry 50
        AspectCase{320, 240, 150, 120, 100, 2.0f, {100, 200, 20, 220}}));  // rx 50, ry 100

TEST_F(EllipseTest, FilledEllipseCutByAnEdgeFillsOnlyVisibleRows) {
  open(64, 48, 16);
  circle(30, 5, 10, 1, 0, FULL_TURN, 0xFFFFFF);
  PixelSet expected;
  for (int y = 0; y <= 15; ++y)
    for (int x = 30 - halfWidth(y - 5); x <= 30 + halfWidth(y - 5); ++x) expected.insert({x, y});
  EXPECT_EQ(pixelsNot(0), expected);

  open(64, 48, 16);
  circle(3, 30, 10, 1, 0, FULL_TURN, 0xFFFFFF);
  EXPECT_EQ(bounds(pixelsNot(0)).left, 0);
  EXPECT_EQ(pixel(13, 30), 0xFFFFu);
  EXPECT_EQ(pixel(14, 30), 0u);
}

TEST_F(EllipseTest, QuarterArcSteppedByAngle) {
  const PixelSet quarter = {{20, 10}, {21, 10}, {22, 10}, {23, 10}, {24, 11}, {25, 11},
                            {25, 12}, {26, 12}, {27, 13}, {28, 14}, {29, 15}, {29, 16},
                            {29, 17}, {30, 17}, {30, 18}, {30, 19}, {30, 20}};
  open(64, 48, 32);
  circle(20, 20, 10, 0, 0, 1.5707964f);
  EXPECT_EQ(pixelsNot(BLACK), quarter);

  open(64, 48, 32);
  circle(20, 20, 10, 1, 0, 1.5707964f);  // arcs ignore the fill argument
  EXPECT_EQ(pixelsNot(BLACK), quarter);
}

TEST_F(EllipseTest, EndAngleShortOfTheFullTurnConstantTakesTheArcPath) {
  open(64, 48, 32);
  circle(20, 20, 10, 0, 0, 6.283185f);
  EXPECT_EQ(pixel(10, 17), RED);    // on the arc, not on the stepped outline
  EXPECT_EQ(pixel(12, 15), BLACK);  // on the stepped outline, not on the arc
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
