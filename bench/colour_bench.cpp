// The colour and tone patterns rendered at 3840 x 2160, 32 bits, beside memset of one frame. Each
// is drawn as the test draws it after switching: clear, then the pattern. The discs are timed per
// page, which is what every page after the first draws; the pattern's one clear comes before.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "bench/ratio.h"
#include "displaytests/colour/colour_range.h"
#include "displaytests/colour/contrast_brightness.h"
#include "graphics/platform/headless/headless_platform.h"
#include "graphics/screen.h"

namespace orventa::bench {
namespace {

constexpr int W = 3840;
constexpr int H = 2160;
constexpr std::size_t FRAME = static_cast<std::size_t>(W) * H * 4;

// A two-page 4K screen like the other benchmark files use; opened again if another file left a
// different one open.
void openColourScreen() {
  static platform::HeadlessPlatform display([] {
    platform::HeadlessConfig config;
    config.desktop = {W, H, 32, 60};
    return config;
  }());
  int w = 0;
  int h = 0;
  int depth = 0;
  int refresh = 0;
  getScreenInfo(w, h, depth, refresh);
  if (screenPointer() != nullptr && w == W && h == H && depth == 32) return;
  platform::usePlatform(&display);
  if (setScreenMode(W, H, 32, 2, FULL_SCREEN, 0) != 0) std::abort();
}

void BM_ColourMemset(benchmark::State& state) {
  openColourScreen();
  auto* frame = static_cast<std::uint8_t*>(screenPointer());
  for (auto _ : state) {
    std::memset(frame, 0x40, FRAME);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ColourMemset);

template <typename Draw>
void render(benchmark::State& state, Draw draw) {
  openColourScreen();
  setColors(0, 0xFF000000, 1);
  for (auto _ : state) {
    clearScreen();
    draw();
    benchmark::ClobberMemory();
  }
}

void BM_BasicColour(benchmark::State& state) {
  openColourScreen();
  for (auto _ : state) {
    showBasicColour(0xFF0000FF);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BasicColour);
RatioTarget basicTarget("BM_BasicColour", "BM_ColourMemset", 3);

void discPage(benchmark::State& state, const DiscPage& page) {
  openColourScreen();
  for (auto _ : state) {
    drawDiscPage(W, H, page);
    benchmark::ClobberMemory();
  }
}

void BM_RgbDiscs(benchmark::State& state) { discPage(state, rgbPages(32)[0]); }
BENCHMARK(BM_RgbDiscs);
RatioTarget rgbTarget("BM_RgbDiscs", "BM_ColourMemset", 5);

void BM_CmykDiscs(benchmark::State& state) { discPage(state, cmykPages(32)[0]); }
BENCHMARK(BM_CmykDiscs);
RatioTarget cmykTarget("BM_CmykDiscs", "BM_ColourMemset", 5);

void BM_PlainEbu(benchmark::State& state) {
  render(state, [] { drawEbuBars(W, H, 32); });
}
BENCHMARK(BM_PlainEbu);
RatioTarget ebuTarget("BM_PlainEbu", "BM_ColourMemset", 3);

void BM_Gradient(benchmark::State& state) {
  render(state, [] { drawGradient(W, H, 32, 1); });
}
BENCHMARK(BM_Gradient);
RatioTarget gradientTarget("BM_Gradient", "BM_ColourMemset", 25);

void BM_Spectrum(benchmark::State& state) {
  render(state, [] { drawSpectrum(W, H, 32); });
}
BENCHMARK(BM_Spectrum);
RatioTarget spectrumTarget("BM_Spectrum", "BM_ColourMemset", 25);

void BM_LuminanceRamp(benchmark::State& state) {
  render(state, [] { drawLuminanceRamp(W, H); });
}
BENCHMARK(BM_LuminanceRamp);
RatioTarget rampTarget("BM_LuminanceRamp", "BM_ColourMemset", 25);

void BM_Pluge(benchmark::State& state) {
  render(state, [] { drawPluge(W, H); });
}
BENCHMARK(BM_Pluge);
RatioTarget plugeTarget("BM_Pluge", "BM_ColourMemset", 3);

void BM_Smpte(benchmark::State& state) {
  render(state, [] { drawSmpte(W, H); });
}
BENCHMARK(BM_Smpte);
RatioTarget smpteTarget("BM_Smpte", "BM_ColourMemset", 3);

}  // namespace
}  // namespace orventa::bench
