#include "graphics/platform/x11/x11_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include "graphics/platform/x11/randr_output.h"

namespace orventa::platform {

bool isXwaylandOutput(const std::string& name, bool hasEmulationProperty) {
  return hasEmulationProperty || name.rfind("XWAYLAND", 0) == 0;
}

bool readXOutput(XOutputFacts& facts) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  OutputHandle handle;
  OutputNow now;
  const bool found = findOutput(display, std::string(), handle, now);
  if (found) {
    bool emulated = false;
    const Atom property = XInternAtom(display, "RANDR Emulation", True);
    if (property != None) {
      int count = 0;
      Atom* properties = XRRListOutputProperties(display, handle.output, &count);
      for (int i = 0; i < count; ++i) emulated = emulated || properties[i] == property;
      if (properties != nullptr) XFree(properties);
    }
    facts.name = handle.name;
    facts.xwayland = isXwaylandOutput(handle.name, emulated);
    for (const OutputMode& mode : now.modes) {
      if (mode.id != now.current) continue;
      facts.width = mode.width;
      facts.height = mode.height;
    }
  }
  XCloseDisplay(display);
  return found;
}

}  // namespace orventa::platform
