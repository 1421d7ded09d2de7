// "Gamma correction" through the whole program.
#include "displaytests/colour/gamma_chart.h"

#include "tests/support/frames.h"

namespace orventa::testing {
namespace {

int whitePixels(Program& p, int x1, int y1, int x2, int y2) {
  const std::vector<std::uint32_t> f = p.frame();
  int n = 0;
  for (int y = y1; y < y2; ++y)
    for (int x = x1; x < x2; ++x) n += f.at(std::size_t(y) * 1024 + std::size_t(x)) == 0xFFFFFF;
  return n;
}

TEST(GammaChart, At768FourteenStepsOf59RiseBesideTheStripedField) {
  Started p;
  pickMain(p, 6);
  // Step 0 spans y 709 to 768, step 12 (level 202) 1 to 60, the black fourteenth covers row 1;
  // steps from W/2 to 682.67, the field from 341.33 to W/2 with white odd rows.
  // clang-format off
  expectPixels(p, {{530, 767, shownGrey(80)}, {530, 710, shownGrey(80)}, {530, 709, shownGrey(106)},
                   {530, 61, shownGrey(198)}, {530, 60, shownGrey(202)}, {530, 2, shownGrey(202)},
                   {530, 1, 0}, {512, 400, shownGrey(174)}, {683, 400, shownGrey(174)},
                   {684, 400, 0}, {340, 1, 0}, {341, 1, 0xFFFFFF}, {511, 767, 0xFFFFFF},
                   {341, 0, 0}, {400, 766, 0}});
  // clang-format on
  // The label of step 0 from x 552, 30 rows above the step's bottom edge, and nowhere else.
  EXPECT_GT(whitePixels(p, 552, 738, 600, 762), 0);
  EXPECT_EQ(whitePixels(p, 512, 700, 552, 768) + whitePixels(p, 512, 762, 683, 768), 0);
}

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
  expectPixels(p, {{530, 767, rgb565ToRgb(toRgb565(0x505050))}});
  EXPECT_EQ(whitePixels(p, 552, 738, 600, 762), 0);
}

TEST(GammaChart, Depth8BeepsBeforeTheErrorBoxAndDoesNotSwitch) {
  Started p;
  BeepWitness witness(p);
  testSettings(p, 1024, 768, 8);
  const int before = opens(p);
  pickMain(p, 6);
  EXPECT_EQ(witness.seenAtBeeps, std::vector<bool>{false});
  EXPECT_TRUE(errorBoxShown(p));
  EXPECT_EQ(opens(p), before);
  p.type(" ");
  EXPECT_TRUE(mainScreenShown(p));
}

}  // namespace
}  // namespace orventa::testing
