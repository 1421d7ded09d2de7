#include "graphics/platform/x11/mode_keeper.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>

#include "graphics/platform/x11/instance_files.h"
#include "graphics/platform/x11/mode_guardian.h"

namespace orventa::platform {

ModeKeeper::ModeKeeper(int guardian, std::string record)
    : guardian_(guardian), record_(std::move(record)) {}

ModeKeeper::~ModeKeeper() {
  if (display_ != nullptr) XCloseDisplay(display_);
}

void ModeKeeper::start() {
  catchXErrors();
  display_ = XOpenDisplay(nullptr);
  OutputHandle handle;
  OutputNow now;
  if (readOutput(handle, now)) shownMode(handle, now, desktop_);
}

void ModeKeeper::useOutput(const std::string& name) {
  if (display_ == nullptr || name == desktop_.output) return;
  OutputHandle handle;
  OutputNow now;
  XSync(display_, False);
  if (!findOutput(display_, name, handle, now)) return;
  SavedMode mode;
  if (shownMode(handle, now, mode)) desktop_ = mode;
}

bool ModeKeeper::readOutput(OutputHandle& handle, OutputNow& now) {
  if (display_ == nullptr) return false;
  // The backend's own requests reach the server before ours are answered.
  XSync(display_, False);
  return findOutput(display_, desktop_.output, handle, now) ||
         findOutput(display_, std::string(), handle, now);
}

void ModeKeeper::beforeOpen(int width, int height, int refreshHz, bool fullScreen) {
  const bool desktopSize = width == desktop_.width && height == desktop_.height;
  const bool leaves =
      fullScreen &&
      (!desktopSize || (refreshHz != 0 && refreshHz != wholeHertz(desktop_.refreshMilliHz)));
  watching_ = desktopSize && !leaves;
  if (leaves) hold();
}

void ModeKeeper::hold() {
  if (holding_ || desktop_.width == 0) return;
  holding_ = true;
  guardianHold(guardian_, desktop_);
  if (!record_.empty()) writeText(record_, formatRecord(desktop_, getpid()));
}

void ModeKeeper::release() {
  if (!holding_) return;
  holding_ = false;
  guardianRelease(guardian_);
  if (!record_.empty()) std::remove(record_.c_str());
}

bool ModeKeeper::afterClose(bool mendAny) {
  watching_ = false;
  OutputHandle handle;
  OutputNow now;
  if (desktop_.width == 0 || !readOutput(handle, now)) {
    release();
    return false;
  }
  // Away from a test mode only an output left without a mode is ours to mend; any other mode
  // there is the user's.
  SavedMode shown;
  if (!holding_ && !mendAny && shownMode(handle, now, shown)) return false;
  bool changed = false;
  const OutputMode* target = modeToPutBack(now, desktop_);
  if (target != nullptr && setOutputMode(display_, handle, *target)) {
    const SavedMode put{handle.name, target->width, target->height, target->refreshMilliHz};
    changed = !(put == desktop_);
    desktop_ = put;
  }
  release();
  return changed;
}

bool ModeKeeper::changedOutside() {
  if (!watching_ || holding_) return false;
  OutputHandle handle;
  OutputNow now;
  SavedMode shown;
  if (!readOutput(handle, now) || !shownMode(handle, now, shown)) return false;
  if (shown.width == desktop_.width && shown.height == desktop_.height) return false;
  desktop_ = shown;
  watching_ = false;
  return true;
}

void ModeKeeper::finish() {
  release();
  guardianRestored(guardian_);
}

}  // namespace orventa::platform
