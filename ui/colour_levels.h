// Opaque colours built from 8-bit channel levels, as the tone patterns compute them.
#pragma once

#include <cstdint>

namespace orventa {

// 0xFFRRGGBB; each level is taken modulo 256.
constexpr std::uint32_t opaque(int r, int g, int b) {
  return 0xFF000000u | (static_cast<std::uint32_t>(r) & 0xFF) << 16 |
         (static_cast<std::uint32_t>(g) & 0xFF) << 8 | (static_cast<std::uint32_t>(b) & 0xFF);
}

constexpr std::uint32_t grey(int level) { return opaque(level, level, level); }

}  // namespace orventa
