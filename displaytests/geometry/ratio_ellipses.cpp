#include "displaytests/geometry/ratio_ellipses.h"

#include <string>

#include "displaytests/display_tests.h"
#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "ui/drawing.h"
#include "ui/layout.h"
#include "ui/menu_box.h"
#include "ui/pattern_colours.h"
#include "ui/prompts.h"

namespace orventa {

const std::array<AspectRatio, 8> ASPECT_RATIOS = {{{4.0 / 3, 0.75f},
                                                   {1.5, 2.0f / 3},
                                                   {1.25, 0.8f},
                                                   {16.0 / 9, 0.5625f},
                                                   {1.6, 0.625f},
                                                   {15.0 / 9, 0.6f},
                                                   {14.0 / 9, 9.0f / 14},
                                                   {17.0 / 9, 9.0f / 17}}};

void drawAspectRatio(int width, int height, const AspectRatio& ratio, std::uint32_t colour) {
  const long long w = width;
  const long long h = height;
  clearScreen();
  drawSolidLine(w / 2, h / 2 - 20, w / 2, h / 2 + 20, colour);
  drawSolidLine(w / 2 - 20, h / 2, w / 2 + 20, h / 2, colour);
  const auto radius = static_cast<float>(h * ratio.widthFactor / 2 - 1);
  drawWholeEllipse(w / 2, h / 2, radius, colour, ratio.aspect, false);
}

namespace {

void drawRatioPage(const DisplaySettings& test, int page) {
  drawAspectRatio(test.width, test.height, ASPECT_RATIOS[static_cast<std::size_t>(page - 1)],
                  patternWhite(test.depth));
}

}  // namespace

const Pattern ASPECT_RATIO = {"ratio-ellipses",
                              "Aspect ratio",
                              {"4:3", "3:2", "5:4", "16:9", "16:10", "15:9", "14:9", "17:9"},
                              false,
                              ModeRule::TEST_MODE,
                              drawRatioPage};

void aspectRatio(ProgramState& state) {
  const DisplaySettings& desktop = state.desktop;
  const int choice =
      chooseFromMenu(position(desktop.width * wide(2.3) / 8),
                     position(desktop.height * wide(1.7) / 4), 110, menuItems(ASPECT_RATIO.pages));
  if (choice != 0) showPage(state, ASPECT_RATIO, choice);
}

}  // namespace orventa
