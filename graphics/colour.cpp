#include "graphics/colour.h"

namespace orventa {
namespace {

constexpr std::uint32_t vga(int r, int g, int b) {
  // 6-bit VGA components scaled to 8 bits, rounded down.
  return static_cast<std::uint32_t>((r * 255 / 63) << 16 | (g * 255 / 63) << 8 | (b * 255 / 63));
}

// One run of 24 hues at five levels (low to high): blue, magenta, red, yellow, green, cyan.
constexpr void hueRun(std::array<std::uint32_t, 256>& p, int first, const int (&l)[5]) {
  const int lo = l[0];
  const int hi = l[4];
  int i = first;
  for (int k = 0; k < 4; ++k) p[i++] = vga(l[k], lo, hi);  // red rises under blue
  for (int k = 4; k > 0; --k) p[i++] = vga(hi, lo, l[k]);  // blue falls under red
  for (int k = 0; k < 4; ++k) p[i++] = vga(hi, l[k], lo);  // green rises
  for (int k = 4; k > 0; --k) p[i++] = vga(l[k], hi, lo);  // red falls
  for (int k = 0; k < 4; ++k) p[i++] = vga(lo, hi, l[k]);  // blue rises
  for (int k = 4; k > 0; --k) p[i++] = vga(lo, l[k], hi);  // green falls
}

constexpr std::array<std::uint32_t, 256> makeDefaultPalette() {
  std::array<std::uint32_t, 256> p{};
  constexpr int ega[16][3] = {{0, 0, 0},    {0, 0, 42},   {0, 42, 0},   {0, 42, 42},
                              {42, 0, 0},   {42, 0, 42},  {42, 21, 0},  {42, 42, 42},
                              {21, 21, 21}, {21, 21, 63}, {21, 63, 21}, {21, 63, 63},
                              {63, 21, 21}, {63, 21, 63}, {63, 63, 21}, {63, 63, 63}};
  for (int i = 0; i < 16; ++i) p[i] = vga(ega[i][0], ega[i][1], ega[i][2]);
  constexpr int grey[16] = {0, 5, 8, 11, 14, 17, 20, 24, 28, 32, 36, 40, 45, 50, 56, 63};
  for (int i = 0; i < 16; ++i) p[16 + i] = vga(grey[i], grey[i], grey[i]);
  // Three intensities, each at high, medium and low saturation.
  constexpr int levels[9][5] = {{0, 16, 31, 47, 63}, {31, 39, 47, 55, 63}, {45, 49, 54, 58, 63},
                                {0, 7, 14, 21, 28},  {14, 17, 21, 24, 28}, {20, 22, 24, 26, 28},
                                {0, 4, 8, 12, 16},   {8, 10, 12, 14, 16},  {11, 12, 13, 15, 16}};
  for (int run = 0; run < 9; ++run) hueRun(p, 32 + 24 * run, levels[run]);
  return p;  // 248-255 stay black
}

constexpr std::array<std::uint32_t, 256> DEFAULT_PALETTE = makeDefaultPalette();
static_assert(DEFAULT_PALETTE[15] == 0xFFFFFF);
static_assert(DEFAULT_PALETTE[33] == 0x4000FF && DEFAULT_PALETTE[35] == 0xBE00FF);
static_assert(DEFAULT_PALETTE[55] == 0x0040FF && DEFAULT_PALETTE[247] == vga(11, 12, 16));

}  // namespace

const std::array<std::uint32_t, 256>& defaultPalette() { return DEFAULT_PALETTE; }

}  // namespace orventa
