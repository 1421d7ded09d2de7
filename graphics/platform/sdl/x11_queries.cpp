#include "graphics/platform/sdl/x11_queries.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace orventa::platform {
namespace {

int trappedErrors = 0;

extern "C" int trapError(Display*, XErrorEvent*) {
  ++trappedErrors;
  return 0;
}

// Around round trips whose error must not reach the process-wide handler, which would end the
// program. Xlib and SDL's video both live on the main thread, so nothing else runs meanwhile.
class ErrorTrap {
 public:
  ErrorTrap() : previous_(XSetErrorHandler(trapError)) { trappedErrors = 0; }
  ~ErrorTrap() { XSetErrorHandler(previous_); }
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;
  static bool failed() { return trappedErrors != 0; }

 private:
  int (*previous_)(Display*, XErrorEvent*);
};

}  // namespace

PointerQuery queryPointer(SDL_Window* window) {
  PointerQuery result;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE ||
      info.subsystem != SDL_SYSWM_X11)
    return result;
  Display* display = info.info.x11.display;
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(window, &width, &height);
  const ErrorTrap trap;
  Window root = 0;
  Window child = 0;
  int rootX = 0;
  int rootY = 0;
  int x = 0;
  int y = 0;
  unsigned int mask = 0;
  const Bool sameScreen =
      XQueryPointer(display, info.info.x11.window, &root, &child, &rootX, &rootY, &x, &y, &mask);
  if (ErrorTrap::failed()) return result;
  result.known = true;
  result.x = x;
  result.y = y;
  result.inside = sameScreen != False && x >= 0 && y >= 0 && x < width && y < height;
  result.buttons = ((mask & Button1Mask) != 0 ? 1 : 0) | ((mask & Button3Mask) != 0 ? 2 : 0) |
                   ((mask & Button2Mask) != 0 ? 4 : 0);
  return result;
}

bool largestScreenSize(int& width, int& height) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  int eventBase = 0;
  int errorBase = 0;
  int minWidth = 0;
  int minHeight = 0;
  bool known = false;
  if (XRRQueryExtension(display, &eventBase, &errorBase) != False) {
    const ErrorTrap trap;
    known = XRRGetScreenSizeRange(display, DefaultRootWindow(display), &minWidth, &minHeight,
                                  &width, &height) != 0 &&
            !ErrorTrap::failed();
  }
  if (!known) {
    // Without RandR the screen never changes size.
    width = DisplayWidth(display, DefaultScreen(display));
    height = DisplayHeight(display, DefaultScreen(display));
    known = true;
  }
  XCloseDisplay(display);
  return known;
}

}  // namespace orventa::platform
