// System-font text: the font height, the block that reaches the screen and its two colours, the
// faces the names resolve to, and the FreeType engine beneath.
#include "ui/system_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/platform/platform.h"
#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "tests/support/headless_fixture.h"

namespace orventa {
namespace {

using platform::FontRequest;
using platform::TextExtent;

constexpr std::uint32_t WHITE = 0xFFFFFFFF;
constexpr std::uint32_t PAPER = 0xFF204060;
constexpr std::uint32_t INK = 0xFF123456;
constexpr std::uint32_t SAMPLE_ARGB = 0x00123456;  // INK as the copy stores it
constexpr std::string_view FOX = "The quick brown fox";

// The bounding box of a set of pixels and how many there are.
struct Box {
  int left = INT_MAX;
  int top = INT_MAX;
  int right = -1;
  int bottom = -1;
  long count = 0;
  void add(int x, int y) {
    left = std::min(left, x);
    top = std::min(top, y);
    right = std::max(right, x);
    bottom = std::max(bottom, y);
    ++count;
  }
};

// The rightmost inked column of `text` drawn at (0, 0) into a 400 x 100 bitmap.
int inkRight(platform::FontEngine& fonts, const FontRequest& font, std::string_view text) {
  std::vector<std::uint32_t> b(400 * 100, 0);
  fonts.drawText(font, text, b.data(), 400, 100, 0, 0, 400, 100, 1, 0);
  int right = -1;
  for (std::size_t i = 0; i < b.size(); ++i)
    if (b[i] == 1) right = std::max(right, static_cast<int>(i % 400));
  return right;
}

TEST(SystemTextHeight, PointsToPixelsAt96Dpi) {
  EXPECT_EQ(fontPixelHeight(18, 96), -24);
  EXPECT_EQ(fontPixelHeight(14, 96), -19);
  EXPECT_EQ(fontPixelHeight(12, 96), -16);
  // Halves go away from zero, as in the Windows MulDiv: 3 * 108 / 72 = 4.5.
  EXPECT_EQ(fontPixelHeight(3, 108), -5);
  EXPECT_EQ(fontPixelHeight(-3, 108), 5);
}

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

// The headless display with another font engine.
class WithFonts final : public platform::Platform {
 public:
  WithFonts(platform::Platform& base, platform::FontEngine& fonts) : base_(base), fonts_(fonts) {}
  int run(const std::function<int()>& program) override { return base_.run(program); }
  void connect(platform::FrameSource* f, platform::InputSink* i) override { base_.connect(f, i); }
  platform::DisplayMode desktopMode() override { return base_.desktopMode(); }
  std::vector<platform::DisplayMode> displayModes() override { return base_.displayModes(); }
  bool openDisplay(const platform::DisplayMode& mode, bool fullScreen) override {
    return base_.openDisplay(mode, fullScreen);
  }
  int currentRefreshRate() override { return base_.currentRefreshRate(); }
  void closeDisplay() override { base_.closeDisplay(); }
  void waitVerticalRetrace() override { base_.waitVerticalRetrace(); }
  double seconds() override { return base_.seconds(); }
  void sleepMilliseconds(int ms) override { base_.sleepMilliseconds(ms); }
  void idle() override { base_.idle(); }
  void beep(int frequencyHz, int durationMs) override { base_.beep(frequencyHz, durationMs); }
  platform::FontEngine& fonts() override { return fonts_; }
  int runCommand(const std::string& line) override { return base_.runCommand(line); }

 private:
  platform::Platform& base_;
  platform::FontEngine& fonts_;
};

class SystemTextBlock : public testing::HeadlessTest {
 protected:
  SystemTextBlock() { platform::usePlatform(&withFonts_); }
  ~SystemTextBlock() override { platform::usePlatform(&display_); }

  // Opens a black screen, draws one line and returns the box of what changed.
  Box drawn(int x, int y, int size, int style, int width = 640, int height = 480) {
    open(width, height, 32);
    const std::uint32_t black = pixel(0, 0);
    drawSystemText(x, y, "text", "Arial", size, INK, style);
    Box box;
    for (int py = 0; py < height; ++py)
      for (int px = 0; px < width; ++px) {
        if (pixel(px, py) == black) continue;
        EXPECT_EQ(pixel(px, py), SAMPLE_ARGB) << px << "," << py;
        box.add(px, py);
      }
    return box;
  }

  SolidFonts fonts_;
  WithFonts withFonts_{display_, fonts_};
};

TEST_F(SystemTextBlock, RegularAndBoldDropTheLastColumn) {
  fonts_.extent = {40, 20, 0};
  for (int style : {REGULAR, BOLD}) {
    const Box box = drawn(100, 50, 18, style);
    EXPECT_EQ(box.left, 100);
    EXPECT_EQ(box.top, 50);
    EXPECT_EQ(box.right, 100 + 38);
    EXPECT_EQ(box.bottom, 50 + 19);
    EXPECT_EQ(box.count, 39 * 20);
  }
}

TEST_F(SystemTextBlock, ItalicWidensAndHeightensRoundingHalvesToEven) {
  struct Case {
    TextExtent extent;
    int size, width, height;
  };
  const Case cases[] = {
      {{10, 27, 0}, 13, 18, 30},  // 10 + 6.5 + 1 = 17.5 -> 18; 27 + 1.625 + 1 -> 30
      {{11, 27, 0}, 13, 18, 30},  // 18.5 -> 18
      {{10, 27, 0}, 4, 13, 28},   // 27 + 0.5 + 1 = 28.5 -> 28
      {{10, 27, 0}, 12, 17, 30},  // 29.5 -> 30
      {{40, 20, 3}, 18, 43, 23},  // an overhang replaces the widening; 23.25 -> 23
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "extent " << c.extent.width << "x" << c.extent.height << " size " << c.size);
    fonts_.extent = c.extent;
    const Box box = drawn(100, 50, c.size, ITALIC);
    EXPECT_EQ(fonts_.drawnWidth, c.width);
    EXPECT_EQ(fonts_.drawnHeight, c.height);
    EXPECT_EQ(box.count, long{c.width - 1} * c.height);
    EXPECT_EQ(box.right, 100 + c.width - 2);
    EXPECT_EQ(box.bottom, 50 + c.height - 1);
  }
}

// Real faces through the headless backend's FreeType engine.
class SystemTextFonts : public testing::HeadlessTest {
 protected:
  platform::FontEngine& fonts() { return display_.fonts(); }

  // Opens a screen of `depth` painted PAPER.
  void openPainted(int depth) {
    open(640, 480, depth);
    setColors(WHITE, PAPER, 0);
    clearScreen();
  }

  static Box unpainted() {
    Box box;
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x)
        if (pixel(x, y) != PAPER) box.add(x, y);
    return box;
  }

  static std::vector<std::uint32_t> page() {
    std::vector<std::uint32_t> p;
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) p.push_back(pixel(x, y));
    return p;
  }
};

TEST_F(SystemTextFonts, BlockDropsTheLastColumnAndKeepsTheItalicSlant) {
  // "W" in Arial reaches its last advance column upright, and beyond its advance in italic.
  const FontRequest upright{"Arial", 24};
  const FontRequest italic{"Arial", 24, false, true};
  const int w = fonts().measureText(upright, "W").width;
  const int wi = fonts().measureText(italic, "W").width;
  ASSERT_EQ(inkRight(fonts(), upright, "W"), w - 1);
  const int italicInk = inkRight(fonts(), italic, "W");
  ASSERT_GT(italicInk, wi - 1);

  openPainted(32);
  drawSystemText(100, 50, "W", "Arial", 18, INK, REGULAR);
  const Box regular = unpainted();
  EXPECT_EQ(regular.right, 100 + w - 2);
  EXPECT_GE(regular.top, 50);
  EXPECT_LT(regular.bottom, 50 + 27);

  openPainted(32);
  drawSystemText(100, 50, "W", "Arial", 18, INK, ITALIC);
  const Box slanted = unpainted();
  EXPECT_EQ(slanted.right, 100 + italicInk);
  EXPECT_GT(slanted.right, 100 + wi - 2);
}

TEST_F(SystemTextFonts, BlockHoldsOnlyTheTextColourAndRepeatsExactly) {
  openPainted(32);
  const std::string text = "The quick brown fox \xC0\xC9\x80 0123456789";
  drawSystemText(5, 10, text, "Arial", 18, INK, REGULAR);
  drawSystemText(5, 130, text, "TimesNewRoman", 18, INK, BOLD | ITALIC);
  const std::vector<std::uint32_t> once = page();
  long inkCount = 0;
  for (std::uint32_t p : once) {
    ASSERT_TRUE(p == PAPER || p == SAMPLE_ARGB) << std::hex << p;
    inkCount += p == SAMPLE_ARGB;
  }
  EXPECT_GT(inkCount, 1000);

  drawSystemText(5, 10, text, "Arial", 18, INK, REGULAR);
  drawSystemText(5, 130, text, "TimesNewRoman", 18, INK, BOLD | ITALIC);
  EXPECT_EQ(page(), once);
}

TEST_F(SystemTextFonts, DrawsNothingOnPalettedOrHighColourScreens) {
  for (int depth : {8, 16}) {
    openPainted(depth);
    const std::vector<std::uint32_t> before = page();
    drawSystemText(10, 10, FOX, "Arial", 18, WHITE, REGULAR);
    drawSystemText(10, 50, FOX, "Arial", 18, WHITE, ITALIC);
    EXPECT_EQ(page(), before) << depth << " bits";
  }
  openPainted(32);
  drawSystemText(10, 10, FOX, "Arial", 18, 0xFFFF00FF, REGULAR);  // the key colour
  EXPECT_EQ(countNot(PAPER), 0);
}

}  // namespace
}  // namespace orventa
