#include "graphics/platform/sdl/sdl_keys.h"

#include <SDL.h>

#include <array>

#include "graphics/platform/platform.h"

namespace orventa::platform {
namespace {

// BIOS INT 16h scan codes of one key: plain, with Shift, with Ctrl, with Alt.
struct BiosKey {
  std::uint8_t plain;
  std::uint8_t shift;
  std::uint8_t ctrl;
  std::uint8_t alt;
};

constexpr BiosKey HOME{0x47, 0x47, 0x77, 0x97};
constexpr BiosKey UP{0x48, 0x48, 0x8D, 0x98};
constexpr BiosKey PAGE_UP{0x49, 0x49, 0x84, 0x99};
constexpr BiosKey LEFT{0x4B, 0x4B, 0x73, 0x9B};
constexpr BiosKey RIGHT{0x4D, 0x4D, 0x74, 0x9D};
constexpr BiosKey END{0x4F, 0x4F, 0x75, 0x9F};
constexpr BiosKey DOWN{0x50, 0x50, 0x91, 0xA0};
constexpr BiosKey PAGE_DOWN{0x51, 0x51, 0x76, 0xA1};
constexpr BiosKey INSERT{0x52, 0x52, 0x92, 0xA2};
constexpr BiosKey DELETE{0x53, 0x53, 0x93, 0xA3};
constexpr BiosKey F11{0x85, 0x87, 0x89, 0x8B};
constexpr BiosKey F12{0x86, 0x88, 0x8A, 0x8C};

// The cursor block, and the keypad when Num Lock is off; null for any other key.
const BiosKey* navigationKey(SDL_Keycode key, bool numLock) {
  switch (key) {
    case SDLK_HOME:
      return &HOME;
    case SDLK_UP:
      return &UP;
    case SDLK_PAGEUP:
      return &PAGE_UP;
    case SDLK_LEFT:
      return &LEFT;
    case SDLK_RIGHT:
      return &RIGHT;
    case SDLK_END:
      return &END;
    case SDLK_DOWN:
      return &DOWN;
    case SDLK_PAGEDOWN:
      return &PAGE_DOWN;
    case SDLK_INSERT:
      return &INSERT;
    case SDLK_DELETE:
      return &DELETE;
    default:
      break;
  }
  if (numLock) return nullptr;  // the keypad then types digits, which arrive as text
  switch (key) {
    case SDLK_KP_7:
      return &HOME;
    case SDLK_KP_8:
      return &UP;
    case SDLK_KP_9:
      return &PAGE_UP;
    case SDLK_KP_4:
      return &LEFT;
    case SDLK_KP_6:
      return &RIGHT;
    case SDLK_KP_1:
      return &END;
    case SDLK_KP_2:
      return &DOWN;
    case SDLK_KP_3:
      return &PAGE_DOWN;
    case SDLK_KP_0:
      return &INSERT;
    case SDLK_KP_PERIOD:
      return &DELETE;
    default:
      return nullptr;
  }
}

// F1..F10 run in four blocks of ten: plain, Shift, Ctrl, Alt.
BiosKey functionKey(int n) {
  const auto i = static_cast<std::uint8_t>(n);
  return {static_cast<std::uint8_t>(0x3B + i), static_cast<std::uint8_t>(0x54 + i),
          static_cast<std::uint8_t>(0x5E + i), static_cast<std::uint8_t>(0x68 + i)};
}

// The BIOS gives Alt precedence over Ctrl, and Ctrl over Shift.
std::uint8_t withModifiers(const BiosKey& k, std::uint32_t mod) {
  if (mod & KMOD_ALT) return k.alt;
  if (mod & KMOD_CTRL) return k.ctrl;
  if (mod & KMOD_SHIFT) return k.shift;
  return k.plain;
}

// Code page 437 for U+00A0..U+00FF; 0 where it has no such character.
constexpr std::array<std::uint8_t, 96> LATIN1_TO_CP437 = {
    0xFF, 0xAD, 0x9B, 0x9C, 0x00, 0x9D, 0x00, 0x00, 0x00, 0x00, 0xA6, 0xAE, 0xAA, 0x00, 0x00, 0x00,
    0xF8, 0xF1, 0xFD, 0x00, 0x00, 0xE6, 0x00, 0xFA, 0x00, 0x00, 0xA7, 0xAF, 0xAC, 0xAB, 0x00, 0xA8,
    0x00, 0x00, 0x00, 0x00, 0x8E, 0x8F, 0x92, 0x80, 0x00, 0x90, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0xA5, 0x00, 0x00, 0x00, 0x00, 0x99, 0x00, 0x00, 0x00, 0x00, 0x00, 0x9A, 0x00, 0x00, 0xE1,
    0x85, 0xA0, 0x83, 0x00, 0x84, 0x86, 0x91, 0x87, 0x8A, 0x82, 0x88, 0x89, 0x8D, 0xA1, 0x8C, 0x8B,
    0x00, 0xA4, 0x95, 0xA2, 0x93, 0x00, 0x94, 0xF6, 0x00, 0x97, 0xA3, 0x96, 0x81, 0x00, 0x00, 0x98};

// 0 for a character code page 437 does not hold.
std::uint32_t cp437(char32_t c) {
  if (c >= 0x20 && c < 0x7F) return c;
  if (c >= 0xA0 && c <= 0xFF) return LATIN1_TO_CP437[c - 0xA0];
  return 0;
}

// Decodes one UTF-8 sequence at `i`, advancing past it; U+FFFD for a malformed one.
char32_t decodeUtf8(std::string_view s, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(s[i++]);
  int extra = 0;
  char32_t c = 0;
  if (lead < 0x80) return lead;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    c = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    c = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    c = lead & 0x07;
  } else {
    return 0xFFFD;
  }
  for (; extra > 0; --extra) {
    if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
    c = c << 6 | (static_cast<unsigned char>(s[i++]) & 0x3F);
  }
  return c;
}

}  // namespace

std::uint32_t keyDownCode(std::int32_t keycode, std::uint32_t modifiers) {
  switch (keycode) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return 13;
    case SDLK_ESCAPE:
      return 27;
    case SDLK_BACKSPACE:
      return 8;
    case SDLK_TAB:
      return 9;
    case SDLK_F11:
      return extendedKey(withModifiers(F11, modifiers));
    case SDLK_F12:
      return extendedKey(withModifiers(F12, modifiers));
    default:
      break;
  }
  if (keycode >= SDLK_F1 && keycode <= SDLK_F10)
    return extendedKey(withModifiers(functionKey(keycode - SDLK_F1), modifiers));
  if (const BiosKey* k = navigationKey(keycode, (modifiers & KMOD_NUM) != 0))
    return extendedKey(withModifiers(*k, modifiers));
  return 0;
}

std::vector<std::uint32_t> textInputCodes(std::string_view utf8) {
  std::vector<std::uint32_t> codes;
  for (std::size_t i = 0; i < utf8.size();)
    if (const std::uint32_t code = cp437(decodeUtf8(utf8, i)); code != 0) codes.push_back(code);
  return codes;
}

}  // namespace orventa::platform
