// The supported-mode list of one depth, shown as a plain list on the main-screen mode.
#pragma once

#include <string>
#include <vector>

namespace orventa {

// The entries of a list such as "/640 x 480/800 x 600": one per "/", the last running to the
// end of the text. An empty list has one empty entry.
std::vector<std::string> modeEntries(const std::string& list);
// Draws the header for `depth`, the separator and one entry per line from y = 120 down.
void drawModeList(int depth, const std::string& list);

}  // namespace orventa
