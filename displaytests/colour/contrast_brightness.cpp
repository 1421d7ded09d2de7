// "Contrast/Brightness": grey steps in seven colours, black levels, steps around video black and
// white, a luminance ramp, PLUGE and the SMPTE bars.
#include "displaytests/colour/contrast_brightness.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "displaytests/display_tests.h"
#include "graphics/bitmap_font.h"
#include "graphics/input.h"
#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "ui/colour_levels.h"
#include "ui/colours.h"
#include "ui/drawing.h"
#include "ui/layout.h"
#include "ui/menu_box.h"
#include "ui/prompts.h"

namespace orventa {
void drawContrast(int W, int H) {
  const long double cw = std::floor(static_cast<long double>(W) / 34);
  const long double ch = std::floor(static_cast<long double>(H) / 15);
  for (int i = 1; i <= 32; ++i) {
    const int v = position(static_cast<long double>(i) / 32 * 255);
    const std::uint32_t rows[7] = {opaque(0, 0, v), opaque(0, v, 0), opaque(v, 0, 0),
                                   opaque(v, 0, v), opaque(v, v, 0), opaque(0, v, v),
                                   grey(v)};
    for (int r = 1; r <= 7; ++r) {
      drawFilledBox(i * cw, (2 * r - 1) * ch, (i + 1) * cw, 2 * r * ch, rows[r - 1]);
      if (r < 7)
        drawLabelInForeground(i * cw, (2 * r - 1) * ch, std::to_string(i));
      else
        drawLabel(i * cw, (2 * r - 1) * ch, std::to_string(i), RED);
    }
  }
}

void drawBlackLevels(int W, int H) {
  const int s = position(static_cast<long double>(H) / 6);
  for (int k = 0; k < 20; ++k) {
    const int x =
        position(static_cast<long double>(W) / 12 + static_cast<long double>(k % 5) * W / 6);
    const int y =
        position(static_cast<long double>(H) / 10 + static_cast<long double>(k / 5) * H / 5);
    const int level = 4 * k + 4;
    drawFilledBox(x, y, static_cast<long double>(x) + s, static_cast<long double>(y) + s,
                  grey(level));
    drawLabel(static_cast<long double>(x) + 5, static_cast<long double>(y) + 5,
              std::to_string(level), RED);
  }
}

void drawDouble(int W, int H) {
  drawFilledBox(0, 0, static_cast<long double>(W) / 2, H, grey(16));
  drawFilledBox(static_cast<long double>(W) / 2, 0, W, H, grey(235));
  const int u = position(static_cast<long double>(W) / 13);
  const int v = position(static_cast<long double>(H) / 4);
  struct Step {
    int k;
    int level;  // 0: no box, the background shows
    const char* text;
    double m;
    std::uint32_t colour;
  };
  constexpr Step steps[10] = {{1, 27, "+5%", 1.2, WHITE},    {2, 20, "+2%", 2.2, WHITE},
                              {3, 0, "0%", 3.2, WHITE},      {4, 12, "-2%", 4.2, WHITE},
                              {5, 5, "-5%", 5.2, WHITE},     {7, 224, "-5%", 7.2, BLACK},
                              {8, 231, "-2%", 8.2, BLACK},   {9, 0, "0%", 9.2, BLACK},
                              {10, 239, "+2%", 10.2, BLACK}, {11, 246, "+5%", 11.2, BLACK}};
  for (const Step& step : steps) {
    if (step.level != 0)
      drawFilledBox(static_cast<long double>(step.k) * u, v,
                    static_cast<long double>(step.k + 1) * u, 3.0L * v, grey(step.level));
    drawLabel(wide(step.m) * u, v, step.text, step.colour);
  }
}

void drawLuminanceRamp(int W, int H) {
  for (int x = 0; x <= W - 50; ++x) {
    const int c = position(static_cast<long double>(x) / W * 255);
    drawSolidLine(x, 0, x, H, grey(c));
  }
}

void drawPluge(int W, int H) {
  // A box over the whole page gives what a clear and a flood fill from (1, 1) would, without
  // first reading every pixel.
  drawFilledBox(0, 0, W, H, grey(16));
  const long double w = W;
  const long double h = H;
  const long double left = wide(0.54) * w;
  const long double right = wide(0.8) * w;
  drawFilledBox(left, wide(0.16) * h, right, wide(0.32) * h, WHITE);
  drawFilledBox(left, wide(0.32) * h, right, wide(0.48) * h, grey(191));
  drawFilledBox(left, wide(0.48) * h, right, wide(0.64) * h, grey(128));
  drawFilledBox(left, wide(0.64) * h, right, wide(0.8) * h, grey(63));
  // Three adjacent bars of equal width fill the region, below black to above black.
  const long double barsLeft = wide(0.2) * w;
  const long double barWidth = (wide(0.25) * w - barsLeft) / 3;
  const std::uint32_t bars[3] = {grey(5), grey(16), grey(28)};
  for (int k = 0; k < 3; ++k)
    drawFilledBox(barsLeft + k * barWidth, wide(0.16) * h, barsLeft + (k + 1) * barWidth,
                  wide(0.8) * h, bars[k]);
}

void drawSmpte(int W, int H) {
  long double x[8];
  for (int k = 0; k <= 7; ++k) x[k] = static_cast<long double>(k) * W / 7;
  const long double y1 = 2.0L * H / 3;
  const long double y2 = 3.0L * H / 4;
  constexpr std::uint32_t top[7] = {0xFFC0C0C0, 0xFFC0C000, 0xFF00C0C0, 0xFF00C000,
                                    0xFFC000C0, 0xFFC00000, 0xFF0000C0};
  constexpr std::uint32_t middle[7] = {0xFF0000C0, 0xFF131313, 0xFFC000C0, 0xFF131313,
                                       0xFF00C0C0, 0xFF131313, 0xFFC0C0C0};
  BandBox bars[8];
  for (int k = 0; k < 7; ++k) bars[k] = {x[k], x[k + 1], top[k]};
  drawBand(0, y1, std::span(bars, 7));
  for (int k = 0; k < 7; ++k) bars[k] = {x[k], x[k + 1], middle[k]};
  drawBand(y1 + 1, y2, std::span(bars, 7));
  const int q = position(5.0L * W / 7);
  constexpr std::uint32_t bottom[4] = {0xFF00214C, 0xFFFFFFFF, 0xFF32006A, 0xFF131313};
  for (int j = 0; j < 4; ++j)
    bars[j] = {static_cast<long double>(j) * q / 4, static_cast<long double>(j + 1) * q / 4,
               bottom[j]};
  const int u = position(static_cast<long double>(W) / 21);
  bars[4] = {x[5], x[5] + u, 0xFF090909};
  bars[5] = {x[5] + u, x[5] + 2 * u, 0xFF131313};
  bars[6] = {x[5] + 2 * u, x[6], 0xFF1D1D1D};
  bars[7] = {x[6], static_cast<long double>(W), 0xFF131313};
  drawBand(y2 + 1, H, bars);
}

namespace {

// A page that the test draws on a cleared screen.
template <void (*draw)(int, int)>
void onClearedScreen(const DisplaySettings& test, int) {
  clearScreen();
  draw(test.width, test.height);
}

}  // namespace

const Pattern CONTRAST = {"contrast", "Contrast",          {"Contrast"},
                          true,       ModeRule::TEST_MODE, onClearedScreen<drawContrast>};
const Pattern BLACK_LEVELS = {"black-levels",      "Black levels",
                              {"Black levels"},    true,
                              ModeRule::TEST_MODE, onClearedScreen<drawBlackLevels>};
const Pattern DOUBLE = {
    "double", "Double", {"Double"}, true, ModeRule::TEST_MODE, onClearedScreen<drawDouble>};
const Pattern LUMINANCE_RAMP = {"luminance-ramp",
                                "Luminance Ramp",
                                {"Ramp"},
                                true,
                                ModeRule::TEST_MODE,
                                onClearedScreen<drawLuminanceRamp>};
// Its grey ground covers the page whole.
const Pattern PLUGE = {
    "pluge", "PLUGE", {"PLUGE"}, true, ModeRule::TEST_MODE, [](const DisplaySettings& test, int) {
      drawPluge(test.width, test.height);
    }};
// The bars meet edge to edge and cover the page: nothing to clear.
const Pattern SMPTE = {
    "smpte",
    "SMPTE",
    {"Bars"},
    true,
    ModeRule::OWN_TRUE_COLOUR_MODE,
    [](const DisplaySettings& test, int) { drawSmpte(test.width, test.height); }};

void contrastBrightness(ProgramState& state) {
  const long double wd = state.desktop.width;
  const long double hd = state.desktop.height;
  const Pattern* const patterns[] = {&CONTRAST,       &BLACK_LEVELS, &DOUBLE,
                                     &LUMINANCE_RAMP, &PLUGE,        &SMPTE};
  Items items;
  for (const Pattern* pattern : patterns) items.emplace_back(pattern->title);
  const int choice =
      chooseFromMenu(position(wide(2.5) * wd / 8), position(wide(1.5) * hd / 4), 300, items);
  // Refused before the choice is looked at: a click beside the menu gets the error box too.
  if (state.test.depth <= 8)
    refuseEightBits(state.desktop);
  else if (choice != 0)
    showPages(state, *patterns[choice - 1]);
}

}  // namespace orventa
