// The built-in bitmap fonts: glyph tables, drawBitmapText, and the text grid with its fonts.
#include "graphics/bitmap_font.h"

#include <string>
#include <string_view>
#include <vector>

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
constexpr int GLYPH_HEIGHTS[] = {8, 14, 16};

bool inked(int height, unsigned char code, int column, int row) {
  return (glyphRows(height, code)[row] >> column) & 1;
}

std::uint32_t gridSize(int columns, int rows) {
  return static_cast<std::uint32_t>(rows) << 16 | static_cast<std::uint32_t>(columns);
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

  // Fills the work page with `colour` and leaves the foreground alone.
  static void paint(std::uint32_t colour) {
    setColors(0, colour, 1);
    clearScreen();
  }

  // The on-screen pixels that `text` inks with its first glyph's top-left pixel at (left, top).
  static PixelSet inkOf(std::string_view text, int left, int top, int height = 8) {
    const Screen* s = openScreen();
    PixelSet set;
    for (std::size_t i = 0; i < text.size(); ++i) {
      for (int r = 0; r < height; ++r) {
        for (int c = 0; c < 8; ++c) {
          const int x = left + 8 * static_cast<int>(i) + c;
          const int y = top + r;
          const bool onScreen = x >= 0 && y >= 0 && x < s->width && y < s->height;
          if (onScreen && inked(height, static_cast<unsigned char>(text[i]), c, r))
            set.insert({x, y});
        }
      }
    }
    return set;
  }

  // Every pixel of the grid cell (row, column) is the glyph of `code` in ink on paper.
  static void expectCell(int row, int column, unsigned char code, int height, std::uint32_t ink,
                         std::uint32_t paper) {
    for (int r = 0; r < height; ++r) {
      for (int c = 0; c < 8; ++c) {
        const int x = (column - 1) * 8 + c;
        const int y = (row - 1) * height + r;
        ASSERT_EQ(pixel(x, y), inked(height, code, c, r) ? ink : paper)
            << "cell " << row << "," << column << " pixel " << x << "," << y;
      }
    }
  }

  // Opens a screen whose grid uses glyphs of `height`: 8 as opened, 14 and 16 through the grid.
  void openWithGlyphHeight(int height) {
    open(640, height == 14 ? 350 : 480, 8);
    ASSERT_EQ(height == 8 ? 0 : setTextGrid(80, height == 14 ? 25 : 30), 0);
  }
};

using TextGridTest = FontTest;

TEST(BitmapFontTableTest, GlyphsHaveTheCodePageShapesWithBitZeroLeftmost) {
  EXPECT_EQ(glyphRows(12, 'A'), nullptr);
  EXPECT_EQ(glyphRows(0, 'A'), nullptr);
  for (int h : GLYPH_HEIGHTS) {
    SCOPED_TRACE(h);
    ASSERT_NE(glyphRows(h, 0), nullptr);
    for (int r = 0; r < h; ++r) {
      EXPECT_EQ(glyphRows(h, 0xDB)[r], 0xFF) << "full block, row " << r;
      EXPECT_EQ(glyphRows(h, 0xDD)[r], 0x0F) << "left half block, row " << r;
      EXPECT_EQ(glyphRows(h, 0xDE)[r], 0xF0) << "right half block, row " << r;
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
      if (!blankCode) {
        EXPECT_TRUE(shapes.insert(shape).second) << "code " << code << " repeats";
      }
    }
  }
}

TEST_F(FontTest, TextIsRoundedAndClippedToTheScreen) {
  struct Case {
    float x, y;
    int left, top;
    std::string_view text;
  };
  const Case cases[] = {
      {-4, 0, -4, 0, "10"},       // the first glyph loses its left four columns
      {-4, -3, -4, -3, "10"},     // and its top three rows
      {-15, 3, -15, 3, "1\xDB"},  // only the last column of the last glyph remains
      {28, 15, 28, 15, "10"},     // the right and bottom edges cut the second glyph
      {2.5f, 1.5f, 3, 2, "10"},   // halves away from zero
      {-2.5f, 0, -3, 0, "10"},
  };
  open(40, 20, 32);
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
    paint(BACKDROP);
    drawBitmapText(nullptr, c.x, c.y, TEXT_MODE, c.text, YELLOW);
    const PixelSet ink = inkOf(c.text, c.left, c.top);
    ASSERT_FALSE(ink.empty());
    EXPECT_EQ(pixelsNot(BACKDROP), ink);
  }
}

TEST_F(TextGridTest, GridSizePicksTheFontByCellSize) {
  struct Case {
    int width, height, columns, rows;
    int glyphHeight;  // 0: no font fits, nothing changes
  };
  const Case cases[] = {
      {640, 480, 80, 30, 16}, {800, 600, 100, 37, 16}, {640, 350, 80, 25, 14},
      {640, 200, 80, 25, 8},  {640, 480, 80, 60, 8},   {644, 484, 80, 40, 0},
      {640, 480, 160, 30, 0}, {640, 480, 0, 30, 0},    {640, 480, -80, 30, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.width << "x" << c.height << " grid " << c.columns << "x" << c.rows);
    open(c.width, c.height, 8);
    EXPECT_EQ(setTextGrid(c.columns, c.rows), c.glyphHeight == 0 ? 1 : 0);
    const int h = c.glyphHeight == 0 ? 8 : c.glyphHeight;
    EXPECT_EQ(textGridSize(), c.glyphHeight == 0 ? gridSize(c.width / 8, c.height / 8)
                                                 : gridSize(c.columns, c.rows));
    setColors(15, 0, 0);
    setTextCursor(2, 2);
    printText("\xDB", false);
    EXPECT_EQ(countNot(0), 8 * h);
    EXPECT_EQ(pixel(8, h), 15u);
    EXPECT_EQ(pixel(15, 2 * h - 1), 15u);
  }
}

TEST_F(TextGridTest, CellsOffTheScreenAreClippedNotWrapped) {
  open(20, 12, 32);  // a 2 x 1 grid with a partial row and column beyond it
  paint(BACKDROP);
  setColors(YELLOW, BLUE, 0);
  setTextCursor(2, 2);
  printText("\xDB\xDB", false);
  PixelSet expected;
  for (int y = 8; y < 12; ++y)
    for (int x = 8; x < 20; ++x) expected.insert({x, y});
  EXPECT_EQ(pixelsNot(BACKDROP), expected);
}

TEST_F(TextGridTest, PrintMovesTheCursorAlongTheRowAndDownOnALineBreak) {
  open(64, 32, 32);
  setColors(YELLOW, BLUE, 0);
  setTextCursor(1, 1);
  printText("A", false);
  printText("B", true);
  printText("C", false);
  expectCell(1, 1, 'A', 8, YELLOW, BLUE);
  expectCell(1, 2, 'B', 8, YELLOW, BLUE);
  expectCell(2, 1, 'C', 8, YELLOW, BLUE);
}

// Connected areas of the pixels in a rectangle that satisfy `member`: 4-neighbour for lines, so
// that a diagonal step counts as a break, and 8-neighbour for the space around them, so that a
// diagonal gap counts as a leak.
template <typename Member>
int areas(int x0, int y0, int x1, int y1, bool diagonal, Member member) {
  PixelSet seen;
  int count = 0;
  for (int sy = y0; sy <= y1; ++sy)
    for (int sx = x0; sx <= x1; ++sx) {
      if (!member(sx, sy) || !seen.insert({sx, sy}).second) continue;
      ++count;
      std::vector<std::pair<int, int>> stack{{sx, sy}};
      while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if ((diagonal || dx == 0 || dy == 0) && nx >= x0 && ny >= y0 && nx <= x1 && ny <= y1 &&
                member(nx, ny) && seen.insert({nx, ny}).second)
              stack.push_back({nx, ny});
          }
      }
    }
  return count;
}

TEST_F(TextGridTest, DoubleLineFrameClosesAtEveryGlyphHeight) {
  for (int h : GLYPH_HEIGHTS) {
    SCOPED_TRACE(h);
    openWithGlyphHeight(h);
    setColors(15, 0, 0);
    const std::string_view side = "\xBA      \xBA";
    const std::string_view rows[] = {"\xC9\xCD\xCD\xCD\xCD\xCD\xCD\xBB", side, side,
                                     "\xC8\xCD\xCD\xCD\xCD\xCD\xCD\xBC"};
    for (int i = 0; i < 4; ++i) {
      setTextCursor(2 + i, 3);
      printText(rows[i], false);
    }
    // The frame's cells: columns 3-10 and rows 2-5 of the grid.
    const int x0 = 16, y0 = h, x1 = 16 + 8 * 8 - 1, y1 = 5 * h - 1;
    const auto line = [](int x, int y) { return pixel(x, y) == 15; };
    const auto space = [](int x, int y) { return pixel(x, y) != 15; };
    // Two closed lines, outer and inner, each unbroken across the cell borders; they enclose
    // the gap between them and the inside, apart from the space outside.
    EXPECT_EQ(areas(x0, y0, x1, y1, false, line), 2);
    EXPECT_EQ(areas(x0, y0, x1, y1, true, space), 3);
  }
}

}  // namespace
}  // namespace orventa
