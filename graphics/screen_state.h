// The screen record shared inside the graphics layer: primitives, fonts and input read it.
// Not for the layers above, which use screen.h.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "graphics/pixel_memory.h"
#include "graphics/platform/platform.h"

namespace orventa {

// One page of pixels.
struct PageBuffer {
  PixelBlock pixels;
  std::size_t bytes = 0;
  std::uint8_t* data() const { return pixels.get(); }
  std::size_t size() const { return bytes; }
};

struct TextGrid {
  int columns = 0;  // 8-bit counts, as the grid stores them
  int rows = 0;
  int glyphHeight = 8;  // 8, 14 or 16: picks the built-in font
  int cursorRow = 1;
  int cursorColumn = 1;
};

struct Screen {
  int width = 0;
  int height = 0;
  int depth = 0;  // stored depth: 8, 16, 32, or 1, 2, 4
  int bytesPerPixel = 0;
  int pitch = 0;
  std::uint32_t colourMask = 0;
  int refreshRate = 0;
  std::vector<PageBuffer> pages;
  int workPage = 0;
  int visiblePage = 0;
  std::array<std::uint32_t, 256> palette{};  // 0x00RRGGBB
  std::uint32_t foreground = 0;              // already in the pixel format
  std::uint32_t background = 0;
  std::unique_ptr<std::uint8_t[]> dirtyRows;  // one mark per row of the visible page
  float cursorX = 0;                          // the graphics cursor
  float cursorY = 0;
  TextGrid textGrid;
};

// The open screen, or null. Read and written on the program thread; the presenter sees it only
// through the screen lock.
Screen* openScreen();

// The re-entrant screen lock around pixel writes, palette, dirty marks, key queue and mouse state.
std::recursive_mutex& screenMutex();

class ScreenLock {
 public:
  ScreenLock();
  ~ScreenLock();
  ScreenLock(const ScreenLock&) = delete;
  ScreenLock& operator=(const ScreenLock&) = delete;
};

// Marks rows first..last of the visible page as changed (clipped to the screen).
void markRowsDirty(const Screen& screen, int firstRow, int lastRow);
void markAllRowsDirty(const Screen& screen);

// Where the backend's input events go (the key queue and mouse state).
platform::InputSink& inputSink();

// Allocation larger than this many bytes for one screen's pages, or for one image, is refused
// outright: half the physical memory, or less once capped.
std::size_t frameMemoryLimit();

}  // namespace orventa
