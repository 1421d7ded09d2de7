// Aspect ratio: an ellipse as tall as the screen and k times as wide as that, with the centre
// cross, for a picture ratio k chosen from a menu.
#pragma once

#include <array>
#include <cstdint>

#include "displaytests/pattern.h"

namespace orventa {

struct AspectRatio {
  double widthFactor;  // k
  float aspect;        // 1 / k as the float drawEllipse takes
};

extern const std::array<AspectRatio, 8> ASPECT_RATIOS;

// Clears the work page and draws the cross and the ellipse of `ratio` on a width x height mode.
void drawAspectRatio(int width, int height, const AspectRatio& ratio, std::uint32_t colour);

// One page per ratio, the menu's items.
extern const Pattern ASPECT_RATIO;

}  // namespace orventa
