#include "source/label_area.h"

#include "petscii/lorvex_global.h"
#include "source/image_header.h"

namespace {

constexpr int kAreaAddress = 0xEC00;
constexpr int kNamesOffset = 96;  // first name byte, $EC60
constexpr int kBlocks = 48;
constexpr int kNamesPerBlock = 32;

// The pointers that bound the names: read while each lies between the
// start of the names and the label end; the first that does not is kept.
std::vector<int> readBlockPointers(const unsigned char* area, int length, int labelEnd) {
  std::vector<int> pointers;
  if (labelEnd <= kNamesOffset + kAreaAddress) return pointers;
  for (int k = 0; k < kBlocks && k + kBlocks < length; ++k) {
    const int pointer = area[k] | area[k + kBlocks] << 8;
    pointers.push_back(pointer);
    if (!(pointer > kAreaAddress + kNamesOffset - 1 && pointer < labelEnd)) break;
  }
  return pointers;
}

char nameChar(unsigned char c) { return c == '[' ? '_' : static_cast<char>(c); }

}  // namespace

std::vector<std::string> zeb_readLabelArea(const unsigned char* area, int length, int labelEnd) {
  std::vector<std::string> labels;
  const std::vector<int> pointers = readBlockPointers(area, length, labelEnd);
  // Below $EC00 the end address cannot be reached, as an unsigned difference.
  const unsigned limit = static_cast<unsigned>(labelEnd - kAreaAddress);
  std::string name;
  int i = kNamesOffset;
  while (i < length) {
    const unsigned char c = area[i];
    if (isLabelChar(static_cast<char>(c))) {
      name += nameChar(c);
      ++i;
      continue;
    }
    if (!(c & 0x80)) {  // padding, or a stray byte
      ++i;
      continue;
    }
    const unsigned char last = c & 0x7F;
    const bool ended = isLabelChar(static_cast<char>(last));
    if (ended) name += nameChar(last);
    labels.push_back(Lorvex_global::toASCII(name));
    name.clear();
    if (ended && static_cast<unsigned>(i) > limit) break;

    const std::size_t count = labels.size();
    if (count % kNamesPerBlock != 0) {
      ++i;
      continue;
    }
    const std::size_t block = count / kNamesPerBlock;
    if (block >= pointers.size()) break;  // no pointer for the next block
    i = pointers[block] - kAreaAddress;   // below $EC00: negative, ends the walk
    if (i < 0) break;
  }
  return labels;
}
