#include "ui/settings.h"

#include "graphics/screen.h"
#include "ui/mode_notice.h"

namespace orventa {

void enterTestMode(const DisplaySettings& current, const DisplaySettings& wanted,
                   bool& modeChanged) {
  if (current == wanted) return;
  const int flags = noticeWindowedMode(current, wanted) ? 0 : FULL_SCREEN;
  setScreenMode(wanted.width, wanted.height, wanted.depth, 2, flags, wanted.refreshRate);
  modeChanged = true;
}

void enterTestMode(ProgramState& state) {
  enterTestMode(state.desktop, state.test, state.modeChanged);
}

const std::string& supportedModes(const ProgramState& state, int depth) {
  static const std::string none;
  const int index = depth / 8;
  if (depth % 8 != 0 || index < 1 || index > 4) return none;
  return state.supportedModes[static_cast<std::size_t>(index - 1)];
}

}  // namespace orventa
