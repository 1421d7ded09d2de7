// "Gamma correction": a striped field of half white beside thirteen grey steps labelled with the
// gamma whose step matches it.
#include "displaytests/colour/gamma_chart.h"

#include <array>
#include <cstdio>

#include "displaytests/display_tests.h"
#include "graphics/input.h"
#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "ui/colour_levels.h"
#include "ui/colours.h"
#include "ui/drawing.h"
#include "ui/layout.h"
#include "ui/prompts.h"
#include "ui/system_text.h"

namespace orventa {
namespace {

constexpr std::array<int, 13> GAMMA_LEVELS = {80,  106, 128, 142, 156, 164, 174,
                                              180, 186, 190, 196, 198, 202};

}  // namespace

int gammaStepHeight(int H) {
  // Below 7 rows the rounded height is 0 and the steps would never climb.
  const int s = position(static_cast<long double>(H) / 13);
  return s < 1 ? 1 : s;
}

std::string gammaLabel(int H, int y, int s) {
  const long double g = wide(0.4) + wide(0.2) * ((static_cast<long double>(H) - y + s) / s);
  char text[64];
  std::snprintf(text, sizeof text, "%.16Lg", g);
  return std::string(text).substr(0, 3);
}

void drawGammaChart(int W, int H) {
  const long double sixth = static_cast<long double>(W) / 6;
  for (int y = 1; y <= H; y += 2) drawSolidLine(sixth * 2, y, sixth * 3, y, WHITE);
  const int s = gammaStepHeight(H);
  std::size_t next = 0;  // reading position in the level table; past its end the levels are 0
  for (long long y = H; y >= 0; y -= s) {
    const int level = next < GAMMA_LEVELS.size() ? GAMMA_LEVELS[next] : 0;
    ++next;
    drawFilledBox(sixth * 3, y, sixth * 4, y - s, grey(level));
    drawSystemText(position(sixth * 3 + 40), static_cast<int>(y - 30),
                   gammaLabel(H, static_cast<int>(y), s), "System", 10, WHITE, REGULAR);
  }
}

namespace {

void drawGammaPage(const DisplaySettings& test, int) {
  clearScreen();
  drawGammaChart(test.width, test.height);
}

}  // namespace

const Pattern GAMMA_CHART = {"gamma-chart", "Gamma chart",       {"Chart"},
                             true,          ModeRule::TEST_MODE, drawGammaPage};

void gammaChart(ProgramState& state) { showPages(state, GAMMA_CHART); }

}  // namespace orventa
