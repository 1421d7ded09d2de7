// Builds the code page 437 bitmap fonts (8 x 8, 8 x 14 and 8 x 16) from the Linux console fonts
// Uni2-VGA8, Uni2-VGA14 and Uni2-VGA16 and writes them out as a C++ source.
//
//   gen_bitmap_fonts OUTPUT.cpp VGA8.psf.gz VGA14.psf.gz VGA16.psf.gz
//
// A code takes the glyph that the font's Unicode table gives its character, except where the
// fonts fall short:
//   - a few glyphs are drawn by hand (HAND_DRAWN): characters a font lacks, draws blank, maps
//     onto another character's glyph (the triangles onto the arrows), or, in the 8-row font, holds
//     under a wrong shape (the Greek letters);
//   - the double and mixed box-drawing characters, which all three fonts fold onto single lines,
//     are built from rails placed like the font's own single lines, so that everything joins.
// The generator stops with a message instead of guessing when a font has no usable glyph.
#include <zlib.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// Code page 437 to Unicode, with the graphic symbols at 0x01-0x1F and 0x7F.
constexpr std::array<char32_t, 256> CP437 = {
    0x0000, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,  // 0x00
    0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,  // 0x08
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,  // 0x10
    0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,  // 0x18
    0x0020, 0x0021, 0x0022, 0x0023, 0x0024, 0x0025, 0x0026, 0x0027,  // 0x20
    0x0028, 0x0029, 0x002A, 0x002B, 0x002C, 0x002D, 0x002E, 0x002F,  // 0x28
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,  // 0x30
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,  // 0x38
    0x0040, 0x0041, 0x0042, 0x0043, 0x0044, 0x0045, 0x0046, 0x0047,  // 0x40
    0x0048, 0x0049, 0x004A, 0x004B, 0x004C, 0x004D, 0x004E, 0x004F,  // 0x48
    0x0050, 0x0051, 0x0052, 0x0053, 0x0054, 0x0055, 0x0056, 0x0057,  // 0x50
    0x0058, 0x0059, 0x005A, 0x005B, 0x005C, 0x005D, 0x005E, 0x005F,  // 0x58
    0x0060, 0x0061, 0x0062, 0x0063, 0x0064, 0x0065, 0x0066, 0x0067,  // 0x60
    0x0068, 0x0069, 0x006A, 0x006B, 0x006C, 0x006D, 0x006E, 0x006F,  // 0x68
    0x0070, 0x0071, 0x0072, 0x0073, 0x0074, 0x0075, 0x0076, 0x0077,  // 0x70
    0x0078, 0x0079, 0x007A, 0x007B, 0x007C, 0x007D, 0x007E, 0x2302,  // 0x78
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  // 0x80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  // 0x88
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  // 0x90
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,  // 0x98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  // 0xA0
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  // 0xA8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  // 0xB0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  // 0xB8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  // 0xC0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  // 0xC8
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  // 0xD0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  // 0xD8
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,  // 0xE0
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,  // 0xE8
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,  // 0xF0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,  // 0xF8
};

// Two hex digits per pixel row, top row first, bit 7 the leftmost pixel (as in PSF).
struct HandGlyph {
  int height;
  unsigned char code;
  const char* rows;
};

constexpr HandGlyph HAND_DRAWN[] = {
    {8, 0x10, "80E0F8FEF8E08000"},                   // ►
    {8, 0x11, "020E3EFE3E0E0200"},                   // ◄
    {8, 0x1E, "1038387C7CFEFE00"},                   // ▲
    {8, 0x1F, "FEFE7C7C38381000"},                   // ▼
    {8, 0x9E, "F0D8DAF7C2C2C100"},                   // ₧
    {8, 0xA9, "0000007F60600000"},                   // ⌐
    {8, 0xE0, "000076DCC8DC7600"},                   // α
    {8, 0xE2, "FEC6C0C0C0C0C000"},                   // Γ
    {8, 0xE3, "00FE6C6C6C6C6C00"},                   // π
    {8, 0xE4, "FEC6603060C6FE00"},                   // Σ
    {8, 0xE5, "00007ED8D8D87000"},                   // σ
    {8, 0xE7, "0076DC1818181800"},                   // τ
    {8, 0xE8, "FC3078CCCC7830FC"},                   // Φ
    {8, 0xE9, "386CC6FEC66C3800"},                   // Θ
    {8, 0xEA, "386CC6C66C6CEE00"},                   // Ω
    {8, 0xEB, "1C30187CCCCC7800"},                   // δ
    {8, 0xEC, "00007EDBDB7E0000"},                   // ∞
    {8, 0xED, "060C7EDBDB7E60C0"},                   // φ
    {8, 0xEE, "3860C0F8C0603800"},                   // ε
    {8, 0xEF, "007CC6C6C6C6C600"},                   // ∩
    {8, 0xF0, "00FE00FE00FE0000"},                   // ≡
    {14, 0x10, "0000000080E0F8FEF8E080000000"},      // ►
    {14, 0x11, "00000000020E3EFE3E0E02000000"},      // ◄
    {14, 0x14, "00007FDBDBDB7B1B1B1B1B1B0000"},      // ¶
    {14, 0x1E, "000000001038387C7CFEFE000000"},      // ▲
    {14, 0x1F, "00000000FEFE7C7C383810000000"},      // ▼
    {14, 0x9E, "0000FC66667C62666F6666F30000"},      // ₧
    {14, 0xA9, "000000000000FEC0C0C0C0000000"},      // ⌐
    {14, 0xEC, "000000000076DBDB6E0000000000"},      // ∞
    {14, 0xEF, "000000007CC6C6C6C6C6C6C60000"},      // ∩
    {14, 0xF0, "00000000FE0000FE0000FE000000"},      // ≡
    {14, 0xFC, "0000B0D8D8D8D800000000000000"},      // ⁿ
    {16, 0x01, "00007E81A58181BD9981817E00000000"},  // ☺
    {16, 0x02, "00007EFFDBFFFFC3E7FFFF7E00000000"},  // ☻
    {16, 0x03, "000000006CFEFEFEFE7C381000000000"},  // ♥
    {16, 0x05, "000000183C3CE7E7E718183C00000000"},  // ♣
    {16, 0x06, "000000183C7EFFFF7E18183C00000000"},  // ♠
    {16, 0x08, "FFFFFFFFFFFFE7C3C3E7FFFFFFFFFFFF"},  // ◘
    {16, 0x09, "00000000003C664242663C0000000000"},  // ○
    {16, 0x0A, "FFFFFFFFFFC399BDBD99C3FFFFFFFFFF"},  // ◙
    {16, 0x0B, "00001E0E1A3278CCCCCCCC7800000000"},  // ♂
    {16, 0x0C, "00003C666666663C187E181800000000"},  // ♀
    {16, 0x0D, "00003E363E3030303070F0E000000000"},  // ♪
    {16, 0x0E, "00007E667E666666666EEEECC0000000"},  // ♫
    {16, 0x0F, "0000001818DB3CE73CDB181800000000"},  // ☼
    {16, 0x10, "0000000080E0F8FEF8E0800000000000"},  // ►
    {16, 0x11, "00000000020E3EFE3E0E020000000000"},  // ◄
    {16, 0x12, "0000183C7E1818187E3C180000000000"},  // ↕
    {16, 0x16, "0000000000000000FEFEFEFE00000000"},  // ▬
    {16, 0x17, "0000183C7E1818187E3C187E00000000"},  // ↨
    {16, 0x1C, "000000000000C0C0C0FE000000000000"},  // ∟
    {16, 0x1D, "0000000000286CFE6C28000000000000"},  // ↔
    {16, 0x1E, "000000001038387C7CFEFE0000000000"},  // ▲
    {16, 0x1F, "00000000FEFE7C7C3838100000000000"},  // ▼
    {16, 0x7F, "0000000010386CC6C6C6FE0000000000"},  // ⌂
    {16, 0xB2, "DD77DD77DD77DD77DD77DD77DD77DD77"},  // ▓
    {16, 0xDC, "0000000000000000FFFFFFFFFFFFFFFF"},  // ▄
    {16, 0xDD, "F0F0F0F0F0F0F0F0F0F0F0F0F0F0F0F0"},  // ▌
    {16, 0xDE, "0F0F0F0F0F0F0F0F0F0F0F0F0F0F0F0F"},  // ▐
    {16, 0xDF, "FFFFFFFFFFFFFFFF0000000000000000"},  // ▀
};

using Glyph = std::vector<std::uint8_t>;  // rows top first, bit 7 leftmost

[[noreturn]] void fail(const std::string& message) {
  std::fprintf(stderr, "gen_bitmap_fonts: %s\n", message.c_str());
  std::exit(1);
}

std::string hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

std::string describe(unsigned char code) {
  return "code 0x" + hex(code, 2) + " (U+" + hex(CP437[code], 4) + ")";
}

std::vector<std::uint8_t> readCompressed(const std::string& path) {
  if (!std::filesystem::exists(path)) {
    fail("console font " + path +
         " not found. Install the Linux console fonts (Debian and Ubuntu: package "
         "console-setup-linux) or set ORVENTA_CONSOLE_FONT_DIR to the folder that holds "
         "Uni2-VGA8.psf.gz, Uni2-VGA14.psf.gz and Uni2-VGA16.psf.gz.");
  }
  const std::unique_ptr<gzFile_s, decltype(&gzclose)> file(gzopen(path.c_str(), "rb"), gzclose);
  if (!file) fail("cannot open " + path);
  std::vector<std::uint8_t> bytes;
  std::array<std::uint8_t, 1 << 16> buffer;
  int count = 0;
  while ((count = gzread(file.get(), buffer.data(), buffer.size())) > 0) {
    bytes.insert(bytes.end(), buffer.begin(), buffer.begin() + count);
  }
  if (count < 0) fail("cannot decompress " + path);
  return bytes;
}

struct PsfFont {
  std::string name;
  int height = 0;
  std::vector<Glyph> glyphs;
  std::vector<std::vector<char32_t>> characters;  // per glyph, in the order the table lists them
  std::map<char32_t, int> glyphOf;                // the first glyph that lists the character
};

class Reader {
 public:
  Reader(const std::vector<std::uint8_t>& bytes, std::string name)
      : bytes_(bytes), name_(std::move(name)) {}
  bool atEnd() const { return offset_ >= bytes_.size(); }
  void seek(std::size_t offset) {
    if (offset > bytes_.size()) fail(name_ + " is truncated");
    offset_ = offset;
  }
  std::uint8_t byte() {
    if (atEnd()) fail(name_ + " is truncated");
    return bytes_[offset_++];
  }
  std::uint32_t little(int size) {
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i) value |= static_cast<std::uint32_t>(byte()) << (8 * i);
    return value;
  }

 private:
  const std::vector<std::uint8_t>& bytes_;
  std::string name_;
  std::size_t offset_ = 0;
};

void addCharacter(PsfFont& font, int glyph, char32_t character) {
  font.characters[glyph].push_back(character);
  font.glyphOf.emplace(character, glyph);
}

// PSF1 table: 16-bit characters per glyph; 0xFFFE starts sequences (skipped), 0xFFFF ends.
void readPsf1Table(Reader& in, PsfFont& font) {
  for (int glyph = 0; glyph < static_cast<int>(font.glyphs.size()); ++glyph) {
    bool inSequence = false;
    for (std::uint32_t value = in.little(2); value != 0xFFFF; value = in.little(2)) {
      if (value == 0xFFFE) inSequence = true;
      if (!inSequence) addCharacter(font, glyph, value);
    }
  }
}

char32_t readUtf8(Reader& in, std::uint8_t lead, const std::string& name) {
  const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  char32_t value = lead & (0x7F >> extra);
  for (int i = 0; i < extra; ++i) {
    const std::uint8_t next = in.byte();
    if ((next & 0xC0) != 0x80) fail(name + " has a malformed Unicode table");
    value = (value << 6) | (next & 0x3F);
  }
  return value;
}

// PSF2 table: UTF-8 characters per glyph; 0xFE starts sequences (skipped), 0xFF ends.
void readPsf2Table(Reader& in, PsfFont& font) {
  for (int glyph = 0; glyph < static_cast<int>(font.glyphs.size()); ++glyph) {
    bool inSequence = false;
    for (std::uint8_t lead = in.byte(); lead != 0xFF; lead = in.byte()) {
      if (lead == 0xFE) {
        inSequence = true;
        continue;
      }
      const char32_t character = readUtf8(in, lead, font.name);
      if (!inSequence) addCharacter(font, glyph, character);
    }
  }
}

void readGlyphs(Reader& in, PsfFont& font, int count, int bytesPerGlyph) {
  font.glyphs.assign(count, Glyph(font.height));
  font.characters.assign(count, {});
  for (Glyph& glyph : font.glyphs) {
    for (int i = 0; i < bytesPerGlyph; ++i) {
      const std::uint8_t row = in.byte();
      if (i < font.height) glyph[i] = row;
    }
  }
}

PsfFont readPsf(const std::string& path) {
  const std::vector<std::uint8_t> bytes = readCompressed(path);
  PsfFont font;
  font.name = path;
  Reader in(bytes, font.name);
  const std::uint32_t magic = in.little(2);
  if (magic == 0x0436) {
    const std::uint8_t mode = in.byte();
    font.height = in.byte();
    if ((mode & 0x06) == 0) fail(path + " has no Unicode table");
    readGlyphs(in, font, (mode & 0x01) ? 512 : 256, font.height);
    readPsf1Table(in, font);
  } else if (magic == 0xB572 && in.little(2) == 0x864A) {
    in.little(4);  // version
    const std::uint32_t headerSize = in.little(4);
    const std::uint32_t flags = in.little(4);
    const std::uint32_t count = in.little(4);
    const std::uint32_t bytesPerGlyph = in.little(4);
    font.height = static_cast<int>(in.little(4));
    const std::uint32_t width = in.little(4);
    if (width == 0 || width > 8 || bytesPerGlyph != static_cast<std::uint32_t>(font.height)) {
      fail(path + " is not 8 pixels wide");
    }
    if ((flags & 1) == 0) fail(path + " has no Unicode table");
    if (count > 4096) fail(path + " is not a console font");
    in.seek(headerSize);
    readGlyphs(in, font, static_cast<int>(count), static_cast<int>(bytesPerGlyph));
    readPsf2Table(in, font);
  } else {
    fail(path + " is not a PSF font");
  }
  return font;
}

// Box drawing: each CP437 box character has vertical arms of one style and horizontal arms of
// one style.
enum Line { NO, SINGLE, DOUBLE };
struct Box {
  unsigned char code;
  Line up, down, left, right;
};
constexpr Box BOX_DRAWING[] = {
    {0xB3, SINGLE, SINGLE, NO, NO},         {0xB4, SINGLE, SINGLE, SINGLE, NO},
    {0xB5, SINGLE, SINGLE, DOUBLE, NO},     {0xB6, DOUBLE, DOUBLE, SINGLE, NO},
    {0xB7, NO, DOUBLE, SINGLE, NO},         {0xB8, NO, SINGLE, DOUBLE, NO},
    {0xB9, DOUBLE, DOUBLE, DOUBLE, NO},     {0xBA, DOUBLE, DOUBLE, NO, NO},
    {0xBB, NO, DOUBLE, DOUBLE, NO},         {0xBC, DOUBLE, NO, DOUBLE, NO},
    {0xBD, DOUBLE, NO, SINGLE, NO},         {0xBE, SINGLE, NO, DOUBLE, NO},
    {0xBF, NO, SINGLE, SINGLE, NO},         {0xC0, SINGLE, NO, NO, SINGLE},
    {0xC1, SINGLE, NO, SINGLE, SINGLE},     {0xC2, NO, SINGLE, SINGLE, SINGLE},
    {0xC3, SINGLE, SINGLE, NO, SINGLE},     {0xC4, NO, NO, SINGLE, SINGLE},
    {0xC5, SINGLE, SINGLE, SINGLE, SINGLE}, {0xC6, SINGLE, SINGLE, NO, DOUBLE},
    {0xC7, DOUBLE, DOUBLE, NO, SINGLE},     {0xC8, DOUBLE, NO, NO, DOUBLE},
    {0xC9, NO, DOUBLE, NO, DOUBLE},         {0xCA, DOUBLE, NO, DOUBLE, DOUBLE},
    {0xCB, NO, DOUBLE, DOUBLE, DOUBLE},     {0xCC, DOUBLE, DOUBLE, NO, DOUBLE},
    {0xCD, NO, NO, DOUBLE, DOUBLE},         {0xCE, DOUBLE, DOUBLE, DOUBLE, DOUBLE},
    {0xCF, SINGLE, NO, DOUBLE, DOUBLE},     {0xD0, DOUBLE, NO, SINGLE, SINGLE},
    {0xD1, NO, SINGLE, DOUBLE, DOUBLE},     {0xD2, NO, DOUBLE, SINGLE, SINGLE},
    {0xD3, DOUBLE, NO, NO, SINGLE},         {0xD4, SINGLE, NO, NO, DOUBLE},
    {0xD5, NO, SINGLE, NO, DOUBLE},         {0xD6, NO, DOUBLE, NO, SINGLE},
    {0xD7, DOUBLE, DOUBLE, SINGLE, SINGLE}, {0xD8, SINGLE, SINGLE, DOUBLE, DOUBLE},
    {0xD9, SINGLE, NO, SINGLE, NO},         {0xDA, NO, SINGLE, NO, SINGLE},
};

struct Band {
  int first, last;  // columns of a vertical rail, rows of a horizontal one
};

// Where the rails lie: single lines where the font puts its own; double lines, as in the IBM PC
// fonts, as two such rails a one-pixel gap apart, the left one moved a pixel left of the single
// vertical line and the bottom one on the single horizontal line.
struct Rails {
  int height = 0;
  Band single, left, right;  // vertical rails
  Band middle, top, bottom;  // horizontal rails
};

Band inkBand(std::uint8_t bits, const std::string& what) {
  int first = -1, last = -1;
  for (int column = 0; column < 8; ++column) {
    if ((bits & (0x80 >> column)) == 0) continue;
    if (first >= 0 && last != column - 1) fail(what);
    if (first < 0) first = column;
    last = column;
  }
  if (first < 0) fail(what);
  return {first, last};
}

Rails findRails(const PsfFont& font) {
  const std::string what = font.name + " has no plain single box-drawing lines to build on";
  const auto vertical = font.glyphOf.find(0x2502);
  const auto horizontal = font.glyphOf.find(0x2500);
  if (vertical == font.glyphOf.end() || horizontal == font.glyphOf.end()) fail(what);
  const Glyph& bar = font.glyphs[vertical->second];
  const Glyph& dash = font.glyphs[horizontal->second];
  Rails r;
  r.height = font.height;
  r.single = inkBand(bar[0], what);
  for (std::uint8_t row : bar) {
    if (row != bar[0]) fail(what);
  }
  int first = -1, last = -1;
  for (int row = 0; row < font.height; ++row) {
    if (dash[row] == 0) continue;
    if (dash[row] != 0xFF || (first >= 0 && last != row - 1)) fail(what);
    if (first < 0) first = row;
    last = row;
  }
  if (first < 0) fail(what);
  const int width = r.single.last - r.single.first + 1;
  const int thickness = last - first + 1;
  r.left = {r.single.first - 1, r.single.last - 1};
  r.right = {r.single.last + 1, r.single.last + width};
  r.middle = {first, last};
  r.bottom = r.middle;
  r.top = {first - thickness - 1, first - 2};
  if (r.left.first < 0 || r.right.last > 7 || r.top.first < 0) fail(what);
  return r;
}

void fill(Glyph& glyph, Band columns, int firstRow, int lastRow) {
  std::uint8_t bits = 0;
  for (int column = columns.first; column <= columns.last; ++column) bits |= 0x80 >> column;
  for (int row = firstRow; row <= lastRow; ++row) glyph[row] |= bits;
}

void verticalRail(Glyph& glyph, Band columns, int firstRow, int lastRow) {
  fill(glyph, columns, firstRow, lastRow);
}

void horizontalRail(Glyph& glyph, Band rows, int firstColumn, int lastColumn) {
  fill(glyph, {firstColumn, lastColumn}, rows.first, rows.last);
}

// The rails of each arm run from the cell's edge to where they meet the crossing arms: a single
// line meets a double one at its near or far rail, two double lines meet rail by rail.
Glyph buildBox(const Box& box, const Rails& r) {
  Glyph g(r.height);
  const int bottomRow = r.height - 1;
  const bool up = box.up != NO, down = box.down != NO, left = box.left != NO,
             right = box.right != NO;
  const bool verticalDouble = box.up == DOUBLE || box.down == DOUBLE;
  const bool horizontalDouble = box.left == DOUBLE || box.right == DOUBLE;
  if (!verticalDouble && !horizontalDouble) {
    if (up) verticalRail(g, r.single, 0, down ? bottomRow : r.middle.last);
    if (down) verticalRail(g, r.single, up ? 0 : r.middle.first, bottomRow);
    if (left) horizontalRail(g, r.middle, 0, right ? 7 : r.single.last);
    if (right) horizontalRail(g, r.middle, left ? 0 : r.single.first, 7);
  } else if (verticalDouble && !horizontalDouble) {
    const bool through = up && down;
    for (Band rail : {r.left, r.right}) {
      if (up) verticalRail(g, rail, 0, down ? bottomRow : r.middle.last);
      if (down) verticalRail(g, rail, up ? 0 : r.middle.first, bottomRow);
    }
    if (left) horizontalRail(g, r.middle, 0, right ? 7 : through ? r.left.last : r.right.last);
    if (right) horizontalRail(g, r.middle, left ? 0 : through ? r.right.first : r.left.first, 7);
  } else if (!verticalDouble && horizontalDouble) {
    const bool through = left && right;
    for (Band rail : {r.top, r.bottom}) {
      if (left) horizontalRail(g, rail, 0, right ? 7 : r.single.last);
      if (right) horizontalRail(g, rail, left ? 0 : r.single.first, 7);
    }
    if (up) verticalRail(g, r.single, 0, down ? bottomRow : through ? r.top.last : r.bottom.last);
    if (down) verticalRail(g, r.single, up ? 0 : through ? r.bottom.first : r.top.first, bottomRow);
  } else {
    const int upEnd = down ? bottomRow : r.bottom.last;
    const int downStart = up ? 0 : r.top.first;
    if (up) verticalRail(g, r.left, 0, left ? r.top.last : upEnd);
    if (up) verticalRail(g, r.right, 0, right ? r.top.last : upEnd);
    if (down) verticalRail(g, r.left, left ? r.bottom.first : downStart, bottomRow);
    if (down) verticalRail(g, r.right, right ? r.bottom.first : downStart, bottomRow);
    const int leftEnd = right ? 7 : r.right.last;
    const int rightStart = left ? 0 : r.left.first;
    if (left) horizontalRail(g, r.top, 0, up ? r.left.last : leftEnd);
    if (left) horizontalRail(g, r.bottom, 0, down ? r.left.last : leftEnd);
    if (right) horizontalRail(g, r.top, up ? r.right.first : rightStart, 7);
    if (right) horizontalRail(g, r.bottom, down ? r.right.first : rightStart, 7);
  }
  return g;
}

bool isBlank(const Glyph& glyph) {
  for (std::uint8_t row : glyph) {
    if (row != 0) return false;
  }
  return true;
}

bool inCodePage(char32_t character) {
  for (char32_t c : CP437) {
    if (c == character) return true;
  }
  return false;
}

// The font's glyph for the character of `code`, refusing a blank glyph for a visible character
// and a glyph that the font lists first under another code page character.
Glyph fontGlyph(const PsfFont& font, unsigned char code) {
  const char32_t character = CP437[code];
  const auto found = font.glyphOf.find(character);
  if (found == font.glyphOf.end()) {
    fail(font.name + " has no glyph for " + describe(code) + " and none is drawn by hand");
  }
  const Glyph& glyph = font.glyphs[found->second];
  if (character == 0x20) return glyph;
  if (isBlank(glyph)) fail(font.name + " draws " + describe(code) + " blank");
  for (char32_t listed : font.characters[found->second]) {
    if (listed == character) break;
    if (inCodePage(listed)) {
      fail(font.name + " draws " + describe(code) + " with the glyph of U+" + hex(listed, 4));
    }
  }
  return glyph;
}

const HandGlyph* handDrawn(int height, unsigned char code) {
  for (const HandGlyph& hand : HAND_DRAWN) {
    if (hand.height == height && hand.code == code) return &hand;
  }
  return nullptr;
}

const Box* boxDrawing(unsigned char code) {
  for (const Box& box : BOX_DRAWING) {
    if (box.code == code) return &box;
  }
  return nullptr;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

Glyph parseRows(const HandGlyph& hand) {
  const std::string digits = hand.rows;
  const std::string what = "hand-drawn " + describe(hand.code) + " at height " +
                           std::to_string(hand.height) + " is malformed";
  if (digits.size() != 2 * static_cast<std::size_t>(hand.height)) fail(what);
  Glyph glyph(hand.height);
  for (int row = 0; row < hand.height; ++row) {
    const int high = hexDigit(digits[2 * row]);
    const int low = hexDigit(digits[2 * row + 1]);
    if (high < 0 || low < 0) fail(what);
    glyph[row] = static_cast<std::uint8_t>(high << 4 | low);
  }
  return glyph;
}

std::vector<Glyph> buildFont(const PsfFont& font, int height) {
  if (font.height != height) {
    fail(font.name + " has glyphs " + std::to_string(font.height) + " rows high, not " +
         std::to_string(height));
  }
  const Rails rails = findRails(font);
  std::vector<Glyph> glyphs(256);
  for (int code = 0; code < 256; ++code) {
    const auto c = static_cast<unsigned char>(code);
    const HandGlyph* hand = handDrawn(height, c);
    const Box* box = boxDrawing(c);
    if (hand) {
      glyphs[code] = parseRows(*hand);
    } else if (box) {
      // Single lines are built as well and must come out as the font draws them: proof that
      // the rails sit where the font's own lines do.
      glyphs[code] = buildBox(*box, rails);
      const bool single =
          box->up != DOUBLE && box->down != DOUBLE && box->left != DOUBLE && box->right != DOUBLE;
      if (single && glyphs[code] != fontGlyph(font, c)) {
        fail(font.name + ": the rails built for " + describe(c) +
             " differ from the font's own glyph");
      }
    } else if (CP437[code] == 0x0000 || CP437[code] == 0x00A0) {
      glyphs[code] = Glyph(height);
    } else {
      glyphs[code] = fontGlyph(font, c);
    }
  }
  return glyphs;
}

std::uint8_t leftmostInBitZero(std::uint8_t row) {
  std::uint8_t reversed = 0;
  for (int bit = 0; bit < 8; ++bit) {
    if (row & (0x80 >> bit)) reversed |= 1 << bit;
  }
  return reversed;
}

void writeTable(std::ofstream& out, const std::string& name, const std::vector<Glyph>& glyphs) {
  const int height = static_cast<int>(glyphs[0].size());
  out << "\nconst std::uint8_t " << name << "[256 * " << height << "] = {\n";
  for (int code = 0; code < 256; ++code) {
    out << "   ";
    for (std::uint8_t row : glyphs[code]) out << " 0x" << hex(leftmostInBitZero(row), 2) << ",";
    out << "  // 0x" << hex(code, 2) << "\n";
  }
  out << "};\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    fail("usage: gen_bitmap_fonts OUTPUT.cpp VGA8.psf.gz VGA14.psf.gz VGA16.psf.gz");
  }
  const std::string outputPath = argv[1];
  const int heights[3] = {8, 14, 16};
  std::vector<std::vector<Glyph>> fonts;
  for (int i = 0; i < 3; ++i) fonts.push_back(buildFont(readPsf(argv[2 + i]), heights[i]));

  const std::filesystem::path output(outputPath);
  if (output.has_parent_path()) std::filesystem::create_directories(output.parent_path());
  std::ofstream out(output, std::ios::trunc);
  out << "// Generated by gen_bitmap_fonts from the Linux console fonts Uni2-VGA8, Uni2-VGA14 and\n"
         "// Uni2-VGA16 (see NOTICE) and its own hand-drawn glyphs. Do not edit.\n"
         "// One byte per pixel row, top row first; bit 0 is the leftmost pixel.\n"
         "#include \"graphics/bitmap_font.h\"\n\n"
         "namespace orventa {\n";
  writeTable(out, "font8x8", fonts[0]);
  writeTable(out, "font8x14", fonts[1]);
  writeTable(out, "font8x16", fonts[2]);
  out << "\n}  // namespace orventa\n";
  out.close();
  if (!out) fail("cannot write " + outputPath);
  return 0;
}
