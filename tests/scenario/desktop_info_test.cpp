// Desktop info's four values, worked out from the desktop rather than read back from the code: each
// value line holds exactly the ink of the expected text drawn on its own.
#include <string>

#include "app/app.h"
#include "tests/support/headless_fixture.h"
#include "ui/colours.h"
#include "ui/system_text.h"

namespace orventa::testing {
namespace {

// 1366 x 768 at 16 bits and 75 Hz: the box at (W/4, H/4) = (342, 192), values from x = W/2 = 683.
constexpr int W = 1366, H = 768, VALUES_X = 683, BOX_RIGHT = 342 + 565, TOP = 192;

platform::HeadlessConfig desktop() {
  platform::HeadlessConfig config;
  config.desktop = {W, H, 32, 75};
  config.modes = {config.desktop};
  return config;
}

struct DesktopInfo : HeadlessTest {
  DesktopInfo() : HeadlessTest(desktop()) {}
  // The white pixels of value line k (1..4), the box's right frame left out.
  static PixelSet valueInk(int k) {
    PixelSet ink;
    for (int y = TOP + 30 * k; y < TOP + 30 * (k + 1); ++y)
      for (int x = VALUES_X; x < BOX_RIGHT - 8; ++x)
        if ((pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) ink.insert({x, y});
    return ink;
  }
};

TEST_F(DesktopInfo, ShowsTheDesktopsSizeDepthColourCountAndRate) {
  ProgramState state;
  state.desktop = {W, H, 16, 75};
  open(W, H, 32);
  for (int bit = 0; bit < 3; ++bit) display_.input()->mouseButton(bit, false);
  display_.input()->windowActive(true);
  display_.input()->pointerInside(true);
  display_.input()->queueKey(' ');
  showDesktopInfo(state);
  const std::string expected[] = {":1366x768", ":16", ":65536", ":75"};
  PixelSet shown[4];
  for (int k = 1; k <= 4; ++k) shown[k - 1] = valueInk(k);

  setColors(0xFFFFFFFF, 0xFF000000, 0);
  clearScreen();
  for (int k = 1; k <= 4; ++k) {
    drawSystemText(VALUES_X, TOP + 30 * k, expected[k - 1], "Arial", 18, WHITE);
    const PixelSet alone = valueInk(k);
    EXPECT_FALSE(alone.empty());
    EXPECT_EQ(shown[k - 1], alone) << "line " << k << " is not " << expected[k - 1];
  }
}

}  // namespace
}  // namespace orventa::testing
