// The whole program on the headless display, driven like a person would: start it, wait until it
// waits for input, look at the picture, click or type, and again. Between steps the program is
// parked and its virtual clock stands still; waits inside it take no real time.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "graphics/platform/headless/headless_platform.h"
#include "ui/settings.h"

namespace orventa::testing {

class Program {
 public:
  explicit Program(platform::HeadlessConfig config = {});
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Starts the program with the pointer inside the window at (0, 0), and waits until it waits.
  void start();
  // Lets the program go on (for `seconds` of virtual time, or until it waits again).
  void settle(double seconds = 0);

  void moveTo(int x, int y);
  void press(int button = 0);
  void release(int button = 0);
  void click(int x, int y);
  // Each character as a key code (Enter is "\r", Esc "\x1b", Backspace "\b").
  void type(std::string_view keys);
  void key(std::uint32_t code);
  void extendedKey(unsigned char scanCode);
  void leaveWindow();

  // What the display shows, 0x00RRGGBB.
  std::uint32_t pixel(int x, int y);
  std::vector<std::uint32_t> frame();
  int shownWidth() { return display_.shownWidth(); }
  int shownHeight() { return display_.shownHeight(); }

  // Log lines of the display that start with `prefix` ("beep", "command", "open", ...).
  std::vector<std::string> logged(std::string_view prefix);
  void clearLog() { display_.clearLog(); }

  bool finished() { return !display_.programRunning(); }
  int exitStatus() const { return status_; }
  platform::HeadlessPlatform& display() { return display_; }
  // The program's state; read or change it only between steps, while the program waits.
  ProgramState& state() { return state_; }

 private:
  platform::HeadlessPlatform display_;
  ProgramState state_;
  std::thread thread_;
  int status_ = -1;
  int pointerX_ = 0;
  int pointerY_ = 0;
};

}  // namespace orventa::testing
