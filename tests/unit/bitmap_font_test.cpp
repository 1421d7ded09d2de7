// The built-in bitmap fonts: glyph tables, drawBitmapText, and the text grid with its fonts.
#include "graphics/bitmap_font.h"

#include <set>
#include <string>
#include <string_view>

#include "tests/support/headless_fixture.h"

namespace orventa {
namespace {

using platform::DisplayMode;
using platform::HeadlessConfig;
using testing::PixelSet;

constexpr std::uint32_t BACKDROP = 0xFF203040;
constexpr std::uint32_t YELLOW = 0xFFFFFF00;
constexpr std::uint32_t BLUE = 0xFF0000FF;
constexpr std::uint32_t TEXT_MODE = 4;  // coordinate mode 4, the given colour

// Large and odd sizes open whatever the mode list says.
HeadlessConfig anySize() {
  HeadlessConfig config;
  config.accepts = [](const DisplayMode&, bool) { return true; };
  return config;
}

// The pixels of the rectangle from (x1, y1) to (x2, y2), corners included.
PixelSet box(int x1, int y1, int x2, int y2) {
  PixelSet s;
  for (int y = y1; y <= y2; ++y)
    for (int x = x1; x <= x2; ++x) s.insert({x, y});
  return s;
}

class FontTest : public testing::HeadlessTest {
 protected:
  FontTest() : HeadlessTest(anySize()) {}
};

TEST(BitmapFontTableTest, GlyphsHaveTheCodePageShapesWithBitZeroLeftmost) {
  EXPECT_EQ(glyphRows(12, 'A'), nullptr);
  for (int h : {8, 14, 16}) {
    SCOPED_TRACE(h);
    for (int r = 0; r < h; ++r) {
      EXPECT_EQ(glyphRows(h, 0xDD)[r], 0x0F) << "left half block, row " << r;
      EXPECT_EQ(glyphRows(h, 0xDF)[r], r < h / 2 ? 0xFF : 0x00) << "upper half block, row " << r;
    }
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
  PixelSet expected = box(0, 0, 0, 4);
  expected.merge(box(5, 0, 12, 4));
  expected.merge(box(34, 15, 37, 19));
  EXPECT_EQ(pixelsNot(BACKDROP), expected);
}

TEST_F(FontTest, GridSizePicksTheFontByCellSize) {
  const struct {
    int width, height, columns, rows;
    int glyphHeight;  // 0: no font fits, nothing changes
  } cases[] = {{800, 600, 100, 37, 16},
               {640, 350, 80, 25, 14},
               {640, 480, 80, 60, 8},
               {644, 484, 80, 40, 0},
               {640, 480, 0, 30, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.width << "x" << c.height << " grid " << c.columns << "x" << c.rows);
    open(c.width, c.height, 8);
    EXPECT_EQ(setTextGrid(c.columns, c.rows), c.glyphHeight == 0 ? 1 : 0);
    const int h = c.glyphHeight == 0 ? 8 : c.glyphHeight;
    const int columns = c.glyphHeight == 0 ? c.width / 8 : c.columns;
    const int rows = c.glyphHeight == 0 ? c.height / 8 : c.rows;
    EXPECT_EQ(textGridSize(), static_cast<std::uint32_t>(rows) << 16 | columns);
    // A full block in cell (2, 2) covers exactly that cell.
    setColors(15, 0, 0);
    setTextCursor(2, 2);
    printText("\xDB", false);
    EXPECT_EQ(countNot(0), 8 * h);
    EXPECT_EQ(pixel(8, h), 15u);
    EXPECT_EQ(pixel(15, 2 * h - 1), 15u);
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
  PixelSet expected = box(0, 0, 3, 7);
  expected.merge(box(8, 0, 11, 7));
  expected.merge(box(0, 8, 19, 11));
  PixelSet yellow;
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x)
      if (pixel(x, y) == YELLOW) yellow.insert({x, y});
  EXPECT_EQ(yellow, expected);
  EXPECT_EQ(pixel(4, 0), BLUE);  // the half block's paper
}

}  // namespace
}  // namespace orventa
