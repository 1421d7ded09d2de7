#include "displaytests/display_tests.h"

namespace orventa {

void runDisplayTest(int mainMenuItem, ProgramState& state) {
  switch (mainMenuItem) {
    case 2:
      resolutionTestCard(state);
      break;
    case 3:
      collinearityGrid(state);
      break;
    case 4:
      colourRange(state);
      break;
    case 5:
      contrastBrightness(state);
      break;
    case 6:
      gammaChart(state);
      break;
    case 7:
      aspectRatio(state);
      break;
    case 8:
      moirePatterns(state);
      break;
    case 9:
      refreshTest(state);
      break;
    case 10:
      listSupportedModes(state);
      break;
    case 11:
      panelTests(state);
      break;
    default:
      break;
  }
}

}  // namespace orventa
