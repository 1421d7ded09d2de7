// Every page of every test pattern, drawn as the test would draw it, without waiting for input:
// for off-screen rendering of a pattern to an image file.
#pragma once

#include <string_view>
#include <vector>

#include "ui/settings.h"

namespace orventa {

struct PatternTest {
  std::string_view name;  // as typed on a command line: "resolution-card"
  std::string_view title;
  // One title per page at depths above 8 bits.
  std::vector<std::string_view> pages;
  bool needsTrueColour;  // the program refuses it at 8 bits
  // Draws the step that leads from page - 1 to page on the open screen, as the test does.
  void (*drawStep)(const DisplaySettings& test, int page);
  // Set only where the depth changes the number of pages.
  int (*pagesAtDepth)(int depth) = nullptr;
};

const std::vector<PatternTest>& patternTests();
// The pages the test has at a depth; 0 where the program refuses it.
int pageCount(const PatternTest& test, int depth);
// Null for an unknown name.
const PatternTest* findPatternTest(std::string_view name);

// Opens the test's mode and draws pages 1..page in turn, as a person paging through the test
// would see them. False when the screen cannot be opened (nothing is then drawn).
bool drawPatternPage(const PatternTest& test, int page, const DisplaySettings& settings);

}  // namespace orventa
