#include "graphics/platform/x11/randr_output.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <atomic>
#include <memory>

namespace orventa::platform {
namespace {

std::atomic<unsigned long> errors{0};

extern "C" int countXError(Display*, XErrorEvent*) {
  errors.fetch_add(1);
  return 0;
}

int refreshOf(const XRRModeInfo& m) {
  const double lines = static_cast<double>(m.vTotal) * ((m.modeFlags & RR_DoubleScan) ? 2 : 1) /
                       ((m.modeFlags & RR_Interlace) ? 2 : 1);
  if (m.hTotal == 0 || lines == 0) return 0;
  return static_cast<int>(static_cast<double>(m.dotClock) * 1000.0 / (m.hTotal * lines) + 0.5);
}

struct FreeResources {
  void operator()(XRRScreenResources* r) const { XRRFreeScreenResources(r); }
};
struct FreeOutput {
  void operator()(XRROutputInfo* o) const { XRRFreeOutputInfo(o); }
};
struct FreeCrtc {
  void operator()(XRRCrtcInfo* c) const { XRRFreeCrtcInfo(c); }
};

bool hasRandr(Display* display) {
  int event = 0;
  int error = 0;
  return XRRQueryExtension(display, &event, &error) != 0;
}

}  // namespace

void catchXErrors() { XSetErrorHandler(countXError); }

unsigned long xErrorCount() { return errors.load(); }

bool findOutput(Display* display, const std::string& name, OutputHandle& handle, OutputNow& now) {
  if (display == nullptr || !hasRandr(display)) return false;
  const Window root = DefaultRootWindow(display);
  std::unique_ptr<XRRScreenResources, FreeResources> res(
      XRRGetScreenResourcesCurrent(display, root));
  if (!res) return false;
  const RROutput primary = XRRGetOutputPrimary(display, root);
  RROutput chosen = 0;
  for (int pass = 0; pass < 2 && chosen == 0; ++pass) {
    for (int i = 0; i < res->noutput && chosen == 0; ++i) {
      std::unique_ptr<XRROutputInfo, FreeOutput> info(
          XRRGetOutputInfo(display, res.get(), res->outputs[i]));
      if (!info || info->connection != RR_Connected) continue;
      const bool named = !name.empty() && name == info->name;
      const bool usable =
          name.empty() && info->crtc != 0 && (pass == 1 || res->outputs[i] == primary);
      if (named || usable) chosen = res->outputs[i];
    }
  }
  if (chosen == 0) return false;
  std::unique_ptr<XRROutputInfo, FreeOutput> info(XRRGetOutputInfo(display, res.get(), chosen));
  if (!info) return false;
  handle = {info->name, chosen, info->crtc};
  if (handle.crtc == 0 && info->ncrtc > 0) handle.crtc = info->crtcs[0];
  now = {};
  for (int i = 0; i < info->nmode; ++i) {
    for (int j = 0; j < res->nmode; ++j) {
      const XRRModeInfo& m = res->modes[j];
      if (m.id != info->modes[i]) continue;
      now.modes.push_back({m.id, static_cast<int>(m.width), static_cast<int>(m.height),
                           refreshOf(m), i < info->npreferred});
    }
  }
  if (info->crtc != 0) {
    std::unique_ptr<XRRCrtcInfo, FreeCrtc> crtc(XRRGetCrtcInfo(display, res.get(), info->crtc));
    if (crtc) now.current = crtc->mode;
  }
  return true;
}

bool shownMode(const OutputHandle& handle, const OutputNow& now, SavedMode& mode) {
  for (const OutputMode& m : now.modes) {
    if (m.id != now.current || now.current == 0) continue;
    mode = {handle.name, m.width, m.height, m.refreshMilliHz};
    return true;
  }
  return false;
}

bool setOutputMode(Display* display, const OutputHandle& handle, const OutputMode& mode) {
  const Window root = DefaultRootWindow(display);
  std::unique_ptr<XRRScreenResources, FreeResources> res(
      XRRGetScreenResourcesCurrent(display, root));
  if (!res || handle.crtc == 0) return false;
  std::unique_ptr<XRRCrtcInfo, FreeCrtc> crtc(XRRGetCrtcInfo(display, res.get(), handle.crtc));
  if (!crtc) return false;
  const unsigned long before = xErrorCount();
  const int screen = DefaultScreen(display);
  const Rotation rotation = crtc->rotation != 0 ? crtc->rotation : RR_Rotate_0;
  // The screen takes the mode's size only with the CRTC off; the output is without a mode for
  // as long as these three requests take.
  XRRSetCrtcConfig(display, res.get(), handle.crtc, CurrentTime, 0, 0, None, rotation, nullptr, 0);
  const int mmWidth = mode.width * DisplayWidthMM(display, screen) / DisplayWidth(display, screen);
  const int mmHeight =
      mode.height * DisplayHeightMM(display, screen) / DisplayHeight(display, screen);
  XRRSetScreenSize(display, root, mode.width, mode.height, mmWidth, mmHeight);
  XSync(display, False);
  RROutput output = handle.output;
  const Status status = XRRSetCrtcConfig(display, res.get(), handle.crtc, CurrentTime, crtc->x,
                                         crtc->y, mode.id, rotation, &output, 1);
  XSync(display, False);
  return status == RRSetConfigSuccess && xErrorCount() == before;
}

bool putBack(Display* display, const std::optional<SavedMode>& wanted, SavedMode& done,
             bool& changed) {
  changed = false;
  OutputHandle handle;
  OutputNow now;
  if (!findOutput(display, wanted ? wanted->output : std::string(), handle, now) &&
      !(wanted && findOutput(display, std::string(), handle, now)))
    return false;
  const OutputMode* target = modeToPutBack(now, wanted);
  if (target == nullptr) {
    // Nothing to do: the output already shows it (or, with nothing wanted, shows a mode).
    if (!shownMode(handle, now, done)) return false;
    return true;
  }
  if (!setOutputMode(display, handle, *target)) return false;
  done = {handle.name, target->width, target->height, target->refreshMilliHz};
  changed = true;
  return true;
}

}  // namespace orventa::platform
