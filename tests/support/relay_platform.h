// A display that passes every call on to another one; a test overrides only the calls it watches
// or changes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "graphics/platform/platform.h"

namespace orventa::testing {

class RelayPlatform : public platform::Platform {
 public:
  explicit RelayPlatform(platform::Platform& base) : base_(base) {}

  int run(const std::function<int()>& program) override { return base_.run(program); }
  void connect(platform::FrameSource* f, platform::InputSink* i) override { base_.connect(f, i); }
  platform::DisplayMode desktopMode() override { return base_.desktopMode(); }
  std::vector<platform::DisplayMode> displayModes() override { return base_.displayModes(); }
  bool openDisplay(const platform::DisplayMode& mode, bool fullScreen) override {
    return base_.openDisplay(mode, fullScreen);
  }
  int currentRefreshRate() override { return base_.currentRefreshRate(); }
  void closeDisplay() override { base_.closeDisplay(); }
  void waitVerticalRetrace() override { base_.waitVerticalRetrace(); }
  double seconds() override { return base_.seconds(); }
  void sleepMilliseconds(int ms) override { base_.sleepMilliseconds(ms); }
  void idle() override { base_.idle(); }
  void beep(int frequencyHz, int durationMs) override { base_.beep(frequencyHz, durationMs); }
  platform::FontEngine& fonts() override { return base_.fonts(); }
  int runCommand(const std::string& line) override { return base_.runCommand(line); }

 protected:
  platform::Platform& base_;
};

}  // namespace orventa::testing
