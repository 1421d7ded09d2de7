// The few questions SDL cannot answer about an X display: where the pointer really is relative to
// a window (SDL only learns it from crossing events, which never come while the pointer rests),
// and the largest screen the server can make. Only the SDL backend includes this.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SDL_Window;

namespace orventa::platform {

struct PointerQuery {
  bool known = false;  // false: not an X11 window, or the server did not answer
  bool inside = false;
  int x = 0;  // relative to the window's client area
  int y = 0;
  int buttons = 0;  // bit 0 left, 1 right, 2 middle
};

// Asks the X server on the window's own connection. Main thread only, like every SDL video call.
PointerQuery queryPointer(SDL_Window* window);

// The largest screen size the X server accepts (RandR), read on a connection of its own. False
// when there is no X display or the server does not say.
bool largestScreenSize(int& width, int& height);

// A connected output with a picture on it: its name, where it sits on the X screen, and its
// monitor's EDID (empty when it has none). Read on a connection of its own.
struct X11Output {
  std::string name;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> edid;
};
std::vector<X11Output> x11Outputs();

}  // namespace orventa::platform
