// Frame-buffer rows as a display takes them, for both backends: the SDL window and the headless
// display show what this converter makes. Pure functions: no SDL, no window.
#pragma once

#include <cstdint>

#include "graphics/platform/platform.h"

namespace orventa::platform {

// The rows first..last that span every dirty row of the frame; false when none is dirty.
bool dirtySpan(const FrameView& frame, int& first, int& last);

// Converts rows first..last of the frame into `target` (row `first` at its start, rows
// `targetPitch` bytes apart) as opaque 0xFFRRGGBB words, and clears their dirty marks. Palette
// indices go through the palette, RGB565 is widened, and the frame buffer's alpha byte is never
// shown.
void convertRows(FrameView& frame, int first, int last, std::uint8_t* target, int targetPitch);

}  // namespace orventa::platform
