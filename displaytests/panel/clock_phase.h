// The clock and phase test: single pixels alternating from column to column, against which the
// monitor's clock and phase are adjusted.
#pragma once

#include <cstdint>

#include "displaytests/pattern.h"
#include "ui/settings.h"

namespace orventa {

// Groups of three rows in P with styles 0xAAAA, 0x5555 and 0x5555, each line running from the
// clipped right end, so the phase counts from column W - 1.
void drawClockPhase(int width, int height, std::uint32_t p);

// The main screen is opened afresh after it.
extern const Pattern CLOCK_PHASE;

}  // namespace orventa
