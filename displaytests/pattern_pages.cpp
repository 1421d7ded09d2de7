#include "displaytests/pattern_pages.h"

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
#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "ui/pattern_colours.h"

namespace orventa {
namespace {

using Settings = const DisplaySettings&;

int sizeOf(const std::vector<DiscPage>& pages) { return static_cast<int>(pages.size()); }

void card(Settings t, int) { drawResolutionCard(t.width, t.height, patternWhite(t.depth)); }

void grid(Settings t, int) {
  setPages(1, 0);
  clearScreen();
  drawGridFrame(startGrid(t.width, t.height, t.depth), t.width, t.height);
}

void basicColour(Settings t, int page) {
  showBasicColour(basicColours(t.depth)[static_cast<std::size_t>(page - 1)]);
}

void rgbDiscs(Settings t, int page) {
  if (page == 1) clearScreen();
  drawDiscPage(t.width, t.height, rgbPages(t.depth)[static_cast<std::size_t>(page - 1)]);
}

void cmykDiscs(Settings t, int page) {
  if (page == 1) clearScreen();
  drawDiscPage(t.width, t.height, cmykPages(t.depth)[static_cast<std::size_t>(page - 1)]);
}

// A test run afresh for each page: cleared, then drawn.
template <void (*draw)(Settings, int)>
void fresh(Settings t, int page) {
  clearScreen();
  draw(t, page);
}

void ebu(Settings t, int) { drawEbuBars(t.width, t.height, t.depth); }
void gradient(Settings t, int page) { drawGradient(t.width, t.height, t.depth, page); }
void spectrum(Settings t, int) { drawSpectrum(t.width, t.height, t.depth); }
void contrast(Settings t, int) { drawContrast(t.width, t.height); }
void blackLevels(Settings t, int) { drawBlackLevels(t.width, t.height); }
void doubleBars(Settings t, int) { drawDouble(t.width, t.height); }
void luminanceRamp(Settings t, int) { drawLuminanceRamp(t.width, t.height); }
void pluge(Settings t, int) { drawPluge(t.width, t.height); }

// SMPTE bars open their own 24-bit mode whatever the test depth.
void smpte(Settings t, int) {
  setScreenMode(t.width, t.height, 24, 0, FULL_SCREEN, 0);
  clearScreen();
  drawSmpte(t.width, t.height);
}

void gamma(Settings t, int) { drawGammaChart(t.width, t.height); }

void aspect(Settings t, int page) {
  drawAspectRatio(t.width, t.height, ASPECT_RATIOS[static_cast<std::size_t>(page - 1)],
                  patternWhite(t.depth));
}

void moire(Settings t, int page) { drawMoirePage(t.width, t.height, page, patternWhite(t.depth)); }

void refreshQuestion(Settings t, int) { drawRefreshQuestion(t); }

// The field blinks once a second: page 1 has it XORed on, page 2 has it off again.
void highVoltageFlash(Settings t, int page) {
  const std::uint32_t p = patternWhite(t.depth);
  drawHighVoltageFrame(t.width, t.height, p);
  if (page != 1) return;
  const OwnedImage field(makeHighVoltageField(t.width, t.height, p));
  if (field) putImage(nullptr, 9, 9, field.get(), XOR);
}

void readable(Settings t, int page) {
  drawReadabilityPage(page, patternWhite(t.depth), SAMPLE_TEXT);
}

void antiAliased(Settings t, int) { drawAntiAliasing(t.width, t.height, patternWhite(t.depth)); }
void clockAndPhase(Settings t, int) { drawClockPhase(t.width, t.height, patternWhite(t.depth)); }
void subpixel(Settings t, int) { drawSubpixelLayout(t); }

const std::vector<PatternTest> TESTS = {
    {"resolution-card", "Resolution test card", {"Card"}, false, card},
    {"collinearity-grid", "Collinearity grid", {"Starting grid"}, false, grid},
    {"basic-colors",
     "Basic colors",
     {"White", "Blue", "Green", "Red", "Grey", "Dark blue", "Dark green", "Dark red", "Black"},
     false,
     basicColour},
    {"rgb",
     "RGB test",
     {"Bright discs", "Dark discs"},
     false,
     rgbDiscs,
     [](int depth) { return sizeOf(rgbPages(depth)); }},
    {"cmyk",
     "CMYK test",
     {"Bright discs", "Dark discs"},
     false,
     cmykDiscs,
     [](int depth) { return sizeOf(cmykPages(depth)); }},
    {"ebu-bars", "Plain EBU", {"Bars"}, false, fresh<ebu>},
    {"gradient",
     "Gradient",
     {"Red/Black", "Red/White", "Green/Black", "Green/White", "Blue/Black", "Blue/White"},
     false,
     fresh<gradient>},
    {"hue-sweep", "Spectrum", {"Spectrum"}, false, fresh<spectrum>},
    {"contrast", "Contrast", {"Contrast"}, true, fresh<contrast>},
    {"black-levels", "Black levels", {"Black levels"}, true, fresh<blackLevels>},
    {"double", "Double", {"Double"}, true, fresh<doubleBars>},
    {"luminance-ramp", "Luminance Ramp", {"Ramp"}, true, fresh<luminanceRamp>},
    {"pluge", "PLUGE", {"PLUGE"}, true, fresh<pluge>},
    {"smpte", "SMPTE", {"Bars"}, true, smpte},
    {"gamma-chart", "Gamma chart", {"Chart"}, true, fresh<gamma>},
    {"ratio-ellipses",
     "Aspect ratio",
     {"4:3", "3:2", "5:4", "16:9", "16:10", "15:9", "14:9", "17:9"},
     false,
     aspect},
    {"moire",
     "Moire patterns",
     {"Rows 2 px apart", "Rows 4 px apart", "Grid 2 px apart", "Grid 4 px apart", "Checkerboard"},
     false,
     fresh<moire>},
    {"refresh-rate", "Refresh rate test", {"Question"}, false, fresh<refreshQuestion>},
    {"high-voltage", "High voltage", {"Field on", "Field off"}, false, fresh<highVoltageFlash>},
    {"readability",
     "Readability",
     {"Times New Roman", "Arial", "Tahoma", "Verdana", "Styles"},
     true,
     fresh<readable>},
    {"anti-aliasing", "Anti-aliasing", {"Pattern"}, false, fresh<antiAliased>},
    {"clock-phase", "Clock & Phase", {"Pattern"}, false, fresh<clockAndPhase>},
    {"subpixel-layout", "Subpixel layout", {"Pattern"}, false, fresh<subpixel>},
};

}  // namespace

const std::vector<PatternTest>& patternTests() { return TESTS; }

int pageCount(const PatternTest& test, int depth) {
  if (test.needsTrueColour && depth <= 8) return 0;
  return test.pagesAtDepth != nullptr ? test.pagesAtDepth(depth)
                                      : static_cast<int>(test.pages.size());
}

const PatternTest* findPatternTest(std::string_view name) {
  for (const PatternTest& test : TESTS)
    if (test.name == name) return &test;
  return nullptr;
}

bool drawPatternPage(const PatternTest& test, int page, const DisplaySettings& settings) {
  // From no screen at all, so that the mode is opened even when it matches what is shown.
  bool changed = false;
  enterTestMode(DisplaySettings{}, settings, changed);
  if (screenPointer() == nullptr) return false;
  for (int k = 1; k <= page; ++k) test.drawStep(settings, k);
  return screenPointer() != nullptr;
}

}  // namespace orventa
