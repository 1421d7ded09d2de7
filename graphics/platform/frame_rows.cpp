#include "graphics/platform/frame_rows.h"

#include <array>
#include <cstring>

namespace orventa::platform {
namespace {

constexpr std::uint32_t OPAQUE = 0xFF000000u;

using OpaquePalette = std::array<std::uint32_t, 256>;

OpaquePalette opaque(const std::uint32_t* palette) {
  OpaquePalette p;
  for (int i = 0; i < 256; ++i) p[i] = palette[i] | OPAQUE;
  return p;
}

// A table lookup per pixel does not vectorise; reading four indices at once halves the loads.
void fromPalette(const std::uint8_t* source, int width, const OpaquePalette& palette,
                 std::uint32_t* target) {
  int x = 0;
  for (; x + 4 <= width; x += 4) {
    std::uint32_t four;
    std::memcpy(&four, source + x, 4);
    target[x] = palette[four & 0xFF];
    target[x + 1] = palette[four >> 8 & 0xFF];
    target[x + 2] = palette[four >> 16 & 0xFF];
    target[x + 3] = palette[four >> 24];
  }
  for (; x < width; ++x) target[x] = palette[source[x]];
}

// rgb565ToRgb, worked out in 16-bit halves so that a vector holds eight pixels, not four.
void fromRgb565(const std::uint16_t* source, int width, std::uint32_t* target) {
  for (int x = 0; x < width; ++x) {
    const std::uint16_t p = source[x];
    const auto red = static_cast<std::uint16_t>((p >> 8 & 0xF8) | p >> 13);
    const auto green = static_cast<std::uint16_t>((p >> 3 & 0xFC) | (p >> 9 & 0x03));
    const auto blue = static_cast<std::uint16_t>((p << 3 & 0xF8) | (p >> 2 & 0x07));
    const auto high = static_cast<std::uint16_t>(OPAQUE >> 16 | red);
    const auto low = static_cast<std::uint16_t>(green << 8 | blue);
    target[x] = static_cast<std::uint32_t>(high) << 16 | low;
  }
}

void fromArgb(const std::uint32_t* source, int width, std::uint32_t* target) {
  for (int x = 0; x < width; ++x) target[x] = source[x] | OPAQUE;
}

// Rows start on their pixel size's alignment: pages are page-aligned and rows unpadded.
void convert(const std::uint8_t* source, int bytesPerPixel, int width, const OpaquePalette& palette,
             std::uint32_t* target) {
  switch (bytesPerPixel) {
    case 1:
      fromPalette(source, width, palette, target);
      break;
    case 2:
      fromRgb565(reinterpret_cast<const std::uint16_t*>(source), width, target);
      break;
    default:
      fromArgb(reinterpret_cast<const std::uint32_t*>(source), width, target);
      break;
  }
}

}  // namespace

bool dirtySpan(const FrameView& frame, int& first, int& last) {
  first = 0;
  while (first < frame.height && frame.dirtyRows[first] == 0) ++first;
  last = frame.height - 1;
  while (last >= first && frame.dirtyRows[last] == 0) --last;
  return first <= last;
}

void convertRows(FrameView& frame, int first, int last, std::uint8_t* target, int targetPitch) {
  const OpaquePalette palette = frame.bytesPerPixel == 1 ? opaque(frame.palette) : OpaquePalette{};
  // Clean rows inside the span are converted too: the frame buffer holds what they show.
  for (int y = first; y <= last; ++y) {
    convert(frame.pixels + static_cast<std::size_t>(y) * frame.pitch, frame.bytesPerPixel,
            frame.width, palette,
            reinterpret_cast<std::uint32_t*>(target +
                                             static_cast<std::size_t>(y - first) * targetPitch));
    frame.dirtyRows[y] = 0;
  }
}

}  // namespace orventa::platform
