// Two monitors: the second is chosen in the settings menu, named as its EDID names it, and from
// then on only its mode is ever switched; with one output the menu stays as it always was.
#include "app/app.h"
#include "tests/support/edid_blocks.h"
#include "tests/support/frames.h"

namespace orventa::testing {
namespace {

platform::HeadlessConfig laptopAndMonitor() {
  platform::HeadlessConfig c = desktopOf(1366, 768);
  c.firstOutput = "eDP-1";
  c.modes = {{1366, 768, 32, 60}, {800, 600, 32, 60}};
  c.moreOutputs = {{"HDMI-1",
                    {1920, 1080, 32, 60},
                    {{1920, 1080, 32, 60}, {1280, 1024, 32, 60}, {1024, 768, 32, 75}},
                    monitor()}};
  return c;
}

TEST(Outputs, TheSecondMonitorIsChosenNamedAndTheOnlyOneSwitched) {
  Started p(laptopAndMonitor());
  const std::vector<DisplayOutput> outputs = displayOutputs();
  ASSERT_EQ(outputs.size(), 2u);
  EXPECT_EQ(outputLabel(outputs[0]), "eDP-1  1366x768  unknown");
  EXPECT_EQ(outputLabel(outputs[1]), "HDMI-1  1920x1080  DEL DELL U2720Q");
  EXPECT_EQ(resolutionMenuItems(p.state())[1], "SVGA 800 x 600");

  pickMain(p, 1);
  pick(p, 2.0 / 8, 1.0 / 4, 5);  // "Choose display", the fifth item
  pick(p, 2.3 / 8, 1.3 / 4, 2);  // HDMI-1
  p.display().clearLog();
  p.settle();
  ASSERT_TRUE(mainScreenShown(p));
  EXPECT_EQ(p.state().desktop, (DisplaySettings{1920, 1080, 32, 60}));
  EXPECT_EQ(p.state().test, p.state().desktop);  // settings that followed the desktop follow on
  // The '*' marks are the monitor's now.
  const std::vector<std::string> items = resolutionMenuItems(p.state());
  EXPECT_EQ(items[1], "SVGA 800 x 600*");
  EXPECT_EQ(items[2], "XGA 1024 x 768");
  EXPECT_EQ(items[4], "SXGA 1280 x 1024");

  testSettings(p, 1280, 1024, 32);
  pickMain(p, 2);  // the resolution card
  p.type(" ");
  ASSERT_TRUE(mainScreenShown(p));
  const std::vector<std::string> opened = p.logged("open ");
  ASSERT_FALSE(opened.empty());
  EXPECT_EQ(opened.front(), "open 1280x1024x32@60 full on HDMI-1");
  for (const std::string& line : p.display().log())
    EXPECT_EQ(line.find("eDP-1"), std::string::npos) << line;
}

TEST(Outputs, WithOneOutputTheSettingsMenuHasItsFourItems) {
  Started p(desktopOf(1366, 768));
  pickMain(p, 1);
  // Below the fourth item there is only the frame: 300 wide at (W/4, H/4), 4 items.
  EXPECT_EQ(p.pixel(342 + 299, 192 + 30 * 4 + 6), 0u);
  EXPECT_EQ(p.pixel(342 + 299, 192 + 30 * 3 + 6), SHOWN_BLUE);
}

}  // namespace
}  // namespace orventa::testing
