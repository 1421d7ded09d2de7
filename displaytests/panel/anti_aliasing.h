// The anti-aliasing test: one-pixel line art at many angles and curvatures in the four quarters of
// the screen: two fans, flattened arcs, parallel diagonals and concentric circles.
#pragma once

#include <cstdint>

#include "displaytests/pattern.h"
#include "ui/settings.h"

namespace orventa {

// The whole picture in P, on a cleared screen of the test mode's size.
void drawAntiAliasing(int width, int height, std::uint32_t p);

// The main screen is opened afresh after it.
extern const Pattern ANTI_ALIASING;

}  // namespace orventa
