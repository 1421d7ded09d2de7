// A monitor's identity from its EDID base block: who made it, what it is called, how large it
// is, and its native timing. Pure decoding, so that it is tested on blocks built byte by byte.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace orventa::platform {

struct Edid {
  std::string manufacturer;  // three letters, e.g. "DEL"
  int productCode = 0;
  std::uint32_t serialNumber = 0;  // 0: none given
  int week = 0;                    // 0: not given; the year is then a model year
  int year = 0;
  std::string name;        // the monitor name descriptor; empty when there is none
  std::string serialText;  // the serial number descriptor; empty when there is none
  int widthMm = 0;         // physical size of the picture; 0: unknown
  int heightMm = 0;
  int nativeWidth = 0;  // the preferred timing; 0: none given
  int nativeHeight = 0;
  double nativeRefresh = 0;
};

// Nothing for a block that is short, lacks the header or fails its checksum.
std::optional<Edid> decodeEdid(std::span<const std::uint8_t> block);

// Pixels per inch across the native width; 0 when the size or the timing is unknown.
double pixelsPerInch(const Edid& edid);

}  // namespace orventa::platform
