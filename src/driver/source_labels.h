// The labels of a decoded source as data, and where their names lie in a
// listing, so a viewer can link uses to definitions without parsing text.
// Line numbers are the line indexes -n prints (the first line is 0).
#ifndef LORVEX_DRIVER_SOURCE_LABELS_H
#define LORVEX_DRIVER_SOURCE_LABELS_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/label_names.h"

class zeb_Source;

struct LabelInfo {
  std::string name;
  std::optional<unsigned long> definedAt;  // the first line whose label field holds it
  std::vector<unsigned long> usedAt;       // lines whose operand names it, ascending, once each
};

// One label name in a listing text: bytes [offset, offset + length).
struct LabelSpan {
  std::size_t offset = 0;
  std::size_t length = 0;
  int label = 0;           // index into the source's labels; may lie outside on a damaged image
  unsigned long line = 0;  // the source line it belongs to
  bool definition = false;
};

// One LabelInfo per label of the source, by label index. Renders every line
// once under the settings in force, which must be those of `source` (the
// source decoded last).
std::vector<LabelInfo> labelsOf(const zeb_Source& source);

// Gathers spans while it lives: installed as the label span sink on
// construction, removed on destruction. Whoever renders tells it the line
// being rendered and how many bytes of the text lie before the rendering's
// current buffer.
class LabelSpanCollector : public zeb_LabelSpanSink {
 public:
  explicit LabelSpanCollector(std::vector<LabelSpan>& spans);
  ~LabelSpanCollector() override;
  LabelSpanCollector(const LabelSpanCollector&) = delete;
  LabelSpanCollector& operator=(const LabelSpanCollector&) = delete;

  void setLine(unsigned long line) { line_ = line; }
  // The buffer's bytes so far went out: later offsets count after them.
  void advance(std::size_t bytes) { base_ += bytes; }

  void labelSpan(const zeb_Text& out, std::size_t at, std::size_t length, int32_t index,
                 bool definition) override;

 private:
  std::vector<LabelSpan>& spans_;
  std::size_t base_ = 0;
  unsigned long line_ = 0;
};

#endif  // LORVEX_DRIVER_SOURCE_LABELS_H
