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
// them, packed for quick copying: name i is text[bounds[i], bounds[i + 1]),
// and 16 bytes may be read from where any starts. Used only while `of` is
// still globLabels' array, of `count` names.
struct zeb_PackedNames {
  const char* text = nullptr;
  const uint32_t* bounds = nullptr;
  const void* of = nullptr;
  uint32_t count = 0;
};
// Installs names the caller keeps alive, or none (the start).
void zeb_setPackedNames(const zeb_PackedNames& names);
// Those in force.
const zeb_PackedNames& zeb_packedNames();

// Names up to this long are written straight into room the caller made.
constexpr std::size_t zeb_CURSOR_NAME = 16;

// The packed names a renderer may write from while nothing changes the
// names or installs a span sink: none (count 0) where every name must be
// put with zeb_writeLabel or zeb_writeLabelDefinition instead.
zeb_PackedNames zeb_namesToWrite();

// Writes label `index` of `names` (zeb_namesToWrite) at `at`, where
// zeb_CURSOR_NAME bytes may be written, and returns the name's end. Null,
// writing nothing, when the name is not among them or is longer.
ZEB_INLINE char* zeb_writeLabelAt(char* at, const zeb_PackedNames& names, int32_t index) {
  if (static_cast<uint32_t>(index) >= names.count) return nullptr;
  const uint32_t start = names.bounds[index];
  const uint32_t length = names.bounds[index + 1] - start;
  if (length > zeb_CURSOR_NAME) return nullptr;
  std::memcpy(at, names.text + start, zeb_CURSOR_NAME);
  return at + length;
}

// A label referred to by an operand (or a macro call's name).
void zeb_writeLabel(zeb_Text& out, int32_t index);
// A label in a line's label field, where it is defined.
void zeb_writeLabelDefinition(zeb_Text& out, int32_t index);

#endif  // LORVEX_MODEL_LABEL_NAMES_H
