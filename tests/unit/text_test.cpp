// Text: the built-in bitmap fonts (glyph tables, drawBitmapText, the text grid) and system-font
// text (its height, the block that reaches the screen, and the screens it refuses).
#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <string_view>

#include "graphics/bitmap_font.h"
#include "graphics/platform/platform.h"
#include "tests/support/headless_fixture.h"
#include "tests/support/relay_platform.h"
#include "ui/system_text.h"

namespace orventa {
namespace {

using platform::FontRequest;
using platform::TextExtent;
using testing::bounds;
using testing::Bounds;
using testing::PixelSet;

constexpr std::uint32_t PAPER = 0xFF204060;
constexpr std::uint32_t INK = 0xFF123456;
constexpr std::uint32_t BACKDROP = 0xFF203040;
constexpr std::uint32_t YELLOW = 0xFFFFFF00;
constexpr std::uint32_t BLUE = 0xFF0000FF;
constexpr std::uint32_t TEXT_MODE = 4;  // coordinate mode 4, the given colour

// The pixels of rectangles {x1, y1, x2, y2}, corners included.
PixelSet boxes(std::initializer_list<std::array<int, 4>> rectangles) {
  PixelSet s;
  for (const auto& [x1, y1, x2, y2] : rectangles)
    for (int y = y1; y <= y2; ++y)
      for (int x = x1; x <= x2; ++x) s.insert({x, y});
  return s;
}

using FontTest = testing::HeadlessTest;

TEST(BitmapFontTableTest, GlyphsAreTopRowFirstAndEachVisibleOneHasItsOwnShape) {
  EXPECT_EQ(glyphRows(12, 'A'), nullptr);
  for (int h : {8, 14, 16}) {
    SCOPED_TRACE(h);
    for (int r = 0; r < h; ++r)  // row 0 is the top
      EXPECT_EQ(glyphRows(h, 0xDF)[r], r < h / 2 ? 0xFF : 0x00) << "upper half block, row " << r;
    // Every visible character has ink and a shape of its own: a font that lacks a character or
    // folds it onto another (a triangle onto an arrow, a double line onto a single one) fails.
    std::set<std::string> shapes;
    for (int code = 0; code < 256; ++code) {
      const std::uint8_t* rows = glyphRows(h, static_cast<unsigned char>(code));
      const std::string shape(rows, rows + h);
      const bool blankCode = code == 0x00 || code == 0x20 || code == 0xFF;
      EXPECT_EQ(shape == std::string(h, '\0'), blankCode) << "code " << code;
      EXPECT_TRUE(blankCode || shapes.insert(shape).second) << "code " << code << " repeats";
    }
  }
}

TEST_F(FontTest, TextIsRoundedAndClippedToTheScreen) {
  // A left half block then a full block: bit 0 is the leftmost column, cells are 8 apart.
  open(40, 20, 32);
  setColors(0, BACKDROP, 1);
  clearScreen();
  drawBitmapText(nullptr, -2.5f, -3, TEXT_MODE, "\xDD\xDB", YELLOW);  // x rounds to -3
  drawBitmapText(nullptr, 34, 15, TEXT_MODE, "\xDD\xDB", YELLOW);
  EXPECT_EQ(pixelsNot(BACKDROP), boxes({{0, 0, 0, 4}, {5, 0, 12, 4}, {34, 15, 37, 19}}));
}

TEST_F(FontTest, GridSizePicksTheFontByCellSize) {
  // Width, height, columns, rows and the glyph height they give; 0: no font fits, nothing changes.
  for (const auto& [w, h, columns, rows, glyph] : {std::array{640, 350, 80, 25, 14},
                                                   {640, 480, 80, 60, 8},
                                                   {644, 484, 80, 40, 0},
                                                   {640, 480, 0, 30, 0}}) {
    SCOPED_TRACE(::testing::Message() << w << "x" << h << " grid " << columns << "x" << rows);
    open(w, h, 8);
    EXPECT_EQ(setTextGrid(columns, rows), glyph == 0 ? 1 : 0);
    const int cell = glyph == 0 ? 8 : glyph;
    EXPECT_EQ(textGridSize(), static_cast<std::uint32_t>(h / cell << 16 | w / 8));
    // A full block in cell (2, 2) covers exactly that cell.
    setColors(15, 0, 0);
    setTextCursor(2, 2);
    printText("\xDB", false);
    EXPECT_EQ(countNot(0), 8 * cell);
    EXPECT_EQ(pixel(15, 2 * cell - 1), 15u);
  }
}

TEST_F(FontTest, PrintMovesAlongTheRowDownOnALineBreakAndClipsCellsOffTheScreen) {
  open(20, 12, 32);  // a 2 x 1 grid with a partial row and column beyond it
  setColors(0, BACKDROP, 1);
  clearScreen();
  setColors(YELLOW, BLUE, 0);
  setTextCursor(1, 1);
  printText("\xDD", false);
  printText("\xDD", true);
  printText("\xDB\xDB\xDB", false);  // row 2, cut by the edges, not wrapped
  EXPECT_EQ(pixelsNot(BACKDROP), boxes({{0, 0, 15, 7}, {0, 8, 19, 11}}));
  // Ink on the left half of each cell, paper on the right.
  for (int x : {0, 3, 8, 11}) EXPECT_EQ(pixel(x, 7), YELLOW) << x;
  for (int x : {4, 7, 12, 15}) EXPECT_EQ(pixel(x, 0), BLUE) << x;
  EXPECT_EQ(countNot(BLUE), 20 * 12 - 4 * 8 * 2);
}

TEST(SystemTextHeight, PointsToPixelsAt96Dpi) {
  EXPECT_EQ(fontPixelHeight(14, 96), -19);  // 18.67 rounds to 19
  // Halves go away from zero, as in the Windows MulDiv: 3 * 108 / 72 = 4.5.
  EXPECT_EQ(fontPixelHeight(3, 108), -5);
  EXPECT_EQ(fontPixelHeight(-3, 108), 5);
}

// The headless display with a font engine whose "text" fills its whole rectangle, so the block
// that reaches the screen shows.
class SolidFonts final : public testing::RelayPlatform, public platform::FontEngine {
 public:
  using RelayPlatform::RelayPlatform;
  TextExtent extent;

  platform::FontEngine& fonts() override { return *this; }
  int logicalDpi() override { return 96; }
  TextExtent measureText(const FontRequest&, std::string_view) override { return extent; }
  void drawText(const FontRequest&, std::string_view, std::uint32_t* bitmap, int bitmapWidth,
                int bitmapHeight, int x, int y, int width, int height, std::uint32_t colour,
                std::uint32_t) override {
    for (int row = std::max(y, 0); row < std::min(y + height, bitmapHeight); ++row)
      for (int col = std::max(x, 0); col < std::min(x + width, bitmapWidth); ++col)
        bitmap[std::size_t(row) * bitmapWidth + col] = colour;
  }
};

class SystemText : public testing::HeadlessTest {
 protected:
  ~SystemText() override { platform::usePlatform(&display_); }
  // Opens a screen of `depth` painted PAPER.
  void openPainted(int depth) {
    open(640, 480, depth);
    setColors(0xFFFFFFFF, PAPER, 0);
    clearScreen();
  }
  SolidFonts solid_{display_};
};

TEST_F(SystemText, BlockDropsTheLastColumnAndItalicWidensAndHeightensRoundingHalvesToEven) {
  const struct {
    int style;
    TextExtent extent;
    int size, width, height;
  } cases[] = {
      {BOLD, {40, 20, 0}, 18, 40, 20},
      {ITALIC, {10, 27, 0}, 13, 18, 30},  // 10 + 6.5 + 1 = 17.5 -> 18; 27 + 1.625 + 1 -> 30
      {ITALIC, {11, 27, 0}, 13, 18, 30},  // 18.5 -> 18
      {ITALIC, {10, 27, 0}, 4, 13, 28},   // 27 + 0.5 + 1 = 28.5 -> 28
      {ITALIC, {40, 20, 3}, 18, 43, 23},  // an overhang replaces the widening; 23.25 -> 23
  };
  platform::usePlatform(&solid_);
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "style " << c.style << " extent " << c.extent.width << "x"
                                      << c.extent.height << " size " << c.size);
    solid_.extent = c.extent;
    openPainted(32);
    drawSystemText(100, 50, "text", "Arial", c.size, INK, c.style);
    const PixelSet block = pixelsNot(PAPER);
    EXPECT_EQ(block.size(), std::size_t(c.width - 1) * std::size_t(c.height));
    EXPECT_EQ(bounds(block), (Bounds{100, 100 + c.width - 2, 50, 50 + c.height - 1}));
    // All of it in the ink, with the alpha the copy stores.
    EXPECT_EQ(countNot(0x00123456), 640 * 480 - static_cast<long>(block.size()));
  }
}

// Real faces through the headless backend's FreeType engine; their pixels are pinned by the
// scenario tests, so only what draws nothing is checked here.
TEST_F(SystemText, DrawsNothingOnPalettedOrHighColourScreensNorInTheKeyColour) {
  for (const auto& [depth, colour] : {std::pair{8, INK}, {16, INK}, {32, 0xFFFF00FFu}}) {
    openPainted(depth);
    const std::uint32_t paper = pixel(0, 0);
    drawSystemText(10, 10, "The quick brown fox", "Arial", 18, colour, REGULAR);
    EXPECT_EQ(countNot(paper), 0) << depth << " bits";
  }
}

}  // namespace
}  // namespace orventa
