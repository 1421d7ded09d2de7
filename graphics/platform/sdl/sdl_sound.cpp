#include "graphics/platform/sdl/sdl_sound.h"

#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>
#include <thread>
#include <vector>

namespace orventa::platform {
namespace {

extern "C" {
using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
}

void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// The tone's samples, with 2 ms ramps so that it starts and stops without a click.
std::vector<std::int16_t> toneSamples(int frequencyHz, int durationMs) {
  const int count = TONE_SAMPLE_RATE * durationMs / 1000;
  const int ramp = TONE_SAMPLE_RATE / 500;
  std::vector<std::int16_t> samples(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const double gain = std::min({1.0, (i + 1.0) / ramp, (count - i) / double(ramp)});
    const double phase = 2 * std::numbers::pi * frequencyHz * i / TONE_SAMPLE_RATE;
    samples[static_cast<std::size_t>(i)] =
        static_cast<std::int16_t>(std::lround(8000 * gain * std::sin(phase)));
  }
  return samples;
}

}  // namespace

void initSound() {
  // SDL loads the same library by the same name, so the handler holds for its calls too.
  if (void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL); alsa != nullptr) {
    auto setHandler =
        reinterpret_cast<int (*)(AlsaErrorHandler)>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler != nullptr) setHandler(ignoreAlsaError);
  }
  SDL_InitSubSystem(SDL_INIT_AUDIO);
}

TonePlayer::~TonePlayer() { close(); }

void TonePlayer::close() {
  if (device_ != 0) SDL_CloseAudioDevice(device_);
  device_ = 0;
}

bool TonePlayer::open() {
  if (!tried_) {
    tried_ = true;
    SDL_AudioSpec want{};
    want.freq = TONE_SAMPLE_RATE;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = 512;
    // Sound starts with the first beep: probing the sound devices would slow every start.
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0) initSound();
    if (SDL_WasInit(SDL_INIT_AUDIO) != 0)
      device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
  }
  return device_ != 0;
}

void TonePlayer::play(int frequencyHz, int durationMs) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point end = Clock::now() + std::chrono::milliseconds(durationMs);
  if (durationMs <= 0) return;
  const bool sounding = frequencyHz > 0 && open();
  if (sounding) {
    const std::vector<std::int16_t> samples = toneSamples(frequencyHz, durationMs);
    SDL_QueueAudio(device_, samples.data(), static_cast<Uint32>(samples.size() * 2));
    SDL_PauseAudioDevice(device_, 0);
  }
  std::this_thread::sleep_until(end);
  // The device may lag behind the clock by its buffer; the tone has ended when the queue is empty.
  const Clock::time_point limit = end + std::chrono::milliseconds(durationMs);
  while (sounding && SDL_GetQueuedAudioSize(device_) > 0 && Clock::now() < limit)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

}  // namespace orventa::platform
