// The one screen: opening modes by size or number, what is open, the mode list, colours and
// clearing. Every call comes from the program thread; results are 0 for success, 1 for failure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/platform/display_facts/refresh_estimate.h"

namespace orventa {

constexpr int FULL_SCREEN = 1;  // flags bit 0 of setScreenMode

int setScreenMode(int width, int height, int depth, int pageCount, int flags, int refreshRate);
// 0 closes the screen; 1..21 are the classic numbered sizes (18: 640 x 480, 19: 800 x 600).
int setNumberedScreenMode(int modeNumber, int depth, int pageCount, int flags, int refreshRate);
// The open screen's size, stored depth and refresh; the desktop's when no screen is open.
int getScreenInfo(int& width, int& height, int& depth, int& refreshRate);
// depth >= 1 rebuilds the list and returns its first mode code; 0 returns the next one.
// A mode code is width << 16 | height; 0 ends the list.
std::uint32_t listScreenModes(int depth);
void* screenPointer();
void clearScreen();
// Clears the corners' rectangle (inclusive, clipped to the work page) to the background.
void clearBox(int x1, int y1, int x2, int y2);
int setColors(std::uint32_t foreground, std::uint32_t background, int flags);
int waitVerticalSync();
// The refresh rate the open screen really runs at, timed from its paced presentations.
// The platform's estimate once ready; not measurable where nothing paces the presentations or
// no screen is open.
struct MeasuredRefresh : platform::RefreshEstimate {
  bool ready = false;  // false while still measuring
};
void startMeasuringRefresh();
MeasuredRefresh measuredRefresh();

// An output the screen can open on, with what its monitor says of itself.
struct DisplayOutput {
  std::string name;  // the connector: "HDMI-1"
  int width = 0;     // its mode now
  int height = 0;
  int refreshRate = 0;
  std::string maker;  // the EDID's manufacturer ID; empty when unknown
  std::string model;  // the EDID's monitor name, else its product code; empty when unknown
  std::vector<std::uint8_t> edid;
};
std::vector<DisplayOutput> displayOutputs();
int chosenDisplayOutput();
// Closes the open screen and makes every later one open on output `index`; getScreenInfo and
// listScreenModes then describe it. False (nothing changed) for no such output.
bool chooseDisplayOutput(int index);

// Rows in the high 16 bits, columns in the low 16 bits.
std::uint32_t textGridSize();

// Work page (where a null target draws) and visible page; negative leaves one as it is.
void setPages(int workPage, int visiblePage);

// Caps what one screen's pages or one image may take at `bytes` (0 lifts the cap): a renderer
// keeps within a budget this way, and tests make frame buffers fail to allocate mid-run.
void capFrameMemory(std::size_t bytes);
// Negative source: the work page; negative destination: the visible page.
void copyPage(int sourcePage, int destinationPage);

}  // namespace orventa
