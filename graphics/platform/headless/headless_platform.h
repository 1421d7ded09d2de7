// Headless backend: a display in memory for tests and off-screen rendering. It implements every
// service of platform.h: a configurable desktop mode and mode list, a rule for which requests the
// "display" accepts, a virtual clock (sleeping advances it at once), snapshots of what the display
// shows, and a log of beeps, commands and mode switches. It has no fonts of its own and no sound.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "graphics/platform/fonts/freetype_fonts.h"
#include "graphics/platform/platform.h"

namespace orventa::platform {

// A second (third...) output beside the one `desktop` and `modes` describe.
struct HeadlessOutput {
  std::string name;
  DisplayMode desktop;
  std::vector<DisplayMode> modes;
  std::vector<std::uint8_t> edid;
};

struct HeadlessConfig {
  // The first output, named `firstOutput`.
  std::string firstOutput = "default";
  DisplayMode desktop{1024, 768, 32, 60};
  // The driver's modes, one entry per size, depth and refresh. Empty: the desktop mode alone.
  std::vector<DisplayMode> modes;
  // Which requests succeed. With the default rule a full-screen request succeeds when the mode
  // list has that size at a depth the request can be shown at and (refresh 0 aside) that refresh.
  bool acceptFullScreen = true;
  bool acceptDefaultRefresh = true;  // full screen at refresh 0 (the display's default)
  bool acceptWindow = true;          // a window no larger than the desktop
  // Replaces the rule above when set.
  std::function<bool(const DisplayMode&, bool fullScreen)> accepts;
  // What running a command line returns (127: the command cannot be found).
  int commandStatus = 0;
  std::vector<std::uint8_t> firstEdid;
  std::vector<HeadlessOutput> moreOutputs;
  // The desktop's session, as a compositor's would be described.
  DisplaySession session;
};

class HeadlessPlatform final : public Platform {
 public:
  explicit HeadlessPlatform(HeadlessConfig config = {});
  ~HeadlessPlatform() override;

  int run(const std::function<int()>& program) override;
  void connect(FrameSource* frames, InputSink* input) override;
  DisplayMode desktopMode() override;
  std::vector<DisplayMode> displayModes() override;
  std::vector<OutputInfo> outputs() override;
  int chosenOutput() override;
  bool chooseOutput(int index) override;
  bool openDisplay(const DisplayMode& mode, bool fullScreen) override;
  DisplaySession session() override { return config_.session; }
  int currentRefreshRate() override;
  void closeDisplay() override;
  void waitVerticalRetrace() override;
  // Presentations paced exactly at the shown mode's rate on the virtual clock.
  void startRefreshMeasurement() override;
  std::optional<RefreshEstimate> refreshMeasurement() override;
  double seconds() override;
  void sleepMilliseconds(int ms) override;
  void idle() override;
  void beep(int frequencyHz, int durationMs) override;
  FontEngine& fonts() override;
  int runCommand(const std::string& commandLine) override;

  // What the display shows now, 0x00RRGGBB per pixel, row 0 first. Copies the dirty rows first,
  // as a presentation pass would; rows never marked dirty keep what they showed before.
  std::vector<std::uint32_t> snapshot();
  int shownWidth();
  int shownHeight();
  // The display's state: the mode it shows (zero when closed) and whether it is full screen.
  DisplayMode shownMode();
  bool shownFullScreen();

  // "open WxHxBPP@R full|window", "refused ...", "close", "beep HZ MS", "command LINE".
  std::vector<std::string> log();
  void clearLog();
  void advanceClock(double seconds);

  // Input as the display would deliver it.
  InputSink* input();
  // Where the pointer rests on the display, without any event: what a real display reports when
  // a screen opens. Until it is first placed, opening reports nothing. A full-screen mode keeps
  // the pointer on it, as a display that shrinks under it does.
  void placePointer(int x, int y);

  // Scripted runs. The program thread parks in idle() once its polls have found nothing for a few
  // virtual milliseconds, until the test lets it go on; so the test sees a still picture and the
  // virtual clock stands still between steps. Unscripted, idle() only advances the clock.
  void setScripted(bool scripted);
  // Waits (in real time) until the program has parked again since the last resume, or ended.
  // False on timeout.
  bool waitUntilIdle(double timeoutSeconds = 20);
  // Lets the parked program poll once more; with `virtualSeconds`, lets it run unparked until
  // the clock has moved on that far.
  void resume(double virtualSeconds = 0);
  // Whether run() is still running the program.
  bool programRunning();
  // Makes the parked (or next parking) program unwind out of run(), which then returns -1.
  void stopProgram();

 private:
  void present();
  void record(std::string line);

  HeadlessConfig config_;
  FrameSource* frames_ = nullptr;
  InputSink* input_ = nullptr;
  std::mutex mutex_;  // guards what follows, for a test thread beside the program thread
  double clock_ = 0;
  DisplayMode shown_{};
  bool fullScreen_ = false;
  std::vector<std::uint32_t> display_;
  std::vector<std::string> log_;
  std::vector<HeadlessOutput> outputs_;  // every output, the first from desktop and modes
  int chosen_ = 0;
  double measuringSince_ = -1;  // virtual time the refresh measurement began; -1: none
  bool pointerPlaced_ = false;
  int pointerX_ = 0;
  int pointerY_ = 0;
  std::unique_ptr<FreeTypeFonts> fonts_;
  class Input;
  std::unique_ptr<Input> inputProxy_;  // forwards to input_, and counts as activity

  std::condition_variable changed_;
  bool scripted_ = false;
  bool running_ = false;
  bool started_ = false;  // run() has been called
  bool parked_ = false;
  bool release_ = false;
  bool stop_ = false;
  int idleStreak_ = 0;    // idle polls since the last input or resume
  long parks_ = 0;        // how often the program has parked
  long awaitedPark_ = 0;  // the park that waitUntilIdle waits for
  double freeUntil_ = 0;  // virtual time until which idle() does not park
};

}  // namespace orventa::platform
