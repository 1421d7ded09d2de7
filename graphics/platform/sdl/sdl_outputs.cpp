// The outputs of the SDL backend: each SDL display is one, named (and identified by its EDID) by
// the X output that sits where it sits; elsewhere SDL's own name stands for it.
#include <SDL.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>

#include "graphics/platform/sdl/sdl_platform.h"
#include "graphics/platform/sdl/x11_queries.h"
#include "graphics/platform/x11/mode_keeper.h"

namespace orventa::platform {

void SdlPlatform::readOutputs() {
  const std::vector<X11Output> x11 = askX11_ ? x11Outputs() : std::vector<X11Output>{};
  outputs_.clear();
  const int displays = SDL_GetNumVideoDisplays();
  for (int d = 0; d < displays; ++d) {
    Output output;
    SDL_DisplayMode desktop{};
    SDL_GetDesktopDisplayMode(d, &desktop);
    output.info.current = {desktop.w, desktop.h, static_cast<int>(SDL_BITSPERPIXEL(desktop.format)),
                           desktop.refresh_rate};
    const char* name = SDL_GetDisplayName(d);
    output.info.name = name != nullptr ? name : "display " + std::to_string(d);
    SDL_Rect bounds{};
    SDL_GetDisplayBounds(d, &bounds);
    for (const X11Output& x : x11)
      if (x.x == bounds.x && x.y == bounds.y && x.width == bounds.w && x.height == bounds.h) {
        output.info.name = x.name;
        output.info.edid = x.edid;
      }
    // Every size at every frame-buffer depth: presentation converts whatever the display takes.
    const int count = SDL_GetNumDisplayModes(d);
    for (int i = 0; i < count; ++i) {
      SDL_DisplayMode m{};
      if (SDL_GetDisplayMode(d, i, &m) != 0) continue;
      for (int depth : {8, 16, 24, 32}) {
        const DisplayMode entry{m.w, m.h, depth, m.refresh_rate};
        if (std::find(output.modes.begin(), output.modes.end(), entry) == output.modes.end())
          output.modes.push_back(entry);
      }
    }
    outputs_.push_back(std::move(output));
  }
  if (outputs_.empty()) outputs_.push_back({{"default", {}, {}}, {}});
}

void SdlPlatform::useOutput(int index) {
  const Output& output = outputs_[static_cast<std::size_t>(index)];
  display_ = index;
  {
    std::lock_guard lock(desktopMutex_);
    desktop_ = output.info.current;
  }
  modes_ = output.modes;
  refreshRate_ = output.info.current.refreshRate;
  if (keeper_ != nullptr) keeper_->useOutput(output.info.name);
}

std::vector<OutputInfo> SdlPlatform::outputs() {
  std::vector<OutputInfo> list;
  for (const Output& o : outputs_) list.push_back(o.info);
  list[static_cast<std::size_t>(display_.load())].current = desktopMode();
  return list;
}

int SdlPlatform::chosenOutput() { return display_; }

bool SdlPlatform::chooseOutput(int index) {
  if (index < 0 || index >= static_cast<int>(outputs_.size()) || displayOpen_) return false;
  // The keeper and SDL's video belong to the main thread.
  Request r;
  r.task = [this, index] { useOutput(index); };
  request(r);
  return true;
}

}  // namespace orventa::platform
