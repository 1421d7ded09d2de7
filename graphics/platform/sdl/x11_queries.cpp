#include "graphics/platform/sdl/x11_queries.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
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

namespace {

std::vector<std::uint8_t> edidOf(Display* display, RROutput output) {
  std::vector<std::uint8_t> bytes;
  const Atom edid = XInternAtom(display, "EDID", True);
  if (edid == None) return bytes;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XRRGetOutputProperty(display, output, edid, 0, 256, False, False, AnyPropertyType, &type,
                           &format, &count, &after, &data) == Success &&
      data != nullptr && format == 8)
    bytes.assign(data, data + count);
  if (data != nullptr) XFree(data);
  return bytes;
}

}  // namespace

std::vector<X11Output> x11Outputs() {
  std::vector<X11Output> outputs;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return outputs;
  int eventBase = 0;
  int errorBase = 0;
  if (XRRQueryExtension(display, &eventBase, &errorBase) != False) {
    const ErrorTrap trap;
    XRRScreenResources* resources =
        XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
    for (int i = 0; resources != nullptr && i < resources->noutput; ++i) {
      XRROutputInfo* info = XRRGetOutputInfo(display, resources, resources->outputs[i]);
      if (info == nullptr) continue;
      if (info->connection == RR_Connected && info->crtc != 0) {
        if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, info->crtc)) {
          outputs.push_back({std::string(info->name, static_cast<std::size_t>(info->nameLen)),
                             crtc->x, crtc->y, static_cast<int>(crtc->width),
                             static_cast<int>(crtc->height),
                             edidOf(display, resources->outputs[i])});
          XRRFreeCrtcInfo(crtc);
        }
      }
      XRRFreeOutputInfo(info);
    }
    if (resources != nullptr) XRRFreeScreenResources(resources);
  }
  XCloseDisplay(display);
  return outputs;
}

}  // namespace orventa::platform
