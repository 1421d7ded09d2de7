// The display's output through XRandR on a connection of our own: what mode it shows, which it
// offers, and switching it. Never grabs the server, so the program's own connection is never
// held up. X errors are caught and counted (catchXErrors), never fatal.
#pragma once

#include <string>

#include "graphics/platform/x11/mode_choice.h"

typedef struct _XDisplay Display;

namespace orventa::platform {

// From here on an X error on any connection of the process is counted, not fatal: a refused
// RandR request fails like any refused mode instead of ending the program.
void catchXErrors();
unsigned long xErrorCount();

// The output a display's screen is shown on: the primary one, else the first connected one with
// a CRTC. False when the server has no RandR or no such output.
struct OutputHandle {
  std::string name;
  unsigned long output = 0;
  unsigned long crtc = 0;
};
bool findOutput(Display* display, const std::string& name, OutputHandle& handle, OutputNow& now);

// The mode shown now as a record, false when the output shows none.
bool shownMode(const OutputHandle& handle, const OutputNow& now, SavedMode& mode);

// Puts the output in `mode`, resizing the screen to it; true when the server took it.
bool setOutputMode(Display* display, const OutputHandle& handle, const OutputMode& mode);

// Sets the output of `wanted.output` (or the display's output when empty) to the mode that
// stands for `wanted` (or its preferred one when absent), unless it shows it already. `done`
// names the mode put in place; false when nothing could be done.
bool putBack(Display* display, const std::optional<SavedMode>& wanted, SavedMode& done,
             bool& changed);

}  // namespace orventa::platform
