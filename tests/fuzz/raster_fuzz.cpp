// libFuzzer target over the raster primitives, fed from one byte stream: a screen of some pixel
// size and shape, a few images, then primitives with raw float arguments (NaN, infinities and
// huge values come for free) until the bytes run out.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "graphics/bitmap_font.h"
#include "graphics/platform/headless/headless_platform.h"
#include "graphics/primitives.h"
#include "graphics/screen.h"

namespace orventa {
namespace {

struct Bytes {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t at = 0;

  bool empty() const { return at >= size; }
  std::uint8_t byte() { return at < size ? data[at++] : 0; }
  std::uint32_t word() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | byte();
    return v;
  }
  std::int8_t small() { return static_cast<std::int8_t>(byte()); }
  // Mostly small coordinates, sometimes any bit pattern at all.
  float coordinate() {
    const std::uint8_t kind = byte();
    if (kind < 200) return static_cast<float>(static_cast<int>(byte()) - 32) + (kind & 1) * 0.5f;
    const std::uint32_t bits = word();
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
  }
  std::string text() {
    std::string t(byte() % 24, ' ');
    for (char& c : t) c = static_cast<char>(byte());
    return t;
  }
};

}  // namespace
}  // namespace orventa

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orventa;
  static platform::HeadlessPlatform headless;
  [[maybe_unused]] static const bool connected = (platform::usePlatform(&headless), true);
  Bytes in{data, size};
  constexpr int DEPTHS[] = {8, 16, 32, 4};
  const int depth = DEPTHS[in.byte() % 4];
  const int width = 1 + in.byte() % 96;
  const int height = 1 + in.byte() % 96;
  if (setScreenMode(width, height, depth, 1 + in.byte() % 2, FULL_SCREEN, 0) != 0) return 0;
  std::vector<Image*> images;
  for (int i = 0; i < 3; ++i)
    images.push_back(createImage(1 + in.byte() % 40, 1 + in.byte() % 40, in.word(),
                                 in.byte() % 2 ? 0 : 24, in.byte() & 0x80 ? TRANSPARENT_FILL : 0));
  for (int steps = 0; steps < 256 && !in.empty(); ++steps) {
    const std::uint8_t op = in.byte();
    Image* target = op & 0x80 ? images[op % 3] : nullptr;
    const std::uint32_t flags = in.word();
    switch (op % 10) {
      case 0:
        drawLine(target, in.coordinate(), in.coordinate(), in.coordinate(), in.coordinate(),
                 in.word(), in.byte() % 4, in.word(), flags);
        break;
      case 1:
        drawEllipse(target, in.coordinate(), in.coordinate(), in.coordinate(), in.word(),
                    in.coordinate(), in.byte() & 1 ? 0.0f : in.coordinate(),
                    in.byte() & 1 ? FULL_TURN : in.coordinate(), in.byte() & 1, flags);
        break;
      case 2:
        floodFill(target, in.coordinate(), in.coordinate(), in.word(), in.word(), "", 0, flags);
        break;
      case 3:
        putImage(target, in.coordinate(), in.coordinate(), images[in.byte() % 3],
                 static_cast<int>(in.word()), static_cast<int>(in.word()),
                 static_cast<int>(in.word()), static_cast<int>(in.word()), in.byte() % 8,
                 in.byte() % 8);
        break;
      case 4:
        drawBitmapText(target, in.coordinate(), in.coordinate(), flags, in.text(), in.word());
        break;
      case 5:
        setTextGrid(in.small(), in.small());
        break;
      case 6:
        setTextCursor(in.small(), in.small());
        printText(in.text(), in.byte() & 1);
        break;
      case 7:
        setPages(in.small(), in.small());
        copyPage(in.small(), in.small());
        break;
      case 8: {
        std::vector<FilledShape> shapes;
        for (int n = in.byte() % 5; n > 0; --n) {
          if (in.byte() & 1)
            shapes.push_back(FilledBox{in.coordinate(), in.coordinate(), in.coordinate(),
                                       in.coordinate(), in.word()});
          else
            shapes.push_back(FilledDisc{in.coordinate(), in.coordinate(), in.coordinate(),
                                        in.word(), in.coordinate(), in.byte() % 8});
        }
        drawShapes(target, shapes);
        break;
      }
      default:
        setColors(in.word(), in.word(), in.byte() % 4);
        clearScreen();
        break;
    }
  }
  for (Image* image : images) destroyImage(image);
  return 0;
}
