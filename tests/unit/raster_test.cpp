// The raster primitives: lines and boxes, flood fill, and images: their creation, combine modes
// at each pixel size, clipping and source rectangles.
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "tests/support/headless_fixture.h"

namespace orventa {
namespace {

using testing::PixelSet;

constexpr std::uint32_t RED = 0xFFFF0000;
constexpr std::uint32_t BLACK = 0xFF000000;
constexpr std::uint32_t ABSOLUTE = 4;  // coordinate mode the callers use for one-point primitives
constexpr std::uint32_t SYSTEM_FLAGS = BORDER_IS_FILL | ABSOLUTE;  // the callers' flood fill
constexpr int W = 64;
constexpr int H = 48;

struct ImageDeleter {
  void operator()(Image* image) const { destroyImage(image); }
};
using ImagePtr = std::unique_ptr<Image, ImageDeleter>;

ImagePtr makeImage(int width, int height, std::uint32_t fill, int depth, std::uint32_t flags = 0) {
  return ImagePtr(createImage(width, height, fill, depth, flags));
}

std::uint8_t* at(const Image& image, int x, int y) {
  return image.pixels.get() + y * image.pitch + x * image.bytesPerPixel;
}
std::uint32_t imagePixel(const Image& image, int x, int y) {
  std::uint32_t v = 0;
  std::memcpy(&v, at(image, x, y), image.bytesPerPixel);
  return v;
}
void setImagePixel(Image& image, int x, int y, std::uint32_t v) {
  std::memcpy(at(image, x, y), &v, image.bytesPerPixel);
}

class RasterTest : public testing::HeadlessTest {
 protected:
  void SetUp() override { open(W, H, 32); }
  static PixelSet drawn() { return pixelsNot(BLACK); }
  static void line(float x1, float y1, float x2, float y2, std::uint32_t style = SOLID) {
    drawLine(nullptr, x1, y1, x2, y2, RED, LINE, style, 0);
  }
  // The pixels of rectangles {x1, y1, x2, y2}, corners included.
  static PixelSet boxes(std::initializer_list<std::array<int, 4>> rectangles) {
    PixelSet s;
    for (const auto& [x1, y1, x2, y2] : rectangles)
      for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x) s.insert({x, y});
    return s;
  }
  static void fill(float x, float y, std::uint32_t colour) {
    floodFill(nullptr, x, y, colour, 0, "", 0, SYSTEM_FLAGS);
  }
};

using LineTest = RasterTest;
using FloodFillTest = RasterTest;
using ImageTest = RasterTest;

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
  EXPECT_EQ(
      drawn(),
      boxes({{3, 3, 3, 3}, {1, 30, 3, 30}, {11, 6, 20, 6}, {15, 8, 20, 8}, {15, 10, 17, 10}}));
}

TEST_F(LineTest, BoxesIncludeBothCornersAndEdgesOutsideAndHugeEndsAreClipped) {
  drawLine(nullptr, 30, 20, 5, 6, RED, FILLED_BOX, SOLID, 1);    // corner plus size
  drawLine(nullptr, 60, 45, 70, 60, RED, FILLED_BOX, SOLID, 0);  // cut at both edges
  drawLine(nullptr, -5, 30, 20, 40, RED, HOLLOW_BOX, SOLID, 0);  // no left edge on column 0
  line(-1e30f, 2, std::numeric_limits<float>::infinity(), 2);    // huge and infinite ends
  EXPECT_EQ(drawn(), boxes({{30, 20, 35, 26},
                            {60, 45, 63, 47},
                            {0, 30, 20, 30},
                            {0, 40, 20, 40},
                            {20, 30, 20, 40},
                            {0, 2, W - 1, 2}}));
}

// Worked on paper with the outcode rule: each clipped end moves onto the edge by the truncated
// slope, and the stepping starts again from there: from (2, 52) a line lands on row 47 at
// trunc(2 + (47 - 52) / -26) = 2 and walks 48 rows, not 53.
TEST_F(LineTest, ClippedEndsRestartTheStepFromTheTruncatedEdgePoint) {
  line(-3, 0, 6, 4);  // m = 4/9: enters column 0 at row trunc(3 * 4/9) = 1
  line(2, 52, 4, 0);  // enters row 47 at column 2
  PixelSet expected = {{0, 1}, {1, 2}, {2, 2}, {3, 3}, {4, 3}, {5, 4}, {6, 4}};
  // (2, 47) to (4, 0): dx 2, dy 47; e starts at -47 and gains 4 a row. It first reaches 0 or more
  // on the 12th row walked (e = 1, then 1 - 94) and again on the 36th (e = 3): after each the
  // column moves right.
  for (int k = 0; k <= 47; ++k) expected.insert({k < 12 ? 2 : k < 36 ? 3 : 4, 47 - k});
  EXPECT_EQ(drawn(), expected);
}

// The integer stepping done by hand. Radius 2 at (5, 5): a2 = b2 = 4, e = 8, ddx = 16; two steps
// out and in give rows 4 and 6 at columns 4 and 6, then rows 3 and 7 at column 5. Radius 4 with
// aspect 0.5 at (20, 10): rx 4, ry 2, e = 16; out-and-in twice, then two steps only inward.
TEST_F(RasterTest, EllipsesStepTheirRowsAsWorkedOutByHand) {
  drawEllipse(nullptr, 5, 5, 2, RED, 0, 0, FULL_TURN, 0, ABSOLUTE);
  drawEllipse(nullptr, 20, 10, 4, RED, 0.5f, 0, FULL_TURN, 1, ABSOLUTE);
  drawEllipse(nullptr, 40, 10, 4, RED, 0.5f, 0, FULL_TURN, 0, ABSOLUTE);
  PixelSet expected = {{3, 5}, {7, 5}, {4, 4}, {6, 4}, {4, 6}, {6, 6}, {5, 3}, {5, 7}};
  for (const auto& p : boxes(
           {{16, 10, 24, 10}, {17, 9, 23, 9}, {17, 11, 23, 11}, {18, 8, 22, 8}, {18, 12, 22, 12}}))
    expected.insert(p);
  for (const auto& p : PixelSet{{36, 10}, {44, 10}, {37, 9}, {43, 9}, {37, 11}, {43, 11}})
    expected.insert(p);
  for (const auto& p : boxes({{38, 8, 42, 8}, {38, 12, 42, 12}})) expected.insert(p);
  EXPECT_EQ(drawn(), expected);
}

// An arc of radius 10 from 0 to pi/2: step 1 / (1.5 * sqrt(10) * sqrt(10)) = 1/15, so 25 points
// (a < pi/2 + 1/30) from (40, 20) round the quarter to (30, 10), each at (cx + round(cos a * 10),
// cy - round(sin a * 10)).
TEST_F(RasterTest, AnArcSetsOnePointPerAngleStep) {
  drawEllipse(nullptr, 30, 20, 10, RED, 0, 0, 1.5707964f, 0, ABSOLUTE);
  PixelSet expected;
  for (int i = 0; i < 25; ++i) {
    const double a = i / 15.0;
    expected.insert({30 + static_cast<int>(std::lround(std::cos(a) * 10)),
                     20 - static_cast<int>(std::lround(std::sin(a) * 10))});
  }
  EXPECT_EQ(drawn(), expected);
}

TEST_F(RasterTest, ShapesTogetherLeaveWhatEachDrawnInTurnWould) {
  // Overlapping boxes and discs, some off the edges, some over whole rows, on a target of more
  // than one strip; the discs' combines are checked against their drawEllipse pixels.
  std::mt19937 random(7);
  auto any = [&](int from, int to) { return std::uniform_int_distribution(from, to)(random); };
  constexpr int modes[] = {COPY, AND, OR, XOR};
  for (const int depth : {8, 16, 32}) {
    open(8, 8, depth);
    for (int trial = 0; trial < 25; ++trial) {
      const ImagePtr shapes = makeImage(300, 400, 0x5A5A5A5A, 0);
      const ImagePtr expected = makeImage(300, 400, 0x5A5A5A5A, 0);
      std::vector<FilledShape> list;
      for (int n = any(1, 5); n > 0; --n) {
        const std::uint32_t colour = static_cast<std::uint32_t>(random());
        const float x = any(-200, 500) / 2.0f;
        const float y = any(-200, 900) / 2.0f;
        if (any(0, 2) == 0) {
          const FilledBox box{x, y, any(0, 3) == 0 ? -9.0f : any(-200, 500) / 2.0f,
                              any(-200, 900) / 2.0f, colour};
          list.push_back(box);
          drawLine(expected.get(), box.x1, box.y1, box.x2, box.y2, colour, FILLED_BOX, SOLID, 0);
          continue;
        }
        const FilledDisc disc{x, y, any(1, 600) / 4.0f, colour, any(0, 8) / 4.0f, modes[any(0, 3)]};
        list.push_back(disc);
        const ImagePtr mask = makeImage(300, 400, 0, 0);
        drawEllipse(mask.get(), x, y, disc.radius, 0xFFFFFFFF, disc.aspect, 0, FULL_TURN, 1,
                    ABSOLUTE);
        const std::uint32_t c = imagePixel(*makeImage(1, 1, colour, 0), 0, 0);
        for (int py = 0; py < 400; ++py)
          for (int px = 0; px < 300; ++px) {
            if (imagePixel(*mask, px, py) == 0) continue;
            const std::uint32_t d = imagePixel(*expected, px, py);
            const std::uint32_t v = disc.combineMode == AND   ? d & c
                                    : disc.combineMode == OR  ? d | c
                                    : disc.combineMode == XOR ? d ^ c
                                                              : c;
            setImagePixel(*expected, px, py, v);
          }
      }
      drawShapes(shapes.get(), list);
      ASSERT_EQ(std::memcmp(shapes->pixels.get(), expected->pixels.get(),
                            static_cast<std::size_t>(expected->pitch) * 400),
                0)
          << depth << " bits, trial " << trial;
    }
  }
}

TEST_F(FloodFillTest, ShapeInTheFillColourIsAWallAndSeedsOnItOrOutsideChangeNothing) {
  drawLine(nullptr, 10, 10, 30, 30, RED, HOLLOW_BOX, SOLID, 0);
  for (const auto& [x, y] : {std::pair{10.0f, 10.0f}, {-1, 5}, {5, 48}, {-0.5f, 3}})
    fill(x, y, RED);
  EXPECT_EQ(countNot(BLACK), 80);
  fill(-0.4f, 47.4f, RED);            // rounds to (0, 47), inside
  EXPECT_EQ(countNot(RED), 19 * 19);  // only the inside of the box is left
}

TEST_F(FloodFillTest, DiagonalStepsDoNotLeakButWindingPathsAreFollowed) {
  line(0, 20, 20, 0);  // x + y = 20
  fill(1, 1, RED);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(pixel(x, y) == RED, x + y <= 20) << x << "," << y;

  // A path down the left, under the first wall, up and over the second wall.
  open(64, 48, 32);
  line(20, 0, 20, 40);
  line(40, 8, 40, 47);
  line(50, 20, 63, 20);
  fill(5, 5, RED);
  EXPECT_EQ(countNot(RED), 0);
}

TEST_F(ImageTest, CreateImageSizeDepthAndFill) {
  setNumberedScreenMode(0, 0, 0, 0, 0);
  EXPECT_EQ(makeImage(4, 4, 0, 32).get(), nullptr);  // no screen

  open(32, 24, 16);
  EXPECT_EQ(makeImage(0, 5, 0, 0).get(), nullptr);
  // Depth 0 follows the screen; depths map to 1, 2 or 4 bytes; above 32 is refused.
  const int sizes[][2] = {{0, 2}, {8, 1}, {9, 2}, {17, 0}, {25, 4}, {33, 0}};
  for (const auto& [depth, bytes] : sizes) {
    const ImagePtr image = makeImage(7, 3, 0, depth);
    EXPECT_EQ(image ? image->bytesPerPixel : 0, bytes) << depth;
  }

  // The fill is converted to the pixel format, or is the key colour of the pixel size.
  EXPECT_EQ(imagePixel(*makeImage(3, 2, 0xFF0000, 16), 2, 1), 0xF800u);
  for (const auto& [depth, key] : {std::pair{8, 0u}, {16, 0xF81Fu}, {32, 0xFFFF00FFu}})
    EXPECT_EQ(imagePixel(*makeImage(3, 2, 7, depth, TRANSPARENT_FILL), 2, 1), key) << depth;
}

TEST_F(ImageTest, CombinesEachPixelWithTheDestination) {
  // clang-format off
  const struct {
    int depth, mode;
    std::uint32_t destination, source, result;
  } cases[] = {
    {8, AND, 0x5A, 0x3C, 0x18}, {16, OR, 0xA5C3, 0x3CF0, 0xBDF3},
    {32, XOR, 0x12345678, 0x9ABCDEF0, 0x88888888},
    // The key is 0 at 1 byte, magenta at 2, and the RGB 0xFF00FF whatever the alpha at 4.
    {8, KEYED, 0x5A, 0x00, 0x5A}, {16, KEYED, 0xA5C3, 0xF81F, 0xA5C3},
    {16, KEYED, 0xA5C3, 0xF81E, 0xF81E}, {32, KEYED, 0x12345678, 0x5AFF00FF, 0x12345678},
    {32, KEYED, 0x12345678, 0xFFFF00FE, 0xFFFF00FE},
    // Blend: every channel, alpha included, moves by (s - d) * source alpha / 256; below 4 bytes
    // it copies.
    {32, BLEND, 0x002080F0, 0x80604010, 0x40406080},
    {32, BLEND, 0x00000000, 0xFFC0FFC0, 0xFEBFFEBF},  // 255 is not 256
    {16, BLEND, 0xA5C3, 0x3CF0, 0x3CF0}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.depth << " bits, mode " << c.mode << std::hex << ", "
                                      << c.destination << " under " << c.source);
    // A row of 37: whole vectors and a tail at every pixel size, and one pixel left alone.
    open(38, 2, c.depth);
    for (int x = 0; x < 38; ++x) setPixel(x, 1, c.destination);
    const ImagePtr image = makeImage(37, 1, 0, c.depth);
    for (int x = 0; x < 37; ++x) setImagePixel(*image, x, 0, c.source);
    putImage(nullptr, 0, 1, image.get(), c.mode);
    for (int x = 0; x < 38; ++x) EXPECT_EQ(pixel(x, 1), x < 37 ? c.result : c.destination) << x;
  }
}

TEST_F(ImageTest, PlacementAndSourceRectangleClipToTheScreenAndTheImage) {
  constexpr int ALL = WHOLE_IMAGE;
  // clang-format off
  const struct {
    float x, y;
    int left, top, right, bottom;  // the source rectangle, corners included
    int dx, dy;                    // where the image's (0, 0) lands
    bool (*inside)(int, int);
  } cases[] = {
    // Rounds to (-3, 4) and loses what falls off the left and bottom.
    {-2.5f, 3.5f, ALL, ALL, ALL, ALL, -3, 4, [](int x, int y) { return x < 13 && y >= 4; }},
    {5, 4, 2, 1, 4, 3, 3, 3, [](int x, int y) { return x >= 5 && x <= 7 && y >= 4 && y <= 6; }},
    // Limited to the image.
    {0, 0, -5, -5, 1, 1, 0, 0, [](int x, int y) { return x <= 1 && y <= 1; }},
    {5, 4, 2, 1, 100, 100, 3, 3, [](int x, int y) { return x >= 5 && y >= 4; }}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
    open(16, 12, 32);
    // An image the size of the screen whose every pixel is distinct.
    const ImagePtr image = makeImage(16, 12, 0, 32);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 16; ++x) setImagePixel(*image, x, y, 0xFF000000u | y << 8 | x);
    putImage(nullptr, c.x, c.y, image.get(), c.left, c.top, c.right, c.bottom, 0, COPY);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 16; ++x)
        ASSERT_EQ(pixel(x, y), c.inside(x, y) ? imagePixel(*image, x - c.dx, y - c.dy) : BLACK)
            << x << "," << y;
  }
}

TEST_F(ImageTest, ImagesMeetOnlyTargetsOfTheirPixelSizeAndOnlyWhileAScreenIsOpen) {
  open(16, 12, 32);
  const ImagePtr image = makeImage(8, 6, BLACK, 0);
  drawLine(image.get(), 2, 1, 20, 1, RED, LINE, SOLID, 0);  // clipped to the image
  EXPECT_EQ(imagePixel(*image, 7, 1), RED);
  putImage(nullptr, 0, 0, makeImage(4, 4, 0x55, 16).get(), COPY);
  putImage(nullptr, 0, 0, nullptr, COPY);
  EXPECT_EQ(countNot(BLACK), 0);
  putImage(nullptr, 0, 0, makeImage(4, 4, RED, 24).get(), COPY);  // 24 is 4 bytes too
  EXPECT_EQ(countNot(BLACK), 16);

  setNumberedScreenMode(0, 0, 0, 0, 0);
  drawLine(image.get(), 0, 3, 7, 3, RED, LINE, SOLID, 0);
  EXPECT_EQ(imagePixel(*image, 4, 3), BLACK);
}

}  // namespace
}  // namespace orventa
