// The typing row of an input box: a box drawn with drawMenuBox at (W/2 - 225, H/3), 450 wide,
// whose third item is left empty for the typed characters.
#pragma once

#include <string>

#include "ui/settings.h"

namespace orventa {

// Polls the keyboard until Enter or Esc and returns the accepted characters, in lower case.
// Accepted keys are drawn in cells 20 pixels apart; Backspace erases the last cell. Any other
// key, and a cursor that would leave cells 1 to 10, beeps; the text itself has no length limit.
std::string typeIntoField(const DisplaySettings& mainScreen, bool (*accepts)(int code));

}  // namespace orventa
