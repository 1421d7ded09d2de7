// The key queue, key strings (with the SDL key mapping), the pause rule and the mouse state.
#include "graphics/input.h"

#include <SDL_keycode.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "graphics/platform/headless/headless_platform.h"
#include "graphics/platform/sdl/sdl_keys.h"
#include "graphics/screen.h"

namespace orventa {
namespace {

using platform::keyDownCode;
using platform::textInputCodes;

// The headless display, with a key typed while the program sleeps for the n-th time.
class TypingDisplay final : public platform::Platform {
 public:
  // Types `typed` during the n-th sleep from now.
  void typeDuringSleep(int n) {
    sleeps_ = 0;
    typeAtSleep_ = n;
  }
  std::uint32_t typed = 'x';

  int run(const std::function<int()>& program) override { return headless_.run(program); }
  void connect(platform::FrameSource* frames, platform::InputSink* input) override {
    headless_.connect(frames, input);
  }
  platform::DisplayMode desktopMode() override { return headless_.desktopMode(); }
  std::vector<platform::DisplayMode> displayModes() override { return headless_.displayModes(); }
  bool openDisplay(const platform::DisplayMode& mode, bool fullScreen) override {
    return headless_.openDisplay(mode, fullScreen);
  }
  int currentRefreshRate() override { return headless_.currentRefreshRate(); }
  void closeDisplay() override { headless_.closeDisplay(); }
  void waitVerticalRetrace() override { headless_.waitVerticalRetrace(); }
  double seconds() override { return headless_.seconds(); }
  void sleepMilliseconds(int ms) override {
    headless_.sleepMilliseconds(ms);
    if (++sleeps_ == typeAtSleep_) input().queueKey(typed);
  }
  void idle() override { headless_.idle(); }
  void beep(int frequencyHz, int durationMs) override { headless_.beep(frequencyHz, durationMs); }
  platform::FontEngine& fonts() override { return headless_.fonts(); }
  int runCommand(const std::string& commandLine) override {
    return headless_.runCommand(commandLine);
  }

  platform::InputSink& input() { return *headless_.input(); }

 private:
  platform::HeadlessPlatform headless_;
  int sleeps_ = 0;
  int typeAtSleep_ = 0;  // 0: never
};

class InputTest : public ::testing::Test {
 protected:
  InputTest() {
    platform::usePlatform(&display_);
    // Mouse state outlives screens and tests: start from a window the pointer has not entered.
    for (int bit = 0; bit < 3; ++bit) input().mouseButton(bit, false);
    input().windowActive(true);
    input().pointerInside(false);
  }
  ~InputTest() override {
    setNumberedScreenMode(0, 0, 0, 0, 0);
    platform::usePlatform(nullptr);
  }

  void open() {
    const platform::DisplayMode desktop = display_.desktopMode();
    ASSERT_EQ(setScreenMode(desktop.width, desktop.height, 32, 1, FULL_SCREEN, 0), 0);
    while (!readKey().empty()) {
    }
  }

  platform::InputSink& input() { return display_.input(); }

  // Virtual milliseconds that pause(ms) takes.
  long pauseMs(int ms) {
    const double start = display_.seconds();
    pause(ms);
    return std::lround((display_.seconds() - start) * 1000);
  }

  // The string readKey gives for one key-down event.
  std::string keyString(SDL_Keycode key, std::uint16_t modifiers = KMOD_NONE) {
    const std::uint32_t code = keyDownCode(key, modifiers);
    if (code == 0) return "none";
    input().queueKey(code);
    return readKey();
  }

  TypingDisplay display_;
};

std::string extended(int scanCode) { return {'\xFF', static_cast<char>(scanCode)}; }

TEST_F(InputTest, SixteenKeysTypedKeepTheLastFifteenInOrder) {
  open();
  for (char c = 'a'; c < 'a' + 16; ++c) input().queueKey(static_cast<std::uint32_t>(c));
  for (char c = 'b'; c < 'a' + 16; ++c) EXPECT_EQ(readKey(), std::string(1, c));
  EXPECT_EQ(readKey(), "");
  // The ring goes on working after wrapping.
  input().queueKey(extendedKey('H'));
  input().queueKey(13);
  EXPECT_EQ(readKey(), extended('H'));
  EXPECT_EQ(readKey(), "\r");
  EXPECT_EQ(readKey(), "");
}

TEST_F(InputTest, NoScreenReadsNoKey) {
  input().queueKey('a');
  EXPECT_EQ(readKey(), "");
}

TEST_F(InputTest, KeysOfTheTableGiveTheirStrings) {
  open();
  EXPECT_EQ(keyString(SDLK_RETURN), "\r");
  EXPECT_EQ(keyString(SDLK_KP_ENTER), "\r");
  EXPECT_EQ(keyString(SDLK_ESCAPE), "\x1B");
  EXPECT_EQ(keyString(SDLK_BACKSPACE), "\b");
  EXPECT_EQ(keyString(SDLK_TAB), "\t");
  EXPECT_EQ(keyString(SDLK_UP), extended('H'));
  EXPECT_EQ(keyString(SDLK_DOWN), extended('P'));
  EXPECT_EQ(keyString(SDLK_LEFT), extended('K'));
  EXPECT_EQ(keyString(SDLK_RIGHT), extended('M'));
  EXPECT_EQ(keyString(SDLK_HOME), extended('G'));
  EXPECT_EQ(keyString(SDLK_END), extended('O'));
  EXPECT_EQ(keyString(SDLK_PAGEUP), extended('I'));
  EXPECT_EQ(keyString(SDLK_PAGEDOWN), extended('Q'));
  EXPECT_EQ(keyString(SDLK_INSERT), extended('R'));
  EXPECT_EQ(keyString(SDLK_DELETE), extended('S'));
  EXPECT_EQ(keyString(SDLK_F1), extended(';'));
  EXPECT_EQ(keyString(SDLK_F5), extended('?'));
  EXPECT_EQ(keyString(SDLK_F10), extended('D'));
  EXPECT_EQ(keyString(SDLK_F11), extended(133));
  EXPECT_EQ(keyString(SDLK_F12), extended(134));
}

TEST_F(InputTest, ModifiersGiveTheBiosCodesWithAltBeforeCtrlBeforeShift) {
  open();
  EXPECT_EQ(keyString(SDLK_UP, KMOD_LCTRL), extended(141));
  EXPECT_EQ(keyString(SDLK_UP, KMOD_RSHIFT), extended('H'));  // grey keys ignore Shift
  EXPECT_EQ(keyString(SDLK_UP, KMOD_LALT), extended(0x98));
  EXPECT_EQ(keyString(SDLK_LEFT, KMOD_RCTRL), extended(0x73));
  EXPECT_EQ(keyString(SDLK_HOME, KMOD_LCTRL), extended(0x77));
  EXPECT_EQ(keyString(SDLK_PAGEUP, KMOD_LCTRL), extended(0x84));
  EXPECT_EQ(keyString(SDLK_DELETE, KMOD_RALT), extended(0xA3));
  EXPECT_EQ(keyString(SDLK_F1, KMOD_LSHIFT), extended(0x54));
  EXPECT_EQ(keyString(SDLK_F10, KMOD_LCTRL), extended(0x67));
  EXPECT_EQ(keyString(SDLK_F10, KMOD_LALT), extended(0x71));
  EXPECT_EQ(keyString(SDLK_F11, KMOD_LSHIFT), extended(0x87));
  EXPECT_EQ(keyString(SDLK_F12, KMOD_LCTRL), extended(0x8A));
  EXPECT_EQ(keyString(SDLK_F12, KMOD_LALT), extended(0x8C));
  EXPECT_EQ(keyString(SDLK_LEFT, KMOD_LCTRL | KMOD_LALT | KMOD_LSHIFT), extended(0x9B));
  EXPECT_EQ(keyString(SDLK_F1, KMOD_LCTRL | KMOD_LSHIFT), extended(0x5E));
}

TEST_F(InputTest, KeypadMovesOnlyWithNumLockOff) {
  open();
  EXPECT_EQ(keyString(SDLK_KP_8), extended('H'));
  EXPECT_EQ(keyString(SDLK_KP_0, KMOD_LCTRL), extended(0x92));
  EXPECT_EQ(keyString(SDLK_KP_PERIOD), extended('S'));
  // With Num Lock on the keypad types digits, which arrive as text.
  EXPECT_EQ(keyString(SDLK_KP_8, KMOD_NUM), "none");
  EXPECT_EQ(keyString(SDLK_UP, KMOD_NUM), extended('H'));
}

// Keys that type a character come as text input; a key-down code as well would count them twice.
TEST(KeyMappingTest, TypingKeysQueueNothingOnKeyDown) {
  for (SDL_Keycode key : {SDLK_a, SDLK_z, SDLK_0, SDLK_SPACE, SDLK_PERIOD, SDLK_KP_5})
    EXPECT_EQ(keyDownCode(key, KMOD_NONE), 0u) << key;
  for (SDL_Keycode key : {SDLK_LSHIFT, SDLK_RCTRL, SDLK_LALT, SDLK_CAPSLOCK, SDLK_NUMLOCKCLEAR})
    EXPECT_EQ(keyDownCode(key, KMOD_NONE), 0u) << key;
}

// Code page 437 from 0x80, as Unicode.
constexpr char32_t CP437_HIGH[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4,
    0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};

std::string utf8(char32_t c) {
  if (c < 0x80) return std::string(1, static_cast<char>(c));
  if (c < 0x800) return {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
  return {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
          static_cast<char>(0x80 | (c & 0x3F))};
}

using Codes = std::vector<std::uint32_t>;

TEST(TextInputTest, CharactersBecomeCodePage437) {
  EXPECT_EQ(textInputCodes("aB3 ~"), (Codes{'a', 'B', '3', ' ', '~'}));
  EXPECT_EQ(textInputCodes("\xC3\xA9"), Codes{0x82});  // é
  // Every Latin-1 character that code page 437 holds lands on its place there...
  for (int i = 0; i < 128; ++i) {
    if (CP437_HIGH[i] > 0xFF) continue;
    EXPECT_EQ(textInputCodes(utf8(CP437_HIGH[i])), Codes{0x80u + i}) << i;
  }
  // ...and the ones it lacks queue nothing.
  for (char32_t c = 0xA0; c <= 0xFF; ++c) {
    if (std::find(std::begin(CP437_HIGH), std::end(CP437_HIGH), c) != std::end(CP437_HIGH))
      continue;
    EXPECT_EQ(textInputCodes(utf8(c)), Codes{}) << static_cast<int>(c);
  }
}

TEST(TextInputTest, CharactersAbove255AndMalformedTextQueueNothing) {
  EXPECT_EQ(textInputCodes("\xE2\x82\xAC"), Codes{});  // €
  EXPECT_EQ(textInputCodes("\xCE\xB1"), Codes{});      // α, in 437 but above 255
  EXPECT_EQ(textInputCodes("a\xE2\x82\xAC\xC3\xBC"), (Codes{'a', 0x81}));  // a€ü
  EXPECT_EQ(textInputCodes("\xF0\x9F\x98\x80z"), Codes{'z'});              // an emoji, then z
  EXPECT_EQ(textInputCodes("\xC3"), Codes{});                              // cut short
  EXPECT_EQ(textInputCodes("\x7F\xC2\x85"), Codes{});                      // control characters
}

TEST_F(InputTest, PauseIsCutAtTheSliceAfterAKeyAndLeavesItQueued) {
  open();
  display_.typeDuringSleep(1);
  EXPECT_EQ(pauseMs(300), 50);
  EXPECT_EQ(readKey(), "x");
  // A key read before the pause does not cut it; one typed just before does, at once.
  EXPECT_EQ(pauseMs(300), 300);
  input().queueKey('y');
  EXPECT_EQ(pauseMs(300), 0);
  EXPECT_EQ(readKey(), "y");
}

TEST_F(InputTest, PausesBelow100AreNeverCutAndOf100OnlyAtTheStart) {
  open();
  input().queueKey('a');
  EXPECT_EQ(pauseMs(50), 50);
  EXPECT_EQ(pauseMs(99), 99);
  EXPECT_EQ(readKey(), "a");
  // 100 is sliced, but its only key check comes before its first sleep.
  input().queueKey('b');
  EXPECT_EQ(pauseMs(100), 0);
  EXPECT_EQ(readKey(), "b");
  display_.typeDuringSleep(1);
  EXPECT_EQ(pauseMs(100), 100);
  EXPECT_EQ(readKey(), "x");
  display_.typeDuringSleep(1);
  EXPECT_EQ(pauseMs(101), 50);
  EXPECT_EQ(readKey(), "x");
}

TEST_F(InputTest, PauseOfMinusOneWaitsForAKeyAndOthersReturnAtOnce) {
  open();
  display_.typeDuringSleep(3);
  const long waited = pauseMs(-1);
  EXPECT_GE(waited, 150);
  EXPECT_LT(waited, 200);  // within the slice after the key
  EXPECT_EQ(readKey(), "x");
  EXPECT_EQ(pauseMs(0), 0);
  EXPECT_EQ(pauseMs(-2), 0);
}

TEST_F(InputTest, PauseWithoutAScreenReturnsAtOnce) { EXPECT_EQ(pauseMs(300), 0); }

struct MouseState {
  int result;
  int x, y, wheel, buttons, clip;
  bool operator==(const MouseState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const MouseState& m) {
  return out << m.result << ": " << m.x << "," << m.y << " wheel " << m.wheel << " buttons "
             << m.buttons << " clip " << m.clip;
}

MouseState mouse() {
  MouseState m{};
  m.result = readMouse(m.x, m.y, m.wheel, m.buttons, m.clip);
  return m;
}

constexpr MouseState FAILED{1, -1, -1, -1, -1, -1};

TEST_F(InputTest, MouseFailsWithoutScreenOutsideTheWindowOrWhenInactive) {
  input().mouseMoved(10, 20);
  EXPECT_EQ(mouse(), FAILED) << "no screen";
  open();
  input().pointerInside(false);
  EXPECT_EQ(mouse(), FAILED) << "pointer not yet inside";
  input().mouseMoved(10, 20);
  const int wheel = mouse().wheel;
  EXPECT_EQ(mouse(), (MouseState{0, 10, 20, wheel, 0, 0}));
  input().windowActive(false);
  EXPECT_EQ(mouse(), FAILED) << "inactive";
  input().windowActive(true);
  EXPECT_EQ(mouse(), (MouseState{0, 10, 20, wheel, 0, 0}));
  input().pointerInside(false);
  EXPECT_EQ(mouse(), FAILED) << "pointer left";
}

TEST_F(InputTest, MouseButtonsAndWheel) {
  open();
  input().mouseMoved(5, 6);
  const int wheel = mouse().wheel;
  input().mouseButton(0, true);
  EXPECT_EQ(mouse().buttons, 1);
  input().mouseButton(1, true);
  input().mouseButton(2, true);
  EXPECT_EQ(mouse().buttons, 7);
  input().mouseButton(0, false);
  input().mouseButton(2, false);
  EXPECT_EQ(mouse().buttons, 2);
  input().mouseWheel(1);
  input().mouseWheel(1);
  input().mouseWheel(-1);
  EXPECT_EQ(mouse().wheel, wheel + 1);
}

TEST_F(InputTest, AClickShorterThanOnePollIsSeenOnce) {
  open();
  input().mouseMoved(5, 6);
  mouse();
  // Down and up arrive together, as a quick click does within one pass of the event loop.
  input().mouseButton(0, true);
  input().mouseButton(0, false);
  EXPECT_EQ(mouse().buttons, 1);
  EXPECT_EQ(mouse().buttons, 0);
  // A press held across reads is released by its own up event, not by the reads.
  input().mouseButton(1, true);
  EXPECT_EQ(mouse().buttons, 2);
  EXPECT_EQ(mouse().buttons, 2);
  input().mouseButton(1, false);
  EXPECT_EQ(mouse().buttons, 0);
}

}  // namespace
}  // namespace orventa
