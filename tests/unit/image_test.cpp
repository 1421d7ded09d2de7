// Images: creation rules, combine modes at each pixel size, clipping and source rectangles.
#include <cstring>
#include <memory>

#include "tests/support/headless_fixture.h"

namespace orventa {
namespace {

constexpr std::uint32_t RED = 0xFFFF0000;
constexpr std::uint32_t BLACK = 0xFF000000;

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

using ImageTest = testing::HeadlessTest;

TEST_F(ImageTest, CreateImageSizeDepthAndFill) {
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
    open(6, 5, c.depth);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 6; ++x) setPixel(x, y, c.destination);
    const ImagePtr image = makeImage(2, 2, 0, c.depth);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 2; ++x) setImagePixel(*image, x, y, c.source);
    putImage(nullptr, 3, 2, image.get(), c.mode);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 6; ++x) {
        const bool covered = x >= 3 && x <= 4 && y >= 2 && y <= 3;
        EXPECT_EQ(pixel(x, y), covered ? c.result : c.destination) << x << "," << y;
      }
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
    {5, 4, 2, 1, 100, 100, 3, 3, [](int x, int y) { return x >= 5 && y >= 4; }},
    // Wholly off the screen.
    {16, 0, ALL, ALL, ALL, ALL, 0, 0, [](int, int) { return false; }}};
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
  putImage(nullptr, 0, 0, makeImage(4, 4, 0x55, 16).get(), COPY);
  putImage(nullptr, 0, 0, nullptr, COPY);
  EXPECT_EQ(countNot(BLACK), 0);
  putImage(nullptr, 0, 0, makeImage(4, 4, RED, 24).get(), COPY);  // 24 is 4 bytes too
  EXPECT_EQ(countNot(BLACK), 16);

  open(16, 12, 32);
  const ImagePtr image = makeImage(8, 6, BLACK, 0);
  drawLine(image.get(), 2, 1, 20, 1, RED, LINE, SOLID, 0);  // clipped to the image
  EXPECT_EQ(imagePixel(*image, 7, 1), RED);
  EXPECT_EQ(countNot(BLACK), 0);  // the screen is untouched

  setNumberedScreenMode(0, 0, 0, 0, 0);
  drawLine(image.get(), 0, 3, 7, 3, RED, LINE, SOLID, 0);
  EXPECT_EQ(imagePixel(*image, 4, 3), BLACK);
}

}  // namespace
}  // namespace orventa
