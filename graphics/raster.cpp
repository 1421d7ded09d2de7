#include "graphics/raster.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orventa::raster {

static_assert(sizeof(wchar_t) == 4, "32-bit fills go through wmemset");

void fill(std::uint8_t* p, std::size_t count, std::uint8_t value) { std::memset(p, value, count); }

void fill(std::uint16_t* p, std::size_t count, std::uint16_t value) {
  if ((value >> 8) == (value & 0xFF)) {
    std::memset(p, value & 0xFF, count * 2);
    return;
  }
  // Pairs of pixels as 32-bit words let the C library's tuned fill do the work.
  if ((reinterpret_cast<std::uintptr_t>(p) & 3) != 0 && count > 0) {
    *p++ = value;
    --count;
  }
  const std::uint32_t pair = static_cast<std::uint32_t>(value) << 16 | value;
  fill(reinterpret_cast<std::uint32_t*>(p), count / 2, pair);
  if (count & 1) p[count - 1] = value;
}

void fill(std::uint32_t* p, std::size_t count, std::uint32_t value) {
  if ((value >> 8 & 0xFFFFFF) == (value & 0xFFFFFF) && (value & 0xFF) == (value >> 24)) {
    std::memset(p, value & 0xFF, count * 4);
    return;
  }
  // Vector stores read each line before writing it, which doubles the traffic of a large fill;
  // the C library's large copies write whole lines. So a long run is filled at its head and the
  // head copied on, from the cache, in blocks that grow up to a size the L2 cache holds.
  constexpr std::size_t HEAD = 1024;
  constexpr std::size_t BLOCK = 65536;
  if (count < 4 * HEAD) {
    std::wmemset(reinterpret_cast<wchar_t*>(p), static_cast<wchar_t>(value), count);
    return;
  }
  std::wmemset(reinterpret_cast<wchar_t*>(p), static_cast<wchar_t>(value), HEAD);
  std::size_t done = HEAD;
  while (done < count) {
    const std::size_t n = std::min({done, BLOCK, count - done});
    std::memcpy(p + done, p, n * 4);
    done += n;
  }
}

void fillColumn(std::uint8_t* p, std::size_t count, std::ptrdiff_t strideBytes, std::uint32_t v,
                int bytesPerPixel) {
  switch (bytesPerPixel) {
    case 1:
      for (std::size_t i = 0; i < count; ++i, p += strideBytes) *p = static_cast<std::uint8_t>(v);
      break;
    case 2:
      for (std::size_t i = 0; i < count; ++i, p += strideBytes)
        *reinterpret_cast<std::uint16_t*>(p) = static_cast<std::uint16_t>(v);
      break;
    default:
      for (std::size_t i = 0; i < count; ++i, p += strideBytes)
        *reinterpret_cast<std::uint32_t*>(p) = v;
      break;
  }
}

namespace {

#if defined(__SSE2__)
__m128i equalLanes(__m128i a, std::uint8_t v) {
  return _mm_cmpeq_epi8(a, _mm_set1_epi8(static_cast<char>(v)));
}
__m128i equalLanes(__m128i a, std::uint16_t v) {
  return _mm_cmpeq_epi16(a, _mm_set1_epi16(static_cast<short>(v)));
}
__m128i equalLanes(__m128i a, std::uint32_t v) {
  return _mm_cmpeq_epi32(a, _mm_set1_epi32(static_cast<int>(v)));
}
#endif

// The first pixel equal to `value` (or, with `other`, different from it).
template <bool other, typename T>
std::size_t find(const T* row, std::size_t from, std::size_t end, T value) {
  std::size_t i = from;
#if defined(__SSE2__)
  constexpr std::size_t lanes = 16 / sizeof(T);
  for (; i + lanes <= end; i += lanes) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
    const int equal = _mm_movemask_epi8(equalLanes(block, value));
    const int hits = other ? equal ^ 0xFFFF : equal;
    if (hits != 0)
      return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(hits))) / sizeof(T);
  }
#endif
  for (; i < end; ++i)
    if ((row[i] == value) != other) return i;
  return end;
}

}  // namespace

std::size_t findRight(const std::uint8_t* row, std::size_t from, std::size_t end,
                      std::uint8_t value) {
  return find<false>(row, from, end, value);
}
std::size_t findRight(const std::uint16_t* row, std::size_t from, std::size_t end,
                      std::uint16_t value) {
  return find<false>(row, from, end, value);
}
std::size_t findRight(const std::uint32_t* row, std::size_t from, std::size_t end,
                      std::uint32_t value) {
  return find<false>(row, from, end, value);
}
std::size_t findRightOther(const std::uint8_t* row, std::size_t from, std::size_t end,
                           std::uint8_t value) {
  return find<true>(row, from, end, value);
}
std::size_t findRightOther(const std::uint16_t* row, std::size_t from, std::size_t end,
                           std::uint16_t value) {
  return find<true>(row, from, end, value);
}
std::size_t findRightOther(const std::uint32_t* row, std::size_t from, std::size_t end,
                           std::uint32_t value) {
  return find<true>(row, from, end, value);
}

// Bitwise combines work on the bytes: the same result as on whole pixel words.
void combineAnd(std::uint8_t* d, const std::uint8_t* s, std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) d[i] &= s[i];  // vectorised
}

void combineOr(std::uint8_t* d, const std::uint8_t* s, std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) d[i] |= s[i];  // vectorised
}

void combineXor(std::uint8_t* d, const std::uint8_t* s, std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) d[i] ^= s[i];  // vectorised
}

namespace {
template <typename T>
void keyed(T* d, const T* s, std::size_t pixels, T key, T keyMask) {
  for (std::size_t i = 0; i < pixels; ++i) {  // vectorised
    d[i] = (s[i] & keyMask) == key ? d[i] : s[i];
  }
}
}  // namespace

void combineKeyed(std::uint8_t* d, const std::uint8_t* s, std::size_t pixels, int bytesPerPixel) {
  switch (bytesPerPixel) {
    case 1:
      keyed<std::uint8_t>(d, s, pixels, 0, 0xFF);
      break;
    case 2:
      keyed(reinterpret_cast<std::uint16_t*>(d), reinterpret_cast<const std::uint16_t*>(s), pixels,
            std::uint16_t{0xF81F}, std::uint16_t{0xFFFF});
      break;
    default:
      // Magenta whatever the alpha byte.
      keyed(reinterpret_cast<std::uint32_t*>(d), reinterpret_cast<const std::uint32_t*>(s), pixels,
            std::uint32_t{0xFF00FF}, std::uint32_t{0xFFFFFF});
      break;
  }
}

void combineBlend(std::uint32_t* d, const std::uint32_t* s, std::size_t pixels) {
  for (std::size_t i = 0; i < pixels; ++i) {  // vectorised
    const int a = static_cast<int>(s[i] >> 24);
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
      const int dc = static_cast<int>(d[i] >> shift & 0xFF);
      const int sc = static_cast<int>(s[i] >> shift & 0xFF);
      out |= static_cast<std::uint32_t>(dc + (sc - dc) * a / 256) << shift;
    }
    d[i] = out;
  }
}

}  // namespace orventa::raster
