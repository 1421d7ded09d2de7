#include "graphics/platform/headless/headless_platform.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "graphics/platform/frame_rows.h"

namespace orventa::platform {
namespace {

bool sameDepth(int a, int b) {
  auto norm = [](int d) { return d == 15 ? 16 : d == 24 ? 32 : d; };
  return norm(a) == norm(b);
}

std::string describe(const DisplayMode& m) {
  return std::to_string(m.width) + "x" + std::to_string(m.height) + "x" +
         std::to_string(m.bitsPerPixel) + "@" + std::to_string(m.refreshRate);
}

}  // namespace

// Input from the test: forwarded to the graphics layer, and a sign that the program has work.
class HeadlessPlatform::Input final : public InputSink {
 public:
  explicit Input(HeadlessPlatform& owner) : owner_(owner) {}
  void queueKey(std::uint32_t code) override { sink().queueKey(code); }
  void mouseMoved(int x, int y) override { sink().mouseMoved(x, y); }
  void mouseButton(int bit, bool down) override { sink().mouseButton(bit, down); }
  void mouseWheel(int delta) override { sink().mouseWheel(delta); }
  void pointerInside(bool inside) override { sink().pointerInside(inside); }
  void windowActive(bool active) override { sink().windowActive(active); }

 private:
  InputSink& sink() {
    std::lock_guard lock(owner_.mutex_);
    owner_.idleStreak_ = 0;
    return *owner_.input_;
  }
  HeadlessPlatform& owner_;
};

// Polls that find nothing for this long (in virtual milliseconds) mean the program waits.
constexpr int PARK_AFTER_IDLE_POLLS = 8;

HeadlessPlatform::HeadlessPlatform(HeadlessConfig config)
    : config_(std::move(config)), inputProxy_(std::make_unique<Input>(*this)) {
  if (config_.modes.empty()) config_.modes.push_back(config_.desktop);
  outputs_.push_back({config_.firstOutput, config_.desktop, config_.modes, config_.firstEdid});
  for (HeadlessOutput& more : config_.moreOutputs) {
    if (more.modes.empty()) more.modes.push_back(more.desktop);
    outputs_.push_back(more);
  }
}

std::vector<OutputInfo> HeadlessPlatform::outputs() {
  std::vector<OutputInfo> list;
  for (const HeadlessOutput& o : outputs_) list.push_back({o.name, o.desktop, o.edid});
  return list;
}

int HeadlessPlatform::chosenOutput() { return chosen_; }

bool HeadlessPlatform::chooseOutput(int index) {
  if (index < 0 || index >= static_cast<int>(outputs_.size())) return false;
  chosen_ = index;
  config_.desktop = outputs_[static_cast<std::size_t>(index)].desktop;
  config_.modes = outputs_[static_cast<std::size_t>(index)].modes;
  return true;
}

HeadlessPlatform::~HeadlessPlatform() = default;

namespace {
// Thrown out of idle() to end a program that a test gave up on.
struct ProgramStopped {};
}  // namespace

int HeadlessPlatform::run(const std::function<int()>& program) {
  {
    std::lock_guard lock(mutex_);
    running_ = true;
    started_ = true;
    stop_ = false;
  }
  int status = -1;
  std::thread thread([&] {
    try {
      status = program();
    } catch (const ProgramStopped&) {
      status = -1;
    }
  });
  thread.join();
  std::lock_guard lock(mutex_);
  running_ = false;
  parked_ = false;
  changed_.notify_all();
  return status;
}

void HeadlessPlatform::connect(FrameSource* frames, InputSink* input) {
  std::lock_guard lock(mutex_);
  frames_ = frames;
  input_ = input;
}

DisplayMode HeadlessPlatform::desktopMode() { return config_.desktop; }

std::vector<DisplayMode> HeadlessPlatform::displayModes() { return config_.modes; }

bool HeadlessPlatform::openDisplay(const DisplayMode& mode, bool fullScreen) {
  bool ok = false;
  int refresh = mode.refreshRate;
  if (config_.accepts) {
    ok = config_.accepts(mode, fullScreen);
    if (ok && refresh == 0) refresh = config_.desktop.refreshRate;
  } else if (fullScreen) {
    for (const DisplayMode& m : config_.modes) {
      if (m.width != mode.width || m.height != mode.height ||
          !sameDepth(m.bitsPerPixel, mode.bitsPerPixel))
        continue;
      if (mode.refreshRate == 0 ? config_.acceptDefaultRefresh
                                : config_.acceptFullScreen && m.refreshRate == mode.refreshRate) {
        if (!ok || m.refreshRate == config_.desktop.refreshRate) refresh = m.refreshRate;
        ok = true;
      }
    }
  } else {
    ok = config_.acceptWindow && mode.width <= config_.desktop.width &&
         mode.height <= config_.desktop.height;
    refresh = config_.desktop.refreshRate;
  }
  // With more than one output the log says which one a switch touched.
  const std::string on =
      outputs_.size() > 1 ? " on " + outputs_[static_cast<std::size_t>(chosen_)].name : "";
  record((ok ? "open " : "refused ") + describe(mode) + (fullScreen ? " full" : " window") + on);
  if (!ok) return false;
  bool placed = false;
  bool inside = false;
  int x = 0;
  int y = 0;
  {
    std::lock_guard lock(mutex_);
    shown_ = {mode.width, mode.height, mode.bitsPerPixel, refresh};
    fullScreen_ = fullScreen;
    // Sized afresh, as a display's memory is its current mode's and no more.
    display_ = std::vector<std::uint32_t>(static_cast<std::size_t>(mode.width) * mode.height);
    if (pointerPlaced_ && fullScreen) {
      pointerX_ = std::clamp(pointerX_, 0, mode.width - 1);
      pointerY_ = std::clamp(pointerY_, 0, mode.height - 1);
    }
    placed = pointerPlaced_ && input_ != nullptr;
    inside = pointerX_ >= 0 && pointerY_ >= 0 && pointerX_ < mode.width && pointerY_ < mode.height;
    x = pointerX_;
    y = pointerY_;
  }
  // A new window is the active one, and learns where the pointer rests.
  if (placed) {
    InputSink* sink = input();
    sink->windowActive(true);
    if (inside) sink->mouseMoved(x, y);
    sink->pointerInside(inside);
  }
  return true;
}

int HeadlessPlatform::currentRefreshRate() {
  std::lock_guard lock(mutex_);
  return shown_.refreshRate;
}

void HeadlessPlatform::closeDisplay() {
  record("close");
  std::lock_guard lock(mutex_);
  shown_ = {};
  fullScreen_ = false;
  display_ = {};
}

void HeadlessPlatform::waitVerticalRetrace() {
  present();
  const int refresh = currentRefreshRate();
  advanceClock(1.0 / (refresh > 1 ? refresh : 60));
}

void HeadlessPlatform::startRefreshMeasurement() {
  std::lock_guard lock(mutex_);
  measuringSince_ = clock_;
}

std::optional<RefreshEstimate> HeadlessPlatform::refreshMeasurement() {
  constexpr int FRAMES = 144;
  std::lock_guard lock(mutex_);
  const int rate = shown_.refreshRate;
  if (measuringSince_ < 0 || rate <= 1) return RefreshEstimate{};
  if (clock_ - measuringSince_ < static_cast<double>(FRAMES) / rate) return std::nullopt;
  std::vector<double> times;
  for (int k = 0; k <= FRAMES; ++k)
    times.push_back(measuringSince_ + static_cast<double>(k) / rate);
  return estimateRefresh(times);
}

double HeadlessPlatform::seconds() {
  std::lock_guard lock(mutex_);
  return clock_;
}

void HeadlessPlatform::sleepMilliseconds(int ms) {
  if (ms > 0) advanceClock(ms / 1000.0);
}

void HeadlessPlatform::idle() {
  std::unique_lock lock(mutex_);
  clock_ += 0.001;
  if (stop_) throw ProgramStopped{};
  if (!scripted_ || clock_ < freeUntil_ || ++idleStreak_ < PARK_AFTER_IDLE_POLLS) return;
  parked_ = true;
  ++parks_;
  changed_.notify_all();
  changed_.wait(lock, [this] { return release_ || stop_; });
  release_ = false;
  parked_ = false;
  idleStreak_ = 0;
  if (stop_) throw ProgramStopped{};
}

void HeadlessPlatform::setScripted(bool scripted) {
  std::lock_guard lock(mutex_);
  scripted_ = scripted;
  if (!scripted_) release_ = true;
  changed_.notify_all();
}

bool HeadlessPlatform::waitUntilIdle(double timeoutSeconds) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, std::chrono::duration<double>(timeoutSeconds), [this] {
    return started_ && (!running_ || (parked_ && parks_ >= awaitedPark_));
  });
}

void HeadlessPlatform::resume(double virtualSeconds) {
  std::lock_guard lock(mutex_);
  freeUntil_ = clock_ + virtualSeconds;
  awaitedPark_ = parks_ + 1;
  release_ = true;
  changed_.notify_all();
}

bool HeadlessPlatform::programRunning() {
  std::lock_guard lock(mutex_);
  return running_;
}

void HeadlessPlatform::stopProgram() {
  std::lock_guard lock(mutex_);
  stop_ = true;
  changed_.notify_all();
}

FontEngine& HeadlessPlatform::fonts() {
  std::lock_guard lock(mutex_);
  if (!fonts_) fonts_ = std::make_unique<FreeTypeFonts>();
  return *fonts_;
}

void HeadlessPlatform::beep(int frequencyHz, int durationMs) {
  record("beep " + std::to_string(frequencyHz) + " " + std::to_string(durationMs));
  advanceClock(durationMs / 1000.0);
}

int HeadlessPlatform::runCommand(const std::string& commandLine) {
  record("command " + commandLine);
  return config_.commandStatus;
}

void HeadlessPlatform::placePointer(int x, int y) {
  std::lock_guard lock(mutex_);
  pointerPlaced_ = true;
  pointerX_ = x;
  pointerY_ = y;
}

void HeadlessPlatform::present() {
  FrameSource* frames = nullptr;
  {
    std::lock_guard lock(mutex_);
    frames = frames_;
  }
  if (frames == nullptr) return;
  // The screen lock comes first, then ours: the same order as every other path.
  frames->withFrame([this](FrameView& f) {
    std::lock_guard lock(mutex_);
    if (static_cast<std::size_t>(f.width) * f.height != display_.size()) return;
    // The converter the SDL window uses, so that what tests see is what users get.
    int first = 0;
    int last = 0;
    if (!dirtySpan(f, first, last)) return;
    convertRows(f, first, last,
                reinterpret_cast<std::uint8_t*>(display_.data() +
                                                static_cast<std::size_t>(first) * f.width),
                f.width * 4);
  });
}

std::vector<std::uint32_t> HeadlessPlatform::snapshot() {
  present();
  std::lock_guard lock(mutex_);
  std::vector<std::uint32_t> frame = display_;
  // Shown pixels are opaque; a snapshot reports 0x00RRGGBB.
  for (std::uint32_t& p : frame) p &= 0xFFFFFF;
  return frame;
}

int HeadlessPlatform::shownWidth() {
  std::lock_guard lock(mutex_);
  return shown_.width;
}

int HeadlessPlatform::shownHeight() {
  std::lock_guard lock(mutex_);
  return shown_.height;
}

DisplayMode HeadlessPlatform::shownMode() {
  std::lock_guard lock(mutex_);
  return shown_;
}

bool HeadlessPlatform::shownFullScreen() {
  std::lock_guard lock(mutex_);
  return fullScreen_;
}

std::vector<std::string> HeadlessPlatform::log() {
  std::lock_guard lock(mutex_);
  return log_;
}

void HeadlessPlatform::clearLog() {
  std::lock_guard lock(mutex_);
  log_.clear();
}

void HeadlessPlatform::advanceClock(double seconds) {
  std::lock_guard lock(mutex_);
  clock_ += seconds;
}

InputSink* HeadlessPlatform::input() {
  std::lock_guard lock(mutex_);
  return input_ == nullptr ? nullptr : inputProxy_.get();
}

void HeadlessPlatform::record(std::string line) {
  std::lock_guard lock(mutex_);
  log_.push_back(std::move(line));
}

}  // namespace orventa::platform
