#include "app/desktop_follow.h"

#include "app/app.h"
#include "graphics/display_session.h"
#include "graphics/screen.h"

namespace orventa {

bool followDesktop(ProgramState& state) {
  const std::optional<platform::DisplayMode> desktop = desktopDisplayMode();
  if (!desktop) return false;
  const platform::DisplayMode& mode = *desktop;
  DisplaySettings& d = state.desktop;
  if (mode.width <= 0 || mode.height <= 0 ||
      (mode.width == d.width && mode.height == d.height && mode.refreshRate == d.refreshRate))
    return false;
  d.width = mode.width;
  d.height = mode.height;
  d.refreshRate = mode.refreshRate;
  state.fallback = fallbackScreen(d.width);
  return true;
}

void openMainScreenMode(ProgramState& state) {
  followDesktop(state);
  setScreenMode(state.desktop.width, state.desktop.height, 24, 0, FULL_SCREEN, 0);
  // Closing the test's screen may have found the desktop's mode gone and put another in place.
  if (followDesktop(state))
    setScreenMode(state.desktop.width, state.desktop.height, 24, 0, FULL_SCREEN, 0);
}

}  // namespace orventa
