#include "displaytests/geometry/ratio_ellipses.h"

#include <string>

#include "displaytests/display_tests.h"
#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "ui/layout.h"
#include "ui/menu_box.h"
#include "ui/pattern_colours.h"
#include "ui/prompts.h"

namespace orventa {

const std::array<AspectRatio, 8> ASPECT_RATIOS = {{{"4:3", 4.0 / 3, 0.75f},
                                                   {"3:2", 1.5, 2.0f / 3},
                                                   {"5:4", 1.25, 0.8f},
                                                   {"16:9", 16.0 / 9, 0.5625f},
                                                   {"16:10", 1.6, 0.625f},
                                                   {"15:9", 15.0 / 9, 0.6f},
                                                   {"14:9", 14.0 / 9, 9.0f / 14},
                                                   {"17:9", 17.0 / 9, 9.0f / 17}}};

void drawAspectRatio(int width, int height, const AspectRatio& ratio, std::uint32_t colour) {
  const long long w = width;
  const long long h = height;
  clearScreen();
  drawLine(nullptr, w / 2, h / 2 - 20, w / 2, h / 2 + 20, colour, LINE, SOLID, 0);
  drawLine(nullptr, w / 2 - 20, h / 2, w / 2 + 20, h / 2, colour, LINE, SOLID, 0);
  const auto radius = static_cast<float>(h * ratio.widthFactor / 2 - 1);
  drawEllipse(nullptr, w / 2, h / 2, radius, colour, ratio.aspect, 0, FULL_TURN, 0, 4);
}

void aspectRatio(ProgramState& state) {
  const DisplaySettings& desktop = state.desktop;
  const DisplaySettings& test = state.test;
  Items items;
  for (const AspectRatio& ratio : ASPECT_RATIOS) items.emplace_back(ratio.item);
  const int choice = chooseFromMenu(position(desktop.width * wide(2.3) / 8),
                                    position(desktop.height * wide(1.7) / 4), 110, items);
  if (choice == 0) return;

  enterTestMode(state);
  drawAspectRatio(test.width, test.height, ASPECT_RATIOS[static_cast<std::size_t>(choice - 1)],
                  patternWhite(test.depth));
  waitForKeyOrClick();
}

}  // namespace orventa
