// The resolution test card: a frame on the outermost pixels, a centre cross, four ticks from the
// edges toward the centre, a circle as tall as the screen and an ellipse as wide as it.
#pragma once

#include <cstdint>

#include "displaytests/pattern.h"

namespace orventa {

// Clears the work page and draws the card of a width x height test mode in `colour`.
void drawResolutionCard(int width, int height, std::uint32_t colour);

extern const Pattern RESOLUTION_CARD;

}  // namespace orventa
