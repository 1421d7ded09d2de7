// The one screen: opening modes by size or number, what is open, the mode list, colours and
// clearing. Every call comes from the program thread; results are 0 for success, 1 for failure.
#pragma once

#include <cstddef>
#include <cstdint>

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
