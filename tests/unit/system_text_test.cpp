// System-font text: the font height, the block that reaches the screen and its colour, and the
// screens it refuses.
#include "ui/system_text.h"

#include <algorithm>
#include <string_view>

#include "graphics/platform/platform.h"
#include "tests/support/headless_fixture.h"
#include "tests/support/relay_platform.h"

namespace orventa {
namespace {

using platform::FontRequest;
using platform::TextExtent;
using testing::bounds;
using testing::Bounds;
using testing::PixelSet;

constexpr std::uint32_t PAPER = 0xFF204060;
constexpr std::uint32_t INK = 0xFF123456;

TEST(SystemTextHeight, PointsToPixelsAt96Dpi) {
  EXPECT_EQ(fontPixelHeight(14, 96), -19);
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
