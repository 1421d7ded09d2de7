// The readability test: the sample text in four fonts at 1 to 20 points, one page per font, then a
// page of black italic and bold text on white. Needs a test depth above 8 bits.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "displaytests/pattern.h"
#include "ui/settings.h"

namespace orventa {

struct FontPage {
  std::string_view face;
  std::string_view labelPrefix;
};

inline constexpr std::array<FontPage, 4> FONT_PAGES = {{
    {"Times New Roman", "Font: Times New Roman; size:"},
    {"Arial", "Font: Arial; size:"},
    {"Tahoma", "Font: Tahoma; size:"},
    {"Verdana", "Font: Verdana; size:"},
}};

// Twenty lines of the page's face, at y = 31 s + 20 for s = 1 to 20 points, in P.
void drawFontPage(const FontPage& page, std::uint32_t p, std::string_view sampleText);
// White screen with black italic "Times New Roman" and bold "System" at 12 points.
void drawStylePage(std::string_view sampleText);
// The test's pages in order: the four faces, then the styles.
extern const Pattern READABILITY;

}  // namespace orventa
