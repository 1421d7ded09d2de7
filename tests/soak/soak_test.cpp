// The whole program under a long seeded stream of random input (clicks mostly on menu items, keys,
// held buttons, the close button, focus loss, the pointer outside, settings typed through the
// menus) with the display refusing some modes and frame memory running short. Nothing may crash,
// hang, leak or strand the user. ORVENTA_SOAK_SEED=N ORVENTA_SOAK_EVENTS=N replay one run.
#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "graphics/input.h"
#include "graphics/screen.h"
#include "graphics/screen_state.h"
#include "tests/support/program.h"

namespace orventa {
namespace {

using testing::Program;

constexpr int W = 800;
constexpr int H = 600;
constexpr int MENU_X = 100;  // the main menu at (W/8, H/4)
constexpr int MENU_Y = 150;
// A program left alone may use up this much virtual time before it must wait for input again
// (the refresh test's countdown and confirmation are the longest).
constexpr double MOST_VIRTUAL_SECONDS_WITHOUT_INPUT = 30;

unsigned long envOr(const char* name, unsigned long fallback) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::strtoul(value, nullptr, 10) : fallback;
}

platform::HeadlessConfig display() {
  platform::HeadlessConfig config;
  config.desktop = {W, H, 32, 60};
  config.modes.clear();
  for (auto [w, h] : {std::pair{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}})
    for (int bpp : {8, 16, 24, 32})
      for (int rate : {60, 75}) config.modes.push_back({w, h, bpp, rate});
  // Some modes are refused whole, some only at their rate; windows up to any size open.
  config.accepts = [](const platform::DisplayMode& m, bool fullScreen) {
    if (!fullScreen) return (m.width * 7 + m.height * 3) % 11 != 0;
    const bool listed = m.width <= 1280 && m.height <= 1024 && m.width % 160 == 0;
    return listed && (m.width + m.height + m.bitsPerPixel + m.refreshRate) % 5 != 0;
  };
  return config;
}

std::size_t heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return 0;  // the sanitizer keeps freed memory in quarantine; it reports leaks itself
#else
  return mallinfo2().uordblks;
#endif
}

struct Soak {
  std::mt19937 random;
  std::string recent;  // the last 30 events, a line each
  int noted = 0;
  int cappedSteps = 0;

  int pick(int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); }
  double seconds(double most) { return std::uniform_real_distribution<double>(0, most)(random); }

  void note(const std::string& event) {
    recent += "  " + event + "\n";
    if (++noted > 30) recent.erase(0, recent.find('\n') + 1);
  }

  // One random step of a person at the keyboard and mouse.
  void step(Program& p) {
    if (cappedSteps > 0 && --cappedSteps == 0) {
      note("frame memory back");
      capFrameMemory(0);
    }
    const int w = p.shownWidth() > 0 ? p.shownWidth() : W;
    const int h = p.shownHeight() > 0 ? p.shownHeight() : H;
    const int kind = pick(100);
    if (kind < 40) {
      const int item = 1 + pick(12);  // never "Visit homepage" or "Exit Program" on purpose
      note("main menu item " + std::to_string(item));
      p.click(MENU_X + 20, MENU_Y + 30 * (item - 1) + 10);
    } else if (kind < 55) {
      const int x = pick(w + 40) - 20;
      const int y = pick(h + 40) - 20;
      note("click " + std::to_string(x) + "," + std::to_string(y));
      if (x >= 0 && y >= 0 && x < w && y < h) {
        p.click(x, y);
      } else {  // outside the window
        p.leaveWindow();
        p.moveTo(pick(w), pick(h));
      }
    } else if (kind < 75) {
      key(p);
    } else if (kind < 80) {
      const double held = seconds(2);
      note("button held " + std::to_string(held) + " s");
      p.moveTo(pick(w), pick(h));
      p.press(pick(3));
      p.settle(held);
      for (int b = 0; b < 3; ++b) p.release(b);
    } else if (kind < 83) {
      note("close button");
      p.extendedKey('k');
    } else if (kind < 86) {
      note("focus lost for a while");
      p.display().input()->windowActive(false);
      p.settle(seconds(3));
      p.display().input()->windowActive(true);
      p.moveTo(pick(w), pick(h));
    } else if (kind < 94) {
      settings(p);
    } else if (kind < 96) {
      // From too little for any screen to enough for a 1024 x 768 x 32 test mode, for a while.
      const std::size_t cap = std::size_t{1} << (10 + pick(14));
      cappedSteps = 1 + pick(20);
      note("frame memory capped at " + std::to_string(cap) + " bytes for " +
           std::to_string(cappedSteps) + " events");
      capFrameMemory(cap);
    } else {
      const double t = seconds(6);
      note("waited " + std::to_string(t) + " s");
      p.settle(t);
    }
  }

  // Back to the main screen the way a person would: clicks, keys, patience; and with memory
  // enough for it.
  bool home(Program& p) {
    cappedSteps = 0;
    capFrameMemory(0);
    for (int tries = 0; tries < 80; ++tries) {
      if (atMainScreen(p)) {
        // A submenu may be open over the main menu, off the pixels looked at: a click
        // outside every menu closes it.
        p.click(W - 5, 5);
        if (atMainScreen(p)) return true;
      }
      if (tries % 4 == 0) p.click(W / 2, H - 2);
      if (tries % 4 == 1) p.type("\x1b");
      if (tries % 4 == 2) p.settle(10);
      if (tries % 4 == 3) p.type("\r");
      if (p.finished()) return false;
    }
    return atMainScreen(p);
  }

  static bool atMainScreen(Program& p) {
    return p.shownWidth() == W && p.pixel(5, 5) == 0xA0A0A0 &&
           p.pixel(MENU_X, MENU_Y + 100) == 0xFFFFFF && p.pixel(MENU_X + 411, MENU_Y) == 0xA0A0A0;
  }

  void key(Program& p) {
    const int kind = pick(10);
    if (kind < 2) {
      constexpr unsigned char scans[] = {'H', 'P', 'K', 'M', 'G', 'O', 'I', 'Q', 'R',
                                         'S', ';', 'D', 133, 134, 141, 'k', 's', 't'};
      const unsigned char scan = scans[pick(sizeof scans)];
      note("extended key " + std::to_string(scan));
      p.extendedKey(scan);
      return;
    }
    constexpr const char* keys[] = {"\r", "\x1b", "\b", "h", "H", "q", "Q", "+", "-", " "};
    std::string k = kind < 6 ? keys[pick(10)] : std::string(1, static_cast<char>(32 + pick(95)));
    note("key " + std::to_string(static_cast<unsigned char>(k[0])));
    p.type(k);
  }

  // Test settings through the menus: a table size, a typed one (some absurd), a depth, a rate.
  void settings(Program& p) {
    if (!atMainScreen(p)) {
      key(p);
      return;
    }
    p.click(MENU_X + 20, MENU_Y + 10);  // "Change test settings" at (W/4, H/4) = (200, 150)
    const int choice = pick(4);
    p.click(200 + 20, 150 + 30 * choice + 10);
    if (choice == 0) {
      // The resolution menu at (2.3 W / 8, 1.2 H / 4) = (230, 180); "Custom" is item 15.
      const int item = 1 + pick(15);
      p.click(230 + 20, 180 + 30 * (item - 1) + 10);
      if (item == 15) {
        // Now and then too large for 32 bits, or half typed; mostly a size that may open.
        const int size = pick(20);
        const std::string typed = size == 0 ? "99999999999x5"
                                  : size == 1
                                      ? std::to_string(1 + pick(8192)) + "x"
                                      : std::to_string(1 + pick(size < 4 ? 8192 : 1400)) + "x" +
                                            std::to_string(1 + pick(size < 4 ? 8192 : 1100));
        note("custom resolution " + typed);
        p.type(typed + (pick(2) ? "\r" : "\x1b"));
      } else {
        note("resolution item " + std::to_string(item));
      }
    } else if (choice < 3) {
      const int item = 1 + pick(6);
      note((choice == 1 ? "depth item " : "refresh item ") + std::to_string(item));
      p.click(230 + 20, 195 + 30 * (item - 1) + 10);  // (2.3 W / 8, 1.3 H / 4)
    } else {
      note("reset to default");
    }
  }
};

TEST(Soak, RandomInputNeverCrashesHangsLeaksOrStrandsTheUser) {
  const unsigned long seed = envOr("ORVENTA_SOAK_SEED", 20261206);
  const unsigned long events = envOr("ORVENTA_SOAK_EVENTS", 20000);
  std::printf("soak: seed %lu, %lu events\n", seed, events);
  Soak soak;
  soak.random.seed(static_cast<std::mt19937::result_type>(seed));
  auto program = std::make_unique<Program>(display());
  program->start();
  ASSERT_TRUE(Soak::atMainScreen(*program));
  // Measured once the fonts and caches that every run fills are warm: what grows after that
  // grows with each test.
  const unsigned long warm = events / 5;
  std::size_t heapWhenWarm = 0;

  unsigned long i = 0;
  const auto last = [&] {
    return "event " + std::to_string(i) + " of seed " + std::to_string(seed) +
           "; the last events:\n" + soak.recent;
  };
  for (; i < events; ++i) {
    const double before = program->display().seconds();
    soak.step(*program);
    ASSERT_FALSE(::testing::Test::HasFatalFailure()) << "hung at " << last();
    // Without a screen the main loop asks the display again once a second: that is waiting.
    const double ran = program->display().seconds() - before;
    ASSERT_TRUE(program->shownWidth() == 0 || ran < MOST_VIRTUAL_SECONDS_WITHOUT_INPUT + 10)
        << "ran on " << ran << " s without input at " << last();
    if (program->finished()) {
      ASSERT_EQ(program->exitStatus(), 0) << last();
      soak.note("-- the program ended; started again");
      program.reset();
      program = std::make_unique<Program>(display());
      program->start();
    }
    const bool check = i % 500 == 499 || i + 1 == warm;
    ASSERT_TRUE(!check || soak.home(*program)) << "no way back to the main screen at " << last();
    if (i + 1 == warm) heapWhenWarm = heapInUse();
  }
  ASSERT_TRUE(soak.home(*program));
  const std::size_t heapAtEnd = heapInUse();
  EXPECT_LT(heapAtEnd, heapWhenWarm + (2u << 20))
      << "heap grew from " << heapWhenWarm << " to " << heapAtEnd << " bytes";
  std::printf("soak: heap %zu bytes when warm, %zu at the end\n", heapWhenWarm, heapAtEnd);
  program->click(MENU_X + 20, MENU_Y + 30 * 13 + 10);
  EXPECT_TRUE(program->finished());
  EXPECT_EQ(program->exitStatus(), 0);
}

}  // namespace
}  // namespace orventa
