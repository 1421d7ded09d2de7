// The platform engine rasterises the line onto the key colour in a scratch image; the copy skips
// the key colour, so only the text's own pixels reach the screen.
#include "ui/system_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <utility>

#include "graphics/bitmap_font.h"
#include "graphics/display_session.h"
#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "ui/layout.h"

namespace orventa {
namespace {

constexpr int SCRATCH_WIDTH = 2048;
constexpr int SCRATCH_HEIGHT = 512;
constexpr std::uint32_t KEY_COLOUR = 0xFF00FF;

// Made on the first call and kept for the run, from the pixel memory every image uses; not by
// createImage, which needs an open screen, and the text is rasterised even when none is.
Image* scratch() {
  static std::unique_ptr<Image> image;
  if (image) return image.get();
  auto made = std::unique_ptr<Image>(new (std::nothrow) Image);
  if (!made) return nullptr;
  bool zeroed = false;
  made->pixels = allocatePixels(std::size_t{SCRATCH_WIDTH} * SCRATCH_HEIGHT * 4, zeroed);
  if (!made->pixels) return nullptr;
  made->bytesPerPixel = 4;
  made->width = SCRATCH_WIDTH;
  made->height = SCRATCH_HEIGHT;
  made->pitch = SCRATCH_WIDTH * 4;
  image = std::move(made);
  return image.get();
}

// a * b / c in 64 bits, rounded to nearest with halves away from zero; -1 when c is 0 or the
// result does not fit, as the Windows routine the font height was computed with.
int mulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  std::int64_t n = std::int64_t{a} * b;
  std::int64_t d = c;
  if (d < 0) {
    n = -n;
    d = -d;
  }
  const std::int64_t q = (n >= 0 ? n + d / 2 : n - d / 2) / d;
  if (q > std::numeric_limits<int>::max() || q < -std::numeric_limits<int>::max()) return -1;
  return static_cast<int>(q);
}

// With no outline font on the machine at all, the built-in 8x16 font keeps menus readable,
// centred on the line the outline text would take. Only where system text draws: 32-bit screens.
void drawWithoutFonts(int x, int y, std::string_view text, int pixelHeight, std::uint32_t colour) {
  int width = 0;
  int height = 0;
  int depth = 0;
  int refresh = 0;
  getScreenInfo(width, height, depth, refresh);
  if (screenPointer() == nullptr || depth != 32) return;
  std::string glyphs(text);
  for (char& c : glyphs)
    if (static_cast<unsigned char>(c) >= 0x80) c = '?';  // code page 437 differs above ASCII
  drawBitmapText(nullptr, static_cast<float>(x),
                 static_cast<float>(y + std::max(0, (pixelHeight - 16) / 2 + 2)), 0, glyphs, colour,
                 16);
}

}  // namespace

int fontPixelHeight(int size, int dpi) { return -mulDiv(size, dpi, 72); }

void drawSystemText(int x, int y, std::string_view text, std::string_view face, int size,
                    std::uint32_t colour, int style, int /*charset: always Windows-1252*/) {
  platform::FontEngine* engine = systemFonts();
  Image* bitmap = scratch();
  if (engine == nullptr || bitmap == nullptr) return;
  platform::FontEngine& fonts = *engine;
  const platform::FontRequest font{std::string(face), -fontPixelHeight(size, fonts.logicalDpi()),
                                   (style & BOLD) != 0, (style & ITALIC) != 0};
  const platform::TextExtent extent = fonts.measureText(font, text);
  if (extent.height == 0) {
    drawWithoutFonts(x, y, text, font.pixelHeight, colour);
    return;
  }
  int w = extent.width;
  int h = extent.height;
  if (font.italic) {
    // An outline slant reports no overhang, so the block is widened by a rule of thumb instead.
    w = extent.overhang != 0 ? position(static_cast<long double>(w) + extent.overhang)
                             : position(w + size / 2.0L + 1);
    h = position(h + size / 8.0L + 1);
  }
  fonts.drawText(font, text, reinterpret_cast<std::uint32_t*>(bitmap->pixels.get()), SCRATCH_WIDTH,
                 SCRATCH_HEIGHT, 0, 0, w, h, colour & 0xFFFFFF, KEY_COLOUR);
  if (w < 2 || h < 1) return;  // no column left once the last is dropped
  putImage(nullptr, static_cast<float>(x), static_cast<float>(y), bitmap, 0, 0, w - 2, h - 1, 0,
           KEYED);
}

}  // namespace orventa
