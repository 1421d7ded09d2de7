#include "graphics/input.h"

#include <array>

#include "graphics/platform/platform.h"
#include "graphics/screen_state.h"

namespace orventa {
namespace {

struct KeyQueue {
  std::array<std::uint32_t, 16> slots{};
  unsigned read = 0;
  unsigned write = 0;
  bool pressed = false;
};

struct Mouse {
  int x = 0;
  int y = 0;
  int wheel = 0;
  int buttons = 0;
  // Buttons released before any read saw them down: a click shorter than one poll still counts.
  int unseen = 0;
  int releaseAfterRead = 0;
  bool inside = false;
  bool active = true;
};

KeyQueue keys;
Mouse mouse;

class Sink final : public platform::InputSink {
 public:
  void queueKey(std::uint32_t code) override {
    ScreenLock lock;
    keys.slots[keys.write] = code;
    keys.write = (keys.write + 1) % 16;
    if (keys.write == keys.read) keys.read = (keys.read + 1) % 16;  // drop the oldest
    keys.pressed = true;
  }
  void mouseMoved(int x, int y) override {
    ScreenLock lock;
    // The window reports positions as unsigned 16-bit values.
    mouse.x = x & 0xFFFF;
    mouse.y = y & 0xFFFF;
    mouse.inside = true;
  }
  void mouseButton(int bit, bool down) override {
    ScreenLock lock;
    if (bit < 0 || bit > 2) return;
    const int mask = 1 << bit;
    if (down) {
      mouse.buttons |= mask;
      mouse.unseen |= mask;
      mouse.releaseAfterRead &= ~mask;
    } else if ((mouse.unseen & mask) != 0) {
      mouse.releaseAfterRead |= mask;
    } else {
      mouse.buttons &= ~mask;
    }
  }
  void mouseWheel(int delta) override {
    ScreenLock lock;
    mouse.wheel += delta;
  }
  void pointerInside(bool inside) override {
    ScreenLock lock;
    mouse.inside = inside;
  }
  void windowActive(bool active) override {
    ScreenLock lock;
    mouse.active = active;
  }
} sink;

bool takePressed() {
  ScreenLock lock;
  const bool was = keys.pressed;
  keys.pressed = false;
  return was;
}

void sleepMs(int ms) {
  if (platform::Platform* p = platform::currentPlatform(); p != nullptr) p->sleepMilliseconds(ms);
}

}  // namespace

platform::InputSink& inputSink() { return sink; }

void resetInputState() {
  ScreenLock lock;
  keys = KeyQueue{};
  mouse = Mouse{};
}

void discardKeys() {
  ScreenLock lock;
  keys.read = keys.write;
  keys.pressed = false;
}

std::string readKey() {
  if (openScreen() == nullptr) return {};
  std::uint32_t code = 0;
  {
    ScreenLock lock;
    keys.pressed = false;
    if (keys.read == keys.write) {
      code = 0xFFFFFFFFu;
    } else {
      code = keys.slots[keys.read];
      keys.read = (keys.read + 1) % 16;
    }
  }
  if (code == 0xFFFFFFFFu) {
    if (platform::Platform* p = platform::currentPlatform(); p != nullptr) p->idle();
    return {};
  }
  if (code < 256) return std::string(1, static_cast<char>(code));
  return std::string{static_cast<char>(0xFF), static_cast<char>((code >> 8) & 0xFF)};
}

int readMouse(int& x, int& y, int& wheel, int& buttons, int& clip) {
  bool ok = false;
  if (openScreen() != nullptr) {
    ScreenLock lock;
    ok = mouse.active && mouse.inside;
    if (ok) {
      x = mouse.x;
      y = mouse.y;
      wheel = mouse.wheel;
      buttons = mouse.buttons;
      mouse.unseen = 0;
      mouse.buttons &= ~mouse.releaseAfterRead;
      mouse.releaseAfterRead = 0;
      clip = 0;  // the pointer is never confined
    }
  }
  if (platform::Platform* p = platform::currentPlatform(); p != nullptr) p->idle();
  if (ok) return 0;
  x = y = wheel = buttons = clip = -1;
  return 1;
}

int mouseButtons() {
  int x = 0;
  int y = 0;
  int wheel = 0;
  int buttons = 0;
  int clip = 0;
  readMouse(x, y, wheel, buttons, clip);
  return buttons;
}

void pause(int milliseconds) {
  if (openScreen() == nullptr) return;
  if (milliseconds == -1) {
    while (!takePressed()) {
      if (platform::Platform* p = platform::currentPlatform(); p != nullptr) p->idle();
      sleepMs(50);
    }
    return;
  }
  if (milliseconds <= 0) return;
  int remaining = milliseconds;
  if (milliseconds >= 100) {
    while (remaining > 50) {
      if (takePressed()) return;
      sleepMs(50);
      remaining -= 50;
    }
  }
  sleepMs(remaining);
}

void sleepMilliseconds(int milliseconds) { sleepMs(milliseconds); }

void idle() {
  if (platform::Platform* p = platform::currentPlatform(); p != nullptr) p->idle();
}

double timer() {
  platform::Platform* p = platform::currentPlatform();
  return p == nullptr ? 0.0 : p->seconds();
}

void beep() {
  if (platform::Platform* p = platform::currentPlatform(); p != nullptr) p->beep(1000, 250);
}

}  // namespace orventa
