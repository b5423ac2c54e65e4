// Label indexes resolved to names through zeb_Source::globLabels. An index
// outside the table renders as a placeholder no real label can spell.
#ifndef LORVEX_MODEL_LABEL_NAMES_H
#define LORVEX_MODEL_LABEL_NAMES_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "model/zeb_text.h"

// Told where each label name lands in the text it is rendered into, for a
// caller that links names to their labels. Rendering pays one test of a
// null pointer per label while no sink is installed.
class zeb_LabelSpanSink {
 public:
  virtual ~zeb_LabelSpanSink() = default;
  // The name of label `index` now fills out's bytes [at, at + length);
  // `definition` for the label field of a line, otherwise a use.
  virtual void labelSpan(const zeb_Text& out, std::size_t at, std::size_t length, int32_t index,
                         bool definition) = 0;
};

// Installs a sink the caller keeps alive; null (the start) reports nothing.
void zeb_setLabelSpanSink(zeb_LabelSpanSink* sink);
// The sink in force, null for none; set through zeb_setLabelSpanSink.
extern zeb_LabelSpanSink* zeb_labelSpanSink;
// Whether a sink is installed: text that is put and then taken back must
// not name labels while one is.
inline bool zeb_reportingLabelSpans() { return zeb_labelSpanSink != nullptr; }

// The names of zeb_Source::globLabels as the source that filled it keeps
// them, packed for quick copying: name i is text[ends[i - 1], ends[i])
// (from 0 for the first), and 16 bytes may be read from where any starts.
// Used only while `of` is still globLabels' array.
struct zeb_PackedNames {
  const char* text = nullptr;
  const uint32_t* ends = nullptr;
  const void* of = nullptr;
};
// Installs names the caller keeps alive, or none (the start).
void zeb_setPackedNames(const zeb_PackedNames& names);
// Those in force.
extern zeb_PackedNames zeb_packedNamesInForce;
inline const zeb_PackedNames& zeb_packedNames() { return zeb_packedNamesInForce; }
// zeb_Source::globLabels, which the packed names must still be.
extern const std::vector<std::string>& zeb_labelTable;

// Names up to this long are written straight into room the caller made.
constexpr std::size_t zeb_CURSOR_NAME = 16;

// Writes label `index` at `at`, where zeb_CURSOR_NAME bytes may be
// written, and returns the name's end. Null, writing nothing, when it must
// be put with zeb_writeLabel or zeb_writeLabelDefinition instead: a span
// sink is installed, or the name is longer, or not among the packed ones.
ZEB_INLINE char* zeb_writeLabelAt(char* at, int32_t index) {
  const zeb_PackedNames& packed = zeb_packedNamesInForce;
  if (zeb_labelSpanSink != nullptr || packed.of != zeb_labelTable.data() ||
      static_cast<uint32_t>(index) >= zeb_labelTable.size()) {
    return nullptr;
  }
  const uint32_t start = index == 0 ? 0 : packed.ends[index - 1];
  const uint32_t length = packed.ends[index] - start;
  if (length > zeb_CURSOR_NAME) return nullptr;
  std::memcpy(at, packed.text + start, zeb_CURSOR_NAME);
  return at + length;
}

// A label referred to by an operand (or a macro call's name).
void zeb_writeLabel(zeb_Text& out, int32_t index);
// A label in a line's label field, where it is defined.
void zeb_writeLabelDefinition(zeb_Text& out, int32_t index);

#endif  // LORVEX_MODEL_LABEL_NAMES_H
