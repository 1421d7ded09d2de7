#include "displaytests/panel/readability.h"

#include <string>

#include "graphics/input.h"
#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "ui/colours.h"
#include "ui/drawing.h"
#include "ui/pattern_colours.h"
#include "ui/prompts.h"
#include "ui/system_text.h"

namespace orventa {
namespace {

// The label prefix, the size right behind its colon, ". " and the sample text.
std::string fontPageLine(const FontPage& page, int size, std::string_view sampleText) {
  std::string line(page.labelPrefix);
  line += std::to_string(size);
  line += ". ";
  line += sampleText;
  return line;
}

}  // namespace

void drawFontPage(const FontPage& page, std::uint32_t p, std::string_view sampleText) {
  for (int s = 1; s <= 20; ++s)
    drawSystemText(0, 31 * s + 20, fontPageLine(page, s, sampleText), page.face, s, p, REGULAR, 1);
}

void drawStylePage(std::string_view sampleText) {
  floodFromCorner(WHITE);
  drawSystemText(30, 20, "Font: Times New Roman; size: 12; italic.", "Times New Roman", 12, 0,
                 ITALIC, 1);
  drawSystemText(30, 50, sampleText, "Times New Roman", 12, 0, ITALIC, 1);
  drawSystemText(30, 80, "Font: System; size: 12; bold. ", "System", 12, 0, BOLD, 1);
  drawSystemText(30, 110, sampleText, "System", 12, 0, BOLD, 1);
}

namespace {

void drawReadabilityPage(const DisplaySettings& test, int page) {
  clearScreen();
  if (page <= static_cast<int>(FONT_PAGES.size()))
    drawFontPage(FONT_PAGES[static_cast<std::size_t>(page - 1)], patternWhite(test.depth),
                 SAMPLE_TEXT);
  else
    drawStylePage(SAMPLE_TEXT);
}

}  // namespace

const Pattern READABILITY = {
    "readability", "Readability",       {"Times New Roman", "Arial", "Tahoma", "Verdana", "Styles"},
    true,          ModeRule::TEST_MODE, drawReadabilityPage};

}  // namespace orventa
