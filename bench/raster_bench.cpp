// Full-screen raster workloads at 3840 x 2160, 32 bits, one thread, beside memset and memcpy of
// one frame.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "bench/ratio.h"
#include "graphics/platform/headless/headless_platform.h"
#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "graphics/screen_state.h"

namespace orventa::bench {
namespace {

constexpr int W = 3840;
constexpr int H = 2160;
constexpr std::size_t FRAME = static_cast<std::size_t>(W) * H * 4;

// One display and one two-page 4K screen for the whole run.
Screen& screen() {
  static platform::HeadlessPlatform display([] {
    platform::HeadlessConfig config;
    config.desktop = {W, H, 32, 60};
    return config;
  }());
  static bool opened = [] {
    platform::usePlatform(&display);
    return setScreenMode(W, H, 32, 2, FULL_SCREEN, 0) == 0;
  }();
  if (!opened) std::abort();
  return *openScreen();
}

std::uint8_t* page(int n) { return screen().pages[n].data(); }

void BM_Memset(benchmark::State& state) {
  std::uint8_t* p = page(0);
  for (auto _ : state) {
    std::memset(p, 0x40, FRAME);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Memset);

void BM_Memcpy(benchmark::State& state) {
  std::uint8_t* d = page(0);
  const std::uint8_t* s = page(1);
  for (auto _ : state) {
    std::memcpy(d, s, FRAME);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Memcpy);

void BM_ClearScreen(benchmark::State& state) {
  screen();
  setColors(0, 0xFF102030, 1);
  for (auto _ : state) {
    clearScreen();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ClearScreen);
RatioTarget clearTarget("BM_ClearScreen", "BM_Memset", 1.15);

void BM_FilledBox(benchmark::State& state) {
  screen();
  for (auto _ : state) {
    drawLine(nullptr, 0, 0, W - 1, H - 1, 0xFF203040, FILLED_BOX, SOLID, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FilledBox);
RatioTarget boxTarget("BM_FilledBox", "BM_Memset", 1.15);

void BM_CopyPage(benchmark::State& state) {
  screen();
  for (auto _ : state) {
    copyPage(1, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CopyPage);
RatioTarget copyPageTarget("BM_CopyPage", "BM_Memcpy", 1.15);

void BM_PutImage(benchmark::State& state) {
  screen();
  Image* image = createImage(W, H, 0xFF336699, 0, 0);
  const int mode = static_cast<int>(state.range(0));
  for (auto _ : state) {
    putImage(nullptr, 0, 0, image, mode);
    benchmark::ClobberMemory();
  }
  destroyImage(image);
}
BENCHMARK(BM_PutImage)->Arg(COPY)->Arg(OR)->Arg(XOR);
RatioTarget putCopyTarget("BM_PutImage/1", "BM_Memcpy", 1.15);
RatioTarget putOrTarget("BM_PutImage/4", "BM_Memcpy", 1.15);
RatioTarget putXorTarget("BM_PutImage/5", "BM_Memcpy", 1.15);

void BM_RandomLines(benchmark::State& state) {
  screen();
  std::mt19937 random(7);
  std::uniform_real_distribution<float> x(0, W - 1);
  std::uniform_real_distribution<float> y(0, H - 1);
  struct Line {
    float x1, y1, x2, y2;
  };
  std::vector<Line> lines(200);
  for (Line& l : lines) l = {x(random), y(random), x(random), y(random)};
  for (auto _ : state) {
    for (const Line& l : lines)
      drawLine(nullptr, l.x1, l.y1, l.x2, l.y2, 0xFFFFFFFF, LINE, SOLID, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RandomLines);
RatioTarget linesTarget("BM_RandomLines", "BM_Memset", 1.4);

void BM_FilledCircle(benchmark::State& state) {
  screen();
  for (auto _ : state) {
    drawEllipse(nullptr, W / 2, H / 2, H / 3, 0xFF00FF00, 0, 0, FULL_TURN, 1, 4);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FilledCircle);
RatioTarget circleTarget("BM_FilledCircle", "BM_Memset", 0.35);

void BM_FloodFillScreen(benchmark::State& state) {
  screen();
  std::uint32_t colour = 0xFF000001;
  for (auto _ : state) {
    floodFill(nullptr, 1, 1, ++colour, 0, "", 0, BORDER_IS_FILL | 4);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FloodFillScreen);
RatioTarget floodTarget("BM_FloodFillScreen", "BM_Memset", 12);

void BM_GridEvery2(benchmark::State& state) {
  screen();
  for (auto _ : state) {
    for (int x = 0; x < W; x += 2) drawLine(nullptr, x, 0, x, H - 1, 0xFFFFFFFF, LINE, SOLID, 0);
    for (int y = 0; y < H; y += 2) drawLine(nullptr, 0, y, W - 1, y, 0xFFFFFFFF, LINE, SOLID, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_GridEvery2);
RatioTarget gridTarget("BM_GridEvery2", "BM_Memset", 15);

void BM_Checkerboard(benchmark::State& state) {
  screen();
  for (auto _ : state) {
    for (int x = 0; x <= W; ++x)
      drawLine(nullptr, x, 0, x, H, 0xFFFFFFFF, LINE, (x & 1) ? 0xAAAA : 0x5555, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Checkerboard);
RatioTarget checkerTarget("BM_Checkerboard", "BM_Memset", 25);

}  // namespace
}  // namespace orventa::bench
