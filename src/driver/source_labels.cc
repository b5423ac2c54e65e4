#include "driver/source_labels.h"

#include "model/zeb_text.h"
#include "source/zeb_source.h"

LabelSpanCollector::LabelSpanCollector(std::vector<LabelSpan>& spans) : spans_(spans) {
  zeb_setLabelSpanSink(this);
}

LabelSpanCollector::~LabelSpanCollector() { zeb_setLabelSpanSink(nullptr); }

void LabelSpanCollector::labelSpan(const zeb_Text&, std::size_t at, std::size_t length,
                                   int32_t index, bool definition) {
  spans_.push_back({base_ + at, length, static_cast<int>(index), line_, definition});
}

std::vector<LabelInfo> labelsOf(const zeb_Source& source) {
  std::vector<LabelInfo> labels(source.numberOfLabels());
  for (unsigned long i = 0; i < source.numberOfLabels(); ++i) {
    labels[i].name = std::string(source.labelName(i));
  }
  std::vector<LabelSpan> spans;
  {
    LabelSpanCollector collector(spans);
    zeb_Text scratch;
    const std::vector<uint32_t>& occupied = source.occupiedLines();
    for (std::size_t k = 0; k < occupied.size(); ++k) {
      collector.setLine(occupied[k]);
      source.occupiedLine(k)->writeTo(scratch);
      scratch.clear();
    }
  }
  for (const LabelSpan& span : spans) {
    if (span.label < 0 || static_cast<std::size_t>(span.label) >= labels.size()) continue;
    LabelInfo& label = labels[static_cast<std::size_t>(span.label)];
    if (span.definition) {
      if (!label.definedAt) label.definedAt = span.line;
    } else if (label.usedAt.empty() || label.usedAt.back() != span.line) {
      label.usedAt.push_back(span.line);
    }
  }
  return labels;
}
