#include "graphics/platform/display_facts/edid.h"

#include <algorithm>
#include <numeric>

namespace orventa::platform {
namespace {

constexpr std::size_t BLOCK = 128;
constexpr std::uint8_t HEADER[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr std::size_t FIRST_DESCRIPTOR = 54;
constexpr std::size_t DESCRIPTOR = 18;

int le16(std::span<const std::uint8_t> b, std::size_t at) { return b[at] | b[at + 1] << 8; }

// A text descriptor's 13 bytes: ended by a line feed, padded with blanks; only printable ASCII.
std::string descriptorText(std::span<const std::uint8_t> d) {
  std::string text;
  for (std::size_t i = 5; i < DESCRIPTOR && d[i] != 0x0A; ++i)
    text += d[i] >= 0x20 && d[i] < 0x7F ? static_cast<char>(d[i]) : '?';
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

void readTiming(std::span<const std::uint8_t> d, Edid& edid) {
  const double clockHz = le16(d, 0) * 10000.0;
  const int hActive = d[2] | (d[4] & 0xF0) << 4;
  const int hBlank = d[3] | (d[4] & 0x0F) << 8;
  const int vActive = d[5] | (d[7] & 0xF0) << 4;
  const int vBlank = d[6] | (d[7] & 0x0F) << 8;
  edid.nativeWidth = hActive;
  edid.nativeHeight = vActive;
  const double total = static_cast<double>(hActive + hBlank) * (vActive + vBlank);
  edid.nativeRefresh = total > 0 ? clockHz / total : 0;
  const int widthMm = d[12] | (d[14] & 0xF0) << 4;
  const int heightMm = d[13] | (d[14] & 0x0F) << 8;
  // The timing's image size is finer than the basic block's centimetres; some give 0 or the
  // aspect ratio (16 x 9) instead, which the centimetres then beat.
  if (widthMm > 0 && heightMm > 0 && std::max(widthMm, heightMm) > 16) {
    edid.widthMm = widthMm;
    edid.heightMm = heightMm;
  }
}

}  // namespace

std::optional<Edid> decodeEdid(std::span<const std::uint8_t> block) {
  if (block.size() < BLOCK || !std::equal(std::begin(HEADER), std::end(HEADER), block.begin()))
    return std::nullopt;
  const auto base = block.first(BLOCK);
  if (std::accumulate(base.begin(), base.end(), 0u) % 256 != 0) return std::nullopt;

  Edid edid;
  const int id = base[8] << 8 | base[9];
  for (int shift : {10, 5, 0}) {
    const int letter = id >> shift & 0x1F;
    edid.manufacturer += letter >= 1 && letter <= 26 ? static_cast<char>('A' + letter - 1) : '?';
  }
  edid.productCode = le16(base, 10);
  edid.serialNumber =
      static_cast<std::uint32_t>(le16(base, 12)) | static_cast<std::uint32_t>(le16(base, 14)) << 16;
  edid.week = base[16] <= 54 ? base[16] : 0;  // 0xFF marks a model year
  edid.year = 1990 + base[17];
  edid.widthMm = base[21] * 10;
  edid.heightMm = base[22] * 10;
  if (edid.widthMm == 0 || edid.heightMm == 0) edid.widthMm = edid.heightMm = 0;

  bool timed = false;
  for (std::size_t at = FIRST_DESCRIPTOR; at + DESCRIPTOR <= 126; at += DESCRIPTOR) {
    const auto d = base.subspan(at, DESCRIPTOR);
    if (le16(d, 0) != 0) {
      // The first detailed timing is the preferred, native one.
      if (!timed) readTiming(d, edid);
      timed = true;
    } else if (d[3] == 0xFC) {
      edid.name = descriptorText(d);
    } else if (d[3] == 0xFF) {
      edid.serialText = descriptorText(d);
    }
  }
  return edid;
}

double pixelsPerInch(const Edid& edid) {
  if (edid.widthMm <= 0 || edid.nativeWidth <= 0) return 0;
  return edid.nativeWidth / (edid.widthMm / 25.4);
}

}  // namespace orventa::platform
