// SDL keyboard events as Orventa key codes: code page 437 characters and the PC BIOS extended
// codes. Pure functions, so that the mapping is tested without a display; the arguments are SDL
// values passed as plain integers to keep SDL's headers out of the callers.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace orventa::platform {

// The code a key-down event queues (an SDL_Keycode with its SDL_Keymod state), or 0 when the key
// queues nothing on key-down because it arrives as text or has no code.
std::uint32_t keyDownCode(std::int32_t keycode, std::uint32_t modifiers);

// The codes of one text-input event (UTF-8): each character as its code page 437 value. Characters
// above 255, control characters and those code page 437 lacks queue nothing.
std::vector<std::uint32_t> textInputCodes(std::string_view utf8);

}  // namespace orventa::platform
