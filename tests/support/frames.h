// What the scenario tests share: desktops, the menus they click through, and pictures drawn by
// the graphics layer alone.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "graphics/colour.h"
#include "graphics/platform/headless/headless_platform.h"
#include "graphics/screen.h"
#include "tests/support/program.h"

namespace orventa::testing {

using Frame = std::vector<std::uint32_t>;  // 0x00RRGGBB, row 0 first

constexpr std::uint32_t SHOWN_WHITE = 0xFFFFFF;
constexpr std::uint32_t SHOWN_RED = 0xFF0000;
constexpr std::uint32_t SHOWN_BLUE = 0x0000FF;
constexpr std::uint32_t SHOWN_GREY = 0xA0A0A0;  // the main screen
constexpr std::uint32_t shownGrey(std::uint32_t level) { return level * 0x010101u; }
inline std::uint32_t shownIndex(int i) { return defaultPalette()[std::size_t(i)] & 0xFFFFFF; }

inline platform::HeadlessConfig desktopOf(int width, int height, int depth = 32) {
  platform::HeadlessConfig config;
  config.desktop = {width, height, depth, 60};
  return config;
}
// A 1024 x 768 desktop whose display accepts every mode.
inline platform::HeadlessConfig acceptingEverything() {
  platform::HeadlessConfig config = desktopOf(1024, 768);
  config.accepts = [](const platform::DisplayMode&, bool) { return true; };
  return config;
}

// The program, started and waiting at the main screen.
struct Started : Program {
  explicit Started(platform::HeadlessConfig c = desktopOf(1024, 768)) : Program(std::move(c)) {
    start();
  }
};

// Clicks item k (from 1) of the menu box whose top-left corner is at (fx W, fy H) of the desktop.
inline void pick(Program& p, double fx, double fy, int item) {
  const DisplaySettings& d = p.state().desktop;
  p.click(static_cast<int>(std::nearbyint(fx * d.width)) + 20,
          static_cast<int>(std::nearbyint(fy * d.height)) + 30 * (item - 1) + 10);
}
inline void pickMain(Program& p, int item) { pick(p, 1.0 / 8, 1.0 / 4, item); }

inline void testSettings(Program& p, int width, int height, int depth) {
  p.state().test = {width, height, depth, p.state().desktop.refreshRate};
}
inline int beeps(Program& p) { return int(p.logged("beep 1000 250").size()); }
inline int opens(Program& p) { return int(p.logged("open ").size()); }

inline bool mainScreenShown(Program& p) {
  return p.shownWidth() == p.state().desktop.width && p.pixel(5, 5) == SHOWN_GREY;
}
// The error box's first bar; the box is at (W/2 - 175, H/3) of the desktop.
inline bool errorBoxShown(Program& p) {
  const DisplaySettings& d = p.state().desktop;
  return p.pixel(d.width / 2 - 175 + 300, d.height / 3 + 10) == SHOWN_RED;
}

// What a fresh, black width x height x 32 screen shows after `draw`. Only while no Program runs:
// the graphics layer has one screen.
inline Frame referenceFrame(int width, int height, const std::function<void()>& draw) {
  platform::HeadlessPlatform display(desktopOf(width, height));
  platform::usePlatform(&display);
  Frame shown;
  if (setScreenMode(width, height, 32, 1, FULL_SCREEN, 0) == 0) {
    draw();
    shown = display.snapshot();
  }
  platform::usePlatform(nullptr);  // closes the screen
  return shown;
}

inline Frame frameOf(int width, int height, const std::function<std::uint32_t(int, int)>& at) {
  Frame f;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) f.push_back(at(x, y));
  return f;
}

// Whether the display shows `expected`; else where the first difference is.
inline ::testing::AssertionResult shows(Program& p, const Frame& expected) {
  const Frame shown = p.frame();
  if (shown == expected) return ::testing::AssertionSuccess();
  const auto w = static_cast<std::size_t>(std::max(p.shownWidth(), 1));
  const auto first = static_cast<std::size_t>(
      std::mismatch(shown.begin(), shown.end(), expected.begin(), expected.end()).first -
      shown.begin());
  return ::testing::AssertionFailure() << "differs from (" << first % w << ", " << first / w << ")";
}

struct Px {
  int x, y;
  std::uint32_t shown;
};
inline void expectPixels(Program& p, const std::vector<Px>& points) {
  for (const Px& e : points) EXPECT_EQ(p.pixel(e.x, e.y), e.shown) << e.x << ", " << e.y;
}

}  // namespace orventa::testing
