// The program as a person leaves it between moves: keys typed early or fast, menus driven from
// the keyboard, and a pointer that rests, or moves while the display switches.
#include "tests/support/frames.h"

namespace orventa::testing {
namespace {

// The main menu on 1366 x 768 at (171, 192), 400 wide; a bar's right end shows whether it is lit.
constexpr int MX = 171, MY = 192, MW = 400;
constexpr int row(int k) { return MY + 30 * (k - 1) + 10; }
constexpr std::uint32_t UP = extendedKey('H'), DOWN = extendedKey('P'), HOME = extendedKey('G'),
                        END = extendedKey('O'), PAGE_UP = extendedKey('I'),
                        PAGE_DOWN = extendedKey('Q');

bool lit(Program& p, int item) {
  return p.pixel(MX + MW - 1, MY + 30 * (item - 1) + 6) == SHOWN_WHITE;
}

// The one lit item of the main menu; 0 when none or several are.
int litItem(Program& p) {
  int found = 0;
  for (int k = 1; k <= 14; ++k)
    if (lit(p, k)) found = found == 0 ? k : -1;
  return found < 0 ? 0 : found;
}

struct Person : ::testing::Test {
  Person() {
    p.state().test = {1024, 768, 32, 60};  // every test switches
  }
  Started p{acceptingEverything1366()};
  static platform::HeadlessConfig acceptingEverything1366() {
    platform::HeadlessConfig config = desktopOf(1366, 768);
    config.accepts = [](const platform::DisplayMode&, bool) { return true; };
    return config;
  }
  bool cardShown() { return p.shownWidth() == 1024 && p.pixel(1023, 767) == SHOWN_WHITE; }
};

TEST_F(Person, KeysTypedAtAMenuNeverEndTheTestItStarts) {
  // A stray letter, then a click: the card stays until the next key.
  p.type("a");
  p.click(MX + 20, row(2));
  EXPECT_TRUE(cardShown());
  p.type(" ");
  EXPECT_TRUE(mainScreenShown(p));

  // The pointer still rests on item 2. Down, Return, Esc at machine speed: the grid is picked,
  // its help box waits for a key of its own, and the grid then stays up.
  p.typeAhead({DOWN, '\r', 0x1b});
  EXPECT_EQ(p.shownWidth(), 1366);
  EXPECT_EQ(p.pixel(1366 / 4 + 565, 768 / 4 + 20), SHOWN_BLUE);  // the help box's first bar
  p.type(" ");
  EXPECT_EQ(p.shownWidth(), 1024);
  EXPECT_EQ(p.pixel(512, 384), SHOWN_WHITE);  // the grid's centre cross
  p.type("\x1b");
  EXPECT_TRUE(mainScreenShown(p));

  // Keys typed at a submenu do not reach the test either.
  p.click(MX + 20, row(11));  // "Miscellaneous"
  p.type("zz");
  pick(p, 2.0 / 8, 2.0 / 4, 1);  // "High voltage"
  EXPECT_EQ(p.shownWidth(), 1024);
  EXPECT_EQ(p.pixel(0, 0), SHOWN_WHITE);  // its frame
}

TEST_F(Person, EveryKeyOfAMenuMovesTheHighlightAndAPointerAtRestDoesNotTakeItBack) {
  p.moveTo(MX + 20, row(5));
  EXPECT_EQ(litItem(p), 5);
  const struct {
    std::uint32_t key;
    int item;
  } moves[] = {{DOWN, 6},    {HOME, 1},       {UP, 14},  {UP, 13},
               {PAGE_UP, 1}, {PAGE_DOWN, 14}, {DOWN, 1}, {END, 14}};
  for (const auto& m : moves) {
    p.key(m.key);
    EXPECT_EQ(litItem(p), m.item) << "after key " << std::hex << m.key;
  }
  // The pointer takes over as soon as it moves, and a click picks what is under it.
  p.moveTo(MX + 20, row(3));
  EXPECT_EQ(litItem(p), 3);
  p.key(DOWN);
  p.click(MX + 20, row(1));  // the click, not the keyed item 4, decides: the settings menu
  EXPECT_EQ(p.pixel(1366 / 4 + 299, 768 / 4 + 6), SHOWN_WHITE);
  // Esc closes a submenu with nothing changed; at the main menu Return picks the lit item.
  p.type("\x1b");
  EXPECT_TRUE(mainScreenShown(p));
  EXPECT_EQ(p.state().test, (DisplaySettings{1024, 768, 32, 60}));
  p.moveTo(5, 5);  // away from the menu: only keys move the highlight
  p.typeAhead({END, '\r'});
  EXPECT_TRUE(p.finished());
  EXPECT_EQ(p.exitStatus(), 0);
}

TEST_F(Person, AfterASwitchTheMainScreenKnowsWhereThePointerRestsNow) {
  p.click(MX + 20, row(2));
  ASSERT_TRUE(cardShown());
  // The hand moves on while the display switches back: no window sees the motion.
  p.moveUnseen(MX + 20, row(12));
  p.type(" ");
  ASSERT_TRUE(mainScreenShown(p));
  EXPECT_EQ(litItem(p), 12);
}

}  // namespace
}  // namespace orventa::testing
