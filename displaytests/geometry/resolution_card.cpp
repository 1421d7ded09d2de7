#include "displaytests/geometry/resolution_card.h"

#include "displaytests/display_tests.h"
#include "graphics/bitmap_font.h"
#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "ui/drawing.h"
#include "ui/pattern_colours.h"
#include "ui/prompts.h"

namespace orventa {
namespace {}  // namespace

void drawResolutionCard(int width, int height, std::uint32_t colour) {
  // 64-bit, so that 4 * H cannot overflow for a custom size.
  const long long w = width;
  const long long h = height;
  clearScreen();
  drawSolidLine(0, 0, 0, h, colour);
  drawSolidLine(0, 0, w, 0, colour);
  drawSolidLine(w - 1, 0, w - 1, h - 1, colour);
  drawSolidLine(0, h - 1, w - 1, h - 1, colour);
  drawSolidLine(w / 2, h / 2 - 20, w / 2, h / 2 + 20, colour);
  drawSolidLine(w / 2 - 20, h / 2, w / 2 + 20, h / 2, colour);
  drawSolidLine(w / 2, 0, w / 2, h / 5, colour);
  drawSolidLine(w / 2, h, w / 2, 4 * h / 5, colour);
  drawSolidLine(0, h / 2, w / 5, h / 2, colour);
  drawSolidLine(w, h / 2, 4 * w / 5, h / 2, colour);

  drawWholeEllipse(w / 2, h / 2, h / 2.0 - 1, colour, 0, false);
  const float aspect = static_cast<float>(static_cast<double>(h) / w);
  drawWholeEllipse(w / 2, h / 2, w / 2.0 - 1, colour, aspect, false);
}

namespace {

void drawCardPage(const DisplaySettings& test, int) {
  // Below 8 bits the card is white too (index 15), rather than whatever colour was left over.
  drawResolutionCard(test.width, test.height, patternWhite(test.depth));
}

}  // namespace

const Pattern RESOLUTION_CARD = {
    "resolution-card", "Resolution test card", {"Card"}, false, ModeRule::TEST_MODE, drawCardPage};

void resolutionTestCard(ProgramState& state) {
  if (showPages(state, RESOLUTION_CARD)) return;
  // Nothing could be opened: a numbered 8-bit screen shows a frame of text instead.
  const FallbackScreen& fallback = state.fallback;
  setNumberedScreenMode(fallback.modeNumber, 8, 0, FULL_SCREEN, 0);
  setTextGrid(fallback.columns, fallback.rows);
  drawTextFrame(15, 20, 40, 9);
  waitForKeyOrClick();
}

}  // namespace orventa
