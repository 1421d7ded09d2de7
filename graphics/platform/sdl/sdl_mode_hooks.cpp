// The SDL backend's side of keeping the desktop mode (graphics/platform/x11/mode_keeper.h): the
// hooks sdl_platform.cpp calls around opening and closing screens and while it waits.
#include <SDL.h>

#include <mutex>

#include "graphics/platform/sdl/sdl_platform.h"
#include "graphics/platform/x11/mode_keeper.h"

namespace orventa::platform {
namespace {

constexpr Uint32 WATCH_PERIOD_MS = 250;

// SDL may leave requests queued on its own connection (a server grab among them); ours are
// answered only after the server has seen them.
void flushSdlRequests() { SDL_PumpEvents(); }

}  // namespace

void SdlPlatform::keepModes(ModeKeeper* keeper) { keeper_ = keeper; }

void SdlPlatform::startKeeping() {
  if (keeper_ == nullptr) return;
  if (SDL_strcmp(SDL_GetCurrentVideoDriver(), "x11") != 0) {
    keeper_ = nullptr;  // RandR speaks for X11 outputs only
    return;
  }
  keeper_->start();
}

void SdlPlatform::beforeOpen(const DisplayMode& mode, bool fullScreen) {
  if (keeper_ != nullptr)
    keeper_->beforeOpen(mode.width, mode.height, mode.refreshRate, fullScreen);
}

void SdlPlatform::afterClose() {
  if (keeper_ == nullptr) return;
  flushSdlRequests();
  // SDL may just have put back its stale desktop mode over the one adopted.
  if (keeper_->afterClose(reloadVideo_) || reloadVideo_) {
    // SDL read the desktop mode and the mode list once; they are stale now. With no window
    // open, a fresh start of its video reads them again, and SDL never puts the old mode back.
    reloadVideo_ = false;
    SDL_FreeCursor(arrow_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    catchXErrors();
    arrow_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    adoptDesktop();
  }
}

void SdlPlatform::watchDesktop() {
  if (keeper_ == nullptr || window_ == nullptr) return;
  const Uint32 now = SDL_GetTicks();
  if (now - lastWatch_ < WATCH_PERIOD_MS) return;
  lastWatch_ = now;
  flushSdlRequests();
  if (!keeper_->changedOutside()) return;
  adoptDesktop();
  reloadVideo_ = true;
  desktopChanged_ = true;
}

void SdlPlatform::adoptDesktop() {
  const SavedMode mode = keeper_->desktop();
  std::lock_guard lock(desktopMutex_);
  desktop_.width = mode.width;
  desktop_.height = mode.height;
  desktop_.refreshRate = wholeHertz(mode.refreshMilliHz);
}

void SdlPlatform::finishKeeping() {
  if (keeper_ != nullptr) keeper_->finish();
}

}  // namespace orventa::platform
