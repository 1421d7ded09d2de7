// EDID blocks built byte by byte, for the decoder's tests and for displays that need a monitor.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace orventa::testing {

using Block = std::vector<std::uint8_t>;

inline void put(Block& b, std::size_t at, std::initializer_list<int> bytes) {
  for (int v : bytes) b[at++] = static_cast<std::uint8_t>(v);
}

inline void putText(Block& b, std::size_t at, int tag, const std::string& text) {
  put(b, at, {0, 0, 0, tag, 0});
  for (std::size_t i = 0; i < 13; ++i)
    b[at + 5 + i] = i < text.size()    ? static_cast<std::uint8_t>(text[i])
                    : i == text.size() ? 0x0A
                                       : 0x20;
}

inline void seal(Block& b) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < 127; ++i) sum += b[i];
  b[127] = static_cast<std::uint8_t>((256 - sum % 256) % 256);
}

// A 27-inch monitor: "DEL" (4, 5, 12 -> 0x10AC), product 0xA0C4, serial 0x12345678, week 23
// of 2022, 60 x 34 cm; native 1920 x 1080 at 148.5 MHz over 2200 x 1125 (60 Hz exactly) with an
// image of 598 x 336 mm; named "DELL U2720Q", serial text "ABC123".
inline Block monitor() {
  Block b(128, 0);
  put(b, 0, {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00});
  put(b, 8, {0x10, 0xAC, 0xC4, 0xA0, 0x78, 0x56, 0x34, 0x12, 23, 32, 1, 4});
  put(b, 21, {60, 34});
  put(b, 54, {0x02, 0x3A, 0x80, 0x18, 0x71, 0x38, 0x2D, 0x40, 0, 0, 0, 0, 0x56, 0x50, 0x21});
  putText(b, 72, 0xFC, "DELL U2720Q");
  putText(b, 90, 0xFF, "ABC123");
  putText(b, 108, 0xFD, "");  // range limits: not text we show
  seal(b);
  return b;
}

}  // namespace orventa::testing
