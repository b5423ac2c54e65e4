#include "source/label_area.h"

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

// A name character in ASCII, as toASCII has it: "[" stands for "_",
// letters change case, digits stay.
char nameChar(unsigned char c) {
  if (c == '[') return '_';
  return static_cast<char>(c >= 'A' ? c | 0x20 : c);
}

}  // namespace

zeb_LabelNames zeb_readLabelArea(const unsigned char* area, int length, int labelEnd) {
  zeb_LabelNames labels;
  const std::vector<int> pointers = readBlockPointers(area, length, labelEnd);
  if (length <= kNamesOffset) {
    labels.pad();
    return labels;
  }
  labels.reserve(static_cast<std::size_t>(length - kNamesOffset),
                 (pointers.size() + 1) * kNamesPerBlock);
  // Below $EC00 the end address cannot be reached, as an unsigned difference.
  const unsigned limit = static_cast<unsigned>(labelEnd - kAreaAddress);
  std::size_t count = 0;
  int i = kNamesOffset;
  while (i < length) {
    const unsigned char c = area[i];
    if (isLabelChar(static_cast<char>(c))) {
      labels.put(nameChar(c));
      ++i;
      continue;
    }
    if (!(c & 0x80)) {  // padding, or a stray byte
      ++i;
      continue;
    }
    const unsigned char last = c & 0x7F;
    const bool ended = isLabelChar(static_cast<char>(last));
    if (ended) labels.put(nameChar(last));
    labels.endName();
    ++count;
    if (ended && static_cast<unsigned>(i) > limit) break;

    if (count % kNamesPerBlock != 0) {
      ++i;
      continue;
    }
    const std::size_t block = count / kNamesPerBlock;
    if (block >= pointers.size()) break;  // no pointer for the next block
    i = pointers[block] - kAreaAddress;   // below $EC00: negative, ends the walk
    if (i < 0) break;
  }
  labels.pad();
  return labels;
}
