// Colours of the test patterns: true colours when the test depth is above 8 bits, indices of the
// default palette otherwise (the 8-bit screen takes the value as an index).
#pragma once

#include <cstdint>

#include "ui/colours.h"

namespace orventa {

// Palette indices of the default palette.
constexpr std::uint32_t INDEX_BLUE = 9;
constexpr std::uint32_t INDEX_GREEN = 10;
constexpr std::uint32_t INDEX_RED = 12;
constexpr std::uint32_t INDEX_WHITE = 15;

constexpr std::uint32_t byDepth(int depth, std::uint32_t trueColour, std::uint32_t index) {
  return depth > 8 ? trueColour : index;
}

// White at every depth, also below 8 bits, where the screen has no true colours either.
constexpr std::uint32_t patternWhite(int depth) { return byDepth(depth, WHITE, INDEX_WHITE); }

}  // namespace orventa
