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

constexpr std::uint32_t WHITE = 0xFFFFFFFF;
constexpr std::uint32_t PAPER = 0xFF204060;
constexpr std::uint32_t INK = 0xFF123456;
constexpr std::uint32_t SAMPLE_ARGB = 0x00123456;  // INK as the copy stores it

TEST(SystemTextHeight, PointsToPixelsAt96Dpi) {
  EXPECT_EQ(fontPixelHeight(14, 96), -19);
  // Halves go away from zero, as in the Windows MulDiv: 3 * 108 / 72 = 4.5.
  EXPECT_EQ(fontPixelHeight(3, 108), -5);
  EXPECT_EQ(fontPixelHeight(-3, 108), 5);
}

class SystemText : public testing::HeadlessTest {
 protected:
  // Opens a screen of `depth` painted PAPER.
  void openPainted(int depth) {
    open(640, 480, depth);
    setColors(WHITE, PAPER, 0);
    clearScreen();
  }
  // The pixels that are no longer PAPER; every one of them must hold the text colour.
  static PixelSet inked() {
    const PixelSet set = pixelsNot(PAPER);
    for (const auto& [x, y] : set) EXPECT_EQ(pixel(x, y), SAMPLE_ARGB) << x << "," << y;
    return set;
  }
};

// An engine whose "text" fills its whole rectangle, so the block that reaches the screen shows.
class SolidFonts final : public platform::FontEngine {
 public:
  TextExtent extent;
  int drawnWidth = 0, drawnHeight = 0;

  int logicalDpi() override { return 96; }
  TextExtent measureText(const FontRequest&, std::string_view) override { return extent; }
  void drawText(const FontRequest&, std::string_view, std::uint32_t* bitmap, int bitmapWidth,
                int bitmapHeight, int x, int y, int width, int height, std::uint32_t colour,
                std::uint32_t) override {
    drawnWidth = width;
    drawnHeight = height;
    for (int row = std::max(y, 0); row < std::min(y + height, bitmapHeight); ++row)
      for (int col = std::max(x, 0); col < std::min(x + width, bitmapWidth); ++col)
        bitmap[std::size_t(row) * bitmapWidth + col] = colour;
  }
};

// The headless display with the solid font engine.
class WithFonts final : public testing::RelayPlatform {
 public:
  WithFonts(platform::Platform& base, platform::FontEngine& fonts)
      : RelayPlatform(base), fonts_(fonts) {}
  platform::FontEngine& fonts() override { return fonts_; }

 private:
  platform::FontEngine& fonts_;
};

class SystemTextBlock : public SystemText {
 protected:
  SystemTextBlock() { platform::usePlatform(&withFonts_); }
  ~SystemTextBlock() override { platform::usePlatform(&display_); }

  SolidFonts fonts_;
  WithFonts withFonts_{display_, fonts_};
};

TEST_F(SystemTextBlock, DropsTheLastColumnAndItalicWidensAndHeightensRoundingHalvesToEven) {
  struct Case {
    int style;
    TextExtent extent;
    int size, width, height;
  };
  const Case cases[] = {
      {BOLD, {40, 20, 0}, 18, 40, 20},
      {ITALIC, {10, 27, 0}, 13, 18, 30},  // 10 + 6.5 + 1 = 17.5 -> 18; 27 + 1.625 + 1 -> 30
      {ITALIC, {11, 27, 0}, 13, 18, 30},  // 18.5 -> 18
      {ITALIC, {10, 27, 0}, 4, 13, 28},   // 27 + 0.5 + 1 = 28.5 -> 28
      {ITALIC, {40, 20, 3}, 18, 43, 23},  // an overhang replaces the widening; 23.25 -> 23
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "style " << c.style << " extent " << c.extent.width << "x"
                                      << c.extent.height << " size " << c.size);
    fonts_.extent = c.extent;
    openPainted(32);
    drawSystemText(100, 50, "text", "Arial", c.size, INK, c.style);
    const PixelSet block = inked();
    EXPECT_EQ(fonts_.drawnWidth, c.width);
    EXPECT_EQ(fonts_.drawnHeight, c.height);
    EXPECT_EQ(block.size(), std::size_t(c.width - 1) * std::size_t(c.height));
    EXPECT_EQ(bounds(block), (Bounds{100, 100 + c.width - 2, 50, 50 + c.height - 1}));
  }
}

// Real faces through the headless backend's FreeType engine; their pixels are pinned by the
// scenario tests, so only what draws nothing is checked here.
using SystemTextFonts = SystemText;

TEST_F(SystemTextFonts, DrawsNothingOnPalettedOrHighColourScreensNorInTheKeyColour) {
  for (const auto& [depth, colour] : {std::pair{8, WHITE}, {16, WHITE}, {32, 0xFFFF00FFu}}) {
    openPainted(depth);
    const std::uint32_t paper = pixel(0, 0);
    drawSystemText(10, 10, "The quick brown fox", "Arial", 18, colour, REGULAR);
    EXPECT_EQ(countNot(paper), 0) << depth << " bits";
  }
}

}  // namespace
}  // namespace orventa
