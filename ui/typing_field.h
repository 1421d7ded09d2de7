// The typing row of an input box: a box drawn with drawMenuBox at (W/2 - 225, H/3), 450 wide,
// whose third item is left empty for the typed characters.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "ui/settings.h"

namespace orventa {

constexpr std::size_t FIELD_CELLS = 10;

// Polls the keyboard until Enter or Esc and returns the accepted characters, in lower case;
// nothing when Esc ends an empty field. Accepted keys are drawn in cells 20 pixels apart;
// Backspace erases the last one. Any other key, a character beyond the tenth cell (which is not
// taken), and a cursor that would leave cells 1 to 10 beep: the field shows exactly the text.
std::optional<std::string> typeIntoField(const DisplaySettings& mainScreen,
                                         bool (*accepts)(int code));

}  // namespace orventa
