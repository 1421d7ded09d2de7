// orventa-render: any page of any test pattern, drawn on the headless display and written as a
// PNG file, with no display and no input.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "displaytests/pattern.h"

namespace orventa {

// The frame the headless display shows after the page is drawn, 0x00RRGGBB; empty when the
// mode cannot be had.
std::vector<std::uint32_t> renderPattern(const Pattern& pattern, int page,
                                         const DisplaySettings& settings);

// The whole command line behind the program name. 0 on success; 2, with one line on `err`, for
// anything it cannot do.
int runRenderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace orventa
