// A test pattern, described once in its own source: what its submenu offers, which mode it runs
// in, and how to draw any one of its pages. The interactive routine shows it through showPages;
// orventa-render draws a single page of it through drawPatternPage.
#pragma once

#include <string_view>
#include <vector>

#include "ui/settings.h"

namespace orventa {

enum class ModeRule {
  TEST_MODE,             // the test settings, switched only when they differ from the desktop
  TEST_MODE_THEN_RENEW,  // the same; the main-screen mode is then opened afresh in any case
  OWN_TRUE_COLOUR_MODE,  // W x H at 24 bits whatever the test depth and rate, then renewed
};

struct Pattern {
  std::string_view name;   // as typed on a command line: "resolution-card"
  std::string_view title;  // the menu item that leads to it
  // One title per page at depths above 8 bits; also the submenu's items where it has one.
  std::vector<std::string_view> pages;
  bool needsTrueColour = false;  // refused with an error box at 8 bits
  ModeRule mode = ModeRule::TEST_MODE;
  // Draws the whole page on the open screen of the test size, clearing what it does not cover.
  void (*drawPage)(const DisplaySettings& test, int page) = nullptr;
  // Set only where the depth changes the number of pages.
  int (*pagesAtDepth)(int depth) = nullptr;
};

// The pages the pattern has at a depth; 0 where it is refused.
int pageCount(const Pattern& pattern, int depth);

// The depth refusal every true-colour test shares: the error box, a beep, a key or click.
void refuseEightBits(const DisplaySettings& desktop);

// Opens the pattern's mode and shows its pages in turn, each until a key or click; a refused depth
// shows the error box instead. False when no screen could be opened.
bool showPages(ProgramState& state, const Pattern& pattern);
// The same for the one page a submenu picked (0, no item: the cleared page of a pattern that
// clears).
bool showPage(ProgramState& state, const Pattern& pattern, int page);

// Opens the pattern's mode from no screen at all and draws one page, as a person paging through
// the test would see it. False when the screen cannot be opened (nothing is then drawn).
bool drawPatternPage(const Pattern& pattern, int page, const DisplaySettings& test);

}  // namespace orventa
