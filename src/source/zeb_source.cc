#include "source/zeb_source.h"

#include <algorithm>
#include <cstring>

#include "petscii/lorvex_global.h"
#include "source/variants.h"

std::vector<std::string> zeb_Source::globLabels;

namespace {

constexpr int kHeaderSize = 256;
constexpr int kLabelAreaMax = 65536;  // the label area is C64 memory from $EC00 up

}  // namespace

int b2i(char c) { return static_cast<unsigned char>(c); }

int w2i(char lo, char hi) { return b2i(hi) * 256 + b2i(lo); }

bool isLabelChar(char c) {
  const int b = b2i(c);
  return (b >= 0x30 && b <= 0x39) || (b >= 0x41 && b <= 0x5B);
}

zeb_Source::zeb_Source(const char* image, int size) {
  // A short image reads its missing header bytes as 0, never past its end.
  unsigned char header[kHeaderSize] = {};
  if (size > 0) std::memcpy(header, image, static_cast<std::size_t>(std::min(size, kHeaderSize)));
  const int start = header[20] | header[21] << 8;
  Lorvex_global::tabWidth = header[0];

  sourceType = _idSource(image, start, size);
  const zeb_Variant& variant = zeb_variant(sourceType);
  if (!variant.decoded) return;

  const auto* bytes = reinterpret_cast<const unsigned char*>(image);
  // Identification guarantees the text area and one byte after it lie in the image.
  const int textLength = variant.top - start + 1;
  const int tableOffset = kHeaderSize + textLength;
  const int tableLength = (header[18] | header[19] << 8) + 1;
  const int tablePresent = std::min(tableLength, size - tableOffset);
  const int labelOffset = tableOffset + tableLength;
  const int labelLength = std::clamp(size - labelOffset, 0, kLabelAreaMax);

  readLabels(bytes + std::min(labelOffset, size), labelLength, header[25] | header[26] << 8);
  labelsUsage.assign(labels.size(), 0);
  globLabels = labels;

  decodeLines(bytes + kHeaderSize, textLength, bytes + tableOffset, tablePresent);
  parsed = true;
}

zeb_Source::~zeb_Source() = default;

void zeb_Source::decodeLines(const unsigned char* text, int textLength,
                             const unsigned char* table, int tableLength) {
  lines.reserve(static_cast<std::size_t>(tableLength));
  // Records lie one below the other, down from just under the six bytes of
  // the unused byte and the signature.
  int p = textLength - 6;
  for (int k = 0; k < tableLength; ++k) {
    zeb_Line& line = lines.emplace_back(k + 1);
    const int n = table[k] & 0x3F;
    if (n == 0) continue;
    p -= n;
    // A record that would reach below the text area is left out: the
    // line stays empty rather than showing bytes from outside it.
    if (p >= 0) decodeRecord(line, text, p, n, table[k] & 0xC0);
  }
}

void zeb_Source::markUsed(int index) {
  if (index >= 0 && static_cast<std::size_t>(index) < labelsUsage.size()) labelsUsage[index] = 1;
}

std::string zeb_Source::toString() const {
  std::string result;
  for (const zeb_Line& line : lines) line.appendTo(result);
  return result;
}
