#include "ui/mode_notice.h"

#include "graphics/display_session.h"
#include "graphics/screen.h"
#include "ui/prompts.h"

namespace orventa {

std::vector<std::string> windowedModeNotice(const DisplaySettings& wanted) {
  const std::string rate =
      wanted.refreshRate > 0 ? std::to_string(wanted.refreshRate) + " Hz" : "default rate";
  return {std::to_string(wanted.width) + "x" + std::to_string(wanted.height) + ", " +
              std::to_string(wanted.depth) + " bits, " + rate,
          "this desktop cannot switch the display", "the pattern is shown in a window, 1:1",
          "Press any key or mouse"};
}

bool noticeWindowedMode(const DisplaySettings& mainScreen, const DisplaySettings& wanted) {
  if (fullScreenPossible(wanted.width, wanted.height)) return false;
  // Without a screen there is nobody to tell; the window is still the only honest choice.
  if (screenPointer() != nullptr) showErrorBox(mainScreen, windowedModeNotice(wanted));
  return true;
}

}  // namespace orventa
