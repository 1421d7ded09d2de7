// Raster primitives with exact pixel rules. A null target is the screen's work page; otherwise an
// image from createImage. With no screen open nothing is drawn, even into an image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace orventa {

// Flags word of drawLine, drawEllipse, floodFill and drawBitmapText.
constexpr std::uint32_t COORDINATE_MODE_MASK = 0x7;
constexpr std::uint32_t BORDER_IS_FILL = 1u << 30;
constexpr std::uint32_t DEFAULT_COLOUR = 1u << 31;

// drawLine kinds.
constexpr int LINE = 0;
constexpr int HOLLOW_BOX = 1;
constexpr int FILLED_BOX = 2;

constexpr std::uint32_t SOLID = 0xFFFF;

// The float one unit in the last place above the float nearest 2 pi: with start angle 0 it asks
// drawEllipse for the whole ellipse.
inline constexpr float FULL_TURN = 6.283185958862305f;

// Combine modes of putImage.
constexpr int KEYED = 0;
constexpr int COPY = 1;
constexpr int AND = 3;
constexpr int OR = 4;
constexpr int XOR = 5;
constexpr int BLEND = 6;

// createImage flags bit 31: fill with the transparent colour of the pixel size.
constexpr std::uint32_t TRANSPARENT_FILL = 1u << 31;
// A source corner of putImage with this value means the whole image.
constexpr int WHOLE_IMAGE = static_cast<int>(0xFFFF0000u);

// Frees image memory the way it was had: mapped pages for large images, the heap otherwise.
struct ImageMemory {
  std::size_t mappedBytes = 0;
  void operator()(std::uint8_t* p) const;
};

struct Image {
  int bytesPerPixel = 0;
  int width = 0;
  int height = 0;
  int pitch = 0;
  std::unique_ptr<std::uint8_t[], ImageMemory> pixels;
};

// Round to nearest, halves away from zero; saturates far outside any target. NaN gives 0.
std::int64_t roundCoordinate(double f);

void drawLine(Image* target, float x1, float y1, float x2, float y2, std::uint32_t colour, int kind,
              std::uint32_t style, std::uint32_t flags);
void drawEllipse(Image* target, float x, float y, float radius, std::uint32_t colour, float aspect,
                 float startAngle, float endAngle, int fill, std::uint32_t flags);
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
