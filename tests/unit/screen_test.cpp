// Opening screens, their pixel formats, colours, palette, numbered modes and pages.
#include "graphics/screen.h"

#include <array>

#include "graphics/colour.h"
#include "tests/support/headless_fixture.h"

namespace orventa {
namespace {

using testing::HeadlessTest;

constexpr std::uint32_t RED = 0xFFFF0000;
constexpr std::uint32_t BLACK = 0xFF000000;

// Width, height, depth and refresh rate as getScreenInfo reports them.
using Info = std::array<int, 4>;
Info screenInfo() {
  Info i{-1, -1, -1, -1};
  getScreenInfo(i[0], i[1], i[2], i[3]);
  return i;
}
Info withRefresh(Info i, int refresh) { return {i[0], i[1], i[2], refresh}; }

using ScreenTest = HeadlessTest;

TEST_F(ScreenTest, RefusesBadSizeOrDepthAndKeepsTheOpenScreen) {
  EXPECT_EQ(setScreenMode(64, 48, 12, 1, FULL_SCREEN, 0), 1);
  EXPECT_EQ(screenPointer(), nullptr);

  open(64, 48, 32);
  setPixel(3, 4, RED);
  void* const before = screenPointer();
  const int bad[][3] = {{0, 48, 32}, {64, -1, 32}, {64, 48, 0}, {64, 48, 31}, {64, 48, 64}};
  for (const auto& b : bad) {
    EXPECT_EQ(setScreenMode(b[0], b[1], b[2], 1, FULL_SCREEN, 0), 1)
        << b[0] << "x" << b[1] << "x" << b[2];
    EXPECT_EQ(screenPointer(), before);
  }
  EXPECT_EQ(screenInfo(), withRefresh({64, 48, 32}, screenInfo()[3]));
  EXPECT_EQ(pixel(3, 4), RED);
  // One too large for memory fails too, but the old screen is gone by then.
  EXPECT_EQ(setScreenMode(60000, 60000, 32, 2, FULL_SCREEN, 0), 1);
  EXPECT_TRUE(screenPointer() == nullptr && openScreen() == nullptr);
}

TEST_F(ScreenTest, OpensInTheMappedFormatWhiteOnBlack) {
  // clang-format off
  const struct {
    int requested, stored, bytesPerPixel;
    std::uint32_t mask, foreground, background;
  } cases[] = {{8, 8, 1, 0xFF, 15, 0}, {15, 16, 2, 0xFFFF, 0xFFFF, 0},
               {24, 32, 4, 0xFFFFFFFF, 0xFFFFFFFF, BLACK}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.requested);
    open(40, 30, c.requested, 2);
    const Screen* s = openScreen();
    EXPECT_EQ(screenInfo()[2], c.stored);
    EXPECT_EQ(s->bytesPerPixel, c.bytesPerPixel);
    EXPECT_EQ(s->pitch, 40 * c.bytesPerPixel);  // rows are not padded
    EXPECT_EQ(s->colourMask, c.mask);
    ASSERT_EQ(s->pages.size(), 2u);
    EXPECT_EQ(s->foreground, c.foreground);
    EXPECT_EQ(s->background, c.background);
    EXPECT_EQ(countNot(c.background, 1), 0);
  }
}

TEST_F(ScreenTest, ColourBecomesThePixelFormat) {
  const struct {
    int depth;
    std::uint32_t colour, pixel;
  } cases[] = {{16, 0x00FF00, 0x07E0},
               {16, 0xAB123456, 0x11AA},  // the top byte is ignored
               {16, 0x070307, 0x0000},    // bits below the 5-6-5 fields are dropped
               {8, 0x10F, 0x0F},
               {4, 0xFFFFFFFF, 0x0F},          // masked with 2^depth - 1, not 0xFF
               {32, 0x00FF0000, 0x00FF0000}};  // alpha is stored as given
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.depth << " bits, " << std::hex << c.colour);
    open(16, 16, c.depth);
    setColors(c.colour, c.colour, 0);
    EXPECT_EQ(openScreen()->background, c.pixel);
    drawLine(nullptr, 2, 2, 3, 3, c.colour, FILLED_BOX, SOLID, 0);
    EXPECT_EQ(pixel(3, 3), c.pixel);
  }
}

TEST_F(ScreenTest, EightBitScreenStartsWithTheVgaPalette) {
  open(32, 16, 8);
  const auto& p = openScreen()->palette;

  // Spot checks across the EGA colours, the grey ramp, the hue runs and the black tail; levels
  // are v * 255 / 63 rounded down, so 6-bit 31 is 0x7D.
  const std::pair<int, std::uint32_t> entries[] = {
      {6, 0xAA5500},   {12, 0xFF5555},  {23, 0x616161},  {42, 0xFF7D00},
      {104, 0x000071}, {206, 0x402030}, {247, 0x2C3040}, {248, 0}};
  for (const auto& [index, rgb] : entries) EXPECT_EQ(p[index], rgb) << index;

  // The display shows indices through the palette: 12 is light red, 255 black.
  drawLine(nullptr, 0, 0, 3, 0, 12, LINE, SOLID, 0);
  drawLine(nullptr, 0, 1, 3, 1, 0xFFFFFFFF, LINE, SOLID, 0);
  const auto shown = display_.snapshot();
  EXPECT_EQ(shown[2], 0xFF5555u);
  EXPECT_EQ(shown[32 + 2], 0x000000u);
}

TEST_F(ScreenTest, NumberedModesFixSizeAndTextGrid) {
  ASSERT_EQ(setNumberedScreenMode(18, 8, 0, FULL_SCREEN, 0), 0);
  EXPECT_EQ(screenInfo(), withRefresh({640, 480, 8}, screenInfo()[3]));
  EXPECT_EQ(textGridSize(), 30u << 16 | 80u);
  EXPECT_EQ(openScreen()->pages.size(), 1u);  // page count 0 means one page

  EXPECT_EQ(setNumberedScreenMode(22, 8, 0, FULL_SCREEN, 0), 1);
  EXPECT_EQ(setNumberedScreenMode(0, 0, 0, 0, 0), 0);
  EXPECT_EQ(screenPointer(), nullptr);
}

TEST_F(ScreenTest, PagesChooseWhereDrawingGoesAndWhatIsShown) {
  open(32, 24, 32, 2);
  setPages(1, -1);
  setColors(0, RED, 1);
  clearScreen();  // the work page only
  EXPECT_EQ(countNot(RED, 1), 0);
  EXPECT_EQ(countNot(BLACK, 0), 0);
  drawLine(nullptr, 2, 2, 5, 5, 0x1200FF00, FILLED_BOX, SOLID, 0);
  EXPECT_EQ(pixelOnPage(1, 3, 3), 0x1200FF00u);
  EXPECT_EQ(display_.snapshot()[3 * 32 + 3], 0x000000u);  // page 0 is still shown
  setPages(-1, 1);
  EXPECT_EQ(display_.snapshot()[3 * 32 + 3], 0x00FF00u);  // alpha is carried, not shown

  setPages(-1, -1);  // both back to 0
  copyPage(1, -1);   // onto the visible page
  EXPECT_EQ(countNot(RED, 0), 16);
  EXPECT_EQ(display_.snapshot()[0], 0xFF0000u);
}

}  // namespace
}  // namespace orventa
