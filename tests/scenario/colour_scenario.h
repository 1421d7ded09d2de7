// Shared by the colour and tone scenarios: the menus they click through, pixel tables checked
// against one frame, and a witness that sees the display at the moment of a beep.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "graphics/bitmap_font.h"
#include "graphics/colour.h"
#include "tests/support/program.h"

namespace orventa::testing {

inline platform::HeadlessConfig desktopOf(int width, int height, int depth = 32) {
  platform::HeadlessConfig config;
  config.desktop = {width, height, depth, 60};
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
inline int beeps(Program& p) { return static_cast<int>(p.logged("beep").size()); }
inline int opens(Program& p) { return static_cast<int>(p.logged("open ").size()); }

constexpr std::uint32_t SHOWN_GREY = 0xA0A0A0;  // the main screen
constexpr std::uint32_t shownGrey(std::uint32_t level) { return level * 0x010101u; }
inline std::uint32_t shownIndex(int i) { return defaultPalette()[std::size_t(i)] & 0xFFFFFF; }

struct Px {
  int x;
  int y;
  std::uint32_t shown;
};
inline void expectPixels(Program& p, const std::vector<Px>& points) {
  const std::vector<std::uint32_t> f = p.frame();
  const std::size_t w = static_cast<std::size_t>(p.shownWidth());
  for (const Px& e : points)
    EXPECT_EQ(f.at(std::size_t(e.y) * w + std::size_t(e.x)), e.shown) << e.x << ", " << e.y;
}

// Every pixel of the 8 x 8 glyphs of `text` at (x, y): ink on set bits, paper elsewhere.
inline void expectBitmapText(Program& p, int x, int y, const std::string& text, std::uint32_t ink,
                             std::uint32_t paper) {
  std::vector<Px> points;
  for (std::size_t c = 0; c < text.size(); ++c)
    for (int r = 0; r < 8; ++r)
      for (int b = 0; b < 8; ++b)
        points.push_back({x + int(8 * c) + b, y + r,
                          (glyphRows(8, std::uint8_t(text[c]))[r] >> b & 1) != 0 ? ink : paper});
  expectPixels(p, points);
}

// Passes every call on to the headless display; at a beep it first records whether the pixel
// (x, y) shows `colour` at that moment.
class BeepWitness final : public platform::Platform {
 public:
  BeepWitness(Program& p, int x, int y, std::uint32_t colour)
      : d_(p.display()), seen_([=, this] {
          return d_.snapshot().at(std::size_t(y) * std::size_t(d_.shownWidth()) + std::size_t(x)) ==
                 colour;
        }) {
    platform::usePlatform(this);
  }
  ~BeepWitness() override { platform::usePlatform(&d_); }
  std::vector<bool> seenAtBeeps;

  int run(const std::function<int()>& program) override { return d_.run(program); }
  void connect(platform::FrameSource* f, platform::InputSink* i) override { d_.connect(f, i); }
  platform::DisplayMode desktopMode() override { return d_.desktopMode(); }
  std::vector<platform::DisplayMode> displayModes() override { return d_.displayModes(); }
  bool openDisplay(const platform::DisplayMode& m, bool full) override {
    return d_.openDisplay(m, full);
  }
  int currentRefreshRate() override { return d_.currentRefreshRate(); }
  void closeDisplay() override { d_.closeDisplay(); }
  void waitVerticalRetrace() override { d_.waitVerticalRetrace(); }
  double seconds() override { return d_.seconds(); }
  void sleepMilliseconds(int ms) override { d_.sleepMilliseconds(ms); }
  void idle() override { d_.idle(); }
  void beep(int hz, int ms) override {
    seenAtBeeps.push_back(seen_());
    d_.beep(hz, ms);
  }
  platform::FontEngine& fonts() override { return d_.fonts(); }
  int runCommand(const std::string& line) override { return d_.runCommand(line); }

 private:
  platform::HeadlessPlatform& d_;
  std::function<bool()> seen_;
};

}  // namespace orventa::testing
