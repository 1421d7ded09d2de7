#include <string>

#include "app/app.h"
#include "graphics/screen.h"

namespace orventa {

ProgramState startUp() {
  ProgramState state;
  state.sampleText = SAMPLE_TEXT;
  readDisplay(state);
  state.test = state.desktop;
  return state;
}

void readDisplay(ProgramState& state) {
  DisplaySettings& d = state.desktop;
  getScreenInfo(d.width, d.height, d.depth, d.refreshRate);
  for (int b = 1; b <= 4; ++b) {
    std::string& list = state.supportedModes[static_cast<std::size_t>(b - 1)];
    list.clear();
    for (std::uint32_t code = listScreenModes(8 * b); code > 0; code = listScreenModes(0))
      list += "/" + std::to_string(code >> 16) + " x " + std::to_string(code & 0xFFFF);
  }
  state.fallback = fallbackScreen(d.width);
}

std::string outputLabel(const DisplayOutput& o) {
  const std::string monitor = o.maker.empty() ? "unknown" : o.maker + " " + o.model;
  return o.name + "  " + std::to_string(o.width) + "x" + std::to_string(o.height) + "  " + monitor;
}

int outputIndex(const std::string& wanted) {
  const std::vector<DisplayOutput> outputs = displayOutputs();
  int named = -1;
  for (std::size_t i = 0; i < outputs.size(); ++i)
    if (outputs[i].name == wanted) named = named == -1 ? static_cast<int>(i) : AMBIGUOUS_OUTPUT;
  if (named != -1) return named;
  if (!wanted.empty() && wanted.size() < 4 &&
      wanted.find_first_not_of("0123456789") == std::string::npos) {
    const int index = std::stoi(wanted);
    if (index < static_cast<int>(outputs.size())) return index;
  }
  return -1;
}

FallbackScreen fallbackScreen(int desktopWidth) {
  return desktopWidth <= 1024 ? FallbackScreen{18, 80, 30} : FallbackScreen{19, 100, 37};
}

}  // namespace orventa
