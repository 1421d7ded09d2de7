// The program itself, run on its own thread while the main thread serves the display.
#pragma once

#include <string>

#include "ui/settings.h"

namespace orventa {

// Start-up, then the main loop until the program ends; the exit status. `state` is the
// program's state for the whole run; `output` names the output to open on (a name, or an index
// as --list-displays counts), empty for the first. A name no output has: one line, status 2.
int runOrventa(ProgramState& state, const std::string& output = "");
int runOrventa(const std::string& output = "");

}  // namespace orventa
