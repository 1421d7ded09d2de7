#include "displaytests/catalogue.h"

#include "displaytests/colour/colour_range.h"
#include "displaytests/colour/contrast_brightness.h"
#include "displaytests/colour/gamma_chart.h"
#include "displaytests/geometry/collinearity_grid.h"
#include "displaytests/geometry/moire_patterns.h"
#include "displaytests/geometry/ratio_ellipses.h"
#include "displaytests/geometry/resolution_card.h"
#include "displaytests/modes/refresh_test.h"
#include "displaytests/panel/anti_aliasing.h"
#include "displaytests/panel/clock_phase.h"
#include "displaytests/panel/high_voltage.h"
#include "displaytests/panel/readability.h"
#include "displaytests/panel/subpixel_layout.h"

namespace orventa {

const std::vector<const Pattern*>& patternCatalogue() {
  static const std::vector<const Pattern*> all = {
      &RESOLUTION_CARD, &COLLINEARITY_GRID, &BASIC_COLOURS,  &RGB_DISCS,    &CMYK_DISCS,
      &PLAIN_EBU,       &GRADIENT,          &SPECTRUM,       &CONTRAST,     &BLACK_LEVELS,
      &DOUBLE,          &LUMINANCE_RAMP,    &PLUGE,          &SMPTE,        &GAMMA_CHART,
      &ASPECT_RATIO,    &MOIRE_PATTERNS,    &REFRESH_TEST,   &HIGH_VOLTAGE, &READABILITY,
      &ANTI_ALIASING,   &CLOCK_PHASE,       &SUBPIXEL_LAYOUT};
  return all;
}

const Pattern* findPattern(std::string_view name) {
  for (const Pattern* pattern : patternCatalogue())
    if (pattern->name == name) return pattern;
  return nullptr;
}

}  // namespace orventa
