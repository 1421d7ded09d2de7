// The program itself, run on its own thread while the main thread serves the display.
#pragma once

#include "ui/settings.h"

namespace orventa {

// Start-up, then the main loop until the program ends; the exit status. `state` is the
// program's state for the whole run.
int runOrventa(ProgramState& state);
int runOrventa();

}  // namespace orventa
