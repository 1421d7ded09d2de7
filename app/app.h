// The application shell: start-up, the main loop and the actions of the main menu that run no
// test pattern.
#pragma once

#include <string>
#include <vector>

#include "graphics/screen.h"
#include "ui/settings.h"

namespace orventa {

// Reads the desktop, builds the supported-mode lists, the sample text and the fallback screen.
ProgramState startUp();
// The desktop settings, the supported-mode lists and the fallback screen of the chosen output.
void readDisplay(ProgramState& state);
// An output as the menus name it: "HDMI-1  1920x1080  DEL DELL U2720Q".
std::string outputLabel(const DisplayOutput& output);
// The output a name or an index (as --list-displays counts) stands for; -1 for none, and
// AMBIGUOUS_OUTPUT for a name several outputs share (two identical monitors): the index tells.
constexpr int AMBIGUOUS_OUTPUT = -2;
int outputIndex(const std::string& wanted);
// The numbered 8-bit screen of a desktop this wide.
FallbackScreen fallbackScreen(int desktopWidth);
// Shows the main screen and runs what is picked until "Exit Program" or "Visit homepage";
// returns the exit status.
int runMainLoop(ProgramState& state);

void settingsMenu(ProgramState& state);
void showDesktopInfo(const ProgramState& state);
// Runs the command that opens the homepage in the browser and waits for it; the program's exit
// status: 0, or 1 after an error box when the command could not open it.
int visitHomepage(const ProgramState& state);

// The resolution menu's items: the mode table with '*' where the driver does not list the size
// at the test depth, then "Custom".
std::vector<std::string> resolutionMenuItems(const ProgramState& state);
// The number of colours of a depth as the desktop box writes it: 2^depth, up to 16 digits.
std::string colourCount(int depth);

// The custom resolution typed as text: "1024x768" gives 1024 and 768. False (sizes untouched)
// when either number is missing, 0, or too large for 32 bits.
bool parseResolution(const std::string& text, int& width, int& height);

}  // namespace orventa
