#include "displaytests/pattern.h"

#include "graphics/input.h"
#include "graphics/screen.h"
#include "ui/prompts.h"

namespace orventa {
namespace {

void openMode(const Pattern& pattern, const DisplaySettings& current, const DisplaySettings& test,
              bool& modeChanged) {
  if (pattern.mode == ModeRule::OWN_TRUE_COLOUR_MODE) {
    setScreenMode(test.width, test.height, 24, 0, FULL_SCREEN, 0);
    modeChanged = true;
    return;
  }
  enterTestMode(current, test, modeChanged);
}

}  // namespace

int pageCount(const Pattern& pattern, int depth) {
  if (pattern.needsTrueColour && depth <= 8) return 0;
  return pattern.pagesAtDepth != nullptr ? pattern.pagesAtDepth(depth)
                                         : static_cast<int>(pattern.pages.size());
}

void refuseEightBits(const DisplaySettings& desktop) {
  drawErrorBox(desktop, DEPTH_REQUIRED);
  beep();
  waitForKeyOrClick();
}

namespace {

bool showRange(ProgramState& state, const Pattern& pattern, int first, int last) {
  if (pageCount(pattern, state.test.depth) == 0) {
    refuseEightBits(state.desktop);
    return true;
  }
  openMode(pattern, state.desktop, state.test, state.modeChanged);
  if (pattern.mode != ModeRule::TEST_MODE) state.modeChanged = true;
  if (screenPointer() == nullptr) return false;
  for (int page = first; page <= last; ++page) {
    pattern.drawPage(state.test, page);
    waitForKeyOrClick();
  }
  return true;
}

}  // namespace

bool showPages(ProgramState& state, const Pattern& pattern) {
  return showRange(state, pattern, 1, pageCount(pattern, state.test.depth));
}

bool showPage(ProgramState& state, const Pattern& pattern, int page) {
  return showRange(state, pattern, page, page);
}

bool drawPatternPage(const Pattern& pattern, int page, const DisplaySettings& test) {
  bool changed = false;
  // From no screen at all, so that the mode is opened even when it matches what is shown.
  openMode(pattern, DisplaySettings{}, test, changed);
  if (screenPointer() == nullptr) return false;
  pattern.drawPage(test, page);
  return screenPointer() != nullptr;
}

}  // namespace orventa
