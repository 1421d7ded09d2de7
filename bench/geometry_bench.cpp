// The geometry patterns rendered at 3840 x 2160, 32 bits, beside a memset of one frame.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "bench/ratio.h"
#include "displaytests/geometry/collinearity_grid.h"
#include "displaytests/geometry/moire_patterns.h"
#include "displaytests/geometry/ratio_ellipses.h"
#include "displaytests/geometry/resolution_card.h"
#include "graphics/platform/headless/headless_platform.h"
#include "graphics/screen.h"
#include "graphics/screen_state.h"

namespace orventa::bench {
namespace {

constexpr int W = 3840;
constexpr int H = 2160;
constexpr std::size_t FRAME = static_cast<std::size_t>(W) * H * 4;
constexpr std::uint32_t WHITE = 0xFFFFFFFF;

// A two-page 4K screen; another benchmark file may have opened one already, and may open its
// own between runs, so the check is made every time.
Screen& screen() {
  static platform::HeadlessPlatform display([] {
    platform::HeadlessConfig config;
    config.desktop = {W, H, 32, 60};
    return config;
  }());
  const Screen* s = openScreen();
  if (s == nullptr || s->width != W || s->height != H || s->bytesPerPixel != 4 ||
      s->pages.size() < 2) {
    platform::usePlatform(&display);
    if (setScreenMode(W, H, 32, 2, FULL_SCREEN, 0) != 0) std::abort();
  }
  setPages(0, 0);
  return *openScreen();
}

void BM_GeometryMemset(benchmark::State& state) {
  std::uint8_t* p = screen().pages[0].data();
  for (auto _ : state) {
    std::memset(p, 0x40, FRAME);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_GeometryMemset);

void BM_ResolutionCard(benchmark::State& state) {
  screen();
  for (auto _ : state) {
    drawResolutionCard(W, H, WHITE);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ResolutionCard);
RatioTarget cardTarget("BM_ResolutionCard", "BM_GeometryMemset", 15);

// One pass of the grid after a key: clear the hidden page, draw, copy it to the visible page.
void BM_GridLoop(benchmark::State& state) {
  screen();
  setPages(1, 0);
  const Grid grid = startGrid(W, H, 32);
  for (auto _ : state) {
    clearScreen();
    drawGridFrame(grid, W, H);
    benchmark::ClobberMemory();
  }
  setPages(0, 0);
}
BENCHMARK(BM_GridLoop);
RatioTarget gridTarget("BM_GridLoop", "BM_GeometryMemset", 5);

void BM_AspectRatio(benchmark::State& state) {
  screen();
  for (auto _ : state) {
    drawAspectRatio(W, H, ASPECT_RATIOS[3], WHITE);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_AspectRatio);
RatioTarget aspectTarget("BM_AspectRatio", "BM_GeometryMemset", 15);

// Pages 1 to 4: rows every 2 and 4 pixels, grids of 2 and 4 pixels.
void BM_MoirePage(benchmark::State& state) {
  screen();
  const int page = static_cast<int>(state.range(0));
  const int pitch = page % 2 == 1 ? 2 : 4;
  for (auto _ : state) {
    clearScreen();
    if (page <= 2)
      drawMoireRows(W, H, pitch, WHITE);
    else
      drawMoireGrid(W, H, pitch, WHITE);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MoirePage)->DenseRange(1, 4);
RatioTarget moire1Target("BM_MoirePage/1", "BM_GeometryMemset", 15);
RatioTarget moire2Target("BM_MoirePage/2", "BM_GeometryMemset", 15);
RatioTarget moire3Target("BM_MoirePage/3", "BM_GeometryMemset", 15);
RatioTarget moire4Target("BM_MoirePage/4", "BM_GeometryMemset", 15);

void BM_MoireCheckerboard(benchmark::State& state) {
  screen();
  for (auto _ : state) {
    clearScreen();
    drawMoireCheckerboard(W, H, WHITE);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MoireCheckerboard);
RatioTarget checkerboardTarget("BM_MoireCheckerboard", "BM_GeometryMemset", 25);

}  // namespace
}  // namespace orventa::bench
