// The true colours of the main screen and the menus.
#pragma once

#include <cstdint>

namespace orventa {

constexpr std::uint32_t WHITE = 0xFFFFFFFF;
constexpr std::uint32_t BLACK = 0xFF000000;
constexpr std::uint32_t BLUE = 0xFF0000FF;
constexpr std::uint32_t RED = 0xFFFF0000;
constexpr std::uint32_t GREY = 0xFFA0A0A0;  // the main-screen background

}  // namespace orventa
