// System-font text: the font height, the block that reaches the screen and its two colours, the
// faces the names resolve to, and the FreeType engine beneath.
#include "ui/system_text.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/platform/fonts/freetype_fonts.h"
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

// A 32-bit bitmap as the engine draws into it.
struct Bitmap {
  int width;
  int height;
  std::vector<std::uint32_t> pixels;
  Bitmap(int w, int h, std::uint32_t fill)
      : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
  std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
  Box where(std::uint32_t colour) const {
    Box box;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (at(x, y) == colour) box.add(x, y);
    return box;
  }
};

// `text` drawn at (0, 0) over the whole of a 400 x 100 bitmap: ink 1 on 0.
Bitmap inked(platform::FontEngine& fonts, const FontRequest& font, std::string_view text) {
  Bitmap b(400, 100, 0);
  fonts.drawText(font, text, b.pixels.data(), b.width, b.height, 0, 0, b.width, b.height, 1, 0);
  return b;
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
  struct Draw {
    int bitmapWidth = 0, bitmapHeight = 0, x = -1, y = -1, width = 0, height = 0;
    std::uint32_t colour = 0, background = 0;
  };
  int dpi = 96;
  TextExtent extent;
  FontRequest request;
  Draw draw;

  int logicalDpi() override { return dpi; }
  TextExtent measureText(const FontRequest& font, std::string_view) override {
    request = font;
    return extent;
  }
  void drawText(const FontRequest&, std::string_view, std::uint32_t* bitmap, int bitmapWidth,
                int bitmapHeight, int x, int y, int width, int height, std::uint32_t colour,
                std::uint32_t background) override {
    draw = {bitmapWidth, bitmapHeight, x, y, width, height, colour, background};
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

TEST_F(SystemTextBlock, RequestAndScratchRectangle) {
  fonts_.extent = {40, 20, 0};
  drawSystemText(0, 0, "text", "Times New Roman", 18, 0xAB123456, REGULAR, 1);
  EXPECT_EQ(fonts_.request.face, "Times New Roman");
  EXPECT_EQ(fonts_.request.pixelHeight, 24);
  EXPECT_FALSE(fonts_.request.bold);
  EXPECT_FALSE(fonts_.request.italic);
  const SolidFonts::Draw d = fonts_.draw;
  EXPECT_EQ(d.bitmapWidth, 2048);
  EXPECT_EQ(d.bitmapHeight, 512);
  EXPECT_EQ(d.x, 0);
  EXPECT_EQ(d.y, 0);
  EXPECT_EQ(d.width, 40);
  EXPECT_EQ(d.height, 20);
  EXPECT_EQ(d.colour, 0x123456u);
  EXPECT_EQ(d.background, 0xFF00FFu);

  fonts_.dpi = 120;  // the engine's resolution, not a fixed 96
  for (int style : {BOLD, ITALIC, BOLD | ITALIC, REGULAR | ITALIC}) {
    drawSystemText(0, 0, "text", "Arial", 18, INK, style);
    EXPECT_EQ(fonts_.request.pixelHeight, 30);
    EXPECT_EQ(fonts_.request.bold, (style & BOLD) != 0) << style;
    EXPECT_EQ(fonts_.request.italic, (style & ITALIC) != 0) << style;
  }
}

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
    EXPECT_EQ(fonts_.draw.width, c.width);
    EXPECT_EQ(fonts_.draw.height, c.height);
    EXPECT_EQ(box.count, long{c.width - 1} * c.height);
    EXPECT_EQ(box.right, 100 + c.width - 2);
    EXPECT_EQ(box.bottom, 50 + c.height - 1);
  }
}

TEST_F(SystemTextBlock, NarrowFlatAndOversizedBlocks) {
  fonts_.extent = {1, 20, 0};
  EXPECT_EQ(drawn(100, 50, 18, REGULAR).count, 0);
  fonts_.extent = {2, 20, 0};
  EXPECT_EQ(drawn(100, 50, 18, REGULAR).count, 20);
  fonts_.extent = {40, 0, 0};
  EXPECT_EQ(drawn(100, 50, 18, REGULAR).count, 0);

  // Cut at the scratch bitmap's edges, not the screen's.
  fonts_.extent = {3000, 700, 0};
  const Box box = drawn(-1500, -300, 18, REGULAR, 1024, 768);
  EXPECT_EQ(box.right, 2047 - 1500);
  EXPECT_EQ(box.bottom, 511 - 300);
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

TEST_F(SystemTextFonts, ArialAndTimesResolveToMetricCompatibleFaces) {
  const TextExtent arial = fonts().measureText({"Arial", 24}, FOX);
  const TextExtent liberation = fonts().measureText({"Liberation Sans", 24}, FOX);
  const TextExtent fallback = fonts().measureText({"DejaVu Sans", 24}, FOX);
  EXPECT_EQ(arial.width, liberation.width);
  EXPECT_EQ(arial.height, liberation.height);
  EXPECT_NE(arial.width, fallback.width);
  // Liberation Sans 2's advances hinted for monochrome at 24 px; light hinting would give 213.
  EXPECT_EQ(arial.width, 216);
  // OS/2 usWinAscent 1854 + usWinDescent 434 of 2048 units at 24 px: 26.8.
  EXPECT_EQ(arial.height, 27);
  EXPECT_EQ(arial.overhang, 0);
  for (bool bold : {false, true})
    for (bool italic : {false, true})
      EXPECT_EQ(fonts().measureText({"Arial", 24, bold, italic}, FOX).height, 27);

  const TextExtent serif = fonts().measureText({"Liberation Serif", 24}, FOX);
  for (const char* face : {"Times New Roman", "TimesNewRoman"}) {
    EXPECT_EQ(fonts().measureText({face, 24}, FOX).width, serif.width) << face;
    EXPECT_EQ(fonts().measureText({face, 24}, FOX).height, serif.height) << face;
  }
}

TEST_F(SystemTextFonts, WidthIsTheSumOfSingleAdvancesWithoutKerning) {
  for (const FontRequest& font : {FontRequest{"Arial", 24}, FontRequest{"Arial", 19, true, true}}) {
    const std::string text = "AVAWAY To Te LT 1/4 \x80\x93\xE9";
    int sum = 0;
    for (char c : text) sum += fonts().measureText(font, std::string(1, c)).width;
    EXPECT_EQ(fonts().measureText(font, text).width, sum);
  }
}

TEST_F(SystemTextFonts, BlockDropsTheLastColumnAndKeepsTheItalicSlant) {
  // "W" in Arial reaches its last advance column upright, and beyond its advance in italic.
  const FontRequest upright{"Arial", 24};
  const FontRequest italic{"Arial", 24, false, true};
  const int w = fonts().measureText(upright, "W").width;
  const int wi = fonts().measureText(italic, "W").width;
  ASSERT_EQ(inked(fonts(), upright, "W").where(1).right, w - 1);
  const int italicInk = inked(fonts(), italic, "W").where(1).right;
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
  drawSystemText(5, 50, text, "Times New Roman", 14, INK, BOLD);
  drawSystemText(5, 90, text, "Verdana", 12, INK, ITALIC);
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

TEST_F(SystemTextFonts, UnknownFacesGetASubstitute) {
  for (const char* face : {"No Such Face Anywhere", "System", ""}) {
    openPainted(32);
    drawSystemText(10, 10, FOX, face, 18, INK, REGULAR);
    EXPECT_GT(countNot(PAPER), 100) << '"' << face << '"';
  }
}

TEST_F(SystemTextFonts, DrawsNothingWhereItCannot) {
  for (int depth : {8, 16}) {
    openPainted(depth);
    const std::vector<std::uint32_t> before = page();
    drawSystemText(10, 10, FOX, "Arial", 18, WHITE, REGULAR);
    drawSystemText(10, 50, FOX, "Arial", 18, WHITE, ITALIC);
    EXPECT_EQ(page(), before) << depth << " bits";
  }
  openPainted(32);
  const std::vector<std::uint32_t> before = page();
  drawSystemText(10, 10, FOX, "Arial", 18, 0xFFFF00FF, REGULAR);  // the key colour
  drawSystemText(10, 50, FOX, "Arial", 18, 0x00FF00FF, BOLD);
  drawSystemText(10, 90, "", "Arial", 18, WHITE, REGULAR);
  drawSystemText(10, 90, "", "Arial", 18, WHITE, ITALIC);
  EXPECT_EQ(page(), before);

  setNumberedScreenMode(0, 0, 0, 0, 0);
  drawSystemText(10, 10, FOX, "Arial", 18, WHITE, REGULAR);  // no screen: harmless
  platform::usePlatform(nullptr);
  drawSystemText(10, 10, FOX, "Arial", 18, WHITE, REGULAR);  // no platform: harmless
}

// The engine on its own.
TEST(FreeTypeFonts, DrawTextIsMonochromeAndClippedToItsRectangle) {
  constexpr std::uint32_t UNTOUCHED = 0xDEADBEEF;
  constexpr std::uint32_t BG = 0x00FF00FF;
  constexpr std::uint32_t FG = 0x00FFFFFF;
  platform::FreeTypeFonts fonts;
  const std::string text = "Wide text that runs past its rectangle \x80\xC9";
  struct Rect {
    int x, y, width, height;
  };
  // Inside the bitmap, then hanging over every edge of it.
  for (const Rect r : {Rect{10, 5, 60, 30}, Rect{-7, -12, 200, 100}})
    for (const FontRequest& font : {FontRequest{"Arial", 24}, FontRequest{"Arial", 31, true, true},
                                    FontRequest{"DejaVu Sans", 40, false, true}}) {
      Bitmap b(120, 50, UNTOUCHED);
      fonts.drawText(font, text, b.pixels.data(), b.width, b.height, r.x, r.y, r.width, r.height,
                     FG, BG);
      long foreground = 0;
      for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) {
          const bool inside = x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
          const std::uint32_t p = b.at(x, y);
          if (inside)
            ASSERT_TRUE(p == BG || p == FG) << x << "," << y << " " << std::hex << p;
          else
            ASSERT_EQ(p, UNTOUCHED) << x << "," << y;
          foreground += p == FG;
        }
      EXPECT_GT(foreground, 50) << font.face << " " << font.pixelHeight;
    }
}

TEST(FreeTypeFonts, BytesAreWindows1252) {
  platform::FreeTypeFonts fonts;
  const FontRequest font{"Arial", 24};
  // 0x81 and 0x90 are unassigned: both the missing-glyph box. 0x80 is the euro sign.
  const Bitmap missing = inked(fonts, font, "\x81");
  EXPECT_EQ(inked(fonts, font, "\x90").pixels, missing.pixels);
  EXPECT_NE(inked(fonts, font, "\x80").pixels, missing.pixels);
  EXPECT_NE(inked(fonts, font, "\x93").pixels, missing.pixels);
  EXPECT_NE(inked(fonts, font, "\xE9").pixels, missing.pixels);
}

TEST(FreeTypeFonts, NoHeightMeasuresAndDrawsNothing) {
  platform::FreeTypeFonts fonts;
  const TextExtent e = fonts.measureText({"Arial", 0}, FOX);
  EXPECT_EQ(e.width, 0);
  EXPECT_EQ(e.height, 0);
  Bitmap b(40, 20, 7);
  fonts.drawText({"Arial", -24}, FOX, b.pixels.data(), b.width, b.height, 0, 0, 40, 20, 1, 2);
  EXPECT_EQ(b.where(2).count, 40 * 20);
}

// A scalable family with Latin letters whose match for bold (or italic) fontconfig synthesises.
std::string familyLacking(bool bold) {
  FcConfig* config = FcInitLoadConfigAndFonts();
  FcPattern* scalable = FcPatternCreate();
  FcPatternAddBool(scalable, FC_SCALABLE, FcTrue);
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* set = FcFontList(config, scalable, objects);
  std::string found;
  for (int i = 0; set != nullptr && i < set->nfont && found.empty(); ++i) {
    FcChar8* family = nullptr;
    if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch) continue;
    FcPattern* want = FcPatternCreate();
    FcPatternAddString(want, FC_FAMILY, family);
    FcPatternAddInteger(want, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(want, FC_SLANT, bold ? FC_SLANT_ROMAN : FC_SLANT_ITALIC);
    FcConfigSubstitute(config, want, FcMatchPattern);
    FcDefaultSubstitute(want);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, want, &result);
    FcChar8* matched = nullptr;
    FcCharSet* chars = nullptr;
    FcBool embolden = FcFalse;
    FcMatrix* matrix = nullptr;
    const bool synthesised =
        bold ? FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden) == FcResultMatch && embolden
             : FcPatternGetMatrix(match, FC_MATRIX, 0, &matrix) == FcResultMatch;
    if (match != nullptr && synthesised &&
        FcPatternGetString(match, FC_FAMILY, 0, &matched) == FcResultMatch &&
        FcStrCmp(matched, family) == 0 &&
        FcPatternGetCharSet(match, FC_CHARSET, 0, &chars) == FcResultMatch &&
        FcCharSetHasChar(chars, 'l'))
      found = reinterpret_cast<const char*>(family);
    if (match != nullptr) FcPatternDestroy(match);
    FcPatternDestroy(want);
  }
  if (set != nullptr) FcFontSetDestroy(set);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(scalable);
  if (config != nullptr) FcConfigDestroy(config);
  return found;
}

TEST(FreeTypeFonts, SynthesisedBoldAndSlantWhereTheFaceLacksThem) {
  platform::FreeTypeFonts fonts;
  const std::string noBold = familyLacking(true);
  if (!noBold.empty()) {
    // Emboldening widens every advance.
    EXPECT_GT(fonts.measureText({noBold, 24, true}, "lll").width,
              fonts.measureText({noBold, 24}, "lll").width)
        << noBold;
  }
  const std::string noItalic = familyLacking(false);
  if (!noItalic.empty()) {
    // The shear leans the upright stroke to the right at its top.
    EXPECT_GT(inked(fonts, {noItalic, 24, false, true}, "l").where(1).right,
              inked(fonts, {noItalic, 24}, "l").where(1).right)
        << noItalic;
  }
  if (noBold.empty() || noItalic.empty()) GTEST_SKIP() << "no installed family lacks a style";
}

}  // namespace
}  // namespace orventa
