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

std::uint32_t imagePixel(const Image& image, int x, int y) {
  std::uint32_t v = 0;
  std::memcpy(&v, image.pixels.get() + y * image.pitch + x * image.bytesPerPixel,
              image.bytesPerPixel);
  return v;
}
void setImagePixel(Image& image, int x, int y, std::uint32_t v) {
  std::memcpy(image.pixels.get() + y * image.pitch + x * image.bytesPerPixel, &v,
              image.bytesPerPixel);
}

class ImageTest : public testing::HeadlessTest {
 protected:
  // A full-screen-sized image whose every pixel is distinct.
  static ImagePtr numbered(int width, int height) {
    ImagePtr image = makeImage(width, height, 0, 32);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) setImagePixel(*image, x, y, 0xFF000000u | y << 8 | x);
    return image;
  }
  // Every screen pixel is the image's pixel at (x - dx, y - dy) inside `inside`, else black.
  template <typename Inside>
  void expectPlaced(const Image& image, int dx, int dy, Inside inside) {
    const Screen* s = openScreen();
    for (int y = 0; y < s->height; ++y)
      for (int x = 0; x < s->width; ++x)
        ASSERT_EQ(pixel(x, y), inside(x, y) ? imagePixel(image, x - dx, y - dy) : BLACK)
            << x << "," << y;
  }
};

TEST_F(ImageTest, CreateImageSizeDepthAndFill) {
  EXPECT_EQ(makeImage(4, 4, 0, 32).get(), nullptr);  // no screen

  open(32, 24, 16);
  EXPECT_EQ(makeImage(0, 5, 0, 0).get(), nullptr);
  EXPECT_EQ(makeImage(-1, 5, 0, 0).get(), nullptr);
  const int sizes[][2] = {{0, 2},  {-1, 2}, {1, 1},  {8, 1},  {9, 2},
                          {16, 2}, {17, 0}, {25, 4}, {32, 4}, {33, 0}};
  for (const auto& [depth, bytes] : sizes) {
    const ImagePtr image = makeImage(7, 3, 0, depth);
    if (bytes == 0) {
      EXPECT_EQ(image.get(), nullptr) << depth;
      continue;
    }
    ASSERT_NE(image.get(), nullptr) << depth;
    EXPECT_EQ(image->bytesPerPixel, bytes) << depth;
    EXPECT_GE(image->pitch, 7 * bytes);
  }

  // The fill: converted at 2 bytes, unchanged at 1 and 4, or the transparent colour.
  // clang-format off
  const struct {
    int depth;
    std::uint32_t colour, flags, pixel;
  } cases[] = {{8, 0x07, 0, 0x07}, {16, 0xFF0000, 0, 0xF800}, {24, 0x12345678, 0, 0x12345678},
               {8, 0x07, TRANSPARENT_FILL, 0}, {16, 0x07, TRANSPARENT_FILL, 0xF81F},
               {32, 0x07, TRANSPARENT_FILL, 0xFFFF00FF}};
  // clang-format on
  for (const auto& c : cases) {
    const ImagePtr image = makeImage(3, 2, c.colour, c.depth, c.flags);
    ASSERT_NE(image.get(), nullptr);
    EXPECT_EQ(imagePixel(*image, 0, 0), c.pixel) << c.depth;
    EXPECT_EQ(imagePixel(*image, 2, 1), c.pixel) << c.depth;
  }
}

TEST_F(ImageTest, CombinesEachPixelWithTheDestination) {
  // clang-format off
  const struct {
    int depth, mode;
    std::uint32_t destination, source, result;
  } cases[] = {
    {8, COPY, 0x5A, 0x3C, 0x3C}, {8, AND, 0x5A, 0x3C, 0x18}, {8, OR, 0x5A, 0x3C, 0x7E},
    {8, XOR, 0x5A, 0x3C, 0x66}, {8, KEYED, 0x5A, 0x3C, 0x3C}, {8, KEYED, 0x5A, 0x00, 0x5A},
    {8, BLEND, 0x5A, 0x3C, 0x3C},
    {16, COPY, 0xA5C3, 0x3CF0, 0x3CF0}, {16, AND, 0xA5C3, 0x3CF0, 0x24C0},
    {16, OR, 0xA5C3, 0x3CF0, 0xBDF3}, {16, XOR, 0xA5C3, 0x3CF0, 0x9933},
    {16, KEYED, 0xA5C3, 0xF81E, 0xF81E}, {16, KEYED, 0xA5C3, 0xF81F, 0xA5C3},
    {16, BLEND, 0xA5C3, 0x3CF0, 0x3CF0},
    {32, COPY, 0x12345678, 0x9ABCDEF0, 0x9ABCDEF0}, {32, AND, 0x12345678, 0x9ABCDEF0, 0x12345670},
    {32, OR, 0x12345678, 0x9ABCDEF0, 0x9ABCDEF8}, {32, XOR, 0x12345678, 0x9ABCDEF0, 0x88888888},
    // The key at 4 bytes is the RGB 0xFF00FF, whatever the alpha byte.
    {32, KEYED, 0x12345678, 0xFFFF00FF, 0x12345678},
    {32, KEYED, 0x12345678, 0x00FF00FF, 0x12345678},
    {32, KEYED, 0x12345678, 0x5AFF00FF, 0x12345678},
    {32, KEYED, 0x12345678, 0xFFFF00FE, 0xFFFF00FE},
    // Blend: every channel, alpha included, moves by (s - d) * source alpha / 256.
    {32, BLEND, 0x002080F0, 0x80604010, 0x40406080},
    {32, BLEND, 0x00000000, 0xFFC0FFC0, 0xFEBFFEBF},  // 255 is not 256
    {32, BLEND, 0x12345678, 0x00FFFFFF, 0x12345678}};
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

TEST_F(ImageTest, ImageOfAnotherPixelSizeDrawsNothing) {
  open(16, 12, 32);
  putImage(nullptr, 0, 0, makeImage(4, 4, 0x55, 16).get(), COPY);
  putImage(nullptr, 0, 0, makeImage(4, 4, 0x55, 8).get(), COPY);
  putImage(nullptr, 0, 0, nullptr, COPY);
  EXPECT_EQ(countNot(BLACK), 0);
  putImage(nullptr, 0, 0, makeImage(4, 4, RED, 24).get(), COPY);  // 24 is 4 bytes too
  EXPECT_EQ(countNot(BLACK), 16);

  open(16, 12, 16);
  putImage(nullptr, 0, 0, makeImage(4, 4, RED, 32).get(), COPY);
  EXPECT_EQ(countNot(0), 0);
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
    // Loses its last column and row.
    {1, 1, ALL, ALL, ALL, ALL, 1, 1, [](int x, int y) { return x >= 1 && y >= 1; }},
    // Rounds to (-3, 4).
    {-2.5f, 3.5f, ALL, ALL, ALL, ALL, -3, 4, [](int x, int y) { return x < 13 && y >= 4; }},
    {5, 4, 2, 1, 4, 3, 3, 3, [](int x, int y) { return x >= 5 && x <= 7 && y >= 4 && y <= 6; }},
    // Limited to the image.
    {0, 0, -5, -5, 1, 1, 0, 0, [](int x, int y) { return x <= 1 && y <= 1; }},
    {5, 4, 2, 1, 100, 100, 3, 3, [](int x, int y) { return x >= 5 && y >= 4; }},
    // Wholly off the screen.
    {-16, 0, ALL, ALL, ALL, ALL, 0, 0, [](int, int) { return false; }},
    {16, 0, ALL, ALL, ALL, ALL, 0, 0, [](int, int) { return false; }},
    {0, 12, ALL, ALL, ALL, ALL, 0, 0, [](int, int) { return false; }},
    {1e30f, -1e30f, ALL, ALL, ALL, ALL, 0, 0, [](int, int) { return false; }}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
    open(16, 12, 32);
    const ImagePtr image = numbered(16, 12);
    putImage(nullptr, c.x, c.y, image.get(), c.left, c.top, c.right, c.bottom, 0, COPY);
    expectPlaced(*image, c.dx, c.dy, c.inside);
  }
}

TEST_F(ImageTest, PrimitivesDrawIntoAnImageOnlyWhileAScreenIsOpen) {
  open(16, 12, 32);
  const ImagePtr image = makeImage(8, 6, BLACK, 0);
  drawLine(image.get(), 2, 1, 20, 1, RED, LINE, SOLID, 0);  // clipped to the image
  EXPECT_EQ(imagePixel(*image, 7, 1), RED);
  EXPECT_EQ(imagePixel(*image, 1, 1), BLACK);
  EXPECT_EQ(countNot(BLACK), 0);  // the screen is untouched

  setNumberedScreenMode(0, 0, 0, 0, 0);
  drawLine(image.get(), 0, 3, 7, 3, RED, LINE, SOLID, 0);
  EXPECT_EQ(imagePixel(*image, 4, 3), BLACK);
}

}  // namespace
}  // namespace orventa
