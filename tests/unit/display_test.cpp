// What reaches the display: screens, their pixel formats, palette and numbered modes.
#include <array>
#include <cstdint>

#include "graphics/platform/frame_rows.h"
#include "graphics/screen.h"
#include "tests/support/headless_fixture.h"

namespace orventa {
namespace {

constexpr std::uint32_t RED = 0xFFFF0000;
constexpr std::uint32_t BLACK = 0xFF000000;

// Width, height and depth as getScreenInfo reports them.
std::array<int, 3> screenInfo() {
  int w = -1, h = -1, depth = -1, refresh = -1;
  getScreenInfo(w, h, depth, refresh);
  return {w, h, depth};
}

using ScreenTest = testing::HeadlessTest;

TEST_F(ScreenTest, RefusesBadSizeOrDepthAndKeepsTheOpenScreen) {
  open(64, 48, 32);
  setPixel(3, 4, RED);
  void* const before = screenPointer();
  for (const auto& [w, h, depth] :
       {std::array{0, 48, 32}, {64, -1, 32}, {64, 48, 0}, {64, 48, 31}, {64, 48, 64}}) {
    EXPECT_EQ(setScreenMode(w, h, depth, 1, FULL_SCREEN, 0), 1) << w << "x" << h << "x" << depth;
    EXPECT_EQ(screenPointer(), before);
  }
  EXPECT_EQ(setNumberedScreenMode(22, 8, 0, FULL_SCREEN, 0), 1);  // no such numbered mode
  EXPECT_EQ(screenPointer(), before);
  EXPECT_EQ(screenInfo(), (std::array{64, 48, 32}));
  EXPECT_EQ(pixel(3, 4), RED);
  // One too large for memory fails too, but the old screen is gone by then.
  EXPECT_EQ(setScreenMode(60000, 60000, 32, 2, FULL_SCREEN, 0), 1);
  EXPECT_TRUE(screenPointer() == nullptr && openScreen() == nullptr);
}

TEST_F(ScreenTest, OpensInTheMappedFormatWhiteOnBlackOrAsANumberedModeSays) {
  // clang-format off
  const struct {
    int requested, stored, bytesPerPixel;
    std::uint32_t foreground, background;
  } cases[] = {{8, 8, 1, 15, 0}, {15, 16, 2, 0xFFFF, 0}, {24, 32, 4, 0xFFFFFFFF, BLACK}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.requested);
    open(40, 30, c.requested, 2);
    const Screen* s = openScreen();
    EXPECT_EQ(screenInfo()[2], c.stored);
    EXPECT_EQ(s->pitch, 40 * c.bytesPerPixel);  // rows are not padded
    EXPECT_EQ(s->foreground, c.foreground);
    EXPECT_EQ(countNot(c.background, 1), 0);
  }
  // Page count 0 means one page; a numbered mode fixes size, depth and text grid.
  ASSERT_EQ(setNumberedScreenMode(18, 8, 0, FULL_SCREEN, 0), 0);
  EXPECT_EQ(screenInfo(), (std::array{640, 480, 8}));
  EXPECT_EQ(textGridSize(), 30u << 16 | 80u);
  EXPECT_EQ(openScreen()->pages.size(), 1u);
}

TEST_F(ScreenTest, EightBitScreenStartsWithTheVgaPalette) {
  open(32, 16, 8);
  // The EGA colours, the grey ramp, the hue runs and the black tail; levels are v * 255 / 63
  // rounded down, so 6-bit 31 is 0x7D.
  const std::pair<int, std::uint32_t> entries[] = {
      {6, 0xAA5500},   {12, 0xFF5555},  {23, 0x616161},  {42, 0xFF7D00},
      {104, 0x000071}, {206, 0x402030}, {247, 0x2C3040}, {248, 0}};
  for (const auto& [index, rgb] : entries) EXPECT_EQ(openScreen()->palette[index], rgb) << index;
}

// Rows as the display gets them, worked out bit by bit: RGB565 widens each channel by repeating
// its top bits (red 10000 -> 10000100 = 0x84, green 100000 -> 10000010 = 0x82), indices go
// through the palette, and every pixel is made opaque. Widths of 5 and 6 reach past the four
// pixels the converters take at once.
TEST(FrameRows, WidenRgb565LookUpIndicesAndMakeEveryPixelOpaque) {
  const std::uint16_t wide[2][5] = {{0xF800, 0x07E0, 0x001F, 0x8410, 0x0000},
                                    {0xFFFF, 0x0821, 0x0000, 0x0000, 0x0000}};
  const std::uint8_t indices[2][6] = {{0, 1, 2, 3, 2, 1}, {3, 3, 3, 3, 3, 0}};
  const std::uint32_t argb[2][5] = {{0x12345678, 0, 0xFFFFFFFF, 0x00ABCDEF, 1}, {}};
  std::uint32_t palette[256] = {0x000000, 0xAA0000, 0x00AA00, 0x123456};
  const struct {
    const void* pixels;
    int bytesPerPixel, width;
    std::uint32_t rows[2][6];
  } cases[] = {{wide,
                2,
                5,
                {{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF848284, 0xFF000000},
                 {0xFFFFFFFF, 0xFF080408, 0xFF000000, 0xFF000000, 0xFF000000}}},
               {indices,
                1,
                6,
                {{0xFF000000, 0xFFAA0000, 0xFF00AA00, 0xFF123456, 0xFF00AA00, 0xFFAA0000},
                 {0xFF123456, 0xFF123456, 0xFF123456, 0xFF123456, 0xFF123456, 0xFF000000}}},
               {argb,
                4,
                5,
                {{0xFF345678, 0xFF000000, 0xFFFFFFFF, 0xFFABCDEF, 0xFF000001},
                 {0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000}}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytesPerPixel);
    std::uint8_t dirty[2] = {1, 1};
    platform::FrameView frame{static_cast<const std::uint8_t*>(c.pixels),
                              c.width,
                              2,
                              c.bytesPerPixel,
                              c.width * c.bytesPerPixel,
                              palette,
                              dirty};
    std::uint32_t out[2][8] = {};  // rows 32 bytes apart, wider than the frame
    platform::convertRows(frame, 0, 1, reinterpret_cast<std::uint8_t*>(out), sizeof out[0]);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < c.width; ++x) EXPECT_EQ(out[y][x], c.rows[y][x]) << x << "," << y;
    EXPECT_EQ(out[0][c.width], 0u);  // nothing past the row
    EXPECT_EQ(dirty[0] + dirty[1], 0);
  }
}

}  // namespace
}  // namespace orventa
