// The "Miscellaneous" menu and the pattern colour its tests share.
#pragma once

#include <cstdint>

namespace orventa {

// White in the test mode's terms: a true colour above 8 bits, palette index 15 at 8 or less.
constexpr std::uint32_t patternColour(int testDepth) { return testDepth > 8 ? 0xFFFFFFFFu : 15u; }

}  // namespace orventa
