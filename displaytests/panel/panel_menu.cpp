#include "displaytests/panel/panel_menu.h"

#include "displaytests/display_tests.h"
#include "displaytests/panel/anti_aliasing.h"
#include "displaytests/panel/clock_phase.h"
#include "displaytests/panel/high_voltage.h"
#include "displaytests/panel/readability.h"
#include "displaytests/panel/subpixel_layout.h"
#include "ui/layout.h"
#include "ui/menu_box.h"

namespace orventa {

void panelTests(ProgramState& state) {
  const long double dw = state.desktop.width;
  const long double dh = state.desktop.height;
  const int choice =
      chooseFromMenu(position(2 * dw / 8), position(2 * dh / 4), 300,
                     {std::string(HIGH_VOLTAGE.title), std::string(READABILITY.title),
                      std::string(ANTI_ALIASING.title), std::string(CLOCK_PHASE.title), "not used",
                      std::string(SUBPIXEL_LAYOUT.title)});
  switch (choice) {
    case 1:
      highVoltage(state);
      break;
    case 2:
      showPages(state, READABILITY);
      break;
    case 3:
      showPages(state, ANTI_ALIASING);
      break;
    case 4:
      showPages(state, CLOCK_PHASE);
      break;
    case 6:
      showPages(state, SUBPIXEL_LAYOUT);
      break;
    default:  // 0: no item; 5: "not used"
      break;
  }
}

}  // namespace orventa
