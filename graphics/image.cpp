// Images: created, combined onto a target of the same pixel size, destroyed.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <utility>

#include "graphics/colour.h"
#include "graphics/primitives.h"
#include "graphics/raster.h"
#include "graphics/target.h"

namespace orventa {
namespace {

std::uint32_t transparentColour(int bytesPerPixel) {
  switch (bytesPerPixel) {
    case 1:
      return 0;
    case 2:
      return 0xF81F;
    default:
      return 0xFFFF00FF;
  }
}

void combineRow(std::uint8_t* d, const std::uint8_t* s, std::size_t pixels, int bytesPerPixel,
                int mode) {
  const std::size_t bytes = pixels * static_cast<std::size_t>(bytesPerPixel);
  switch (mode) {
    case COPY:
      std::memmove(d, s, bytes);
      break;
    case AND:
      raster::combineAnd(d, s, bytes);
      break;
    case OR:
      raster::combineOr(d, s, bytes);
      break;
    case XOR:
      raster::combineXor(d, s, bytes);
      break;
    case KEYED:
      raster::combineKeyed(d, s, pixels, bytesPerPixel);
      break;
    case BLEND:
      if (bytesPerPixel == 4)
        raster::combineBlend(reinterpret_cast<std::uint32_t*>(d),
                             reinterpret_cast<const std::uint32_t*>(s), pixels);
      else
        std::memmove(d, s, bytes);
      break;
    default:
      break;
  }
}

}  // namespace

Image* createImage(int width, int height, std::uint32_t fillColour, int depth,
                   std::uint32_t flags) {
  const Screen* s = openScreen();
  if (s == nullptr || width < 1 || height < 1) return nullptr;
  int bytesPerPixel = depth < 1 ? s->bytesPerPixel : depth == 24 ? 4 : (depth + 7) / 8;
  if (bytesPerPixel != 1 && bytesPerPixel != 2 && bytesPerPixel != 4) return nullptr;
  const std::uint64_t bytes =
      static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * bytesPerPixel;
  if (bytes > frameMemoryLimit() ||
      static_cast<std::uint64_t>(width) * bytesPerPixel > static_cast<std::uint64_t>(INT32_MAX))
    return nullptr;
  auto image = std::unique_ptr<Image>(new (std::nothrow) Image);
  if (!image) return nullptr;
  bool zeroed = false;
  image->pixels = allocatePixels(static_cast<std::size_t>(bytes), zeroed);
  if (!image->pixels) return nullptr;
  image->bytesPerPixel = bytesPerPixel;
  image->width = width;
  image->height = height;
  image->pitch = width * bytesPerPixel;
  if ((flags & (TRANSPARENT_FILL | NO_FILL)) == NO_FILL) return image.release();
  std::uint32_t fill = fillColour;
  if ((flags & TRANSPARENT_FILL) != 0)
    fill = transparentColour(bytesPerPixel);
  else if (bytesPerPixel == 2)
    fill = toRgb565(fillColour);
  const std::size_t pixels = static_cast<std::size_t>(bytes) / bytesPerPixel;
  // Fresh memory comes zeroed.
  if (fill == 0 && zeroed) return image.release();
  withPixelType(bytesPerPixel, [&]<typename T>() {
    raster::fill(reinterpret_cast<T*>(image->pixels.get()), pixels, static_cast<T>(fill));
  });
  return image.release();
}

void destroyImage(Image* image) { delete image; }

void putImage(Image* target, float x, float y, const Image* image, int sourceX1, int sourceY1,
              int sourceX2, int sourceY2, int coordinateMode, int combineMode) {
  Target t;
  if (image == nullptr || !resolveTarget(target, t)) return;
  placeOnePoint(static_cast<std::uint32_t>(coordinateMode), x, y);
  if (image->bytesPerPixel != t.bytesPerPixel || std::isnan(x) || std::isnan(y)) return;
  std::int64_t sx1 = 0;
  std::int64_t sy1 = 0;
  std::int64_t sx2 = image->width - 1;
  std::int64_t sy2 = image->height - 1;
  if (sourceX1 != WHOLE_IMAGE && sourceY1 != WHOLE_IMAGE && sourceX2 != WHOLE_IMAGE &&
      sourceY2 != WHOLE_IMAGE) {
    sx1 = std::clamp<std::int64_t>(std::min(sourceX1, sourceX2), 0, image->width - 1);
    sx2 = std::clamp<std::int64_t>(std::max(sourceX1, sourceX2), 0, image->width - 1);
    sy1 = std::clamp<std::int64_t>(std::min(sourceY1, sourceY2), 0, image->height - 1);
    sy2 = std::clamp<std::int64_t>(std::max(sourceY1, sourceY2), 0, image->height - 1);
  }
  std::int64_t dx = roundCoordinate(x);
  std::int64_t dy = roundCoordinate(y);
  // Cut the source by what falls off each edge of the target.
  if (dx < 0) {
    sx1 -= dx;
    dx = 0;
  }
  if (dy < 0) {
    sy1 -= dy;
    dy = 0;
  }
  sx2 = std::min(sx2, sx1 + (t.width - 1 - dx));
  sy2 = std::min(sy2, sy1 + (t.height - 1 - dy));
  if (sx1 > sx2 || sy1 > sy2) return;
  const std::size_t pixels = static_cast<std::size_t>(sx2 - sx1 + 1);
  const int bpp = t.bytesPerPixel;
  ScreenLock lock;
  if (combineMode == COPY && sx1 == 0 && pixels == static_cast<std::size_t>(image->width) &&
      dx == 0 && image->pitch == t.pitch && pixels == static_cast<std::size_t>(t.width)) {
    // Whole rows onto whole rows: one block.
    std::memmove(t.row(dy), image->pixels.get() + sy1 * image->pitch,
                 static_cast<std::size_t>(sy2 - sy1 + 1) * t.pitch);
  } else {
    for (std::int64_t row = sy1; row <= sy2; ++row)
      combineRow(t.row(dy + row - sy1) + dx * bpp,
                 image->pixels.get() + row * image->pitch + sx1 * bpp, pixels, bpp, combineMode);
  }
  t.changed(dy, dy + (sy2 - sy1));
}

}  // namespace orventa
