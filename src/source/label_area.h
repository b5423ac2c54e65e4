// The label area behind the line table: 48 block pointers, then the names,
// 32 to a block, each ended by a character with bit 7 set.
#ifndef LORVEX_SOURCE_LABEL_AREA_H
#define LORVEX_SOURCE_LABEL_AREA_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The names, in ASCII, by label index, kept back to back in one text.
class zeb_LabelNames {
 public:
  zeb_LabelNames() = default;
  // The names in `text`, name i ending where ends[i] says.
  zeb_LabelNames(std::string names, std::vector<uint32_t> nameEnds)
      : text(std::move(names)), ends(std::move(nameEnds)) {}

  // Characters go to the name being read until endName closes it.
  void put(char c) { text.push_back(c); }
  void endName() { ends.push_back(static_cast<uint32_t>(text.size())); }
  void reserve(std::size_t characters, std::size_t names) {
    text.reserve(characters);
    ends.reserve(names);
  }

  // Closes the reading: a run of zeros after the last name, so that the
  // kPadding bytes from the start of any name may be read at once.
  void pad() { text.append(kPadding, '\0'); }
  static constexpr std::size_t kPadding = 16;

  std::size_t size() const { return ends.size(); }
  const char* data() const { return text.data(); }
  const uint32_t* endOffsets() const { return ends.data(); }
  std::string_view at(std::size_t index) const {
    const uint32_t start = index == 0 ? 0 : ends[index - 1];
    return std::string_view(text).substr(start, ends[index] - start);
  }

 private:
  std::string text;
  std::vector<uint32_t> ends;  // where each name ends in text
};

// The names read from the `length` bytes of the area up to the label end
// address the header gives. A damaged area yields the names read before
// the damage; nothing is read outside the bytes given.
zeb_LabelNames zeb_readLabelArea(const unsigned char* area, int length, int labelEnd);

#endif  // LORVEX_SOURCE_LABEL_AREA_H
