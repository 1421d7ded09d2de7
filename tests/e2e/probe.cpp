// The end-to-end probe: the graphics layer on the SDL backend in a real X server, printing what it
// does and reads for e2e.sh. With a display: modes | pattern (32, 16 and 8 bits, "ready DEPTH",
// next on a stdin line) | mode W H R (24 bits) | input (the desktop mode) | beep. Without one:
// check-xwd FILE DEPTH | check-tone FILE | close WINDOW (as a window manager's close button).
// Input shows as "key HH[ HH]" and "mouse RC X Y WHEEL BUTTONS" on every change, until "quit".
#include <X11/Xlib.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "graphics/colour.h"
#include "graphics/input.h"
#include "graphics/platform/platform.h"
#include "graphics/platform/sdl/sdl_platform.h"
#include "graphics/platform/sdl/sdl_sound.h"
#include "graphics/screen.h"
#include "graphics/screen_state.h"
#include "tests/support/relay_platform.h"

namespace orventa::probe {
namespace {

using platform::DisplayMode;

void say(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
  std::putchar('\n');
  std::fflush(stdout);
}

std::string describe(const DisplayMode& m) {
  return std::to_string(m.width) + "x" + std::to_string(m.height) + "x" +
         std::to_string(m.bitsPerPixel) + "@" + std::to_string(m.refreshRate);
}

// The SDL backend, with every display attempt printed.
class Recording final : public testing::RelayPlatform {
 public:
  using RelayPlatform::RelayPlatform;
  bool openDisplay(const DisplayMode& mode, bool fullScreen) override {
    const bool ok = RelayPlatform::openDisplay(mode, fullScreen);
    say("attempt %s %s %s", describe(mode).c_str(), fullScreen ? "full" : "window",
        ok ? "ok" : "refused");
    return ok;
  }
};

// A line from stdin when one is complete; never waits.
bool pollCommand(std::string& command) {
  static std::string pending;
  for (;;) {
    if (const auto end = pending.find('\n'); end != std::string::npos) {
      command = pending.substr(0, end);
      pending.erase(0, end + 1);
      return true;
    }
    pollfd input{0, POLLIN, 0};
    if (poll(&input, 1, 0) <= 0) return false;
    char buffer[256];
    const ssize_t n = read(0, buffer, sizeof buffer);
    if (n <= 0) {
      command = "eof";
      return true;
    }
    pending.append(buffer, static_cast<std::size_t>(n));
  }
}

// Reports keys and mouse changes until a command arrives on stdin, and returns it.
std::string serveInput() {
  int last[5] = {2};  // no state seen yet
  std::string command;
  while (!pollCommand(command)) {
    if (const std::string key = readKey(); !key.empty()) {
      std::string hex;
      for (char c : key) {
        char byte[4];
        std::snprintf(byte, sizeof byte, hex.empty() ? "%02x" : " %02x", (unsigned char)c);
        hex += byte;
      }
      say("key %s", hex.c_str());
    }
    int now[6] = {};
    now[0] = readMouse(now[1], now[2], now[3], now[4], now[5]);
    if (!std::equal(last, last + 5, now)) {
      say("mouse %d %d %d %d %d", now[0], now[1], now[2], now[3], now[4]);
      std::copy(now, now + 5, last);
    }
  }
  return command;
}

std::uint32_t patternValue(int x, int y) {
  std::uint32_t h =
      static_cast<std::uint32_t>(x) * 0x9E3779B1u ^ static_cast<std::uint32_t>(y) * 0x85EBCA77u;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

// What the display must show for the pattern's pixel at (x, y) at this frame-buffer depth.
std::uint32_t shownColour(int x, int y, int depth) {
  const std::uint32_t v = patternValue(x, y);
  if (depth == 8) return defaultPalette()[v & 0xFF] & 0xFFFFFF;
  if (depth == 16) return rgb565ToRgb(v & 0xFFFF);
  return v & 0xFFFFFF;  // the alpha byte carries noise that must not show
}

void paintPattern() {
  ScreenLock lock;
  Screen& s = *openScreen();
  for (int y = 0; y < s.height; ++y) {
    std::uint8_t* row = s.pages[0].data() + static_cast<std::size_t>(y) * s.pitch;
    for (int x = 0; x < s.width; ++x) {
      const std::uint32_t v = patternValue(x, y);
      std::memcpy(row + static_cast<std::size_t>(x) * s.bytesPerPixel, &v,
                  static_cast<std::size_t>(s.bytesPerPixel));
    }
  }
  markAllRowsDirty(s);
}

int showPattern() {
  const DisplayMode desktop = platform::currentPlatform()->desktopMode();
  for (int bits : {32, 16, 8}) {
    if (setScreenMode(desktop.width, desktop.height, bits, 1, FULL_SCREEN, 0) != 0)
      return say("failed %d", bits), 1;
    paintPattern();
    // The first presentation may have started before the pattern was complete.
    waitVerticalSync();
    waitVerticalSync();
    say("ready %d", bits);
    if (serveInput() == "eof") return 1;
  }
  return 0;
}

int listModes() {
  say("desktop %s", describe(platform::currentPlatform()->desktopMode()).c_str());
  for (const DisplayMode& m : platform::currentPlatform()->displayModes())
    say("mode %s", describe(m).c_str());
  std::string sizes;
  for (std::uint32_t code = listScreenModes(8); code != 0; code = listScreenModes(0))
    sizes += " " + std::to_string(code >> 16) + "x" + std::to_string(code & 0xFFFF);
  say("list8%s", sizes.c_str());
  return 0;
}

int openAndServe(int width, int height, int refresh) {
  setScreenMode(width, height, 24, 1, FULL_SCREEN, refresh);
  int depth = 0;
  getScreenInfo(width, height, depth, refresh);
  say("screen %dx%dx%d@%d\nready", width, height, depth, refresh);
  while (serveInput() != "quit") {
  }
  return 0;
}

int timeBeep() {
  const double start = timer();
  beep();
  say("beep %.0f ms", (timer() - start) * 1000);
  return 0;
}

std::vector<unsigned char> readFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The 8-bit value of a masked colour component.
std::uint32_t component(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  const std::uint32_t max = mask >> shift;
  return ((pixel & mask) >> shift) * 255 / max;
}

int checkXwd(const char* path, int depth) {
  const std::vector<unsigned char> file = readFile(path);
  if (file.size() < 100) return say("xwd unreadable"), 1;
  std::uint32_t h[25] = {};  // the header's big-endian words
  for (int i = 0; i < 25; ++i)
    for (int b = 0; b < 4; ++b) h[i] = h[i] << 8 | file[std::size_t(4 * i + b)];
  const std::uint32_t width = h[4], height = h[5], lsbFirst = h[7] == 0, bitsPerPixel = h[11];
  const std::uint32_t bytesPerLine = h[12], masks[3] = {h[14], h[15], h[16]};
  const std::size_t offset = h[0] + static_cast<std::size_t>(h[19]) * 12;
  if ((bitsPerPixel != 32 && bitsPerPixel != 24) ||
      file.size() < offset + static_cast<std::size_t>(bytesPerLine) * height)
    return say("xwd format not handled: %u bits per pixel", bitsPerPixel), 1;
  long mismatches = 0;
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) {
      const unsigned char* p = file.data() + offset + y * bytesPerLine + x * (bitsPerPixel / 8);
      std::uint32_t v = 0;
      for (std::uint32_t b = 0; b < bitsPerPixel / 8; ++b)
        v |= std::uint32_t{p[lsbFirst ? b : bitsPerPixel / 8 - 1 - b]} << (8 * b);
      const std::uint32_t got =
          component(v, masks[0]) << 16 | component(v, masks[1]) << 8 | component(v, masks[2]);
      const std::uint32_t want = shownColour(static_cast<int>(x), static_cast<int>(y), depth);
      if (got != want && ++mismatches <= 5)
        say("pixel %u,%u shows %06x, wanted %06x", x, y, got, want);
    }
  }
  say("xwd %ux%u mismatches %ld", width, height, mismatches);
  return mismatches == 0 ? 0 : 1;
}

int checkTone(const char* path) {
  const std::vector<unsigned char> file = readFile(path);
  std::vector<double> samples;
  for (std::size_t i = 0; i + 1 < file.size(); i += 2)
    samples.push_back(static_cast<std::int16_t>(file[i] | file[i + 1] << 8));
  const auto sound = [](double v) { return v != 0; };
  const auto first =
      std::size_t(std::find_if(samples.begin(), samples.end(), sound) - samples.begin());
  const auto last =
      std::size_t(std::find_if(samples.rbegin(), samples.rend(), sound).base() - samples.begin());
  if (first + 1 >= last) return say("tone silent"), 1;
  // Rising zero crossings, placed between samples by linear interpolation.
  std::vector<double> crossings;
  for (std::size_t i = first + 1; i < last; ++i)
    if (samples[i - 1] < 0 && samples[i] >= 0)
      crossings.push_back(static_cast<double>(i - 1) +
                          -samples[i - 1] / (samples[i] - samples[i - 1]));
  const double rate = platform::TONE_SAMPLE_RATE;
  const double ms = static_cast<double>(last - first) * 1000 / rate;
  const double hz = crossings.size() < 2 ? 0
                                         : static_cast<double>(crossings.size() - 1) * rate /
                                               (crossings.back() - crossings.front());
  say("tone %.2f ms %.2f Hz", ms, hz);
  return std::abs(ms - 250) <= 5 && std::abs(hz - 1000) <= 10 ? 0 : 1;
}

int closeWindow(const char* id) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 1;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = std::strtoul(id, nullptr, 0);
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
  XCloseDisplay(display);
  return sent != 0 ? 0 : 1;
}

}  // namespace
}  // namespace orventa::probe

int main(int argc, char** argv) {
  using namespace orventa::probe;
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "check-xwd" && argc == 4) return checkXwd(argv[2], std::atoi(argv[3]));
  if (command == "check-tone" && argc == 3) return checkTone(argv[2]);
  if (command == "close" && argc == 3) return closeWindow(argv[2]);

  std::function<int()> program;
  if (command == "modes") program = listModes;
  if (command == "pattern") program = showPattern;
  if (command == "input")
    program = [] {
      const auto desktop = orventa::platform::currentPlatform()->desktopMode();
      return openAndServe(desktop.width, desktop.height, 0);
    };
  if (command == "beep") program = timeBeep;
  if (command == "mode" && argc == 5) {
    const int w = std::atoi(argv[2]), h = std::atoi(argv[3]), r = std::atoi(argv[4]);
    program = [=] { return openAndServe(w, h, r); };
  }
  if (!program) {
    std::fprintf(stderr,
                 "usage: orventa_e2e_probe modes|pattern|mode W H R|input|beep|"
                 "check-xwd FILE DEPTH|check-tone FILE|close WINDOW\n");
    return 2;
  }

  orventa::platform::SdlPlatform sdl;
  Recording recording(sdl);
  orventa::platform::usePlatform(&recording);
  return recording.run(program);
}
