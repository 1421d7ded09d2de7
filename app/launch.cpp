#include "app/launch.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/orventa.h"
#include "graphics/platform/platform.h"
#include "graphics/platform/sdl/sdl_platform.h"
#include "graphics/platform/x11/instance_files.h"
#include "graphics/platform/x11/mode_guardian.h"
#include "graphics/platform/x11/mode_keeper.h"
#include "graphics/platform/x11/randr_output.h"

namespace orventa {
namespace {

using platform::SavedMode;

constexpr const char* USAGE =
    "usage: orventa [--display N|NAME] [--restore | --list-displays | --help | --version]\n";

void printHelp() {
  std::printf(
      "%s"
      "Full-screen test patterns for adjusting monitors and flat panels.\n"
      "\n"
      "  --display N|NAME  open on this output: its name (HDMI-1) or its number, from 0\n"
      "  --restore  put the display back in its desktop mode (if the screen is left in a test\n"
      "             mode), say what was done, and exit\n"
      "  --list-displays  one line for each display: the session (X11, XWayland, Wayland), the\n"
      "             video driver, the output, its physical pixels and scale, whether its\n"
      "             modes can be switched, its monitor, and its refresh rate, measured for\n"
      "             about 2 s in a small window on it; then exit\n"
      "  --help     show this text and exit\n"
      "  --version  show the version and exit\n",
      USAGE);
}

std::string describe(const SavedMode& mode) {
  std::string text = std::to_string(mode.width) + "x" + std::to_string(mode.height);
  if (mode.refreshMilliHz > 0)
    text += " at " + std::to_string(platform::wholeHertz(mode.refreshMilliHz)) + " Hz";
  return text + " on " + mode.output;
}

// The desktop mode a run that is gone left in its record, if any.
std::optional<SavedMode> leftRecord(const std::string& path) {
  std::string text;
  SavedMode mode;
  int pid = 0;
  if (path.empty() || !platform::readText(path, text) || !platform::parseRecord(text, mode, pid))
    return std::nullopt;
  return mode;
}

// Before anything else: a test mode an earlier run left up is put back.
void putBackLeftMode(Display* display, const std::string& record) {
  const std::optional<SavedMode> left = leftRecord(record);
  if (!left) return;
  SavedMode done;
  bool changed = false;
  if (platform::putBack(display, left, done, changed) && changed)
    std::fprintf(stderr, "orventa: an earlier run left the screen in a test mode; put back %s\n",
                 describe(done).c_str());
  std::remove(record.c_str());
}

int restore(const std::string& record) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "orventa: no X display to restore\n");
    return 1;
  }
  platform::catchXErrors();
  std::optional<SavedMode> wanted = leftRecord(record);
  const bool recorded = wanted.has_value();
  if (!recorded) {
    // Without a record the output's preferred mode stands for the desktop's.
    platform::OutputHandle handle;
    platform::OutputNow now;
    const platform::OutputMode* preferred =
        platform::findOutput(display, std::string(), handle, now)
            ? platform::modeFor(now.modes, std::nullopt)
            : nullptr;
    if (preferred != nullptr)
      wanted =
          SavedMode{handle.name, preferred->width, preferred->height, preferred->refreshMilliHz};
  }
  SavedMode done;
  bool changed = false;
  const bool ok = wanted && platform::putBack(display, wanted, done, changed);
  XCloseDisplay(display);
  if (!ok) {
    std::fprintf(stderr, "orventa: could not restore the display's mode\n");
    return 1;
  }
  if (recorded) std::remove(record.c_str());
  const std::string what = recorded ? "the desktop mode recorded by the last run"
                                    : "the preferred mode (no desktop mode was recorded)";
  std::printf("%s %s: %s\n", changed ? "Restored" : "Already in", what.c_str(),
              describe(done).c_str());
  return 0;
}

// Only looks: no lock, no guardian, no screen.
int listDisplays() {
  platform::SdlPlatform screen;
  const std::vector<std::string> lines = screen.describeDisplays();
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  return lines.empty() ? 1 : 0;
}

}  // namespace

int launch(int argc, char** argv) {
  std::string output;
  if (argc > 1 && std::string(argv[1]) == "--display") {
    if (argc < 3 || std::string(argv[2]).empty()) {
      std::fputs(USAGE, stderr);
      return 2;
    }
    output = argv[2];
    argc -= 2;
    argv += 2;
  }
  const std::string option = argc > 1 ? argv[1] : "";
  if (argc > 2 ||
      (argc == 2 && option != "--help" && option != "--version" && option != "--restore" &&
       option != "--list-displays") ||
      (!output.empty() && !option.empty())) {
    std::fputs(USAGE, stderr);
    return 2;
  }
  if (option == "--help") {
    printHelp();
    return 0;
  }
  if (option == "--version") {
    std::printf("orventa %s\n", ORVENTA_VERSION);
    return 0;
  }
  if (option == "--list-displays") return listDisplays();

  // One instance per X display; the lock is taken before the display is touched.
  const char* x = std::getenv("DISPLAY");
  const std::string xDisplay = x != nullptr ? x : "";
  platform::InstanceFiles files;
  int lock = -1;
  if (!xDisplay.empty()) {
    const std::string folder = platform::runtimeFolder();
    if (!folder.empty()) {
      files = platform::instanceFiles(folder, xDisplay);
      int holder = 0;
      lock = platform::takeLock(files.lock, holder);
      if (lock < 0 && holder > 0) {
        std::fprintf(stderr, "Orventa is already running on %s (pid %d)\n",
                     platform::displayName(xDisplay).c_str(), holder);
        return 1;
      }
      if (lock < 0) files = {};
    }
  }
  if (option == "--restore") return restore(files.record);

  int guardian = -1;
  if (Display* display = xDisplay.empty() ? nullptr : XOpenDisplay(nullptr)) {
    platform::catchXErrors();
    putBackLeftMode(display, files.record);
    // The guardian gets a connection of its own when it needs one.
    XCloseDisplay(display);
    guardian = platform::startGuardian(files.record, lock);
    platform::tellGuardianOnCrash(guardian);
  }

  platform::ModeKeeper keeper(guardian, files.record);
  platform::SdlPlatform screen;
  if (guardian >= 0) screen.keepModes(&keeper);
  platform::usePlatform(&screen);
  return screen.run([&output] { return runOrventa(output); });
}

}  // namespace orventa
