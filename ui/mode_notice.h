// A test mode the desktop cannot show full screen: the user is told before the pattern, which is
// then shown in a window, pixel for pixel, never stretched over the panel.
#pragma once

#include <string>
#include <vector>

#include "ui/settings.h"

namespace orventa {

// The error box's lines for `wanted`.
std::vector<std::string> windowedModeNotice(const DisplaySettings& wanted);

// True when `wanted` must open as a window; the notice has then been shown over the main screen
// and answered. False, showing nothing, when full screen is possible or no screen is open.
bool noticeWindowedMode(const DisplaySettings& mainScreen, const DisplaySettings& wanted);

}  // namespace orventa
