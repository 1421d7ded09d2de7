// Text: the built-in bitmap fonts (glyph tables, drawBitmapText, the text grid) and the screens
// system-font text refuses.
#include <array>
#include <set>
#include <string>

#include "graphics/bitmap_font.h"
#include "tests/support/headless_fixture.h"
#include "tests/support/relay_platform.h"
#include "ui/system_text.h"

namespace orventa {
namespace {

constexpr std::uint32_t PAPER = 0xFF204060;
constexpr std::uint32_t INK = 0xFF123456;

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

class SystemText : public testing::HeadlessTest {
 protected:
  // Opens a screen of `depth` painted PAPER.
  void openPainted(int depth) {
    open(640, 480, depth);
    setColors(0xFFFFFFFF, PAPER, 0);
    clearScreen();
  }
};

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

// A machine without any outline font: the engine measures every face as nothing.
class NoFonts final : public testing::RelayPlatform, public platform::FontEngine {
 public:
  using RelayPlatform::RelayPlatform;
  platform::FontEngine& fonts() override { return *this; }
  int logicalDpi() override { return 96; }
  platform::TextExtent measureText(const platform::FontRequest&, std::string_view) override {
    return {};
  }
  void drawText(const platform::FontRequest&, std::string_view, std::uint32_t*, int, int, int, int,
                int, int, std::uint32_t, std::uint32_t) override {}
};

TEST_F(SystemText, WithoutAnyFontTheTextIsDrawnInTheEightBySixteenFontOnItsLine) {
  NoFonts machine(display_);
  platform::usePlatform(&machine);
  openPainted(32);
  // 18 points at 96 dpi ask for 24 pixels: the 16-pixel glyphs sit 6 rows down, as a menu bar
  // 5 rows below the text's top would hold them.
  drawSystemText(10, 10, "A", "Arial", 18, INK, REGULAR);
  testing::PixelSet expected;
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 8; ++c)
      if ((glyphRows(16, 'A')[r] >> c & 1) != 0) expected.insert({10 + c, 16 + r});
  EXPECT_EQ(pixelsNot(PAPER), expected);
  setNumberedScreenMode(0, 0, 0, 0, 0);
  platform::usePlatform(&display_);
}

}  // namespace
}  // namespace orventa
