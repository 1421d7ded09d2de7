// Pixel memory for screen pages and images, had one way. Blocks of 2 MiB or more are mapped from
// the kernel, zeroed and backed by huge pages where it can (column walks touch one row per pixel);
// smaller ones come zeroed from the heap. Under the address sanitizer every block comes from the
// heap, so that it sees a write past the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace orventa {

// Frees a block the way it was had. The last large block freed is kept for the next request of
// its size: a test makes a full-screen image per page, and fresh pages cost a fault each.
struct PixelMemory {
  std::size_t mappedBytes = 0;
  void operator()(std::uint8_t* p) const;
};
using PixelBlock = std::unique_ptr<std::uint8_t[], PixelMemory>;

// Null when the memory cannot be had; `zeroed` says whether every byte is 0.
PixelBlock allocatePixels(std::size_t bytes, bool& zeroed);

}  // namespace orventa
