// The panel tests' pictures at 3840 x 2160, 32 bits, one thread, each cleared and drawn whole,
// beside a memset of one frame.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "bench/ratio.h"
#include "displaytests/panel/anti_aliasing.h"
#include "displaytests/panel/clock_phase.h"
#include "displaytests/panel/subpixel_layout.h"
#include "graphics/platform/headless/headless_platform.h"
#include "graphics/screen.h"
#include "graphics/screen_state.h"

namespace orventa::bench {
namespace {

constexpr int W = 3840;
constexpr int H = 2160;
constexpr std::uint32_t P = 0xFFFFFFFF;

// A two-page 4K screen of 32 bits; another file's may already be open, and serves as well.
void panelScreen() {
  const Screen* s = openScreen();
  if (s != nullptr && s->width == W && s->height == H && s->bytesPerPixel == 4) return;
  static platform::HeadlessPlatform display([] {
    platform::HeadlessConfig config;
    config.desktop = {W, H, 32, 60};
    return config;
  }());
  platform::usePlatform(&display);
  if (setScreenMode(W, H, 32, 2, FULL_SCREEN, 0) != 0) std::abort();
}

void BM_PanelMemset(benchmark::State& state) {
  panelScreen();
  std::uint8_t* page = openScreen()->pages[0].data();
  for (auto _ : state) {
    std::memset(page, 0x40, static_cast<std::size_t>(W) * H * 4);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PanelMemset);

void BM_AntiAliasing(benchmark::State& state) {
  panelScreen();
  for (auto _ : state) {
    clearScreen();
    drawAntiAliasing(W, H, P);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_AntiAliasing);
RatioTarget antiAliasingTarget("BM_AntiAliasing", "BM_PanelMemset", 10);

void BM_ClockPhase(benchmark::State& state) {
  panelScreen();
  for (auto _ : state) {
    clearScreen();
    drawClockPhase(W, H, P);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ClockPhase);
RatioTarget clockPhaseTarget("BM_ClockPhase", "BM_PanelMemset", 3);

void BM_SubpixelLayout(benchmark::State& state) {
  panelScreen();
  for (auto _ : state) {
    clearScreen();
    drawSubpixelStripes(W, H, 32);
    drawSubpixelBoxes(W, H);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SubpixelLayout);
RatioTarget subpixelTarget("BM_SubpixelLayout", "BM_PanelMemset", 25);

}  // namespace
}  // namespace orventa::bench
