// The key queue, key strings (with the SDL key mapping), the pause rule and the mouse state.
#include "graphics/input.h"

#include <SDL_keycode.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

#include "graphics/platform/sdl/sdl_keys.h"
#include "tests/support/headless_fixture.h"
#include "tests/support/relay_platform.h"

namespace orventa {
namespace {

// The headless display, where a key can be typed during the next sleep.
class TypingDisplay final : public testing::RelayPlatform {
 public:
  explicit TypingDisplay(platform::HeadlessPlatform& headless)
      : RelayPlatform(headless), headless_(headless) {}
  void sleepMilliseconds(int ms) override {
    base_.sleepMilliseconds(ms);
    if (std::exchange(typeOnNextSleep, false)) headless_.input()->queueKey('x');
  }
  bool typeOnNextSleep = false;

 private:
  platform::HeadlessPlatform& headless_;
};

class InputTest : public testing::HeadlessTest {
 protected:
  InputTest() {
    platform::usePlatform(&typing_);
    // Mouse state outlives screens and tests: start from a window the pointer has not entered.
    for (int bit = 0; bit < 3; ++bit) input().mouseButton(bit, false);
    input().windowActive(true);
    input().pointerInside(false);
  }
  ~InputTest() override { platform::usePlatform(&display_); }  // before typing_ is gone
  void open() {
    HeadlessTest::open(1024, 768, 32);
    while (!readKey().empty()) {
    }
  }
  platform::InputSink& input() { return *display_.input(); }
  // Virtual milliseconds that pause(ms) takes.
  long pauseMs(int ms) {
    const double start = display_.seconds();
    pause(ms);
    return std::lround((display_.seconds() - start) * 1000);
  }

  TypingDisplay typing_{display_};
};

std::string extended(int scanCode) { return {'\xFF', static_cast<char>(scanCode)}; }

TEST_F(InputTest, SixteenKeysTypedKeepTheLastFifteenInOrder) {
  open();
  for (char c = 'a'; c < 'a' + 16; ++c) input().queueKey(static_cast<std::uint32_t>(c));
  for (char c = 'b'; c < 'a' + 16; ++c) EXPECT_EQ(readKey(), std::string(1, c));
  EXPECT_EQ(readKey(), "");
  input().queueKey(13);  // the ring goes on working after wrapping
  EXPECT_EQ(readKey(), "\r");
}

TEST_F(InputTest, KeysGiveTheirStringsAndModifiersTheBiosCodes) {
  open();
  const struct {
    SDL_Keycode key;
    std::uint16_t modifiers;
    std::string text;  // empty: the key queues nothing
  } cases[] = {
      // clang-format off
      {SDLK_KP_ENTER, KMOD_NONE, "\r"}, {SDLK_ESCAPE, KMOD_NONE, "\x1B"},
      {SDLK_PAGEDOWN, KMOD_NONE, extended('Q')}, {SDLK_F11, KMOD_NONE, extended(133)},
      // The keypad moves with Num Lock off only.
      {SDLK_KP_8, KMOD_NONE, extended('H')}, {SDLK_KP_8, KMOD_NUM, ""},
      // Alt before Ctrl before Shift.
      {SDLK_F12, KMOD_LCTRL, extended(0x8A)}, {SDLK_F1, KMOD_LCTRL | KMOD_LSHIFT, extended(0x5E)},
      {SDLK_LEFT, KMOD_LCTRL | KMOD_LALT | KMOD_LSHIFT, extended(0x9B)},
      // clang-format on
  };
  for (const auto& c : cases) {
    const std::uint32_t code = platform::keyDownCode(c.key, c.modifiers);
    if (code != 0) input().queueKey(code);
    EXPECT_EQ(readKey(), c.text) << c.key << " " << c.modifiers;
  }
}

// The PC's extended codes of the ten grey keys, plain, with Shift (the same), Ctrl and Alt, from
// its keyboard tables; either Shift, Ctrl or Alt key counts.
TEST_F(InputTest, EveryGreyKeyHasItsPlainShiftCtrlAndAltCode) {
  open();
  const struct {
    SDL_Keycode key;
    unsigned char plain, ctrl, alt;
  } keys[] = {{SDLK_HOME, 0x47, 0x77, 0x97},   {SDLK_UP, 0x48, 0x8D, 0x98},
              {SDLK_PAGEUP, 0x49, 0x84, 0x99}, {SDLK_LEFT, 0x4B, 0x73, 0x9B},
              {SDLK_RIGHT, 0x4D, 0x74, 0x9D},  {SDLK_END, 0x4F, 0x75, 0x9F},
              {SDLK_DOWN, 0x50, 0x91, 0xA0},   {SDLK_PAGEDOWN, 0x51, 0x76, 0xA1},
              {SDLK_INSERT, 0x52, 0x92, 0xA2}, {SDLK_DELETE, 0x53, 0x93, 0xA3}};
  for (const auto& k : keys) {
    const std::pair<std::uint16_t, unsigned char> presses[] = {
        {KMOD_NONE, k.plain}, {KMOD_LSHIFT, k.plain}, {KMOD_RSHIFT, k.plain}, {KMOD_LCTRL, k.ctrl},
        {KMOD_RCTRL, k.ctrl}, {KMOD_LALT, k.alt},     {KMOD_RALT, k.alt}};
    for (const auto& [modifiers, code] : presses) {
      input().queueKey(platform::keyDownCode(k.key, modifiers));
      EXPECT_EQ(readKey(), extended(code)) << k.key << " " << modifiers;
    }
  }
}

TEST_F(InputTest, PauseIsCutAtTheSliceAfterAKeyAndLeavesItQueuedButNotBelow100) {
  open();
  typing_.typeOnNextSleep = true;
  EXPECT_EQ(pauseMs(300), 50);
  EXPECT_EQ(readKey(), "x");
  // A key read before the pause does not cut it; one typed just before does, at once.
  EXPECT_EQ(pauseMs(300), 300);
  input().queueKey('y');
  EXPECT_EQ(pauseMs(99), 99);
  EXPECT_EQ(pauseMs(300), 0);
  EXPECT_EQ(readKey(), "y");
}

struct MouseState {
  int result;
  int x, y, wheel, buttons, clip;
  bool operator==(const MouseState&) const = default;
};

MouseState mouse() {
  MouseState m{};
  m.result = readMouse(m.x, m.y, m.wheel, m.buttons, m.clip);
  return m;
}

constexpr MouseState FAILED{1, -1, -1, -1, -1, -1};

TEST_F(InputTest, MouseFailsWithoutScreenOrFocusAndSeesAQuickClickOnce) {
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

  // Down and up arrive together, as a quick click does within one pass of the event loop.
  input().mouseButton(0, true);
  input().mouseButton(0, false);
  EXPECT_EQ(mouse().buttons, 1);
  EXPECT_EQ(mouse().buttons, 0);
  // A press held across reads is released by its own up event, not by the reads.
  input().mouseButton(1, true);
  mouse();
  EXPECT_EQ(mouse().buttons, 2);
  input().mouseButton(1, false);
  EXPECT_EQ(mouse().buttons, 0);
}

}  // namespace
}  // namespace orventa
