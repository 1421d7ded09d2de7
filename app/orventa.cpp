#include "app/orventa.h"

#include <cstdio>
#include <string>

#include "app/app.h"
#include "graphics/screen.h"

namespace orventa {

int runOrventa(ProgramState& state, const std::string& output) {
  if (!output.empty()) {
    const int index = outputIndex(output);
    if (index < 0 || !chooseDisplayOutput(index)) {
      std::string names;
      int number = 0;
      for (const DisplayOutput& o : displayOutputs())
        names += (names.empty() ? "" : ", ") + std::to_string(number++) + " " + o.name;
      std::fprintf(stderr, "orventa: %s \"%s\" (there are: %s)\n",
                   index == AMBIGUOUS_OUTPUT ? "more than one display is called" : "no display",
                   output.c_str(), names.c_str());
      return 2;
    }
  }
  state = startUp();
  const int status = runMainLoop(state);
  // Closing the screen gives the display back its desktop mode.
  setNumberedScreenMode(0, 0, 0, 0, 0);
  return status;
}

int runOrventa(const std::string& output) {
  ProgramState state;
  return runOrventa(state, output);
}

}  // namespace orventa
