// libFuzzer target over the EDID decoder: any bytes a monitor or a driver may hand over decode to
// an identity or to nothing, never to a crash, and what decodes stays within its fields' ranges.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "graphics/platform/display_facts/edid.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orventa::platform;
  const auto edid = decodeEdid(std::span<const std::uint8_t>(data, size));
  if (!edid) return 0;
  if (edid->manufacturer.size() != 3 || edid->name.size() > 13 || edid->serialText.size() > 13 ||
      edid->week < 0 || edid->week > 54 || edid->nativeWidth > 4095 || edid->nativeHeight > 4095 ||
      edid->widthMm < 0 || !(edid->nativeRefresh >= 0) || !(pixelsPerInch(*edid) >= 0))
    std::abort();
  return 0;
}
