// The prompts every screen shares: the wait for a key or click, the error box and the text frame.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/settings.h"

namespace orventa {

// Returns once a key was pressed or a button clicked (and released); the key is consumed.
// Returns at once when no screen is open.
void waitForKeyOrClick();
// The same, calling `whileWaiting` on every poll (to update what the prompt shows).
void waitForKeyOrClick(const std::function<void()>& whileWaiting);

// The error box at (W/2 - 175, H/3) of the main screen, white on red bars. Only draws.
void drawErrorBox(const DisplaySettings& mainScreen, const std::vector<std::string>& lines);
// Draws the error box, then waits for a key or click.
void showErrorBox(const DisplaySettings& mainScreen, const std::vector<std::string>& lines);

inline const std::vector<std::string> INVALID_RESOLUTION = {
    " ********* Error! *********", " Invalid resolution format !", "Press any key or mouse"};
inline const std::vector<std::string> INVALID_COLOUR = {
    " ********* Error! *********", " Invalid color format !", "Press any key or mouse"};
inline const std::vector<std::string> DEPTH_REQUIRED = {
    " ********* Error! *********", "This test requires at least", "16 bit deph of colors",
    "Press any key or mouse"};

// An empty frame of double-line characters in the text grid; row and column count from 1.
void drawTextFrame(int row, int column, int width, int height);

}  // namespace orventa
