// Opening screens, their pixel formats, colours, palette, mode lists, numbered modes and pages.
#include "graphics/screen.h"

#include <array>
#include <vector>

#include "graphics/colour.h"
#include "tests/support/headless_fixture.h"

namespace orventa {
namespace {

using platform::HeadlessConfig;
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
  const int bad[][3] = {{0, 48, 32},  {-64, 48, 32}, {64, -1, 32}, {64, 48, 0},
                        {64, 48, 12}, {64, 48, 31},  {64, 48, -8}, {64, 48, 64}};
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
  } cases[] = {{1, 1, 1, 0x1, 0, 0}, {2, 2, 1, 0x3, 0, 0}, {4, 4, 1, 0xF, 0, 0},
               {8, 8, 1, 0xFF, 15, 0}, {15, 16, 2, 0xFFFF, 0xFFFF, 0},
               {16, 16, 2, 0xFFFF, 0xFFFF, 0}, {24, 32, 4, 0xFFFFFFFF, 0xFFFFFFFF, BLACK},
               {32, 32, 4, 0xFFFFFFFF, 0xFFFFFFFF, BLACK}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.requested);
    open(40, 30, c.requested, 2);
    const Screen* s = openScreen();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(screenInfo()[2], c.stored);
    EXPECT_EQ(s->bytesPerPixel, c.bytesPerPixel);
    EXPECT_EQ(s->pitch, 40 * c.bytesPerPixel);  // rows are not padded
    EXPECT_EQ(s->colourMask, c.mask);
    ASSERT_EQ(s->pages.size(), 2u);
    if (c.stored < 8) continue;  // the system never opens these; their colours are not pinned
    EXPECT_EQ(s->foreground, c.foreground);
    EXPECT_EQ(s->background, c.background);
    EXPECT_EQ(countNot(c.background, 0), 0);
    EXPECT_EQ(countNot(c.background, 1), 0);
  }
}

TEST_F(ScreenTest, ColourBecomesThePixelFormat) {
  const struct {
    int depth;
    std::uint32_t colour, pixel;
  } cases[] = {
      {16, 0xFF0000, 0xF800},       {16, 0x00FF00, 0x07E0},      {16, 0x0000FF, 0x001F},
      {16, 0x808080, 0x8410},       {16, 0xFFFFFF, 0xFFFF},      {16, 0x123456, 0x11AA},
      {16, 0xAB123456, 0x11AA},  // the top byte is ignored
      {16, 0x070307, 0x0000},    // bits below the 5-6-5 fields are dropped
      {15, 0x808080, 0x8410},    // 15 shares the 16-bit format
      {8, 0xFFFFFFFF, 255},         {8, 0xFFFF0000, 0},          {8, 0x10F, 0x0F},
      {4, 0xFFFFFFFF, 0x0F},  // masked with 2^depth - 1, not 0xFF
      {24, 0x12345678, 0x12345678}, {32, 0x00FF0000, 0x00FF0000}};  // alpha is stored as given
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.depth << " bits, " << std::hex << c.colour);
    open(16, 16, c.depth);
    setColors(c.colour, c.colour, 0);
    EXPECT_EQ(openScreen()->foreground, c.pixel);
    EXPECT_EQ(openScreen()->background, c.pixel);
    drawLine(nullptr, 2, 2, 3, 3, c.colour, FILLED_BOX, SOLID, 0);
    EXPECT_EQ(pixel(3, 3), c.pixel);
  }
}

TEST_F(ScreenTest, EightBitScreenStartsWithTheVgaPalette) {
  open(32, 16, 8);
  const auto& p = openScreen()->palette;
  EXPECT_EQ(p, defaultPalette());

  const std::uint32_t ega[16] = {0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA,
                                 0xAA5500, 0xAAAAAA, 0x555555, 0x5555FF, 0x55FF55, 0x55FFFF,
                                 0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF};
  const std::uint32_t grey[16] = {0x00, 0x14, 0x20, 0x2C, 0x38, 0x44, 0x50, 0x61,
                                  0x71, 0x81, 0x91, 0xA1, 0xB6, 0xCA, 0xE2, 0xFF};
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(p[i], ega[i]) << i;
    EXPECT_EQ(p[16 + i], grey[i] * 0x010101u) << 16 + i;
  }
  // Nine hue runs of 24 (blue, magenta, red, yellow, green, cyan); levels v * 255 / 63 rounded
  // down, so 6-bit 16 is 0x40 and 31 is 0x7D.
  const std::pair<int, std::uint32_t> hues[] = {
      {32, 0x0000FF},  {33, 0x4000FF},  {42, 0xFF7D00},  {56, 0x7D7DFF},  {80, 0xB6B6FF},
      {104, 0x000071}, {141, 0x617138}, {176, 0x000040}, {206, 0x402030}, {247, 0x2C3040}};
  for (const auto& [index, rgb] : hues) EXPECT_EQ(p[index], rgb) << index;
  for (int i = 248; i < 256; ++i) EXPECT_EQ(p[i], 0u) << i;

  // The display shows indices through the palette: 12 is light red, 255 black.
  drawLine(nullptr, 0, 0, 3, 0, 12, LINE, SOLID, 0);
  drawLine(nullptr, 0, 1, 3, 1, 0xFFFFFFFF, LINE, SOLID, 0);
  const auto shown = display_.snapshot();
  ASSERT_EQ(shown.size(), 32u * 16u);
  EXPECT_EQ(shown[2], 0xFF5555u);
  EXPECT_EQ(shown[32 + 2], 0x000000u);
}

class DriverModesTest : public HeadlessTest {
 protected:
  DriverModesTest() : HeadlessTest(config()) {}
  static HeadlessConfig config() {
    HeadlessConfig c;
    c.modes = {{1024, 768, 8, 60}, {1024, 768, 8, 75}, {800, 600, 8, 60},  {1024, 600, 8, 60},
               {640, 480, 16, 60}, {640, 480, 15, 60}, {320, 200, 15, 70}, {1280, 1024, 32, 60},
               {800, 600, 32, 60}, {800, 600, 24, 60}, {720, 400, 4, 70},  {1024, 768, 32, 60}};
    return c;
  }
  static std::vector<std::uint32_t> list(int depth) {
    std::vector<std::uint32_t> codes;
    for (std::uint32_t code = listScreenModes(depth); code != 0 && codes.size() < 50;
         code = listScreenModes(0))
      codes.push_back(code);
    return codes;
  }
};

constexpr std::uint32_t code(std::uint32_t w, std::uint32_t h) { return w << 16 | h; }

TEST_F(DriverModesTest, ListsEachSizeOnceSortedByWidthThenHeight) {
  EXPECT_EQ(list(8),
            (std::vector<std::uint32_t>{code(800, 600), code(1024, 600), code(1024, 768)}));
  EXPECT_EQ(listScreenModes(0), 0u);  // stays exhausted
  EXPECT_EQ(listScreenModes(0), 0u);

  const std::vector<std::uint32_t> sixteen = {code(320, 200), code(640, 480)};
  EXPECT_EQ(list(16), sixteen);
  EXPECT_EQ(list(15), sixteen);
  const std::vector<std::uint32_t> truecolour = {code(800, 600), code(1024, 768), code(1280, 1024)};
  EXPECT_EQ(list(24), truecolour);
  EXPECT_EQ(list(32), truecolour);
  EXPECT_EQ(list(4), std::vector<std::uint32_t>{code(720, 400)});
  EXPECT_EQ(listScreenModes(2), 0u);
  EXPECT_EQ(listScreenModes(0), 0u);
}

TEST_F(ScreenTest, NumberedModesFixSizeAndTextGrid) {
  ASSERT_EQ(setNumberedScreenMode(18, 8, 0, FULL_SCREEN, 0), 0);
  EXPECT_EQ(screenInfo(), withRefresh({640, 480, 8}, screenInfo()[3]));
  EXPECT_EQ(textGridSize(), 30u << 16 | 80u);
  EXPECT_EQ(openScreen()->pages.size(), 1u);  // page count 0 means one page

  ASSERT_EQ(setNumberedScreenMode(19, 8, 0, FULL_SCREEN, 0), 0);
  EXPECT_EQ(screenInfo(), withRefresh({800, 600, 8}, screenInfo()[3]));
  EXPECT_EQ(textGridSize(), 37u << 16 | 100u);

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
  EXPECT_EQ(openScreen()->workPage, 0);
  EXPECT_EQ(openScreen()->visiblePage, 0);
  copyPage(1, -1);  // onto the visible page
  EXPECT_EQ(countNot(RED, 0), 16);
  EXPECT_EQ(display_.snapshot()[0], 0xFF0000u);
}

}  // namespace
}  // namespace orventa
