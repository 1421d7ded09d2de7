// What a primitive draws into, resolved once per call: the screen's work page or an image.
#pragma once

#include <cstdint>

#include "graphics/primitives.h"
#include "graphics/screen_state.h"

namespace orventa {

struct Target {
  std::uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int pitch = 0;
  int bytesPerPixel = 0;
  std::uint32_t colourMask = 0xFF;
  bool visible = false;  // the display shows it: changed rows are marked dirty
  const Screen* screen = nullptr;

  bool inside(std::int64_t x, std::int64_t y) const {
    return x >= 0 && y >= 0 && x < width && y < height;
  }
  std::uint8_t* row(std::int64_t y) const { return pixels + y * static_cast<std::int64_t>(pitch); }
  template <typename T>
  T* at(std::int64_t x, std::int64_t y) const {
    return reinterpret_cast<T*>(row(y)) + x;
  }
  // Marks rows first..last dirty when this is the visible page.
  void changed(std::int64_t firstRow, std::int64_t lastRow) const;
};

// False when no screen is open (nothing may be drawn, even into an image).
bool resolveTarget(Image* image, Target& target);

// One-point primitives: the cursor-relative coordinate modes make (x, y) relative to the graphics
// cursor, which then moves to the point. Needs an open screen.
void placeOnePoint(std::uint32_t coordinateMode, float& x, float& y);

// The colour argument in the target's pixel format, or the foreground with the default flag.
std::uint32_t pixelColour(const Target& target, std::uint32_t colour, std::uint32_t flags);

// Calls body.template operator()<T>() with T the target's pixel type: one switch per call.
template <typename Body>
void withPixelType(int bytesPerPixel, Body&& body) {
  switch (bytesPerPixel) {
    case 1:
      body.template operator()<std::uint8_t>();
      break;
    case 2:
      body.template operator()<std::uint16_t>();
      break;
    case 4:
      body.template operator()<std::uint32_t>();
      break;
    default:
      break;
  }
}

}  // namespace orventa
