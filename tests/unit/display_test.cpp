// What reaches the display: screens, their pixel formats, palette and numbered modes.
#include <array>
#include <cstdint>

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

  // The display shows indices through the palette: 12 is light red, 255 black.
  drawLine(nullptr, 0, 0, 3, 0, 12, LINE, SOLID, 0);
  drawLine(nullptr, 0, 1, 3, 1, 0xFFFFFFFF, LINE, SOLID, 0);
  EXPECT_EQ(display_.snapshot()[2], 0xFF5555u);
  EXPECT_EQ(display_.snapshot()[32 + 2], 0x000000u);
}

}  // namespace
}  // namespace orventa
