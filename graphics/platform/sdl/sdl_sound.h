// The beep through SDL audio: a sine tone queued on a device opened at the first beep, kept open.
// Best effort: without a device the tone only takes its time. Nothing is printed either way.
#pragma once

#include <cstdint>

namespace orventa::platform {

// The device format asked of SDL (signed 16-bit, mono); SDL converts if the device differs.
constexpr int TONE_SAMPLE_RATE = 48000;

// Starts SDL audio quietly (the ALSA library otherwise prints its failures on stderr).
void initSound();

class TonePlayer {
 public:
  TonePlayer() = default;
  TonePlayer(const TonePlayer&) = delete;
  TonePlayer& operator=(const TonePlayer&) = delete;
  ~TonePlayer();

  // Returns when the tone has ended.
  void play(int frequencyHz, int durationMs);
  void close();

 private:
  bool open();

  std::uint32_t device_ = 0;
  bool tried_ = false;
};

}  // namespace orventa::platform
