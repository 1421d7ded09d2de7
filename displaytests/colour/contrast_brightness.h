// The patterns of "Contrast/Brightness", each drawn on the open screen without waiting, from the
// test size W x H. All of them need true colours.
#pragma once

#include "displaytests/pattern.h"

namespace orventa {

void drawContrast(int W, int H);
void drawBlackLevels(int W, int H);
void drawDouble(int W, int H);
void drawLuminanceRamp(int W, int H);
// The grey ground is drawn over the page whole.
void drawPluge(int W, int H);
void drawSmpte(int W, int H);

// The menu's patterns, in its order.
extern const Pattern CONTRAST;
extern const Pattern BLACK_LEVELS;
extern const Pattern DOUBLE;
extern const Pattern LUMINANCE_RAMP;
extern const Pattern PLUGE;
extern const Pattern SMPTE;

}  // namespace orventa
