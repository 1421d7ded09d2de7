#include <string>

#include "app/app.h"
#include "graphics/screen.h"

namespace orventa {

ProgramState startUp() {
  ProgramState state;
  state.sampleText = SAMPLE_TEXT;
  DisplaySettings& d = state.desktop;
  getScreenInfo(d.width, d.height, d.depth, d.refreshRate);
  state.test = d;
  for (int b = 1; b <= 4; ++b) {
    std::string& list = state.supportedModes[static_cast<std::size_t>(b - 1)];
    for (std::uint32_t code = listScreenModes(8 * b); code > 0; code = listScreenModes(0))
      list += "/" + std::to_string(code >> 16) + " x " + std::to_string(code & 0xFFFF);
  }
  state.fallback = fallbackScreen(d.width);
  return state;
}

FallbackScreen fallbackScreen(int desktopWidth) {
  return desktopWidth <= 1024 ? FallbackScreen{18, 80, 30} : FallbackScreen{19, 100, 37};
}

}  // namespace orventa
