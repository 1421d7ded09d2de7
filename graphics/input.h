// Keyboard and mouse as the program polls them, with pause, timer and beep.
#pragma once

#include <cstdint>
#include <string>

#include "graphics/platform/platform.h"

namespace orventa {

// The oldest queued key: "" when none, one character, or 255 followed by the scan-code character
// of an extended key. Never waits; "" with no screen open.
std::string readKey();
// 0 with the pointer's state; 1 with every value -1 when no screen is open, the window is not
// active or the pointer is outside it.
int readMouse(int& x, int& y, int& wheel, int& buttons, int& clip);
// The buttons of readMouse alone: -1 when the mouse cannot be read.
int mouseButtons();
// -1: until a key; 1..99: that long; 100 or more: in 50 ms slices that a key cuts short.
void pause(int milliseconds);
double timer();
// Sleeps that long; unlike pause, a key does not cut it short.
void sleepMilliseconds(int milliseconds);
// A wait that found nothing to do: gives the processor away briefly.
void idle();
void beep();

// Empties the key queue and forgets the mouse: a fresh start for a test run.
void resetInputState();
// Drops every queued key: keys typed at a menu must not end what the menu starts.
void discardKeys();

using platform::extendedKey;

}  // namespace orventa
