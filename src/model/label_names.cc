#include "model/label_names.h"

#include "source/zeb_source.h"
#include "support/kio_itoa.h"

#if defined(__GNUC__)
#define LORVEX_ALWAYS_INLINE inline __attribute__((always_inline))
#else
#define LORVEX_ALWAYS_INLINE inline
#endif

zeb_LabelSpanSink* zeb_labelSpanSink = nullptr;

namespace {

zeb_LabelSpanSink*& spanSink = zeb_labelSpanSink;
zeb_PackedNames packed;

// A name that is not in the packed names, or a damaged reference.
[[gnu::noinline]] void putNameSlowly(zeb_Text& out, int32_t index) {
  const std::vector<std::string>& names = zeb_Source::globLabels;
  if (index >= 0 && static_cast<std::size_t>(index) < names.size()) {
    out.put(names[static_cast<std::size_t>(index)]);
    return;
  }
  // Label names hold only 0-9, a-z and _, so "?" marks a damaged reference.
  out.put("?label");
  out.put(kio_itoa(index, 10));
}

// Inlined into the plain path, where labels are a good part of the text:
// small, so that its callers stay light.
LORVEX_ALWAYS_INLINE void putName(zeb_Text& out, int32_t index) {
  const std::vector<std::string>& names = zeb_Source::globLabels;
  if (static_cast<uint32_t>(index) < packed.count && packed.of == names.data() &&
      static_cast<uint32_t>(index) < names.size()) {
    const uint32_t start = packed.bounds[index];
    out.putPadded(packed.text + start, packed.bounds[index + 1] - start);
    return;
  }
  putNameSlowly(out, index);
}

// Only while a sink is installed.
[[gnu::noinline]] void putReported(zeb_Text& out, int32_t index, bool definition) {
  const std::size_t at = out.size();
  putName(out, index);
  spanSink->labelSpan(out, at, out.size() - at, index, definition);
}

}  // namespace

void zeb_setLabelSpanSink(zeb_LabelSpanSink* sink) { spanSink = sink; }

void zeb_setPackedNames(const zeb_PackedNames& names) { packed = names; }

const zeb_PackedNames& zeb_packedNames() { return packed; }

zeb_PackedNames zeb_namesToWrite() {
  const std::vector<std::string>& names = zeb_Source::globLabels;
  if (spanSink != nullptr || packed.of != names.data() || packed.count != names.size()) return {};
  return packed;
}


void zeb_writeLabel(zeb_Text& out, int32_t index) {
  if (spanSink != nullptr) {
    putReported(out, index, false);
    return;
  }
  putName(out, index);
}

void zeb_writeLabelDefinition(zeb_Text& out, int32_t index) {
  if (spanSink != nullptr) {
    putReported(out, index, true);
    return;
  }
  putName(out, index);
}
