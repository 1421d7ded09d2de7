#include "displaytests/geometry/collinearity_grid.h"

#include <algorithm>
#include <cmath>

#include "displaytests/display_tests.h"
#include "graphics/input.h"
#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "ui/colours.h"
#include "ui/drawing.h"
#include "ui/layout.h"
#include "ui/menu_box.h"
#include "ui/pattern_colours.h"
#include "ui/prompts.h"

namespace orventa {
namespace {

const Items HELP = {"====== Colliniarity grid commands ====",
                    "Arrow keys  - move grid lines",
                    "'R','G','B' change grid color to red, green",
                    " and blue. 'W' - change grid color to white",
                    "'Q' or <Esc> - Quit",
                    "Press any key to continue (or mouse click)"};

const std::string DOWN = {'\xFF', 'P'};
const std::string UP = {'\xFF', 'H'};
const std::string RIGHT = {'\xFF', 'M'};
const std::string LEFT = {'\xFF', 'K'};

void recentre(Grid& grid, int width, int height) {
  grid.xOffset = width / 2 % grid.spacing;
  grid.yOffset = height / 2 % grid.spacing;
}

}  // namespace

int gridStartSpacing(int width) {
  const auto spacing =
      static_cast<long long>(std::floor(std::sqrt(static_cast<long double>(width)) * wide(1.7)));
  if (spacing > 127) return 100;
  return static_cast<int>(std::max(spacing, 2LL));
}

Grid startGrid(int width, int height, int depth) {
  Grid grid;
  grid.spacing = gridStartSpacing(width);
  recentre(grid, width, height);
  grid.colour = patternWhite(depth);
  return grid;
}

void handleGridKey(Grid& grid, const std::string& key, int width, int height, int depth) {
  if (key == "+") {
    ++grid.spacing;
    recentre(grid, width, height);
  } else if (key == "-") {
    --grid.spacing;
    recentre(grid, width, height);
  } else if (key == DOWN) {
    ++grid.yOffset;
  } else if (key == UP) {
    --grid.yOffset;
  } else if (key == RIGHT) {
    ++grid.xOffset;
  } else if (key == LEFT) {
    --grid.xOffset;
  } else if (key == "R" || key == "r") {
    grid.colour = byDepth(depth, RED, INDEX_RED);
  } else if (key == "G" || key == "g") {
    grid.colour = byDepth(depth, 0xFF00FF00, INDEX_GREEN);
  } else if (key == "B" || key == "b") {
    grid.colour = byDepth(depth, BLUE, INDEX_BLUE);
  } else if (key == "W" || key == "w") {
    grid.colour = byDepth(depth, WHITE, INDEX_WHITE);
  }

  if (grid.spacing < 2) {
    grid.spacing = 2;
  } else if (grid.spacing > 100) {
    grid.spacing = 100;
    recentre(grid, width, height);
  }
  if (grid.xOffset < 0)
    grid.xOffset = grid.spacing - 1;
  else if (grid.yOffset < 0)
    grid.yOffset = grid.spacing - 1;
  grid.xOffset %= grid.spacing;
  grid.yOffset %= grid.spacing;
}

void drawGridFrame(const Grid& grid, int width, int height) {
  const long long w = width;
  const long long h = height;
  const std::uint32_t c = grid.colour;
  drawSolidLine(w / 2, h / 2 - 20, w / 2, h / 2 + 20, c);
  drawSolidLine(w / 2 - 20, h / 2, w / 2 + 20, h / 2, c);
  for (long long i = 0; i <= w; i += grid.spacing)
    drawSolidLine(grid.xOffset + i, 0, grid.xOffset + i, h, c);
  for (long long i = 0; i <= h; i += grid.spacing)
    drawSolidLine(0, grid.yOffset + i, w, grid.yOffset + i, c);
  copyPage(1, 0);
}

namespace {

void drawStartGrid(const DisplaySettings& test, int) {
  setPages(1, 0);
  clearScreen();
  drawGridFrame(startGrid(test.width, test.height, test.depth), test.width, test.height);
}

}  // namespace

const Pattern COLLINEARITY_GRID = {"collinearity-grid", "Collinearity grid",
                                   {"Starting grid"},   false,
                                   ModeRule::TEST_MODE, drawStartGrid};

void collinearityGrid(ProgramState& state) {
  const DisplaySettings& desktop = state.desktop;
  const DisplaySettings& test = state.test;
  clearScreen();
  drawMenuBox(position(static_cast<long double>(desktop.width) / 4),
              position(static_cast<long double>(desktop.height) / 4), 565, WHITE, BLUE, HELP);
  waitForKeyOrClick();

  enterTestMode(state);
  Grid grid = startGrid(test.width, test.height, test.depth);
  COLLINEARITY_GRID.drawPage(test, 1);
  // Redrawing an unchanged grid would show the same frame at the cost of a core.
  bool stale = false;
  for (;;) {
    const std::string key = readKey();
    const int buttons = mouseButtons();
    if (stale) drawGridFrame(grid, test.width, test.height);
    stale = false;
    if (!key.empty()) {
      handleGridKey(grid, key, test.width, test.height, test.depth);
      clearScreen();
      stale = true;
    }
    // The help box offers Q beside Esc.
    if (key == "\x1b" || key == "q" || key == "Q" || buttons != 0) break;
  }
  // With no screen at all the mouse never comes back: there is nothing to wait for.
  while (screenPointer() != nullptr && mouseButtons() != 0) {
  }
}

}  // namespace orventa
