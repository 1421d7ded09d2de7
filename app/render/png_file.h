// Frames written out as 8-bit RGB PNG files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orventa {

// `pixels` holds width x height values 0x00RRGGBB, row 0 first. On failure `error` says why and
// no file is left behind.
bool writePng(const std::string& path, int width, int height,
              const std::vector<std::uint32_t>& pixels, std::string& error);

}  // namespace orventa
