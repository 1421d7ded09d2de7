#include "graphics/pixel_memory.h"

#include <sys/mman.h>

#include <cstring>
#include <mutex>
#include <new>
#include <utility>

namespace orventa {
namespace {

constexpr std::size_t MAPPED_FROM = std::size_t{2} << 20;
// Heap blocks start on a cache line, as mapped ones do: a block copy between an image and a page
// is a third slower when the two are out of step within a line.
constexpr std::align_val_t HEAP_ALIGNMENT{64};

struct Spare {
  std::mutex mutex;
  std::uint8_t* pixels = nullptr;
  std::size_t bytes = 0;
};
Spare spare;

}  // namespace

void PixelMemory::operator()(std::uint8_t* p) const {
  if (mappedBytes == 0) {
    ::operator delete[](p, HEAP_ALIGNMENT);
    return;
  }
  std::lock_guard lock(spare.mutex);
  if (spare.pixels != nullptr) munmap(spare.pixels, spare.bytes);
  spare.pixels = p;
  spare.bytes = mappedBytes;
}

PixelBlock allocatePixels(std::size_t bytes, bool& zeroed) {
  zeroed = true;
  if (bytes == 0) return nullptr;
#if !defined(__SANITIZE_ADDRESS__)
  if (bytes >= MAPPED_FROM) {
    {
      std::lock_guard lock(spare.mutex);
      if (spare.pixels != nullptr && spare.bytes == bytes) {
        zeroed = false;
        spare.bytes = 0;
        return {std::exchange(spare.pixels, nullptr), PixelMemory{bytes}};
      }
    }
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) return nullptr;
    madvise(p, bytes, MADV_HUGEPAGE);
    return {static_cast<std::uint8_t*>(p), PixelMemory{bytes}};
  }
#endif
  auto* p = static_cast<std::uint8_t*>(::operator new[](bytes, HEAP_ALIGNMENT, std::nothrow));
  if (p == nullptr) return nullptr;
  std::memset(p, 0, bytes);
  return {p, PixelMemory{}};
}

}  // namespace orventa
