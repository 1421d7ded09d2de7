// "Gamma correction" through the whole program: the step count where the rounded step height
// leaves room for a fourteenth, and the 16-bit case (8 bits: contrast_brightness_test.cpp).
// 1280 x 720 x 32 is pinned by the gallery.
#include "displaytests/colour/gamma_chart.h"

#include "tests/support/frames.h"

namespace orventa::testing {
namespace {

TEST(GammaChart, AtHeight600AFourteenthBlackStepCoversRowsZeroToTwo) {
  Started p(desktopOf(1280, 1024));
  testSettings(p, 800, 600, 32);
  pickMain(p, 6);
  // s = 46: the top grey step runs over rows 3 to 48.
  expectPixels(p, {{420, 2, 0}, {420, 3, shownGrey(202)}, {420, 49, shownGrey(198)}});
  EXPECT_EQ(gammaLabel(768, 768 - 59 * 13, 59), "3.2");
}

TEST(GammaChart, AtDepth16TheLabelsAreMissing) {
  Started p;
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
