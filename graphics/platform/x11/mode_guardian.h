// The guardian: a small child process that holds the desktop mode while a test mode is up and
// puts it back when the program ends without doing so itself (a kill, a crash). It is forked at
// start-up while the program is still single-threaded, never touches SDL, and opens an X
// connection only for the moment it restores.
#pragma once

#include <string>

#include "graphics/platform/x11/mode_choice.h"

namespace orventa::platform {

// Forks the guardian; the returned socket is how the program talks to it (-1 when it could not
// be started). The guardian watches the socket and PR_SET_PDEATHSIG: an end of the program that
// did not say "restored" makes it restore what it holds. `record` is removed once restored;
// `closeInChild` is a descriptor the guardian must not keep (the lock).
int startGuardian(const std::string& record, int closeInChild);

// What the guardian holds: the desktop mode while a test mode is up, nothing otherwise.
void guardianHold(int guardian, const SavedMode& desktop);
void guardianRelease(int guardian);
// A normal end: the display is back, nothing is left to do.
void guardianRestored(int guardian);

// SIGQUIT, SIGABRT, SIGSEGV, SIGBUS, SIGFPE and SIGILL tell the guardian at once and then end the
// process as they would have; nothing is restored inside the handler.
void tellGuardianOnCrash(int guardian);

// The messages, as the guardian reads them: what it holds after `line`; false for "restored".
struct GuardianState {
  std::optional<SavedMode> held;
  int parent = 0;
  bool restoreNow = false;  // the program is crashing
};
bool readGuardianLine(const std::string& line, GuardianState& state);

}  // namespace orventa::platform
