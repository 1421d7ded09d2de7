#include "graphics/bitmap_font.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "graphics/screen_state.h"
#include "graphics/target.h"

namespace orventa {

namespace {

constexpr int GLYPH_WIDTH = 8;

// Clear bits take `paper` only in opaque cells: free text leaves the target showing through.
template <typename T>
void putGlyph(const Target& t, const std::uint8_t* rows, int height, std::int64_t x, std::int64_t y,
              T ink, bool opaque, T paper) {
  const std::int64_t firstRow = std::max<std::int64_t>(0, -y);
  const std::int64_t endRow = std::min<std::int64_t>(height, t.height - y);
  const std::int64_t firstColumn = std::max<std::int64_t>(0, -x);
  const std::int64_t endColumn = std::min<std::int64_t>(GLYPH_WIDTH, t.width - x);
  for (std::int64_t r = firstRow; r < endRow; ++r) {
    T* p = t.at<T>(x + firstColumn, y + r);
    for (std::int64_t c = firstColumn; c < endColumn; ++c, ++p) {
      if ((rows[r] >> c) & 1) {
        *p = ink;
      } else if (opaque) {
        *p = paper;
      }
    }
  }
}

void putText(const Target& t, std::string_view text, int height, std::int64_t left,
             std::int64_t top, std::uint32_t ink, bool opaque, std::uint32_t paper) {
  const std::uint8_t* font = glyphRows(height, 0);
  // Characters wholly left of the target are skipped; those starting past its right edge are
  // never reached.
  const std::size_t first = left < 0 ? static_cast<std::size_t>(-left / GLYPH_WIDTH) : 0;
  ScreenLock lock;
  withPixelType(t.bytesPerPixel, [&]<typename T>() {
    for (std::size_t i = first; i < text.size(); ++i) {
      const std::int64_t x = left + GLYPH_WIDTH * static_cast<std::int64_t>(i);
      if (x >= t.width) break;
      const std::uint8_t* rows = font + static_cast<unsigned char>(text[i]) * height;
      putGlyph<T>(t, rows, height, x, top, static_cast<T>(ink), opaque, static_cast<T>(paper));
    }
  });
  t.changed(top, top + height - 1);
}

bool overlaps(const Target& t, std::int64_t left, std::int64_t top, std::size_t length,
              int height) {
  return left < t.width && top < t.height && top + height > 0 &&
         left + GLYPH_WIDTH * static_cast<std::int64_t>(length) > 0;
}

}  // namespace

const std::uint8_t* glyphRows(int glyphHeight, unsigned char code) {
  switch (glyphHeight) {
    case 8:
      return font8x8 + code * 8;
    case 14:
      return font8x14 + code * 14;
    case 16:
      return font8x16 + code * 16;
    default:
      return nullptr;
  }
}

void drawBitmapText(Image* target, float x, float y, std::uint32_t flags, std::string_view text,
                    std::uint32_t colour) {
  drawBitmapText(target, x, y, flags, text, colour, 0);
}

void drawBitmapText(Image* target, float x, float y, std::uint32_t flags, std::string_view text,
                    std::uint32_t colour, int glyphHeight) {
  Target t;
  if (!resolveTarget(target, t)) return;
  placeOnePoint(flags & COORDINATE_MODE_MASK, x, y);
  const int height = glyphHeight != 0 ? glyphHeight : openScreen()->textGrid.glyphHeight;
  if (text.empty() || std::isnan(x) || std::isnan(y) || glyphRows(height, 0) == nullptr) return;
  const std::int64_t left = roundCoordinate(x);
  const std::int64_t top = roundCoordinate(y);
  if (!overlaps(t, left, top, text.size(), height)) return;
  putText(t, text, height, left, top, pixelColour(t, colour, flags), false, 0);
}

void setTextCursor(int row, int column) {
  Screen* s = openScreen();
  if (s == nullptr) return;
  s->textGrid.cursorRow = row;
  s->textGrid.cursorColumn = column;
}

void printText(std::string_view text, bool lineBreak) {
  Target t;
  if (!resolveTarget(nullptr, t)) return;
  Screen& s = *openScreen();
  TextGrid& grid = s.textGrid;
  const int height = grid.glyphHeight;
  const std::int64_t left = (static_cast<std::int64_t>(grid.cursorColumn) - 1) * GLYPH_WIDTH;
  const std::int64_t top = (static_cast<std::int64_t>(grid.cursorRow) - 1) * height;
  if (glyphRows(height, 0) != nullptr && overlaps(t, left, top, text.size(), height))
    putText(t, text, height, left, top, s.foreground, true, s.background);
  grid.cursorColumn += static_cast<int>(text.size());
  if (lineBreak) {
    grid.cursorRow += 1;
    grid.cursorColumn = 1;
  }
}

int setTextGrid(int columns, int rows) {
  Screen* s = openScreen();
  if (s == nullptr || columns <= 0 || rows <= 0) return 1;
  const int cellHeight = s->height / rows;
  if (s->width / columns != GLYPH_WIDTH || glyphRows(cellHeight, 0) == nullptr) return 1;
  TextGrid& grid = s->textGrid;
  grid.columns = columns % 256;
  grid.rows = rows % 256;
  grid.glyphHeight = cellHeight;
  // A new grid writes from its first cell, as on a freshly opened screen.
  grid.cursorRow = 1;
  grid.cursorColumn = 1;
  return 0;
}

}  // namespace orventa
