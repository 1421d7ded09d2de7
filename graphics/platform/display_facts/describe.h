// A display session and a monitor's EDID put into words, for desktop info and --list-displays,
// and whether a full screen of a size lands pixel for pixel on the panel.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/platform/platform.h"

namespace orventa {

// Whether a full screen of width x height lands pixel for pixel on the panel: always where modes
// really switch, elsewhere only at the panel's own size.
bool fullScreenPossible(const platform::DisplaySession& session, int width, int height);

// "2", "1.5", or "unknown" for a scale the session cannot see.
std::string scaleText(double scale);
// The session in one line: "Wayland session, driver wayland, output X1, 3840x2160 pixels,
// scale 2, modes cannot be switched".
std::string describeSession(const platform::DisplaySession& session);

// What a monitor's EDID says, as four values: maker and model, serial and date, size and pixel
// density, native timing. "unknown" for each where there is no EDID or it is broken.
struct MonitorFacts {
  std::string model = "unknown";
  std::string made = "unknown";
  std::string size = "unknown";
  std::string native = "unknown";
};
MonitorFacts monitorFacts(const std::vector<std::uint8_t>& edid);
// A measured refresh rate: "59.94 Hz (spread 0.12) over 143 frames", or "not measurable".
std::string describeRefresh(const platform::RefreshEstimate& measured);
// The same in one line, for --list-displays.
std::string describeMonitor(const std::vector<std::uint8_t>& edid);

}  // namespace orventa
