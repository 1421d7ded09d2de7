#include "graphics/screen.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>
#include <optional>
#include <utility>

#include "graphics/colour.h"
#include "graphics/platform/display_facts/edid.h"
#include "graphics/raster.h"
#include "graphics/screen_state.h"

namespace orventa {
namespace {

std::unique_ptr<Screen> current;
std::recursive_mutex mutex;

struct ModeList {
  std::vector<std::uint32_t> codes;
  std::size_t cursor = 0;
} modeList;

class Frames final : public platform::FrameSource {
 public:
  bool withFrame(const std::function<void(platform::FrameView&)>& show) override {
    ScreenLock lock;
    const Screen* s = current.get();
    if (s == nullptr) return false;
    platform::FrameView view;
    view.pixels = s->pages[s->visiblePage].data();
    view.width = s->width;
    view.height = s->height;
    view.bytesPerPixel = s->bytesPerPixel;
    view.pitch = s->pitch;
    view.palette = s->palette.data();
    view.dirtyRows = s->dirtyRows.get();
    show(view);
    return true;
  }
} frames;

std::atomic<platform::Platform*> connected{nullptr};

// Stored depth and bytes per pixel of a requested depth; false for a depth that is refused.
bool mapDepth(int depth, int& stored, int& bytesPerPixel) {
  switch (depth) {
    case 1:
    case 2:
    case 4:
    case 8:
      stored = depth;
      bytesPerPixel = 1;
      return true;
    case 15:
    case 16:
      stored = 16;
      bytesPerPixel = 2;
      return true;
    case 24:
    case 32:
      stored = 32;
      bytesPerPixel = 4;
      return true;
    default:
      return false;
  }
}

std::uint32_t colourMaskOf(int storedDepth) {
  if (storedDepth >= 32) return 0xFFFFFFFFu;
  return (1u << storedDepth) - 1;
}

void fillPage(std::uint8_t* p, std::size_t pixels, int bytesPerPixel, std::uint32_t value) {
  switch (bytesPerPixel) {
    case 1:
      raster::fill(p, pixels, static_cast<std::uint8_t>(value));
      break;
    case 2:
      raster::fill(reinterpret_cast<std::uint16_t*>(p), pixels, static_cast<std::uint16_t>(value));
      break;
    default:
      raster::fill(reinterpret_cast<std::uint32_t*>(p), pixels, value);
      break;
  }
}

// The new screen's state with its pages filled with the background, or null when its memory
// cannot be had.
std::unique_ptr<Screen> buildScreen(int width, int height, int depth, int pageCount) {
  auto s = std::unique_ptr<Screen>(new (std::nothrow) Screen);
  if (!s) return nullptr;
  mapDepth(depth, s->depth, s->bytesPerPixel);
  const std::uint64_t pitch = static_cast<std::uint64_t>(width) * s->bytesPerPixel;
  const std::uint64_t pages = static_cast<std::uint64_t>(std::max(pageCount, 1));
  const std::uint64_t pageBytes = pitch * static_cast<std::uint64_t>(height);
  if (pitch > static_cast<std::uint64_t>(std::numeric_limits<int>::max()) ||
      pageBytes > frameMemoryLimit() / pages)
    return nullptr;
  s->width = width;
  s->height = height;
  s->pitch = static_cast<int>(pitch);
  s->colourMask = colourMaskOf(s->depth);
  s->foreground = convertColour(0xFFFFFFFFu, s->bytesPerPixel, 0xFFFFFFFFu) & s->colourMask;
  if (s->bytesPerPixel == 1) s->foreground = 15 & s->colourMask;
  s->background = s->bytesPerPixel == 4 ? 0xFF000000u : 0;
  s->palette = defaultPalette();
  s->dirtyRows.reset(new (std::nothrow) std::uint8_t[height]);
  s->pages.resize(pages);
  if (!s->dirtyRows) return nullptr;
  std::memset(s->dirtyRows.get(), 1, static_cast<std::size_t>(height));
  for (PageBuffer& page : s->pages) {
    bool zeroed = false;
    page.pixels = allocatePixels(pageBytes, zeroed);
    if (!page.pixels) return nullptr;
    page.bytes = pageBytes;
    if (s->background != 0 || !zeroed)
      fillPage(page.data(), pageBytes / s->bytesPerPixel, s->bytesPerPixel, s->background);
  }
  s->textGrid.columns = (width / 8) % 256;
  s->textGrid.rows = (height / 8) % 256;
  return s;
}

// Takes the open screen away from the presenter, then gives the display back.
void closeScreen() {
  std::unique_ptr<Screen> old;
  {
    ScreenLock lock;
    old = std::move(current);
  }
  if (platform::Platform* p = platform::currentPlatform(); p != nullptr && old) p->closeDisplay();
}

bool openDisplay(platform::Platform& p, const Screen& s, int refreshRate, bool fullScreen) {
  platform::DisplayMode mode{s.width, s.height, s.depth, refreshRate};
  if (fullScreen) {
    if (p.openDisplay(mode, true)) return true;
    mode.refreshRate = 0;
    if (refreshRate != 0 && p.openDisplay(mode, true)) return true;
    mode.refreshRate = refreshRate;
  }
  if (p.openDisplay(mode, false)) return true;
  mode.refreshRate = 0;
  return refreshRate != 0 && p.openDisplay(mode, false);
}

struct NumberedMode {
  int width;
  int height;
  int glyphHeight;
};

constexpr NumberedMode NUMBERED_MODES[22] = {
    {0, 0, 0},       {320, 200, 8},   {640, 200, 8},  {720, 348, 14}, {640, 400, 16},
    {320, 200, 8},   {640, 400, 16},  {320, 200, 8},  {640, 200, 8},  {640, 350, 14},
    {640, 350, 14},  {640, 480, 16},  {640, 480, 16}, {320, 200, 8},  {320, 240, 16},
    {400, 300, 16},  {512, 384, 16},  {640, 400, 16}, {640, 480, 16}, {800, 600, 16},
    {1024, 768, 16}, {1280, 1024, 16}};

}  // namespace

Screen* openScreen() { return current.get(); }

std::recursive_mutex& screenMutex() { return mutex; }

ScreenLock::ScreenLock() { mutex.lock(); }

ScreenLock::~ScreenLock() { mutex.unlock(); }

void markRowsDirty(const Screen& screen, int firstRow, int lastRow) {
  firstRow = std::max(firstRow, 0);
  lastRow = std::min(lastRow, screen.height - 1);
  if (firstRow <= lastRow)
    std::memset(screen.dirtyRows.get() + firstRow, 1,
                static_cast<std::size_t>(lastRow - firstRow + 1));
}

void markAllRowsDirty(const Screen& screen) { markRowsDirty(screen, 0, screen.height - 1); }

namespace {
std::atomic<std::size_t> frameMemoryCap{0};
}  // namespace

std::size_t frameMemoryLimit() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGESIZE);
  std::size_t limit = std::size_t{1} << 30;
  if (pages > 0 && pageSize > 0)
    limit = static_cast<std::size_t>(pages) * static_cast<std::size_t>(pageSize) / 2;
  const std::size_t cap = frameMemoryCap.load();
  return cap != 0 ? std::min(limit, cap) : limit;
}

void capFrameMemory(std::size_t bytes) { frameMemoryCap.store(bytes); }

}  // namespace orventa

namespace orventa::platform {

void usePlatform(Platform* p) {
  if (p == nullptr) setNumberedScreenMode(0, 0, 0, 0, 0);
  connected.store(p);
  if (p != nullptr) p->connect(&frames, &inputSink());
}

Platform* currentPlatform() { return connected.load(); }

}  // namespace orventa::platform

namespace orventa {

int setScreenMode(int width, int height, int depth, int pageCount, int flags, int refreshRate) {
  int stored = 0;
  int bytesPerPixel = 0;
  if (width <= 0 || height <= 0 || !mapDepth(depth, stored, bytesPerPixel)) return 1;
  closeScreen();
  platform::Platform* p = platform::currentPlatform();
  if (p == nullptr || !p->canHold(width, height)) return 1;
  std::unique_ptr<Screen> s = buildScreen(width, height, depth, pageCount);
  if (!s) return 1;
  if (!openDisplay(*p, *s, refreshRate, (flags & FULL_SCREEN) != 0)) return 1;
  s->refreshRate = p->currentRefreshRate();
  ScreenLock lock;
  current = std::move(s);
  return 0;
}

int setNumberedScreenMode(int modeNumber, int depth, int pageCount, int flags, int refreshRate) {
  if (modeNumber == 0) {
    closeScreen();
    return 0;
  }
  if (modeNumber < 0 || modeNumber > 21) return 1;
  const NumberedMode& m = NUMBERED_MODES[modeNumber];
  if (setScreenMode(m.width, m.height, depth == 0 ? 8 : depth, pageCount, flags, refreshRate) != 0)
    return 1;
  ScreenLock lock;
  TextGrid& grid = current->textGrid;
  grid.columns = m.width / 8;
  grid.rows = m.height / m.glyphHeight;
  grid.glyphHeight = m.glyphHeight;
  return 0;
}

int getScreenInfo(int& width, int& height, int& depth, int& refreshRate) {
  if (const Screen* s = current.get(); s != nullptr) {
    width = s->width;
    height = s->height;
    depth = s->depth;
    refreshRate = s->refreshRate;
    return 0;
  }
  platform::Platform* p = platform::currentPlatform();
  if (p == nullptr) {
    width = height = depth = refreshRate = 0;
    return 1;
  }
  const platform::DisplayMode desktop = p->desktopMode();
  width = desktop.width;
  height = desktop.height;
  depth = desktop.bitsPerPixel;
  refreshRate = desktop.refreshRate;
  return 0;
}

std::uint32_t listScreenModes(int depth) {
  if (depth < 0) return 0;
  if (depth == 0) {
    if (modeList.cursor < modeList.codes.size()) ++modeList.cursor;
    return modeList.cursor < modeList.codes.size() ? modeList.codes[modeList.cursor] : 0;
  }
  auto sameDepth = [depth](int bpp) {
    return bpp == depth || (bpp == 15 && depth == 16) || (bpp == 16 && depth == 15) ||
           (bpp == 24 && depth == 32) || (bpp == 32 && depth == 24);
  };
  modeList.codes.clear();
  if (platform::Platform* p = platform::currentPlatform(); p != nullptr) {
    for (const platform::DisplayMode& m : p->displayModes()) {
      if (!sameDepth(m.bitsPerPixel)) continue;
      const std::uint32_t code = (static_cast<std::uint32_t>(m.width) & 0xFFFF) << 16 |
                                 (static_cast<std::uint32_t>(m.height) & 0xFFFF);
      if (std::find(modeList.codes.begin(), modeList.codes.end(), code) == modeList.codes.end())
        modeList.codes.push_back(code);
    }
  }
  // Width in the high half: numeric order is width, then height.
  std::sort(modeList.codes.begin(), modeList.codes.end());
  modeList.cursor = 0;
  return modeList.codes.empty() ? 0 : modeList.codes.front();
}

void* screenPointer() {
  const Screen* s = current.get();
  return s == nullptr ? nullptr : s->pages[0].data();
}

void clearScreen() {
  Screen* s = current.get();
  if (s == nullptr) return;
  ScreenLock lock;
  fillPage(s->pages[s->workPage].data(), static_cast<std::size_t>(s->width) * s->height,
           s->bytesPerPixel, s->background);
  if (s->workPage == s->visiblePage) markAllRowsDirty(*s);
}

void clearBox(int x1, int y1, int x2, int y2) {
  Screen* s = current.get();
  if (s == nullptr) return;
  x1 = std::max(x1, 0);
  y1 = std::max(y1, 0);
  x2 = std::min(x2, s->width - 1);
  y2 = std::min(y2, s->height - 1);
  if (x1 > x2 || y1 > y2) return;
  ScreenLock lock;
  const std::size_t pitch = static_cast<std::size_t>(s->width) * s->bytesPerPixel;
  for (int y = y1; y <= y2; ++y)
    fillPage(
        s->pages[s->workPage].data() + y * pitch + static_cast<std::size_t>(x1) * s->bytesPerPixel,
        static_cast<std::size_t>(x2 - x1 + 1), s->bytesPerPixel, s->background);
  if (s->workPage == s->visiblePage) markRowsDirty(*s, y1, y2);
}

int setColors(std::uint32_t foreground, std::uint32_t background, int flags) {
  Screen* s = current.get();
  if (s == nullptr) return 1;
  ScreenLock lock;
  if ((flags & 1) == 0) s->foreground = convertColour(foreground, s->bytesPerPixel, s->colourMask);
  if ((flags & 2) == 0) s->background = convertColour(background, s->bytesPerPixel, s->colourMask);
  return 0;
}

int waitVerticalSync() {
  platform::Platform* p = platform::currentPlatform();
  if (current == nullptr || p == nullptr) return 1;
  p->waitVerticalRetrace();
  return 0;
}

std::uint32_t textGridSize() {
  const Screen* s = current.get();
  if (s == nullptr) return 0;
  return static_cast<std::uint32_t>(s->textGrid.rows) << 16 |
         static_cast<std::uint32_t>(s->textGrid.columns);
}

void setPages(int workPage, int visiblePage) {
  Screen* s = current.get();
  if (s == nullptr) return;
  ScreenLock lock;
  const int count = static_cast<int>(s->pages.size());
  if (workPage < 0 && visiblePage < 0) workPage = visiblePage = 0;
  if (workPage >= 0 && workPage < count) s->workPage = workPage;
  if (visiblePage >= 0 && visiblePage < count && visiblePage != s->visiblePage) {
    s->visiblePage = visiblePage;
    markAllRowsDirty(*s);
  }
}

void copyPage(int sourcePage, int destinationPage) {
  Screen* s = current.get();
  if (s == nullptr) return;
  ScreenLock lock;
  if (sourcePage < 0) sourcePage = s->workPage;
  if (destinationPage < 0) destinationPage = s->visiblePage;
  const int count = static_cast<int>(s->pages.size());
  if (sourcePage >= count || destinationPage >= count || sourcePage == destinationPage) return;
  std::memcpy(s->pages[destinationPage].data(), s->pages[sourcePage].data(),
              s->pages[sourcePage].size());
  if (destinationPage == s->visiblePage) markAllRowsDirty(*s);
}

}  // namespace orventa

namespace orventa {

void startMeasuringRefresh() {
  if (platform::Platform* p = platform::currentPlatform(); p != nullptr && openScreen() != nullptr)
    p->startRefreshMeasurement();
}

MeasuredRefresh measuredRefresh() {
  platform::Platform* p = platform::currentPlatform();
  MeasuredRefresh m;
  if (p == nullptr || openScreen() == nullptr) {
    m.ready = true;
    return m;
  }
  const std::optional<platform::RefreshEstimate> e = p->refreshMeasurement();
  if (!e) return m;
  static_cast<platform::RefreshEstimate&>(m) = *e;
  m.ready = true;
  return m;
}

}  // namespace orventa

namespace orventa {

std::vector<DisplayOutput> displayOutputs() {
  std::vector<DisplayOutput> list;
  platform::Platform* p = platform::currentPlatform();
  if (p == nullptr) return list;
  for (const platform::OutputInfo& o : p->outputs()) {
    DisplayOutput out{o.name, o.current.width, o.current.height, o.current.refreshRate, {},
                      {},     o.edid};
    if (const std::optional<platform::Edid> edid = platform::decodeEdid(o.edid)) {
      out.maker = edid->manufacturer;
      char code[8];
      std::snprintf(code, sizeof code, "%04X", edid->productCode);
      out.model = edid->name.empty() ? code : edid->name;
    }
    list.push_back(out);
  }
  return list;
}

int chosenDisplayOutput() {
  platform::Platform* p = platform::currentPlatform();
  return p == nullptr ? 0 : p->chosenOutput();
}

bool chooseDisplayOutput(int index) {
  platform::Platform* p = platform::currentPlatform();
  if (p == nullptr || index < 0 || index >= static_cast<int>(p->outputs().size())) return false;
  closeScreen();
  return p->chooseOutput(index);
}

}  // namespace orventa
