// A seeded random run of every primitive, hostile arguments included, on screens and images of
// each pixel size and odd sizes. The sanitizer build catches any write outside a buffer; the
// checksum over every frame catches a change in any pixel rule, and a run of each primitive kind
// alone says which rule it was. ORVENTA_TRACE_STEPS=FIRST-LAST prints a checksum after each of
// those steps: compare two builds' output to find the first step that differs.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "graphics/bitmap_font.h"
#include "tests/support/headless_fixture.h"

namespace orventa {
namespace {

class Fuzzer {
 public:
  explicit Fuzzer(std::uint32_t seed) : random_(seed) {}

  static constexpr float QNAN = std::numeric_limits<float>::quiet_NaN();
  static constexpr float INF = std::numeric_limits<float>::infinity();

  float coordinate(int extent) {
    switch (pick(40)) {
      case 0:
        return QNAN;
      case 1:
        return pick(2) ? INF : -INF;
      case 2:
        return pick(2) ? 1e30f : -1e30f;
      case 3:
        return static_cast<float>(static_cast<int>(random_()));  // anywhere in 32 bits
      default:
        return std::uniform_real_distribution<float>(-40.0f, extent + 40.0f)(random_);
    }
  }

  // One of `extremes` (each once in `outOf` draws), else uniform in [low, high).
  float either(int outOf, std::initializer_list<float> extremes, float low, float high) {
    const int k = pick(outOf);
    if (k < static_cast<int>(extremes.size())) return extremes.begin()[k];
    return std::uniform_real_distribution<float>(low, high)(random_);
  }
  float radius(int extent) { return either(30, {0, -5, QNAN, INF, 1e7f}, 0.0f, 2.0f * extent); }
  float aspect() { return either(12, {0, -0.5f, QNAN, 1e-8f}, 0.1f, 4.0f); }
  float angle() { return either(12, {0, FULL_TURN, QNAN, 1e20f}, -7.0f, 7.0f); }
  std::string text(int longest) {
    std::string t(static_cast<std::size_t>(pick(longest)), ' ');
    for (char& c : t) c = static_cast<char>(pick(256));
    return t;
  }

  std::uint32_t colour() { return static_cast<std::uint32_t>(random_()); }
  std::uint32_t style() {
    constexpr std::uint32_t styles[] = {0xFFFF, 0x5555, 0xAAAA, 0x00FF, 0x8001};
    return pick(4) ? styles[pick(5)] : static_cast<std::uint32_t>(random_());
  }
  int pick(int n) { return static_cast<int>(random_() % static_cast<std::uint32_t>(n)); }

 private:
  std::mt19937 random_;
};

std::uint64_t fold(std::uint64_t hash, const std::uint8_t* bytes, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) hash = (hash ^ bytes[i]) * 0x100000001B3ull;
  return hash;
}

class RandomPrimitives : public testing::HeadlessTest {
 protected:
  // One random primitive on the screen or on one of the images; `only` replaces the kind drawn.
  // Returns the kind.
  int drawOne(Fuzzer& f, std::vector<Image*>& images, int only) {
    Image* target = f.pick(3) == 0
                        ? images[static_cast<std::size_t>(f.pick(static_cast<int>(images.size())))]
                        : nullptr;
    const int w = target ? target->width : openScreen()->width;
    const int h = target ? target->height : openScreen()->height;
    const std::uint32_t flags = static_cast<std::uint32_t>(f.pick(8)) |
                                (f.pick(8) == 0 ? std::uint32_t{DEFAULT_COLOUR} : 0) |
                                (f.pick(2) ? std::uint32_t{BORDER_IS_FILL} : 0);
    const int picked = f.pick(7);  // drawn either way, so that the arguments stay the same
    const int kind = only >= 0 ? only : picked;
    switch (kind) {
      case 0:
      case 1:
        drawLine(target, f.coordinate(w), f.coordinate(h), f.coordinate(w), f.coordinate(h),
                 f.colour(), f.pick(4), f.style(), flags);
        break;
      case 2:
        drawEllipse(target, f.coordinate(w), f.coordinate(h), f.radius(w), f.colour(), f.aspect(),
                    f.angle(), f.angle(), f.pick(2), flags);
        break;
      case 3:
        floodFill(target, f.coordinate(w), f.coordinate(h), f.colour(), f.colour(), "", 0, flags);
        break;
      case 4: {
        const Image* source =
            images[static_cast<std::size_t>(f.pick(static_cast<int>(images.size())))];
        const bool whole = f.pick(2) == 0;
        putImage(target, f.coordinate(w), f.coordinate(h), source,
                 whole ? WHOLE_IMAGE : f.pick(40) - 5, whole ? WHOLE_IMAGE : f.pick(40) - 5,
                 whole ? WHOLE_IMAGE : f.pick(40) - 5, whole ? WHOLE_IMAGE : f.pick(40) - 5,
                 f.pick(8), f.pick(8));
        break;
      }
      case 5: {
        const std::string text = f.text(12);
        drawBitmapText(target, f.coordinate(w), f.coordinate(h), flags & ~BORDER_IS_FILL, text,
                       f.colour());
        break;
      }
      default: {
        setTextCursor(f.pick(260) - 2, f.pick(260) - 2);
        const std::string text = f.text(20);
        printText(text, f.pick(2) == 0);
        break;
      }
    }
    return kind;
  }

  static std::uint64_t hashAll(std::uint64_t hash, const std::vector<Image*>& images) {
    for (const PageBuffer& page : openScreen()->pages) hash = fold(hash, page.data(), page.size());
    for (const Image* image : images)
      hash =
          fold(hash, image->pixels.get(), static_cast<std::size_t>(image->pitch) * image->height);
    return hash;
  }

  std::uint64_t run(std::uint32_t seed, int width, int height, int depth, int primitives,
                    int only = -1) {
    long first = -1;
    long last = -1;
    if (const char* steps = std::getenv("ORVENTA_TRACE_STEPS"))
      std::sscanf(steps, "%ld-%ld", &first, &last);
    open(width, height, depth, 2);
    Fuzzer f(seed);
    std::vector<Image*> images;
    for (auto [iw, ih] : {std::pair{1, 1}, {3, 5}, {33, 17}, {64, 1}, {1, 40}, {width, height}}) {
      Image* image = createImage(iw, ih, f.colour(), f.pick(3) == 0 ? 24 : 0, 0);
      EXPECT_NE(image, nullptr);
      images.push_back(image);
    }
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (int i = 0; i < primitives; ++i) {
      const int kind = drawOne(f, images, only);
      if (i >= first && i <= last)
        std::printf("seed %u only %d step %d drew %d: %016llx\n", seed, only, i, kind,
                    static_cast<unsigned long long>(hashAll(0, images)));
      if (i % 500 == 499) {
        setPages(f.pick(3) - 1, f.pick(3) - 1);
        copyPage(f.pick(3) - 1, f.pick(3) - 1);
      }
    }
    hash = hashAll(hash, images);
    for (Image* image : images) destroyImage(image);
    return hash;
  }
};

TEST_F(RandomPrimitives, StayInsideTheirTargetsAndDrawTheSamePixelsEveryRun) {
  const std::uint64_t eight = run(1, 97, 61, 8, 20000);
  const std::uint64_t sixteen = run(2, 131, 67, 16, 20000);
  const std::uint64_t thirtyTwo = run(3, 63, 129, 32, 20000);
  // A change here means some pixel rule changed: find out which before updating the values.
  EXPECT_EQ(eight, 0xc52b740ed2d08771u) << std::hex << eight;
  EXPECT_EQ(sixteen, 0x42f3a15fd49b1da9u) << std::hex << sixteen;
  EXPECT_EQ(thirtyTwo, 0xd3d5984e7eadb7aeu) << std::hex << thirtyTwo;
}

// Each kind alone over the same screens: kind 0 lines and boxes, 2 ellipses, 3 flood fills,
// 4 image puts, 5 bitmap text, 6 the text grid. Only a change in that kind's rule moves its value.
TEST_F(RandomPrimitives, EachKindAloneKeepsItsChecksum) {
  const struct {
    int kind;
    std::uint64_t eight, sixteen, thirtyTwo;
  } kinds[] = {{0, 0xcf61d27276c65114u, 0x174acdc4091d1fa6u, 0x9413bd07b40bfab5u},
               {2, 0x99ea2cee3763d5eeu, 0xe318a96537806e07u, 0xebbf0539c8cbdaa5u},
               {3, 0x66071c3d521d7fdeu, 0x4c51ed802c638b57u, 0xfb921d085396c203u},
               {4, 0x94f05c9134cd85ddu, 0x721e2ef7cb169ed4u, 0x4cd938c60125de0cu},
               {5, 0x4127867ddb11d0a1u, 0xed9b88aa90893da4u, 0xddcc43b493119248u},
               {6, 0xcc813a8a824c45b2u, 0x42c838aeab42a2c5u, 0x3c2a81e6fc295118u}};
  for (const auto& k : kinds) {
    SCOPED_TRACE(k.kind);
    const std::uint64_t eight = run(1, 97, 61, 8, 3000, k.kind);
    const std::uint64_t sixteen = run(2, 131, 67, 16, 3000, k.kind);
    const std::uint64_t thirtyTwo = run(3, 63, 129, 32, 3000, k.kind);
    EXPECT_EQ(eight, k.eight) << std::hex << eight;
    EXPECT_EQ(sixteen, k.sixteen) << std::hex << sixteen;
    EXPECT_EQ(thirtyTwo, k.thirtyTwo) << std::hex << thirtyTwo;
  }
}

}  // namespace
}  // namespace orventa
