// fontconfig resolves a request to a file, FreeType loads it once and rasterises it with
// monochrome hinting. Metrics follow the Windows text engine the layouts were made for: the extent
// height is the OS/2 Windows ascent plus descent, advances are hinted whole pixels, no kerning.
// Limitations: bitmap-only fonts are avoided through fontconfig; colour glyphs are not drawn.
#include "graphics/platform/fonts/freetype_fonts.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <tuple>
#include <utility>

namespace orventa::platform {
namespace {

// What fontconfig chose for a request.
struct Resolved {
  std::string file;
  int index = 0;
  bool embolden = false;
  bool transformed = false;
  FT_Matrix matrix{0x10000, 0, 0, 0x10000};
};

// The Unicode code point of a Windows-1252 byte; its five unassigned bytes stay as they are.
char32_t fromWindows1252(unsigned char byte) {
  static constexpr std::array<char16_t, 32> HIGH = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  return byte >= 0x80 && byte < 0xA0 ? HIGH[byte - 0x80] : byte;
}

// value * numerator / denominator, to nearest with halves away from zero.
std::int64_t scaleRounded(std::int64_t value, std::int64_t numerator, std::int64_t denominator) {
  const std::int64_t product = value * numerator;
  const std::int64_t half = denominator / 2;
  return (product >= 0 ? product + half : product - half) / denominator;
}

int clampToInt(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

bool resolve(FcConfig* config, const FontRequest& request, Resolved& out) {
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return false;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(request.face.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, request.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddDouble(pattern, FC_PIXEL_SIZE, request.pixelHeight);
  // Only outlines can be sized freely; this outranks the family only when the family has none.
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return false;
  FcChar8* file = nullptr;
  const bool found = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch;
  if (found) {
    out.file = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(match, FC_INDEX, 0, &out.index);
    FcBool embolden = FcFalse;
    if (FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden) == FcResultMatch)
      out.embolden = embolden != FcFalse;
    FcMatrix* m = nullptr;
    if (FcPatternGetMatrix(match, FC_MATRIX, 0, &m) == FcResultMatch && m != nullptr) {
      out.matrix = {static_cast<FT_Fixed>(m->xx * 0x10000), static_cast<FT_Fixed>(m->xy * 0x10000),
                    static_cast<FT_Fixed>(m->yx * 0x10000), static_cast<FT_Fixed>(m->yy * 0x10000)};
      out.transformed = m->xx != 1 || m->xy != 0 || m->yx != 0 || m->yy != 1;
    }
  }
  FcPatternDestroy(match);
  return found;
}

// Any outline face the configuration offers, for a name that found none.
bool resolveAny(FcConfig* config, Resolved& out, std::string& family) {
  FcPattern* pattern = FcPatternCreate();
  FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_INDEX, FC_FAMILY, nullptr);
  FcFontSet* fonts = nullptr;
  if (pattern != nullptr && objects != nullptr) {
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    fonts = FcFontList(config, pattern, objects);
  }
  bool found = false;
  for (int i = 0; fonts != nullptr && i < fonts->nfont && !found; ++i) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file) != FcResultMatch) continue;
    out = Resolved{};
    out.file = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(fonts->fonts[i], FC_INDEX, 0, &out.index);
    FcChar8* name = nullptr;
    if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &name) == FcResultMatch)
      family = reinterpret_cast<const char*>(name);
    found = true;
  }
  if (fonts != nullptr) FcFontSetDestroy(fonts);
  if (objects != nullptr) FcObjectSetDestroy(objects);
  if (pattern != nullptr) FcPatternDestroy(pattern);
  return found;
}

// Windows ascent and descent in font units.
std::pair<std::int64_t, std::int64_t> windowsAscentDescent(FT_Face face) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->version != 0xFFFF) return {os2->usWinAscent, os2->usWinDescent};
  return {face->ascender, -static_cast<std::int64_t>(face->descender)};
}

// The part of a 32-bit bitmap drawing may touch: [left, right) x [top, bottom).
struct Clip {
  std::uint32_t* bitmap;
  std::int64_t pitch;
  std::int64_t left, top, right, bottom;
  std::uint32_t& at(std::int64_t x, std::int64_t y) const { return bitmap[y * pitch + x]; }
};

// Sets the glyph's ink pixels with its top-left corner at (gx, gy).
void ink(const FT_Bitmap& glyph, std::int64_t gx, std::int64_t gy, const Clip& clip,
         std::uint32_t colour) {
  const bool mono = glyph.pixel_mode == FT_PIXEL_MODE_MONO;
  // Embedded bitmaps may be grey: cut at half, so that the output stays two-coloured.
  if (!mono && glyph.pixel_mode != FT_PIXEL_MODE_GRAY) return;
  const std::int64_t rowTo = std::min<std::int64_t>(glyph.rows, clip.bottom - gy);
  const std::int64_t colTo = std::min<std::int64_t>(glyph.width, clip.right - gx);
  for (std::int64_t row = std::max<std::int64_t>(0, clip.top - gy); row < rowTo; ++row) {
    const unsigned char* bits = glyph.buffer + row * glyph.pitch;
    for (std::int64_t col = std::max<std::int64_t>(0, clip.left - gx); col < colTo; ++col)
      if (mono ? (bits[col >> 3] >> (7 - (col & 7)) & 1) != 0 : bits[col] >= 128)
        clip.at(gx + col, gy + row) = colour;
  }
}

}  // namespace

struct FreeTypeFonts::State {
  std::mutex mutex;
  FT_Library library = nullptr;
  // Our own configuration rather than the process-wide one, so that it can be freed.
  FcConfig* config = nullptr;
  std::map<std::tuple<std::string, int, int>, Resolved> resolved;  // face, height, style
  std::map<std::pair<std::string, int>, FT_Face> faces;            // null: failed to open
  std::set<std::string> missing;  // faces already reported as not found

  // A face set to the request's size and synthesis, or null.
  FT_Face open(const FontRequest& request, Resolved& font);
  // Loads the glyph of one byte, synthesised and hinted; false when it cannot be loaded.
  static bool load(FT_Face face, const Resolved& font, unsigned char byte);
  static int advance(FT_Face face) {
    return clampToInt((static_cast<std::int64_t>(face->glyph->advance.x) + 32) >> 6);
  }
};

FT_Face FreeTypeFonts::State::open(const FontRequest& request, Resolved& font) {
  if (request.pixelHeight <= 0 || library == nullptr) return nullptr;
  const int style = (request.bold ? 1 : 0) | (request.italic ? 2 : 0);
  const auto key = std::make_tuple(request.face, request.pixelHeight, style);
  auto known = resolved.find(key);
  if (known == resolved.end()) {
    if (config == nullptr) config = FcInitLoadConfigAndFonts();
    Resolved r;
    if (config == nullptr || !resolve(config, request, r)) {
      r = Resolved{};
      std::string family;
      const bool any = config != nullptr && resolveAny(config, r, family);
      // Said once a face: blank menus with no word why would leave the user guessing.
      if (missing.insert(request.face).second) {
        if (any)
          std::fprintf(stderr, "orventa: font \"%s\" could not be had; using \"%s\"\n",
                       request.face.c_str(), family.c_str());
        else
          std::fprintf(stderr,
                       "orventa: font \"%s\" could not be had, nor any other; text is drawn in "
                       "the built-in 8x16 font\n",
                       request.face.c_str());
      }
    }
    known = resolved.emplace(key, std::move(r)).first;
  }
  font = known->second;
  if (font.file.empty()) return nullptr;
  auto [slot, added] = faces.try_emplace({font.file, font.index}, nullptr);
  if (added) {
    FT_Face face = nullptr;
    if (FT_New_Face(library, font.file.c_str(), font.index, &face) == 0) {
      if (face->charmap == nullptr && face->num_charmaps > 0)
        FT_Set_Charmap(face, face->charmaps[0]);
      slot->second = face;
    }
  }
  FT_Face face = slot->second;
  if (face == nullptr || !FT_IS_SCALABLE(face) || face->units_per_EM == 0 ||
      FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(request.pixelHeight)) != 0)
    return nullptr;
  // Faces are shared between requests, so the slant of the last one must not linger.
  FT_Set_Transform(face, font.transformed ? &font.matrix : nullptr, nullptr);
  return face;
}

bool FreeTypeFonts::State::load(FT_Face face, const Resolved& font, unsigned char byte) {
  FT_UInt glyph = 0;
  if (face->charmap != nullptr && face->charmap->encoding == FT_ENCODING_MS_SYMBOL)
    glyph = FT_Get_Char_Index(face, 0xF000u | byte);
  if (glyph == 0) glyph = FT_Get_Char_Index(face, fromWindows1252(byte));
  FT_Int32 flags = FT_LOAD_TARGET_MONO;
  if (font.embolden) flags |= FT_LOAD_NO_BITMAP;
  if (FT_Load_Glyph(face, glyph, flags) != 0) return false;
  if (font.embolden) FT_GlyphSlot_Embolden(face->glyph);
  return true;
}

FreeTypeFonts::FreeTypeFonts() : state_(std::make_unique<State>()) {
  if (FT_Init_FreeType(&state_->library) != 0) state_->library = nullptr;
}

FreeTypeFonts::~FreeTypeFonts() {
  for (auto& [key, face] : state_->faces)
    if (face != nullptr) FT_Done_Face(face);
  if (state_->library != nullptr) FT_Done_FreeType(state_->library);
  if (state_->config != nullptr) FcConfigDestroy(state_->config);
}

int FreeTypeFonts::logicalDpi() { return 96; }

TextExtent FreeTypeFonts::measureText(const FontRequest& font, std::string_view text) {
  std::lock_guard lock(state_->mutex);
  Resolved resolved;
  FT_Face face = state_->open(font, resolved);
  if (face == nullptr) return {};
  std::int64_t width = 0;
  for (const char c : text)
    if (State::load(face, resolved, static_cast<unsigned char>(c))) width += State::advance(face);
  const auto [ascent, descent] = windowsAscentDescent(face);
  TextExtent extent;
  extent.width = clampToInt(width);
  extent.height = clampToInt(scaleRounded(ascent + descent, font.pixelHeight, face->units_per_EM));
  return extent;
}

void FreeTypeFonts::drawText(const FontRequest& font, std::string_view text, std::uint32_t* bitmap,
                             int bitmapWidth, int bitmapHeight, int x, int y, int width, int height,
                             std::uint32_t colour, std::uint32_t background) {
  if (bitmap == nullptr || width <= 0 || height <= 0) return;
  const Clip clip{bitmap,
                  bitmapWidth,
                  std::max<std::int64_t>(x, 0),
                  std::max<std::int64_t>(y, 0),
                  std::min<std::int64_t>(std::int64_t{x} + width, bitmapWidth),
                  std::min<std::int64_t>(std::int64_t{y} + height, bitmapHeight)};
  if (clip.left >= clip.right || clip.top >= clip.bottom) return;
  for (std::int64_t py = clip.top; py < clip.bottom; ++py)
    std::fill_n(&clip.at(clip.left, py), clip.right - clip.left, background);

  std::lock_guard lock(state_->mutex);
  Resolved resolved;
  FT_Face face = state_->open(font, resolved);
  if (face == nullptr) return;
  const std::int64_t baseline =
      y + scaleRounded(windowsAscentDescent(face).first, font.pixelHeight, face->units_per_EM);
  std::int64_t pen = x;
  for (const char c : text) {
    if (!State::load(face, resolved, static_cast<unsigned char>(c))) continue;
    FT_GlyphSlot slot = face->glyph;
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) == 0)
      ink(slot->bitmap, pen + slot->bitmap_left, baseline - slot->bitmap_top, clip, colour);
    pen += State::advance(face);
  }
}

}  // namespace orventa::platform
