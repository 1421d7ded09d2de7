// The program's own state, made at start-up and passed by reference to the main loop and every
// test, and the switch between the main-screen mode and the test mode.
#pragma once

#include <array>
#include <string>

namespace orventa {

struct DisplaySettings {
  int width = 0;
  int height = 0;
  int depth = 0;  // bits per pixel
  int refreshRate = 0;
  bool operator==(const DisplaySettings&) const = default;
};

// The readability test's sample line.
inline constexpr const char* SAMPLE_TEXT = "The quick brown fox jumps over the lazy dog 0123456789";

struct FallbackScreen {
  int modeNumber = 18;  // 18: 640 x 480, 19: 800 x 600
  int columns = 80;
  int rows = 30;
};

struct ProgramState {
  DisplaySettings desktop;
  DisplaySettings test;
  // The driver's sizes for 8, 16, 24 and 32 bits, as "/640 x 480/800 x 600"; index depth / 8 - 1.
  std::array<std::string, 4> supportedModes;
  std::string sampleText;
  FallbackScreen fallback;
  bool modeChanged = false;
};

// Opens `wanted` full screen with two pages and raises `modeChanged` when any value differs from
// `current`; does nothing when all four are equal. The switch's result is not examined. A mode
// the desktop cannot show full screen is announced first and opened as a window.
void enterTestMode(const DisplaySettings& current, const DisplaySettings& wanted,
                   bool& modeChanged);
// The usual call: from the desktop settings to the test settings.
void enterTestMode(ProgramState& state);

// The supported-mode list of a depth (8, 16, 24, 32); empty for any other depth.
const std::string& supportedModes(const ProgramState& state, int depth);

}  // namespace orventa
