#include "graphics/platform/sdl/sdl_platform.h"

#include <SDL.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "graphics/platform/display_facts/describe.h"
#include "graphics/platform/frame_rows.h"
#include "graphics/platform/sdl/sdl_keys.h"
#include "graphics/platform/sdl/x11_queries.h"

namespace orventa::platform {
namespace {

enum EventCode { REQUEST = 1, WAKE = 2 };

constexpr int PRESENT_PERIOD_MS = 10;

// Set by the signal handler, served by the main loop.
std::atomic<int> pendingSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

constexpr int HANDLED_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void onSignal(int signal) { pendingSignal.store(signal); }

int buttonBit(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT:
      return 0;
    case SDL_BUTTON_RIGHT:
      return 1;
    case SDL_BUTTON_MIDDLE:
      return 2;
    default:
      return -1;
  }
}

// The entry of SDL's list that a full-screen request stands for: exactly the size and refresh,
// or for refresh 0 the rate SDL picks for that size. False when the list has no such entry, so
// that SDL never gets the chance to substitute a neighbour.
bool findFullScreenMode(int display, const DisplayMode& mode, SDL_DisplayMode& entry) {
  if (mode.refreshRate == 0) {
    const SDL_DisplayMode want{SDL_PIXELFORMAT_UNKNOWN, mode.width, mode.height, 0, nullptr};
    return SDL_GetClosestDisplayMode(display, &want, &entry) != nullptr && entry.w == mode.width &&
           entry.h == mode.height;
  }
  const int count = SDL_GetNumDisplayModes(display);
  for (int i = 0; i < count; ++i) {
    if (SDL_GetDisplayMode(display, i, &entry) == 0 && entry.w == mode.width &&
        entry.h == mode.height && entry.refresh_rate == mode.refreshRate)
      return true;
  }
  return false;
}

// Whether the shell would find `program` (a name, or a path with a slash) as an executable.
bool onSearchPath(const std::string& program) {
  if (program.empty()) return false;
  if (program.find('/') != std::string::npos) return access(program.c_str(), X_OK) == 0;
  const char* path = std::getenv("PATH");
  std::string_view rest = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
  for (;;) {
    const std::size_t colon = rest.find(':');
    std::string folder(rest.substr(0, colon));
    if (folder.empty()) folder = ".";
    if (access((folder + "/" + program).c_str(), X_OK) == 0) return true;
    if (colon == std::string_view::npos) return false;
    rest.remove_prefix(colon + 1);
  }
}

}  // namespace

SdlPlatform::SdlPlatform()
    : counterPeriod_(1.0 / static_cast<double>(SDL_GetPerformanceFrequency())) {}

SdlPlatform::~SdlPlatform() = default;

bool SdlPlatform::onMainThread() const { return std::this_thread::get_id() == mainThread_; }

int SdlPlatform::run(const std::function<int()>& program) {
  mainThread_ = std::this_thread::get_id();
  if (!startVideo()) return 1;
  eventType_ = SDL_RegisterEvents(1);
  startKeeping();
  askX11_ = std::string_view(SDL_GetCurrentVideoDriver()) == "x11";
  if (askX11_ && !largestScreenSize(largestWidth_, largestHeight_)) largestWidth_ = 0;

  readOutputs();
  readSessions();
  if (sessions_.front().kind == "XWayland")
    std::fprintf(stderr,
                 "orventa: through Xwayland the compositor may scale every pixel, and X cannot see "
                 "it; without SDL_VIDEODRIVER=x11 Orventa runs natively\n");
  useOutput(0);
  screenSaverWasOn_ = SDL_IsScreenSaverEnabled() == SDL_TRUE;
  arrow_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);

  struct sigaction action {};
  action.sa_handler = onSignal;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  struct sigaction previous[std::size(HANDLED_SIGNALS)];
  for (std::size_t i = 0; i < std::size(HANDLED_SIGNALS); ++i)
    sigaction(HANDLED_SIGNALS[i], &action, &previous[i]);

  running_ = true;
  int status = 0;
  std::thread programThread([&] {
    status = program();
    programDone_ = true;
    wake();
  });

  using Clock = std::chrono::steady_clock;
  Clock::time_point nextPresent = Clock::now();
  while (!programDone_) {
    if (const int signal = pendingSignal.load(); signal != 0) terminate(128 + signal);
    watchDesktop();
    // Rounded up: a wait of "0 ms" would poll, and spin through the last millisecond.
    const auto untilPresent =
        std::chrono::ceil<std::chrono::milliseconds>(nextPresent - Clock::now()).count();
    // A measurement presents back to back: any wait here would miss retraces.
    serveEvents(measuring_
                    ? 0
                    : static_cast<int>(std::clamp<long long>(untilPresent, 0, PRESENT_PERIOD_MS)));
    bool wanted = false;
    {
      std::lock_guard lock(presentMutex_);
      wanted = retraceWanted_;
    }
    if (measuring_) {
      measurePass();
    } else if (wanted || Clock::now() >= nextPresent) {
      presentPass();
      nextPresent = Clock::now() + std::chrono::milliseconds(PRESENT_PERIOD_MS);
    }
  }
  programThread.join();
  running_ = false;

  closeWindow();
  finishKeeping();
  tone_.close();
  for (std::size_t i = 0; i < std::size(HANDLED_SIGNALS); ++i)
    sigaction(HANDLED_SIGNALS[i], &previous[i], nullptr);
  SDL_FreeCursor(arrow_);
  arrow_ = nullptr;
  SDL_Quit();
  // A signal that came as the program ended still names the way it ended.
  if (const int signal = pendingSignal.exchange(0); signal != 0) return 128 + signal;
  return status;
}

void SdlPlatform::connect(FrameSource* frames, InputSink* input) {
  frames_ = frames;
  input_ = input;
}

DisplayMode SdlPlatform::desktopMode() {
  std::lock_guard lock(desktopMutex_);
  return desktop_;
}

std::vector<DisplayMode> SdlPlatform::displayModes() { return modes_; }

void SdlPlatform::wake() {
  SDL_Event event{};
  event.type = eventType_;
  event.user.code = WAKE;
  SDL_PushEvent(&event);
}

void SdlPlatform::perform(Request& request) {
  if (request.task)
    request.task();
  else if (request.open)
    request.result = openWindow(request.mode, request.fullScreen);
  else
    closeWindow();
}

// Runs a request on the main thread, which owns the window, and waits for its result.
void SdlPlatform::request(Request& request) {
  if (onMainThread() || !running_) {
    perform(request);
    return;
  }
  SDL_Event event{};
  event.type = eventType_;
  event.user.code = REQUEST;
  event.user.data1 = &request;
  std::unique_lock lock(requestMutex_);
  // The queue is only full while the main thread is busy; it empties.
  while (SDL_PushEvent(&event) < 0) {
    lock.unlock();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    lock.lock();
  }
  requestDone_.wait(lock, [&] { return request.done; });
}

bool SdlPlatform::openDisplay(const DisplayMode& mode, bool fullScreen) {
  Request r;
  r.open = true;
  r.mode = mode;
  r.fullScreen = fullScreen;
  request(r);
  return r.result;
}

void SdlPlatform::closeDisplay() {
  Request r{};
  request(r);
}

// A window the X screen can never hold whole cannot show the pattern, and would only eat memory
// and time in the renderer. Nor can a frame whose two 32-bit pages pass 1 GiB (16K x 8K is
// inside): the renderer would crawl and the machine page.
bool SdlPlatform::canHold(int width, int height) {
  constexpr std::uint64_t FRAME_BUDGET = std::uint64_t{1} << 30;
  if (width <= 0 || height <= 0 ||
      std::uint64_t(width) * std::uint64_t(height) * 4 * 2 > FRAME_BUDGET)
    return false;
  return largestWidth_ <= 0 || (width <= largestWidth_ && height <= largestHeight_);
}

int SdlPlatform::currentRefreshRate() { return refreshRate_; }

bool SdlPlatform::openWindow(const DisplayMode& mode, bool fullScreen) {
  closeWindow();
  if (mode.width <= 0 || mode.height <= 0 || SDL_WasInit(SDL_INIT_VIDEO) == 0) return false;
  beforeOpen(mode, fullScreen);
  SDL_DisplayMode entry{};
  const int display = display_;
  const DisplaySession& session = sessions_[static_cast<std::size_t>(display)];
  if (fullScreen && (!fullScreenPossible(session, mode.width, mode.height) ||
                     !findFullScreenMode(display, mode, entry)))
    return false;
  if (!canHold(mode.width, mode.height)) return false;

  // A full-screen window sits on the display's corner: without a window manager nobody else
  // moves it there when the mode changes under it.
  SDL_Rect bounds{};
  SDL_GetDisplayBounds(display, &bounds);
  const int centred = static_cast<int>(SDL_WINDOWPOS_CENTERED_DISPLAY(display));
  const int x = fullScreen ? bounds.x : centred;
  const int y = fullScreen ? bounds.y : centred;
  constexpr Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
  // Made for OpenGL from the start: SDL's OpenGL renderer would otherwise destroy and remake the
  // window, and wait on the display for it all over again (about 300 ms at start-up). Without
  // OpenGL a plain window takes a software renderer.
  // A window in place of a display mode says so, lest a cut-off picture pass for overscan.
  const std::string why = session.switchesModes ? "the display has no such mode"
                                                : "this desktop cannot switch the display";
  const std::string title = fullScreen
                                ? std::string("Orventa")
                                : "Orventa - " + std::to_string(mode.width) + "x" +
                                      std::to_string(mode.height) + " in a window (" + why + ")";
  window_ =
      SDL_CreateWindow(title.c_str(), x, y, mode.width, mode.height, flags | SDL_WINDOW_OPENGL);
  if (window_ == nullptr)
    window_ = SDL_CreateWindow(title.c_str(), x, y, mode.width, mode.height, flags);
  if (window_ == nullptr) return false;
  if (fullScreen && (SDL_SetWindowDisplayMode(window_, &entry) != 0 ||
                     SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN) != 0)) {
    closeWindow();
    return false;
  }
  SDL_ShowWindow(window_);
  if (fullScreen) SDL_SetWindowPosition(window_, bounds.x, bounds.y);

  // SDL reports success for a neighbouring mode or none at all; only the mode now shown counts.
  // A compositor's output keeps its mode: there the panel's own size, drawn 1:1 (the renderer's
  // check), is the one full screen there is.
  SDL_DisplayMode shown{};
  if (fullScreen && (SDL_GetCurrentDisplayMode(display, &shown) != 0 ||
                     SDL_GetWindowDisplayIndex(window_) != display ||
                     (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) == 0 ||
                     (session.switchesModes && (shown.w != entry.w || shown.h != entry.h ||
                                                shown.refresh_rate != entry.refresh_rate)))) {
    closeWindow();
    return false;
  }
  if (!createRenderer(mode.width, mode.height)) {
    closeWindow();
    return false;
  }
  SDL_SetCursor(arrow_);
  SDL_DisableScreenSaver();
  SDL_StartTextInput();
  SDL_GetCurrentDisplayMode(display, &shown);
  refreshRate_ = shown.refresh_rate;
  // A new window is the active one until the system says otherwise. Where the pointer is, is
  // asked now: a resting pointer sends no crossing event, and the one it had may be stale.
  if (input_ != nullptr) input_->windowActive(true);
  syncPointer(true);
  if (!fullScreen && session.switchesModes)
    std::fprintf(stderr, "orventa: the display has no %dx%d mode at %d bits; shown in a window\n",
                 mode.width, mode.height, mode.bitsPerPixel);
  else if (!fullScreen)
    std::fprintf(stderr,
                 "orventa: this desktop (%s) cannot switch the display to %dx%d; shown in a "
                 "window, 1:1\n",
                 session.kind.c_str(), mode.width, mode.height);
  displayOpen_ = true;
  exposed_ = true;
  return true;
}

bool SdlPlatform::createRenderer(int width, int height) {
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_PRESENTVSYNC);
  if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (renderer_ == nullptr) return false;
  int drawableWidth = 0;
  int drawableHeight = 0;
  int windowWidth = 0;
  int windowHeight = 0;
  SDL_GetRendererOutputSize(renderer_, &drawableWidth, &drawableHeight);
  SDL_GetWindowSize(window_, &windowWidth, &windowHeight);
  if (drawableWidth <= 0 || drawableHeight <= 0 || windowWidth <= 0 || windowHeight <= 0)
    return false;
  // On a HiDPI desktop the window is measured in points: size it so that it holds exactly
  // width x height pixels.
  if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) == 0 &&
      (drawableWidth != width || drawableHeight != height)) {
    SDL_SetWindowSize(window_, width * windowWidth / drawableWidth,
                      height * windowHeight / drawableHeight);
    SDL_GetRendererOutputSize(renderer_, &drawableWidth, &drawableHeight);
    SDL_GetWindowSize(window_, &windowWidth, &windowHeight);
  }
  // A full-screen mode whose pixels are not the drawable's would be scaled: not that mode.
  if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0 &&
      (drawableWidth != width || drawableHeight != height))
    return false;
  pointerScaleX_ = static_cast<double>(drawableWidth) / windowWidth;
  pointerScaleY_ = static_cast<double>(drawableHeight) / windowHeight;

  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                               width, height);
  if (texture_ == nullptr) return false;
  SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
  SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
  width_ = width;
  height_ = height;
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(texture_, nullptr, &pixels, &pitch) != 0) return false;
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(pixels) + y * pitch);
    std::fill(row, row + width, 0xFF000000u);
  }
  SDL_UnlockTexture(texture_);
  return true;
}

void SdlPlatform::syncPointer(bool opening, bool always) {
  if (input_ == nullptr || window_ == nullptr) return;
  PointerQuery now = askX11_ ? queryPointer(window_) : PointerQuery{};
  if (!now.known) {
    // Elsewhere crossing events are trusted; SDL's own view serves as the starting point.
    if (!opening) return;
    const Uint32 mask = SDL_GetMouseState(&now.x, &now.y);
    now.inside = SDL_GetMouseFocus() == window_;
    now.buttons = ((mask & SDL_BUTTON_LMASK) != 0 ? 1 : 0) |
                  ((mask & SDL_BUTTON_RMASK) != 0 ? 2 : 0) |
                  ((mask & SDL_BUTTON_MMASK) != 0 ? 4 : 0);
  }
  if (opening || always || now.inside != pointer_.inside || now.x != pointer_.x ||
      now.y != pointer_.y) {
    if (now.inside)
      input_->mouseMoved(static_cast<int>(now.x * pointerScaleX_),
                         static_cast<int>(now.y * pointerScaleY_));
    input_->pointerInside(now.inside);
  }
  // A release that went to the window before this one must not leave a button held for ever.
  if (opening) {
    for (int bit = 0; bit < 3; ++bit)
      if (((now.buttons ^ buttonsDown_) >> bit & 1) != 0)
        input_->mouseButton(bit, (now.buttons >> bit & 1) != 0);
    buttonsDown_ = now.buttons;
  }
  pointer_ = now;
}

void SdlPlatform::closeWindow() {
  if (window_ == nullptr) return;
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  // Leaving full screen puts the desktop mode back.
  SDL_DestroyWindow(window_);
  afterClose();
  texture_ = nullptr;
  renderer_ = nullptr;
  window_ = nullptr;
  width_ = height_ = 0;
  if (screenSaverWasOn_) SDL_EnableScreenSaver();
  SDL_DisplayMode current{};
  if (SDL_GetCurrentDisplayMode(display_, &current) == 0) refreshRate_ = current.refresh_rate;
  if (input_ != nullptr) input_->pointerInside(false);
  {
    std::lock_guard lock(presentMutex_);
    displayOpen_ = false;
  }
  presented_.notify_all();
}

bool SdlPlatform::serveEvents(int timeoutMs) {
  SDL_Event event;
  const int got = timeoutMs > 0 ? SDL_WaitEventTimeout(&event, timeoutMs) : SDL_PollEvent(&event);
  if (got == 0) return false;
  handle(event);
  while (SDL_PollEvent(&event) != 0) handle(event);
  return true;
}

void SdlPlatform::handle(const SDL_Event& event) {
  if (event.type == eventType_) {
    if (event.user.code == REQUEST) {
      auto* request = static_cast<Request*>(event.user.data1);
      perform(*request);
      std::lock_guard lock(requestMutex_);
      request->done = true;
      requestDone_.notify_all();
    }
    return;
  }
  if (event.type == SDL_QUIT) terminate(1);
  if (input_ == nullptr) return;
  idleStreak_.store(0, std::memory_order_relaxed);
  // Window and mouse events of a window already closed must not describe the new one.
  const Uint32 current = window_ != nullptr ? SDL_GetWindowID(window_) : 0;
  switch (event.type) {
    case SDL_TEXTINPUT:
      for (std::uint32_t code : textInputCodes(event.text.text)) input_->queueKey(code);
      break;
    case SDL_KEYDOWN:
      if (const std::uint32_t code = keyDownCode(event.key.keysym.sym, event.key.keysym.mod))
        input_->queueKey(code);
      break;
    // Under a window manager SDL may place events by where the window was before the manager
    // moved it (a title bar's height off, after a switch): the server's own answer counts.
    case SDL_MOUSEMOTION:
      if (event.motion.windowID != current) break;
      if (askX11_)
        syncPointer(false, true);
      else
        input_->mouseMoved(static_cast<int>(event.motion.x * pointerScaleX_),
                           static_cast<int>(event.motion.y * pointerScaleY_));
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      if (event.button.windowID != current) break;
      if (askX11_)
        syncPointer(false, true);
      else
        input_->mouseMoved(static_cast<int>(event.button.x * pointerScaleX_),
                           static_cast<int>(event.button.y * pointerScaleY_));
      const int bit = buttonBit(event.button.button);
      const bool down = event.type == SDL_MOUSEBUTTONDOWN;
      input_->mouseButton(bit, down);
      if (bit >= 0) buttonsDown_ = down ? buttonsDown_ | 1 << bit : buttonsDown_ & ~(1 << bit);
      break;
    }
    case SDL_MOUSEWHEEL: {
      if (event.wheel.windowID != current || event.wheel.y == 0) break;
      const bool forward = (event.wheel.y > 0) != (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED);
      input_->mouseWheel(forward ? 1 : -1);
      break;
    }
    case SDL_WINDOWEVENT:
      if (event.window.windowID != current) break;
      switch (event.window.event) {
        // Under X, crossing events also come from grabs and window managers: ask instead.
        case SDL_WINDOWEVENT_ENTER:
          if (askX11_)
            syncPointer(false);
          else
            input_->pointerInside(true);
          break;
        case SDL_WINDOWEVENT_LEAVE:
          if (askX11_)
            syncPointer(false);
          else
            input_->pointerInside(false);
          break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          input_->windowActive(true);
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          input_->windowActive(false);
          break;
        case SDL_WINDOWEVENT_CLOSE:
          input_->queueKey(extendedKey('k'));
          break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          exposed_ = true;
          break;
        default:
          break;
      }
      break;
    default:
      break;
  }
}

void SdlPlatform::presentPass() {
  bool wanted = false;
  {
    std::lock_guard lock(presentMutex_);
    wanted = retraceWanted_;
    retraceWanted_ = false;
  }
  if (texture_ == nullptr) return;
  if (askX11_) syncPointer(false);
  bool uploading = false;
  if (frames_ != nullptr) {
    frames_->withFrame([&](FrameView& frame) {
      int first = 0;
      int last = 0;
      void* pixels = nullptr;
      int pitch = 0;
      if (frame.width != width_ || frame.height != height_ || !dirtySpan(frame, first, last))
        return;
      const SDL_Rect rows{0, first, width_, last - first + 1};
      // Converted straight into the texture's memory; marks stay set if it cannot be had.
      if (SDL_LockTexture(texture_, &rows, &pixels, &pitch) != 0) return;
      convertRows(frame, first, last, static_cast<std::uint8_t*>(pixels), pitch);
      uploading = true;
    });
  }
  // The upload and the presentation run outside the screen lock.
  if (uploading) SDL_UnlockTexture(texture_);
  if (!uploading && !wanted && !exposed_) return;
  const SDL_Rect onePixelEach{0, 0, width_, height_};
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, &onePixelEach);
  SDL_RenderPresent(renderer_);
  exposed_ = false;
  {
    std::lock_guard lock(presentMutex_);
    ++presentations_;
  }
  presented_.notify_all();
}

void SdlPlatform::waitVerticalRetrace() {
  if (onMainThread() || !running_) {
    {
      std::lock_guard lock(presentMutex_);
      retraceWanted_ = true;
    }
    presentPass();
    return;
  }
  std::unique_lock lock(presentMutex_);
  if (!displayOpen_) return;
  const std::uint64_t target = presentations_ + 1;
  retraceWanted_ = true;
  lock.unlock();
  wake();
  lock.lock();
  // Bounded, so that a display that stopped presenting cannot hang the program.
  presented_.wait_for(lock, std::chrono::milliseconds(250),
                      [&] { return presentations_ >= target || !displayOpen_; });
}

void SdlPlatform::startRefreshMeasurement() {
  {
    std::lock_guard lock(measureMutex_);
    measured_.reset();
  }
  measuring_ = true;
  wake();
}

std::optional<RefreshEstimate> SdlPlatform::refreshMeasurement() {
  std::lock_guard lock(measureMutex_);
  return measured_;
}

// Presents back to back: with vertical sync each present returns at the next retrace, so their
// times tell the rate, over MEASURED_FRAMES frames (2.4 s at 60 Hz) or the longest time allowed.
void SdlPlatform::measurePass() {
  if (presentTimes_.empty()) measureStart_ = seconds();
  exposed_ = true;  // a presentation even where nothing changed
  presentPass();
  const double now = seconds();
  if (renderer_ != nullptr) presentTimes_.push_back(now);
  if (presentTimes_.size() <= MEASURED_FRAMES &&
      now - measureStart_ < LONGEST_MEASUREMENT_SECONDS && renderer_ != nullptr)
    return;
  const RefreshEstimate estimate = estimateRefresh(presentTimes_);
  presentTimes_.clear();
  measuring_ = false;
  std::lock_guard lock(measureMutex_);
  measured_ = estimate;
}

double SdlPlatform::seconds() {
  return static_cast<double>(SDL_GetPerformanceCounter()) * counterPeriod_;
}

void SdlPlatform::sleepMilliseconds(int ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// A poll that keeps finding nothing backs off a little: a few milliseconds are not felt, a
// thousand wake-ups a second are (a prompt left waiting should cost next to nothing).
void SdlPlatform::idle() {
  constexpr int BRISK_POLLS = 200;
  const int streak = idleStreak_.fetch_add(1, std::memory_order_relaxed);
  std::this_thread::sleep_for(std::chrono::milliseconds(streak < BRISK_POLLS ? 1 : 4));
}

void SdlPlatform::beep(int frequencyHz, int durationMs) { tone_.play(frequencyHz, durationMs); }

FontEngine& SdlPlatform::fonts() {
  std::lock_guard lock(fontsMutex_);
  if (!fonts_) fonts_ = std::make_unique<FreeTypeFonts>();
  return *fonts_;
}

int SdlPlatform::runCommand(const std::string& commandLine) {
  // The shell's own "not found" would be the only word of a command that cannot run.
  const std::string program = commandLine.substr(0, commandLine.find(' '));
  if (!onSearchPath(program)) return 127;
  const int status = std::system(commandLine.c_str());
  if (status == -1) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

void SdlPlatform::terminate(int status) {
  closeWindow();
  finishKeeping();
  std::fflush(nullptr);
  // The program thread is still running: skip destructors and atexit handlers it may race with.
  std::_Exit(status);
}

}  // namespace orventa::platform
