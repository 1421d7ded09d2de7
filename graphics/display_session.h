// What the desktop lets a screen be: compositors show a client full screen only at the panel's
// own size, and anything else would be scaled, so such a mode is shown in a window instead.
#pragma once

#include <string>

#include "graphics/platform/platform.h"

namespace orventa {

// Whether a full screen of width x height lands pixel for pixel on the panel: always where modes
// really switch, elsewhere only at the panel's own size.
bool fullScreenPossible(const platform::DisplaySession& session, int width, int height);
// The same for the current platform's session (true without a platform).
bool fullScreenPossible(int width, int height);

// "2", "1.5", or "unknown" for a scale the session cannot see.
std::string scaleText(double scale);
// The session in one line: "Wayland session, driver wayland, output X1, 3840x2160 pixels,
// scale 2, modes cannot be switched".
std::string describeSession(const platform::DisplaySession& session);

}  // namespace orventa
