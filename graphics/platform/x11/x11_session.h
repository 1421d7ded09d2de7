// Whether an X display is a real X server or Xwayland, told by the display's RandR output:
// Xwayland names its outputs XWAYLAND<n> and marks them with the property "RANDR Emulation",
// since its mode switches are only a per-client view that never reaches the panel.
#pragma once

#include <string>

namespace orventa::platform {

struct XOutputFacts {
  std::string name;       // the output the screen is shown on
  bool xwayland = false;  // the output belongs to Xwayland
  int width = 0;          // the mode it shows
  int height = 0;
};

// The name alone, or the property alone, tells Xwayland's outputs apart.
bool isXwaylandOutput(const std::string& name, bool hasEmulationProperty);

// Read on a connection of its own to $DISPLAY; false without an X display or RandR output.
bool readXOutput(XOutputFacts& facts);

}  // namespace orventa::platform
