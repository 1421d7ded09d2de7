// The menu box: a black panel with a double frame and one bar per item. It serves as menu,
// message panel, help screen and typing form.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orventa {

using Items = std::vector<std::string>;

// Items from fixed texts, such as a pattern's page titles.
Items menuItems(const std::vector<std::string_view>& texts);

void drawMenuBox(int x, int y, int w, std::uint32_t textColour, std::uint32_t barColour,
                 const Items& items);
// Draws item i (from 0) of a box at (x, y): its bar and its text.
void drawMenuItem(int x, int y, int w, int i, std::uint32_t textColour, std::uint32_t barColour,
                  const std::string& item);
// Draws the box white on blue and lets the mouse pick an item: 1..n, or 0 when the click was not
// on one; returns once every button is up. The keys move the highlight too (Up, Down, Home, End,
// Page Up, Page Down); Enter picks the lit item and Esc answers 0. Keys still queued when it
// returns are dropped.
int chooseFromMenu(int x, int y, int w, const Items& items);

}  // namespace orventa
