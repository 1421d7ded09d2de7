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

bool inked(int height, unsigned char code, int column, int row) {
  return (glyphRows(height, code)[row] >> column) & 1;
}

// Large and odd sizes open whatever the mode list says.
HeadlessConfig anySize() {
  HeadlessConfig config;
  config.accepts = [](const DisplayMode&, bool) { return true; };
  return config;
}

class FontTest : public testing::HeadlessTest {
 protected:
  FontTest() : HeadlessTest(anySize()) {}

  // The on-screen pixels that 8-high `text` inks with its first glyph's top-left at (left, top).
  static PixelSet inkOf(std::string_view text, int left, int top) {
    const Screen* s = openScreen();
    PixelSet set;
    for (std::size_t i = 0; i < text.size(); ++i)
      for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) {
          const int x = left + 8 * static_cast<int>(i) + c, y = top + r;
          if (x >= 0 && y >= 0 && x < s->width && y < s->height &&
              inked(8, static_cast<unsigned char>(text[i]), c, r))
            set.insert({x, y});
        }
    return set;
  }
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
  const struct {
    float x, y;
    int left, top;
    std::string_view text;
  } cases[] = {
      {-4, -3, -4, -3, "10"},      // the first glyph loses its left columns and top rows
      {-15, 3, -15, 3, "1\xDB"},   // only the last column of the last glyph remains
      {28, 15, 28, 15, "10"},      // the right and bottom edges cut the second glyph
      {-2.5f, 1.5f, -3, 2, "10"},  // halves away from zero
  };
  open(40, 20, 32);
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
    setColors(0, BACKDROP, 1);
    clearScreen();
    drawBitmapText(nullptr, c.x, c.y, TEXT_MODE, c.text, YELLOW);
    EXPECT_EQ(pixelsNot(BACKDROP), inkOf(c.text, c.left, c.top));
  }
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
  PixelSet expected;
  for (int y = 0; y < 8; ++y)
    for (int x : {0, 1, 2, 3, 8, 9, 10, 11}) expected.insert({x, y});
  for (int y = 8; y < 12; ++y)
    for (int x = 0; x < 20; ++x) expected.insert({x, y});
  PixelSet yellow;
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x)
      if (pixel(x, y) == YELLOW) yellow.insert({x, y});
  EXPECT_EQ(yellow, expected);
  EXPECT_EQ(pixel(4, 0), BLUE);  // the half block's paper
}

}  // namespace
}  // namespace orventa
