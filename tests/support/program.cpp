#include "tests/support/program.h"

#include "app/orventa.h"
#include "graphics/input.h"
#include "graphics/screen.h"

namespace orventa::testing {

Program::Program(platform::HeadlessConfig config) : display_(std::move(config)) {}

Program::~Program() {
  if (thread_.joinable()) {
    display_.stopProgram();
    thread_.join();
  }
  platform::usePlatform(nullptr);
}

void Program::start() {
  platform::usePlatform(&display_);
  resetInputState();
  display_.setScripted(true);
  display_.input()->windowActive(true);
  display_.input()->mouseMoved(0, 0);
  thread_ = std::thread([this] { status_ = display_.run([this] { return runOrventa(state_); }); });
  ASSERT_TRUE(display_.waitUntilIdle()) << "the program never waited for input";
}

void Program::settle(double seconds) {
  if (finished()) return;
  display_.resume(seconds);
  ASSERT_TRUE(display_.waitUntilIdle()) << "the program did not come back to wait for input";
  if (finished() && thread_.joinable()) thread_.join();
}

void Program::moveTo(int x, int y) {
  pointerX_ = x;
  pointerY_ = y;
  display_.input()->pointerInside(true);
  display_.input()->mouseMoved(x, y);
  settle();
}

void Program::press(int button) {
  display_.input()->mouseButton(button, true);
  settle();
}

void Program::release(int button) {
  display_.input()->mouseButton(button, false);
  settle();
}

void Program::click(int x, int y) {
  moveTo(x, y);
  press();
  release();
}

void Program::type(std::string_view keys) {
  for (char c : keys) key(static_cast<unsigned char>(c));
}

void Program::key(std::uint32_t code) {
  display_.input()->queueKey(code);
  settle();
}

void Program::extendedKey(unsigned char scanCode) { key(orventa::extendedKey(scanCode)); }

void Program::leaveWindow() {
  display_.input()->pointerInside(false);
  settle();
}

std::uint32_t Program::pixel(int x, int y) {
  const std::vector<std::uint32_t> f = display_.snapshot();
  const int w = display_.shownWidth();
  if (x < 0 || y < 0 || x >= w || static_cast<std::size_t>(y) * w + x >= f.size())
    return 0xFFFFFFFF;
  return f[static_cast<std::size_t>(y) * w + x];
}

std::vector<std::uint32_t> Program::frame() { return display_.snapshot(); }

std::vector<std::string> Program::logged(std::string_view prefix) {
  std::vector<std::string> lines;
  for (const std::string& line : display_.log())
    if (line.rfind(prefix, 0) == 0) lines.push_back(line);
  return lines;
}

}  // namespace orventa::testing
