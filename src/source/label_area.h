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
  // The names in `text`, name i running from bounds[i] to bounds[i + 1]
  // (bounds[0] is 0).
  zeb_LabelNames(std::string names, std::vector<uint32_t> nameBounds)
      : text(std::move(names)), bounds(std::move(nameBounds)) {}

  // Closes the reading: a run of zeros after the last name, so that the
  // kPadding bytes from the start of any name may be read at once.
  void pad() { text.append(kPadding, '\0'); }
  static constexpr std::size_t kPadding = 16;

  std::size_t size() const { return bounds.size() - 1; }
  const char* data() const { return text.data(); }
  const uint32_t* boundOffsets() const { return bounds.data(); }
  std::string_view at(std::size_t index) const {
    return std::string_view(text).substr(bounds[index], bounds[index + 1] - bounds[index]);
  }

 private:
  std::string text;
  std::vector<uint32_t> bounds{0};  // where each name starts in text, and the last ends
};

// The names read from the `length` bytes of the area up to the label end
// address the header gives. A damaged area yields the names read before
// the damage; nothing is read outside the bytes given.
zeb_LabelNames zeb_readLabelArea(const unsigned char* area, int length, int labelEnd);

#endif  // LORVEX_SOURCE_LABEL_AREA_H
