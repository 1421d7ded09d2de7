// The gamma chart, drawn on the open screen without waiting, from the test size W x H.
#pragma once

#include <string>

#include "displaytests/pattern.h"

namespace orventa {

// The steps' height: H / 13 rounded, at least 1.
int gammaStepHeight(int H);
// The label of the step whose bottom edge is at y: its gamma as the shortest decimal of at most
// 16 significant digits, cut to three characters.
std::string gammaLabel(int H, int y, int s);
void drawGammaChart(int W, int H);

extern const Pattern GAMMA_CHART;

}  // namespace orventa
