// The colour and tone patterns rendered at 3840 x 2160, 32 bits, beside memset of one frame. Each
// page is drawn as the test shows it, through the pattern's own drawPage, which clears what it
// must.
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

const DisplaySettings TEST{W, H, 32, 60};

void page(benchmark::State& state, const Pattern& pattern, int number = 1) {
  openColourScreen();
  setColors(0, 0xFF000000, 1);
  for (auto _ : state) {
    pattern.drawPage(TEST, number);
    benchmark::ClobberMemory();
  }
}

void BM_BasicColour(benchmark::State& state) { page(state, BASIC_COLOURS, 2); }
BENCHMARK(BM_BasicColour);
RatioTarget basicTarget("BM_BasicColour", "BM_ColourMemset", 3);

void BM_RgbDiscs(benchmark::State& state) { page(state, RGB_DISCS); }
BENCHMARK(BM_RgbDiscs);
RatioTarget rgbTarget("BM_RgbDiscs", "BM_ColourMemset", 4);

void BM_CmykDiscs(benchmark::State& state) { page(state, CMYK_DISCS); }
BENCHMARK(BM_CmykDiscs);
RatioTarget cmykTarget("BM_CmykDiscs", "BM_ColourMemset", 4);

void BM_PlainEbu(benchmark::State& state) { page(state, PLAIN_EBU); }
BENCHMARK(BM_PlainEbu);
RatioTarget ebuTarget("BM_PlainEbu", "BM_ColourMemset", 2.2);

void BM_Gradient(benchmark::State& state) { page(state, GRADIENT); }
BENCHMARK(BM_Gradient);
RatioTarget gradientTarget("BM_Gradient", "BM_ColourMemset", 25);

void BM_Spectrum(benchmark::State& state) { page(state, SPECTRUM); }
BENCHMARK(BM_Spectrum);
RatioTarget spectrumTarget("BM_Spectrum", "BM_ColourMemset", 25);

void BM_LuminanceRamp(benchmark::State& state) { page(state, LUMINANCE_RAMP); }
BENCHMARK(BM_LuminanceRamp);
RatioTarget rampTarget("BM_LuminanceRamp", "BM_ColourMemset", 25);

void BM_Pluge(benchmark::State& state) { page(state, PLUGE); }
BENCHMARK(BM_Pluge);
RatioTarget plugeTarget("BM_Pluge", "BM_ColourMemset", 3);

void BM_Smpte(benchmark::State& state) { page(state, SMPTE); }
BENCHMARK(BM_Smpte);
RatioTarget smpteTarget("BM_Smpte", "BM_ColourMemset", 2.2);

}  // namespace
}  // namespace orventa::bench
