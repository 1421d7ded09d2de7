// What the desktop lets a screen be: compositors show a client full screen only at the panel's
// own size, and anything else would be scaled, so such a mode is shown in a window instead. And
// the other services of the desktop the program reaches through the graphics layer.
#pragma once

#include <optional>
#include <string>

#include "graphics/platform/display_facts/describe.h"
#include "graphics/platform/platform.h"

namespace orventa {

// Whether a full screen of width x height lands pixel for pixel on the current platform's panel
// (true without a platform).
bool fullScreenPossible(int width, int height);

// The current platform's session and desktop mode; nothing without a platform.
std::optional<platform::DisplaySession> displaySession();
std::optional<platform::DisplayMode> desktopDisplayMode();
// True once after the desktop's mode was changed from outside the program.
bool desktopChangedOutside();
// The font engine system text is drawn with; null without a platform.
platform::FontEngine* systemFonts();
// Runs a command line through the shell and waits; its exit status, -1 without a platform.
int runShellCommand(const std::string& commandLine);

}  // namespace orventa
