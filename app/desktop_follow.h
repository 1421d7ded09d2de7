// The desktop mode may change under the program: from outside (the user's own tool) or because
// the mode it had is gone. The main screen follows it, and later tests come back to it.
#pragma once

#include "ui/settings.h"

namespace orventa {

// Re-reads the desktop settings when the display's desktop mode is no longer the one held;
// true when they changed (and with them the fallback screen).
bool followDesktop(ProgramState& state);

// Opens the main-screen mode of the desktop as it is now.
void openMainScreenMode(ProgramState& state);

}  // namespace orventa
