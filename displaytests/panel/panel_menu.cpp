#include "displaytests/panel/panel_menu.h"

#include "displaytests/display_tests.h"
#include "displaytests/panel/anti_aliasing.h"
#include "displaytests/panel/clock_phase.h"
#include "displaytests/panel/high_voltage.h"
#include "displaytests/panel/readability.h"
#include "displaytests/panel/subpixel_layout.h"
#include "ui/layout.h"
#include "ui/menu_box.h"
#include "ui/pattern_colours.h"

namespace orventa {

void panelTests(ProgramState& state) {
  const std::uint32_t p = patternWhite(state.test.depth);
  const long double dw = state.desktop.width;
  const long double dh = state.desktop.height;
  const int choice = chooseFromMenu(position(2 * dw / 8), position(2 * dh / 4), 300,
                                    {"High voltage", "Readability", "Anti-aliasing",
                                     "Clock & Phase", "not used", "Subpixel layout"});
  switch (choice) {
    case 1:
      highVoltage(state, p);
      break;
    case 2:
      readability(state, p);
      break;
    case 3:
      antiAliasing(state, p);
      break;
    case 4:
      clockPhase(state, p);
      break;
    case 6:
      subpixelLayout(state);
      break;
    default:  // 0: no item; 5: "not used"
      break;
  }
}

}  // namespace orventa
