// The high voltage test: a field that flips between light and dark about once a second, inside a
// one-pixel frame at the screen's edges that stays lit.
#pragma once

#include <cstdint>

#include "displaytests/pattern.h"
#include "graphics/primitives.h"
#include "ui/settings.h"

namespace orventa {

// Runs until the second key or click; P is the pattern colour of the panel tests menu.
void highVoltage(ProgramState& state);

// The frame on the outermost rows and columns and the bar across the middle third, in P.
void drawHighVoltageFrame(int width, int height, std::uint32_t p);
// The field, (W - 19) x (H - 20) pixels all in P, put at (9, 9); null when it cannot be made.
Image* makeHighVoltageField(int width, int height, std::uint32_t p);

// Page 1 has the field XORed on, page 2 has it off again.
extern const Pattern HIGH_VOLTAGE;

}  // namespace orventa
