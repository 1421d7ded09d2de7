#include <cctype>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "app/app.h"
#include "graphics/input.h"
#include "graphics/primitives.h"
#include "ui/colours.h"
#include "ui/layout.h"
#include "ui/menu_box.h"
#include "ui/prompts.h"
#include "ui/system_text.h"
#include "ui/typing_field.h"

namespace orventa {
namespace {

struct ModeRecord {
  const char* name;
  int width;
  int height;
};

constexpr ModeRecord MODE_TABLE[14] = {
    {"VGA", 640, 480},     {"SVGA", 800, 600},    {"XGA", 1024, 768},    {"XGA+", 1152, 864},
    {"SXGA", 1280, 1024},  {"SXGA+", 1400, 1050}, {"UXGA", 1600, 1200},  {"QXGA", 2048, 1536},
    {"WXGA", 1366, 768},   {"WXGA+", 1440, 900},  {"WSXGA", 1680, 1050}, {"WUXGA", 1920, 1200},
    {"WQXGA", 2560, 1600}, {"QSXGA", 2560, 2048}};

constexpr int DEPTHS[6] = {2, 4, 8, 16, 24, 32};
constexpr int RATES[6] = {60, 70, 72, 75, 85, 120};

// The list the '*' marks are read from: depth / 8, and the 8-bit list for 2 and 4 bits, which
// have none of their own.
const std::string& markList(const ProgramState& state, int depth) {
  static const std::string none;
  const int index = depth / 8 < 1 ? 1 : depth / 8;
  return index > 4 ? none : state.supportedModes[static_cast<std::size_t>(index - 1)];
}

// The leading digits of text from `from`; false when they do not fit in a signed 32-bit value.
bool leadingNumber(const std::string& text, std::size_t from, int& value) {
  std::int64_t v = 0;
  for (std::size_t i = from; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
       ++i) {
    v = v * 10 + (text[i] - '0');
    if (v > std::numeric_limits<int>::max()) return false;
  }
  value = static_cast<int>(v);
  return true;
}

bool resolutionKey(int code) { return std::isdigit(code) || code == 'x' || code == 'X'; }

void chooseResolution(ProgramState& state) {
  const long double w = state.desktop.width;
  const long double h = state.desktop.height;
  drawLine(nullptr, static_cast<float>(2 * w / 3), static_cast<float>(h / 3), static_cast<float>(w),
           static_cast<float>(h), GREY, FILLED_BOX, SOLID, 0);
  const int x = position(2 * w / 3);
  drawSystemText(x, position(h / 3), "Resoloutions marked with '*'", "Arial", 14, WHITE);
  drawSystemText(x, position(h / 3 + 30), "are not currently supported", "Arial", 14, WHITE);
  drawSystemText(x, position(h / 3 + 60), "by your video card driver", "Arial", 14, WHITE);

  const Items items = resolutionMenuItems(state);
  const int choice =
      chooseFromMenu(position(wide(2.3) * w / 8), position(wide(1.2) * h / 4), 350, items);
  if (choice >= 1 && choice <= 14) {
    state.test.width = MODE_TABLE[choice - 1].width;
    state.test.height = MODE_TABLE[choice - 1].height;
  } else if (choice == 15) {
    drawMenuBox(position(w / 2 - 225), position(h / 3), 450, WHITE, BLUE,
                {"Input resolution (width x height)", "Value?", "", "Exemple: 1280 x 1024",
                 "Press <Esc> to exit"});
    // Esc on an empty field is a change of mind, not a malformed size.
    const std::optional<std::string> typed = typeIntoField(state.desktop, resolutionKey);
    if (typed && !parseResolution(*typed, state.test.width, state.test.height))
      showErrorBox(state.desktop, INVALID_RESOLUTION);
  }
}

int chooseNumber(const ProgramState& state, int width, const int (&values)[6], const char* unit,
                 int current) {
  const long double w = state.desktop.width;
  const long double h = state.desktop.height;
  Items items;
  for (int v : values) items.push_back(std::to_string(v) + unit);
  const int choice =
      chooseFromMenu(position(wide(2.3) * w / 8), position(wide(1.3) * h / 4), width, items);
  return choice > 0 ? values[choice - 1] : current;
}

// Another output: its desktop and modes become the program's, and the main screen reopens there.
void chooseDisplay(ProgramState& state) {
  const long double w = state.desktop.width;
  const long double h = state.desktop.height;
  Items items;
  for (const DisplayOutput& o : displayOutputs()) items.push_back(outputLabel(o));
  const int choice =
      chooseFromMenu(position(wide(2.3) * w / 8), position(wide(1.3) * h / 4), 500, items);
  if (choice == 0 || choice - 1 == chosenDisplayOutput() || !chooseDisplayOutput(choice - 1))
    return;
  const DisplaySettings before = state.desktop;
  readDisplay(state);
  // Settings that only followed the old desktop follow the new one.
  if (state.test == before) state.test = state.desktop;
  state.modeChanged = true;
}

}  // namespace

Items resolutionMenuItems(const ProgramState& state) {
  const std::string& list = markList(state, state.test.depth);
  Items items;
  for (const ModeRecord& m : MODE_TABLE) {
    const std::string size = std::to_string(m.width) + " x " + std::to_string(m.height);
    items.push_back(std::string(m.name) + " " + size +
                    (list.find(size) == std::string::npos ? "*" : ""));
  }
  items.push_back("Custom");
  return items;
}

bool parseResolution(const std::string& text, int& width, int& height) {
  const std::size_t x = text.find('x');
  int w = 0;
  int h = 0;
  if (x == std::string::npos || !leadingNumber(text, 0, w) || !leadingNumber(text, x + 1, h) ||
      w == 0 || h == 0)
    return false;
  width = w;
  height = h;
  return true;
}

void settingsMenu(ProgramState& state) {
  const long double w = state.desktop.width;
  const long double h = state.desktop.height;
  Items items = {"Choose resolution", "Choose color depth", "Choose refresh", "Reset to default"};
  // With one output there is nothing to choose, and the menu stays as it always was.
  if (displayOutputs().size() > 1) items.push_back("Choose display");
  const int choice = chooseFromMenu(position(w / 4), position(h / 4), 300, items);
  switch (choice) {
    case 1:
      chooseResolution(state);
      break;
    case 2:
      state.test.depth = chooseNumber(state, 100, DEPTHS, " bit", state.test.depth);
      break;
    case 3:
      state.test.refreshRate = chooseNumber(state, 110, RATES, " Hz", state.test.refreshRate);
      break;
    case 4:
      state.test = state.desktop;
      break;
    case 5:
      chooseDisplay(state);
      break;
    default:
      break;
  }
}

}  // namespace orventa
