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
constexpr char nameChar(unsigned char c) {
  if (c == '[') return '_';
  return static_cast<char>(c >= 'A' ? c | 0x20 : c);
}

// Each byte's name character, or 0 for a byte that is none.
struct NameChars {
  char of[256];
};
constexpr NameChars nameChars() {
  NameChars table{};
  for (int c = 0; c < 256; ++c) {
    table.of[c] = isLabelChar(static_cast<char>(c)) ? nameChar(static_cast<unsigned char>(c)) : 0;
  }
  return table;
}
constexpr NameChars kNameChars = nameChars();

}  // namespace

zeb_LabelNames zeb_readLabelArea(const unsigned char* area, int length, int labelEnd) {
  const std::vector<int> pointers = readBlockPointers(area, length, labelEnd);
  if (length <= kNamesOffset) {
    zeb_LabelNames none;
    none.pad();
    return none;
  }
  // The names are written through a cursor into room that grows when it
  // must (block pointers can send the walk back to bytes read before);
  // it starts small, as room made is room touched.
  constexpr std::size_t kFirstRoom = 4096;
  std::string text(kFirstRoom, '\0');
  std::vector<uint32_t> bounds{0};
  bounds.reserve((pointers.size() + 1) * kNamesPerBlock + 1);
  char* out = &text[0];
  char* limit = out + text.size();
  const auto grow = [&] {
    const std::size_t used = static_cast<std::size_t>(out - &text[0]);
    text.resize(text.size() * 2);
    out = &text[0] + used;
    limit = &text[0] + text.size();
  };
  // Below $EC00 the end address cannot be reached, as an unsigned difference.
  const unsigned limitAddress = static_cast<unsigned>(labelEnd - kAreaAddress);
  std::size_t count = 0;
  int i = kNamesOffset;
  while (i < length) {
    const unsigned char c = area[i];
    const char named = kNameChars.of[c];
    if (named != 0) {
      if (out == limit) grow();
      *out++ = named;
      ++i;
      continue;
    }
    if (!(c & 0x80)) {  // padding, or a stray byte
      ++i;
      continue;
    }
    const char last = kNameChars.of[c & 0x7F];
    if (last != 0) {
      if (out == limit) grow();
      *out++ = last;
    }
    bounds.push_back(static_cast<uint32_t>(out - &text[0]));
    ++count;
    if (last != 0 && static_cast<unsigned>(i) > limitAddress) break;

    if (count % kNamesPerBlock != 0) {
      ++i;
      continue;
    }
    const std::size_t block = count / kNamesPerBlock;
    if (block >= pointers.size()) break;  // no pointer for the next block
    i = pointers[block] - kAreaAddress;   // below $EC00: negative, ends the walk
    if (i < 0) break;
  }
  text.resize(static_cast<std::size_t>(out - &text[0]));
  zeb_LabelNames labels(std::move(text), std::move(bounds));
  labels.pad();
  return labels;
}
