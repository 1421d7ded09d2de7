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

#include "graphics/input.h"
#include "graphics/platform/headless/headless_platform.h"
#include "ui/settings.h"

namespace orventa::testing {

class Program {
 public:
  explicit Program(platform::HeadlessConfig config = {}) : display_(std::move(config)) {}
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Starts the program with the pointer inside the window at (0, 0), and waits until it waits.
  void start();
  // Lets the program go on (for `seconds` of virtual time, or until it waits again).
  void settle(double seconds = 0);

  void moveTo(int x, int y) {
    display_.placePointer(x, y);
    display_.input()->pointerInside(true);
    display_.input()->mouseMoved(x, y);
    settle();
  }
  // Moves the pointer while no window sees it (as during a mode switch): the next screen to
  // open learns where it is, the open one does not.
  void moveUnseen(int x, int y) { display_.placePointer(x, y); }
  void press(int button = 0) { setButton(button, true); }
  void release(int button = 0) { setButton(button, false); }
  void click(int x, int y) {
    moveTo(x, y);
    press();
    release();
  }
  // Each character as a key code (Enter is "\r", Esc "\x1b", Backspace "\b").
  void type(std::string_view keys) {
    for (char c : keys) key(static_cast<unsigned char>(c));
  }
  void key(std::uint32_t code) {
    display_.input()->queueKey(code);
    settle();
  }
  void extendedKey(unsigned char scanCode) { key(orventa::extendedKey(scanCode)); }
  // Keys typed faster than the program reads them: all queued, then one settle.
  void typeAhead(const std::vector<std::uint32_t>& codes) {
    for (std::uint32_t code : codes) display_.input()->queueKey(code);
    settle();
  }
  void leaveWindow() {
    display_.placePointer(-1, -1);
    display_.input()->pointerInside(false);
    settle();
  }

  // What the display shows, 0x00RRGGBB; 0xFFFFFFFF off the picture.
  std::uint32_t pixel(int x, int y);
  std::vector<std::uint32_t> frame() { return display_.snapshot(); }
  int shownWidth() { return display_.shownWidth(); }
  int shownHeight() { return display_.shownHeight(); }

  // Log lines of the display that start with `prefix` ("beep", "command", "open", ...).
  std::vector<std::string> logged(std::string_view prefix);

  bool finished() { return !display_.programRunning(); }
  int exitStatus() const { return status_; }
  platform::HeadlessPlatform& display() { return display_; }
  // The program's state; read or change it only between steps, while the program waits.
  ProgramState& state() { return state_; }

 private:
  void setButton(int button, bool down) {
    display_.input()->mouseButton(button, down);
    settle();
  }

  platform::HeadlessPlatform display_;
  ProgramState state_;
  std::thread thread_;
  int status_ = -1;
};

}  // namespace orventa::testing
