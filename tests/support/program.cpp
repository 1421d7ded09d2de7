#include "tests/support/program.h"

#include "app/orventa.h"
#include "graphics/screen.h"

namespace orventa::testing {

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
  display_.placePointer(0, 0);
  thread_ = std::thread([this] { status_ = display_.run([this] { return runOrventa(state_); }); });
  ASSERT_TRUE(display_.waitUntilIdle()) << "the program never waited for input";
}

void Program::settle(double seconds) {
  if (finished()) return;
  display_.resume(seconds);
  ASSERT_TRUE(display_.waitUntilIdle()) << "the program did not come back to wait for input";
  if (finished() && thread_.joinable()) thread_.join();
}

std::uint32_t Program::pixel(int x, int y) {
  const std::vector<std::uint32_t> f = display_.snapshot();
  const int w = display_.shownWidth();
  if (x < 0 || y < 0 || x >= w || static_cast<std::size_t>(y) * w + x >= f.size())
    return 0xFFFFFFFF;
  return f[static_cast<std::size_t>(y) * w + x];
}

std::vector<std::string> Program::logged(std::string_view prefix) {
  std::vector<std::string> lines;
  for (const std::string& line : display_.log())
    if (line.rfind(prefix, 0) == 0) lines.push_back(line);
  return lines;
}

}  // namespace orventa::testing
