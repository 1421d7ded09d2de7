// Presenting one full 1920 x 1080 frame at 8, 16 and 32 bits: every row converted to the display's
// 32-bit format, and the same into a streaming texture with its upload (SDL's software renderer,
// so that no display is needed), beside a memcpy of one 32-bit frame.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "bench/ratio.h"
#include "graphics/colour.h"
#include "graphics/platform/frame_rows.h"

namespace orventa::bench {
namespace {

constexpr int W = 1920;
constexpr int H = 1080;
constexpr std::size_t PIXELS = static_cast<std::size_t>(W) * H;

struct Frame {
  std::vector<std::uint32_t> source;  // big enough for any depth, 4-byte aligned
  std::vector<std::uint32_t> shown;
  std::vector<std::uint8_t> dirty;
  Frame() : source(PIXELS), shown(PIXELS), dirty(H) {
    std::mt19937 random(7);
    for (std::uint32_t& v : source) v = static_cast<std::uint32_t>(random());
  }
};

Frame& frame() {
  static Frame f;
  return f;
}

// The whole frame at this depth, every row changed.
platform::FrameView changedFrame(int bytesPerPixel) {
  Frame& f = frame();
  std::memset(f.dirty.data(), 1, f.dirty.size());
  platform::FrameView view;
  view.pixels = reinterpret_cast<const std::uint8_t*>(f.source.data());
  view.width = W;
  view.height = H;
  view.bytesPerPixel = bytesPerPixel;
  view.pitch = W * bytesPerPixel;
  view.palette = defaultPalette().data();
  view.dirtyRows = f.dirty.data();
  return view;
}

void BM_MemcpyFrame1080(benchmark::State& state) {
  for (auto _ : state) {
    std::memcpy(frame().shown.data(), frame().source.data(), PIXELS * 4);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MemcpyFrame1080);

void BM_ConvertFrame(benchmark::State& state) {
  const int bytesPerPixel = static_cast<int>(state.range(0)) / 8;
  for (auto _ : state) {
    platform::FrameView view = changedFrame(bytesPerPixel);
    int first = 0;
    int last = 0;
    if (platform::dirtySpan(view, first, last))
      platform::convertRows(view, first, last,
                            reinterpret_cast<std::uint8_t*>(frame().shown.data()), W * 4);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ConvertFrame)->Arg(8)->Arg(16)->Arg(32);
RatioTarget convert8("BM_ConvertFrame/8", "BM_MemcpyFrame1080", 3.0);
RatioTarget convert16("BM_ConvertFrame/16", "BM_MemcpyFrame1080", 3.0);
RatioTarget convert32("BM_ConvertFrame/32", "BM_MemcpyFrame1080", 3.0);

// A streaming texture of SDL's software renderer: it needs no display.
struct Upload {
  SDL_Surface* surface = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  Upload() {
    surface = SDL_CreateRGBSurfaceWithFormat(0, W, H, 32, SDL_PIXELFORMAT_ARGB8888);
    if (surface != nullptr) renderer = SDL_CreateSoftwareRenderer(surface);
    if (renderer != nullptr)
      texture =
          SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, W, H);
  }
};

void BM_ConvertAndUploadFrame(benchmark::State& state) {
  static Upload upload;
  if (upload.texture == nullptr) {
    state.SkipWithError(SDL_GetError());
    return;
  }
  const int bytesPerPixel = static_cast<int>(state.range(0)) / 8;
  // As the presenter does it: converted into the locked texture, uploaded on unlock.
  for (auto _ : state) {
    platform::FrameView view = changedFrame(bytesPerPixel);
    int first = 0;
    int last = 0;
    void* pixels = nullptr;
    int pitch = 0;
    if (platform::dirtySpan(view, first, last)) {
      const SDL_Rect rows{0, first, W, last - first + 1};
      SDL_LockTexture(upload.texture, &rows, &pixels, &pitch);
      platform::convertRows(view, first, last, static_cast<std::uint8_t*>(pixels), pitch);
      SDL_UnlockTexture(upload.texture);
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ConvertAndUploadFrame)->Arg(8)->Arg(16)->Arg(32);
RatioTarget upload8("BM_ConvertAndUploadFrame/8", "BM_MemcpyFrame1080", 3.0);
RatioTarget upload16("BM_ConvertAndUploadFrame/16", "BM_MemcpyFrame1080", 3.0);
RatioTarget upload32("BM_ConvertAndUploadFrame/32", "BM_MemcpyFrame1080", 3.0);

}  // namespace
}  // namespace orventa::bench
