// The test patterns of the main menu, one routine per source. Each takes the program's state,
// switches to the test mode itself, draws, waits and returns; the main loop restores its mode.
#pragma once

#include "ui/settings.h"

namespace orventa {

void resolutionTestCard(ProgramState& state);  // geometry/resolution_card.cpp
void collinearityGrid(ProgramState& state);    // geometry/collinearity_grid.cpp
void colourRange(ProgramState& state);         // colour/colour_range.cpp
void contrastBrightness(ProgramState& state);  // colour/contrast_brightness.cpp
void gammaChart(ProgramState& state);          // colour/gamma_chart.cpp
void aspectRatio(ProgramState& state);         // geometry/ratio_ellipses.cpp
void moirePatterns(ProgramState& state);       // geometry/moire_patterns.cpp
void refreshTest(ProgramState& state);         // modes/refresh_test.cpp
void listSupportedModes(ProgramState& state);  // modes/supported_modes.cpp
void panelTests(ProgramState& state);          // panel/panel_menu.cpp

}  // namespace orventa
