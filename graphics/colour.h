// How a 32-bit colour value becomes a pixel at each pixel size, and the 8-bit default palette.
#pragma once

#include <array>
#include <cstdint>

namespace orventa {

constexpr std::uint32_t toRgb565(std::uint32_t colour) {
  return ((colour >> 8) & 0xF800u) | ((colour >> 5) & 0x07E0u) | ((colour >> 3) & 0x001Fu);
}

// The colour rule: unchanged at 4 bytes per pixel, RGB565 at 2, masked palette index at 1.
constexpr std::uint32_t convertColour(std::uint32_t colour, int bytesPerPixel,
                                      std::uint32_t colourMask) {
  switch (bytesPerPixel) {
    case 4:
      return colour;
    case 2:
      return toRgb565(colour);
    default:
      return colour & colourMask;
  }
}

// 0x00RRGGBB of an RGB565 pixel, as the display shows it.
constexpr std::uint32_t rgb565ToRgb(std::uint32_t pixel) {
  const std::uint32_t r = (pixel >> 11) & 0x1F;
  const std::uint32_t g = (pixel >> 5) & 0x3F;
  const std::uint32_t b = pixel & 0x1F;
  return ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
}

// The VGA default 256-colour palette as 0x00RRGGBB.
const std::array<std::uint32_t, 256>& defaultPalette();

}  // namespace orventa
