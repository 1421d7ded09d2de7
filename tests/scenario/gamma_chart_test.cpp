// "Gamma correction" through the whole program: the step count at heights whose rounding differs,
// the tiny and 16-bit cases (8 bits: contrast_brightness_test.cpp). 1280 x 720 x 32 is pinned by
// the gallery.
#include "displaytests/colour/gamma_chart.h"

#include "tests/support/frames.h"

namespace orventa::testing {
namespace {

TEST(GammaChart, TheStepCountFollowsTheRoundedStepHeight) {
  struct Case {
    int width, height, topRow, bottomOfTop;
  };
  // H = 1024: s = 79, 13 steps, the top one clipped from -3; H = 480: s = 37, 13 steps;
  // H = 600: s = 46, 14 steps, the black fourteenth covering rows 0 to 2.
  for (const Case& c : {Case{1280, 1024, 0, 76}, Case{640, 480, 0, 36}, Case{800, 600, 3, 48}}) {
    Started p(desktopOf(1280, 1024));
    testSettings(p, c.width, c.height, 32);
    pickMain(p, 6);
    const int x = c.width / 2 + 20;
    expectPixels(
        p, {{x, c.topRow, shownGrey(202)},
            {x, c.bottomOfTop, shownGrey(202)},
            {x, c.bottomOfTop + 1, shownGrey(198)},
            {x, c.topRow > 0 ? c.topRow - 1 : c.height - 1, c.topRow > 0 ? 0 : shownGrey(80)}});
  }
  const std::vector<std::string> labels = {"0.6", "0.8", "1",   "1.2", "1.4", "1.6", "1.8",
                                           "2",   "2.2", "2.4", "2.6", "2.8", "3",   "3.2"};
  for (int k = 0; k < 14; ++k) EXPECT_EQ(gammaLabel(768, 768 - 59 * k, 59), labels[k]) << k;
}

TEST(GammaChart, SixRowsHighItStillEndsAndAtDepth16TheLabelsAreMissing) {
  Started p;
  testSettings(p, 1024, 6, 32);
  pickMain(p, 6);
  EXPECT_EQ(p.pixel(530, 0), shownGrey(174));  // steps one row high; the seventh ends on row 0
  p.type(" ");
  testSettings(p, 1024, 768, 16);
  pickMain(p, 6);
  EXPECT_EQ(p.pixel(530, 767), rgb565ToRgb(toRgb565(0x505050)));
  // Where step 0's label would be (from x 552, 30 rows above the step's bottom edge).
  const Frame f = p.frame();
  for (int y = 738; y < 762; ++y)
    for (int x = 552; x < 600; ++x) ASSERT_NE(f[std::size_t(y) * 1024 + x], 0xFFFFFFu);
}

}  // namespace
}  // namespace orventa::testing
