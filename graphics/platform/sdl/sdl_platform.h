// SDL2 backend: a real display. The process's main thread owns SDL video: it creates the window,
// turns events into keys and mouse state, presents the frame buffer about every 10 ms, and
// carries out the mode switches the program thread asks for. Full screen means a real mode
// switch to an exact entry of SDL's mode list (never a scaled desktop), checked after the switch.
// Under X the pointer's place is asked of the server, since crossing events do not come for a
// pointer that rests. Under a Wayland compositor (natively, or Xwayland) no client can switch the
// output's mode: full screen is offered only at the panel's own size, drawn on its physical pixels
// (sdl_session.cpp tells the sessions apart), and other sizes open as windows. Fonts come from the
// FreeType engine every backend shares.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "graphics/platform/fonts/freetype_fonts.h"
#include "graphics/platform/platform.h"
#include "graphics/platform/sdl/sdl_sound.h"
#include "graphics/platform/sdl/x11_queries.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Cursor;
union SDL_Event;

namespace orventa::platform {

class ModeKeeper;

class SdlPlatform final : public Platform {
 public:
  SdlPlatform();
  ~SdlPlatform() override;
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  // Without any display it prints one line on stderr and returns 1 at once. SIGINT, SIGTERM and
  // SIGHUP give the display back its desktop mode and end the process with 128 + the signal.
  int run(const std::function<int()>& program) override;
  void connect(FrameSource* frames, InputSink* input) override;
  DisplayMode desktopMode() override;
  std::vector<DisplayMode> displayModes() override;
  bool openDisplay(const DisplayMode& mode, bool fullScreen) override;
  bool canHold(int width, int height) override;
  std::vector<OutputInfo> outputs() override;
  int chosenOutput() override;
  bool chooseOutput(int index) override;
  DisplaySession session() override;
  bool takeDesktopChange() override { return desktopChanged_.exchange(false); }
  std::vector<std::string> describeDisplays() override;
  int currentRefreshRate() override;
  void closeDisplay() override;
  void waitVerticalRetrace() override;
  void startRefreshMeasurement() override;
  std::optional<RefreshEstimate> refreshMeasurement() override;
  double seconds() override;
  void sleepMilliseconds(int ms) override;
  void idle() override;
  void beep(int frequencyHz, int durationMs) override;
  FontEngine& fonts() override;
  int runCommand(const std::string& commandLine) override;

  // Keeps the desktop mode through `keeper` (X11 only): set before run.
  void keepModes(ModeKeeper* keeper);

 private:
  // A mode switch asked from the program thread, carried out on the main thread.
  struct Request {
    bool open = false;
    DisplayMode mode;
    bool fullScreen = false;
    bool result = false;
    bool done = false;
    std::function<void()> task;  // anything else the main thread must do
  };

  // Hints and the driver's choice, then SDL's video (sdl_session.cpp); false after one line on
  // stderr.
  bool startVideo();
  // After readOutputs: each output's session; a scaled output's desktop becomes its physical
  // pixels, and sizes it could only scale to leave its mode list.
  void readSessions();
  DisplaySession findSession(int index, bool xwayland);
  bool onMainThread() const;
  void perform(Request& request);
  void request(Request& request);
  void wake();
  bool serveEvents(int timeoutMs);
  void handle(const SDL_Event& event);
  void presentPass();
  // One presentation paced by the vertical sync, timed, while a measurement runs.
  void measurePass();
  bool openWindow(const DisplayMode& mode, bool fullScreen);
  bool createRenderer(int width, int height);
  void closeWindow();
  // Every SDL display as an output (sdl_outputs.cpp), read once on the main thread; useOutput
  // makes one of them the display every screen opens on.
  void readOutputs();
  void useOutput(int index);
  // Tells the input sink where the pointer is, when it moved or `always`; on opening, also the
  // buttons held.
  void syncPointer(bool opening, bool always = false);
  [[noreturn]] void terminate(int status);
  // The desktop mode's keeper (sdl_mode_hooks.cpp), main thread only.
  void startKeeping();
  void beforeOpen(const DisplayMode& mode, bool fullScreen);
  void afterClose();
  void watchDesktop();
  void adoptDesktop();
  void finishKeeping();

  FrameSource* frames_ = nullptr;
  InputSink* input_ = nullptr;
  std::thread::id mainThread_;
  std::atomic<bool> running_{false};
  std::uint32_t eventType_ = 0;  // registered SDL user event: requests, wake-ups, program end
  std::atomic<bool> programDone_{false};
  double counterPeriod_ = 0;

  // Read on the program thread, written on the main thread before the program starts and when
  // the desktop mode changes (under desktopMutex_).
  std::mutex desktopMutex_;
  DisplayMode desktop_;
  std::vector<DisplayMode> modes_;
  std::vector<DisplaySession> sessions_;  // one for each of outputs_, written with them
  bool screenSaverWasOn_ = false;

  std::mutex requestMutex_;
  std::condition_variable requestDone_;

  // Main thread only.
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  SDL_Cursor* arrow_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  double pointerScaleX_ = 1;  // window coordinates to pixels on HiDPI displays
  double pointerScaleY_ = 1;
  bool exposed_ = false;
  struct Output {
    OutputInfo info;
    std::vector<DisplayMode> modes;
  };
  std::vector<Output> outputs_;  // written before the program starts
  std::atomic<int> display_{0};
  std::atomic<bool> desktopChanged_{
      false};             // from outside, not yet taken  // the SDL display screens open on
  bool askX11_ = false;   // the x11 driver: the pointer and the screen's limits are asked of X
  int largestWidth_ = 0;  // the largest screen X can make; 0: unknown
  int largestHeight_ = 0;
  PointerQuery pointer_;
  int buttonsDown_ = 0;  // as last told to the sink

  std::atomic<int> refreshRate_{0};
  std::atomic<int> idleStreak_{0};  // polls that found nothing since the last input event
  std::atomic<bool> displayOpen_{false};

  // Presentation count, for waitVerticalRetrace.
  std::mutex presentMutex_;
  std::condition_variable presented_;
  std::uint64_t presentations_ = 0;
  bool retraceWanted_ = false;

  ModeKeeper* keeper_ = nullptr;
  std::uint32_t lastWatch_ = 0;
  bool reloadVideo_ = false;  // SDL's idea of the desktop mode is stale

  // The refresh measurement: asked for on the program thread, timed on the main thread.
  std::atomic<bool> measuring_{false};
  std::vector<double> presentTimes_;  // main thread only
  double measureStart_ = 0;
  std::mutex measureMutex_;
  std::optional<RefreshEstimate> measured_;  // under measureMutex_

  TonePlayer tone_;
  std::mutex fontsMutex_;
  std::unique_ptr<FreeTypeFonts> fonts_;
};

}  // namespace orventa::platform
