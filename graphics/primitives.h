// Raster primitives with exact pixel rules. A null target is the screen's work page; otherwise an
// image from createImage. With no screen open nothing is drawn, even into an image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <variant>

#include "graphics/pixel_memory.h"

namespace orventa {

// The flags word of drawLine, drawEllipse, floodFill and drawBitmapText: a coordinate mode in
// bits 0-2, which says how the point arguments are read, and two flags. Every primitive moves the
// graphics cursor to its last point.
constexpr std::uint32_t COORDINATE_MODE_MASK = 0x7;
enum FlagsWord : std::uint32_t {
  ABSOLUTE_POINTS = 0,
  SECOND_FROM_FIRST = 1,        // second point = first point + its pair; one point: absolute
  FIRST_FROM_CURSOR = 2,        // first (or only) point relative to the cursor, second absolute
  BOTH_FROM_CURSOR = 3,         // first relative to the cursor, second relative to the first
  ABSOLUTE_POINT = 4,           // as 0: what ellipses, fills and text are given
  FIRST_FROM_CURSOR_AGAIN = 5,  // as 2
  BORDER_IS_FILL = 1u << 30,    // floodFill: the border colour is the fill colour
  DEFAULT_COLOUR = 1u << 31,    // the foreground colour instead of the colour argument
};
constexpr bool firstFromCursor(std::uint32_t mode) {
  return mode == FIRST_FROM_CURSOR || mode == BOTH_FROM_CURSOR || mode == FIRST_FROM_CURSOR_AGAIN;
}
constexpr bool secondFromFirst(std::uint32_t mode) {
  return mode == SECOND_FROM_FIRST || mode == BOTH_FROM_CURSOR;
}

enum LineKind : int { LINE = 0, HOLLOW_BOX = 1, FILLED_BOX = 2 };

constexpr std::uint32_t SOLID = 0xFFFF;

// The float one unit in the last place above the float nearest 2 pi: with start angle 0 it asks
// drawEllipse for the whole ellipse.
inline constexpr float FULL_TURN = 6.283185958862305f;

// How putImage and drawBitmapText combine a pixel with what is there.
enum CombineMode : int { KEYED = 0, COPY = 1, AND = 3, OR = 4, XOR = 5, BLEND = 6 };

// createImage flags bit 31: fill with the transparent colour of the pixel size.
constexpr std::uint32_t TRANSPARENT_FILL = 1u << 31;
// createImage flags bit 30, without bit 31: no fill, the pixels left as the memory holds them
// (zero when fresh), for an image that will be drawn over whole or is only held.
constexpr std::uint32_t NO_FILL = 1u << 30;
// A source corner of putImage with this value means the whole image.
constexpr int WHOLE_IMAGE = static_cast<int>(0xFFFF0000u);

struct Image {
  int bytesPerPixel = 0;
  int width = 0;
  int height = 0;
  int pitch = 0;
  PixelBlock pixels;
};

// Round to nearest, halves away from zero; saturates far outside any target. NaN gives 0.
std::int64_t roundCoordinate(double f);

void drawLine(Image* target, float x1, float y1, float x2, float y2, std::uint32_t colour, int kind,
              std::uint32_t style, std::uint32_t flags);
void drawEllipse(Image* target, float x, float y, float radius, std::uint32_t colour, float aspect,
                 float startAngle, float endAngle, int fill, std::uint32_t flags);
// A filled box of drawShapes, between two corners as drawLine takes them.
struct FilledBox {
  float x1;
  float y1;
  float x2;
  float y2;
  std::uint32_t colour;
};
// A filled whole ellipse of drawShapes, its centre, radius and aspect as drawEllipse takes them,
// and how its pixels meet the target's: AND, OR or XOR combine them with the colour, any other
// mode sets them as drawEllipse does.
struct FilledDisc {
  float x;
  float y;
  float radius;
  std::uint32_t colour;
  float aspect;
  int combineMode;
};
using FilledShape = std::variant<FilledBox, FilledDisc>;
// The shapes drawn in turn at absolute points, each with the pixels drawLine gives a filled box or
// drawEllipse a filled one, but a strip of rows at a time and a pixel written once however many
// shapes cover it: the page is walked once rather than once per shape. The cursor moves as those
// calls would move it.
void drawShapes(Image* target, std::span<const FilledShape> shapes);
void floodFill(Image* target, float x, float y, std::uint32_t fillColour,
               std::uint32_t borderColour, std::string_view pattern, int patternMode,
               std::uint32_t flags);

// Null when no screen is open, the size is below 1, the depth unsupported or memory short.
Image* createImage(int width, int height, std::uint32_t fillColour, int depth, std::uint32_t flags);
void destroyImage(Image* image);
// An image destroyed however its owner is left.
struct ImageDeleter {
  void operator()(Image* image) const { destroyImage(image); }
};
using OwnedImage = std::unique_ptr<Image, ImageDeleter>;
void putImage(Image* target, float x, float y, const Image* image, int sourceX1, int sourceY1,
              int sourceX2, int sourceY2, int coordinateMode, int combineMode);
inline void putImage(Image* target, float x, float y, const Image* image, int combineMode) {
  putImage(target, x, y, image, WHOLE_IMAGE, WHOLE_IMAGE, WHOLE_IMAGE, WHOLE_IMAGE, 0, combineMode);
}

}  // namespace orventa
