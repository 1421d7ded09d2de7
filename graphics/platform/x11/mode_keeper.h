// Keeps the desktop's mode on the display's output for the SDL backend, on its main thread:
// before a switch away from it the guardian and the record hold it; after a screen closes it is
// back (put back here when SDL could not, or the output's preferred mode when it is gone), and a
// change made from outside while the desktop mode is shown becomes the new desktop mode.
#pragma once

#include <optional>
#include <string>

#include "graphics/platform/x11/mode_choice.h"
#include "graphics/platform/x11/randr_output.h"

namespace orventa::platform {

class ModeKeeper {
 public:
  // `guardian` from startGuardian (-1: none), `record` the record's path ("": none kept).
  ModeKeeper(int guardian, std::string record);
  ~ModeKeeper();
  ModeKeeper(const ModeKeeper&) = delete;
  ModeKeeper& operator=(const ModeKeeper&) = delete;

  // Once the backend's display is up: X errors stop being fatal, the desktop mode is read.
  void start();
  // Before a screen of `width` x `height` at `refreshHz` (0: any) opens.
  void beforeOpen(int width, int height, int refreshHz, bool fullScreen);
  // After a screen closed. True when the desktop mode is not the one it was (it had gone).
  // `mendAny`: any other mode on the output is the backend's mistake, not the user's choice.
  bool afterClose(bool mendAny);
  // Polled while the desktop mode is shown: true when it was changed from outside.
  bool changedOutside();
  // Keeps the output of that name from now on (between screens), its mode now as the desktop's.
  void useOutput(const std::string& name);
  // The desktop mode as this keeper holds it now (width 0: unknown).
  SavedMode desktop() const { return desktop_; }
  // At a normal end, after the last screen closed.
  void finish();

 private:
  bool readOutput(OutputHandle& handle, OutputNow& now);
  void hold();
  void release();

  Display* display_ = nullptr;
  int guardian_ = -1;
  std::string record_;
  SavedMode desktop_;
  bool holding_ = false;   // a test mode is (or may be) up
  bool watching_ = false;  // a screen at the desktop's size is up
};

}  // namespace orventa::platform
