#include "app/orventa.h"

#include "app/app.h"
#include "graphics/screen.h"

namespace orventa {

int runOrventa(ProgramState& state) {
  state = startUp();
  const int status = runMainLoop(state);
  // Closing the screen gives the display back its desktop mode.
  setNumberedScreenMode(0, 0, 0, 0, 0);
  return status;
}

int runOrventa() {
  ProgramState state;
  return runOrventa(state);
}

}  // namespace orventa
