#include "graphics/target.h"

#include <algorithm>

#include "graphics/colour.h"

namespace orventa {

void Target::changed(std::int64_t firstRow, std::int64_t lastRow) const {
  if (!visible) return;
  firstRow = std::max<std::int64_t>(firstRow, 0);
  lastRow = std::min<std::int64_t>(lastRow, height - 1);
  if (firstRow <= lastRow)
    markRowsDirty(*screen, static_cast<int>(firstRow), static_cast<int>(lastRow));
}

bool resolveTarget(Image* image, Target& target) {
  Screen* s = openScreen();
  if (s == nullptr) return false;
  target.screen = s;
  if (image != nullptr) {
    target.pixels = image->pixels.get();
    target.width = image->width;
    target.height = image->height;
    target.pitch = image->pitch;
    target.bytesPerPixel = image->bytesPerPixel;
    target.colourMask = 0xFF;
    target.visible = false;
    return true;
  }
  target.pixels = s->pages[s->workPage].data();
  target.width = s->width;
  target.height = s->height;
  target.pitch = s->pitch;
  target.bytesPerPixel = s->bytesPerPixel;
  target.colourMask = s->colourMask;
  target.visible = s->workPage == s->visiblePage;
  return true;
}

void placeOnePoint(std::uint32_t coordinateMode, float& x, float& y) {
  Screen& s = *openScreen();
  if (firstFromCursor(coordinateMode)) {
    x = s.cursorX + x;
    y = s.cursorY + y;
  }
  s.cursorX = x;
  s.cursorY = y;
}

std::uint32_t pixelColour(const Target& target, std::uint32_t colour, std::uint32_t flags) {
  if ((flags & DEFAULT_COLOUR) != 0) return target.screen->foreground;
  return convertColour(colour, target.bytesPerPixel, target.colourMask);
}

}  // namespace orventa
