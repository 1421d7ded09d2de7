// The SDL backend's start of video and its view of the session: which driver serves the desktop,
// what the output's physical pixels are, and whether its modes really switch.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/platform/display_facts/describe.h"
#include "graphics/platform/sdl/sdl_platform.h"
#include "graphics/platform/x11/x11_session.h"

namespace orventa::platform {
namespace {

void dropLogMessage(void*, int, SDL_LogPriority, const char*) {}

// Presents back to back in a small window on display `index`: the vertical sync paces each
// present, so their times tell the rate the output runs at, as a screen's measurement does.
RefreshEstimate measureOnDisplay(int index) {
  SDL_Window* window = SDL_CreateWindow(
      "Orventa - measuring the refresh rate", SDL_WINDOWPOS_CENTERED_DISPLAY(index),
      SDL_WINDOWPOS_CENTERED_DISPLAY(index), 64, 64, SDL_WINDOW_BORDERLESS);
  if (window == nullptr) return {};
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
  SDL_RendererInfo info{};
  std::vector<double> times;
  if (renderer != nullptr && SDL_GetRendererInfo(renderer, &info) == 0 &&
      (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0) {
    const double period = 1.0 / static_cast<double>(SDL_GetPerformanceFrequency());
    const auto now = [&] { return static_cast<double>(SDL_GetPerformanceCounter()) * period; };
    const double start = now();
    while (times.size() <= MEASURED_FRAMES && now() - start < LONGEST_MEASUREMENT_SECONDS) {
      SDL_PumpEvents();
      SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
      SDL_RenderClear(renderer);
      SDL_RenderPresent(renderer);
      times.push_back(now());
    }
  }
  if (renderer != nullptr) SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  return estimateRefresh(times);
}

bool isSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != 0;
}

// The video drivers worth trying: only a real desktop counts, and SDL would otherwise end up in
// its off-screen driver, which shows nothing. Under a Wayland compositor its own protocol comes
// first: through Xwayland the program can neither see the scale nor reach the panel's pixels.
// SDL_VIDEODRIVER still overrides.
std::string videoDrivers() {
  if (isSet("SDL_VIDEODRIVER")) return std::getenv("SDL_VIDEODRIVER");
  std::string drivers;
  // libwayland prints its own complaint when it has no folder to find the socket in.
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (isSet("WAYLAND_DISPLAY") && (wayland[0] == '/' || isSet("XDG_RUNTIME_DIR")))
    drivers = "wayland";
  if (isSet("DISPLAY")) drivers += drivers.empty() ? "x11" : ",x11";
  return drivers;
}

}  // namespace

bool SdlPlatform::startVideo() {
  SDL_LogSetOutputFunction(dropLogMessage, nullptr);
  // Signals are ours, so that the exit status can name them.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // The close button queues a key; SDL_QUIT must never stand for it.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
  SDL_SetHint(SDL_HINT_RENDER_VSYNC, "1");
  // SDL would switch the screen saver off for the whole run; we do it only while a screen is open.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  SDL_SetHint(SDL_HINT_APP_NAME, "Orventa");
  // SDL 2.26 crashes in libdecor's configure callback when a full-screen window changes size;
  // a user who sets the variable gets what was asked for.
  SDL_SetHint(SDL_HINT_VIDEO_WAYLAND_ALLOW_LIBDECOR, "0");
  // Emulated modes are the desktop scaled to a size, never the panel's pixels: the list must
  // hold only what the output really is.
  SDL_SetHintWithPriority(SDL_HINT_VIDEO_WAYLAND_MODE_EMULATION, "0", SDL_HINT_OVERRIDE);
  const std::string drivers = videoDrivers();
  if (drivers.empty()) {
    std::fprintf(stderr, "orventa: no display available (no usable DISPLAY or WAYLAND_DISPLAY)\n");
    return false;
  }
  SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "orventa: no display available (%s)\n", SDL_GetError());
    return false;
  }
  return true;
}

DisplaySession SdlPlatform::findSession(int index, bool xwayland) {
  DisplaySession s;
  s.driver = SDL_GetCurrentVideoDriver();
  s.output = outputs_[static_cast<std::size_t>(index)].info.name;
  SDL_DisplayMode desktop{};
  SDL_GetDesktopDisplayMode(index, &desktop);
  s.pixelWidth = desktop.w;
  s.pixelHeight = desktop.h;
  if (s.driver == "wayland") {
    // Without mode emulation the list holds the output's physical size first, and the desktop's
    // scaled size beside it when the output is scaled.
    s.kind = "Wayland";
    SDL_DisplayMode largest{};
    if (SDL_GetDisplayMode(index, 0, &largest) == 0 && largest.w >= desktop.w) {
      s.pixelWidth = largest.w;
      s.pixelHeight = largest.h;
    }
    s.scale = desktop.w > 0 ? static_cast<double>(s.pixelWidth) / desktop.w : 0;
    s.switchesModes = false;
  } else if (s.driver == "x11") {
    s.kind = "X11";
    if (xwayland) {
      // Xwayland's modes are a view of its own, and its X pixels may be scaled by the
      // compositor where X cannot see it.
      s.kind = "XWayland";
      s.scale = 0;
      s.switchesModes = false;
    }
  } else {
    s.kind = s.driver;
  }
  return s;
}

void SdlPlatform::readSessions() {
  XOutputFacts facts;
  const bool xwayland =
      SDL_strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0 && readXOutput(facts) && facts.xwayland;
  sessions_.clear();
  for (std::size_t d = 0; d < outputs_.size(); ++d) {
    sessions_.push_back(findSession(static_cast<int>(d), xwayland));
    const DisplaySession& s = sessions_.back();
    Output& output = outputs_[d];
    // A scaled output's desktop is the panel's physical pixels: that is the size drawn at.
    output.info.current.width = s.pixelWidth;
    output.info.current.height = s.pixelHeight;
    std::erase_if(output.modes,
                  [&](const DisplayMode& m) { return !fullScreenPossible(s, m.width, m.height); });
  }
}

DisplaySession SdlPlatform::session() {
  return sessions_.empty() ? DisplaySession{}
                           : sessions_[static_cast<std::size_t>(display_.load())];
}

std::vector<std::string> SdlPlatform::describeDisplays() {
  const bool started = SDL_WasInit(SDL_INIT_VIDEO) == 0;
  if (started) {
    if (!startVideo()) return {};
    askX11_ = SDL_strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0;
    readOutputs();
    readSessions();
  }
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < sessions_.size(); ++i) {
    // Virtual servers give their modes no rate; 0 Hz would read as a broken display.
    const int nominal = outputs_[i].info.current.refreshRate;
    lines.push_back(
        "display " + std::to_string(i) + ": " + describeSession(sessions_[i]) + "; " +
        describeMonitor(outputs_[i].info.edid) + "; refresh " +
        (nominal > 0 ? std::to_string(nominal) + " Hz as the mode says" : "not given by the mode") +
        ", measured: " + describeRefresh(measureOnDisplay(static_cast<int>(i))));
  }
  if (started) SDL_Quit();
  return lines;
}

}  // namespace orventa::platform
