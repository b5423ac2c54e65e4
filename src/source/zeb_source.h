// One decoded source image. Construction does all the decoding: header,
// identification of the variant, label area, line records and operands.
// The object keeps no pointer into the caller's buffer and is read-only
// once built.
#ifndef LORVEX_SOURCE_ZEB_SOURCE_H
#define LORVEX_SOURCE_ZEB_SOURCE_H

#include <memory>
#include <string>
#include <vector>

#include "model/zeb_expression.h"
#include "model/zeb_line.h"
#include "source/expression_decoder.h"
#include "source/image_header.h"
#include "source/variants.h"

// The pieces of decoding, each in a file of its own, are declared in
// image_header.h, source_id.h, label_area.h, line_records.h and
// expression_decoder.h.

class zeb_Source {
 public:
  zeb_Source(const char* image, int size);
  zeb_Source(const zeb_Source&) = delete;
  zeb_Source& operator=(const zeb_Source&) = delete;
  ~zeb_Source();

  std::string type() const;
  int getSourceType() const { return sourceType; }
  bool isParsed() const { return parsed; }

  unsigned long numberOfLines() const { return static_cast<unsigned long>(lines.size()); }
  const zeb_Line* lineAt(unsigned long index) const { return &lines[index]; }
  unsigned long numberOfLabels() const { return static_cast<unsigned long>(labels.size()); }
  std::string labelAt(unsigned long index) const { return labels[index]; }
  bool isLabelUsed(unsigned long index) const { return labelsUsage[index] == 1; }

  // Every line's rendering, concatenated with nothing between them.
  std::string toString() const;

  // Decodes one tokenized operand of this source (see zeb_readExpression),
  // flagging the labels it refers to.
  std::unique_ptr<zeb_Expression> readExpression(const unsigned char* text, int recordStart,
                                                 int recordLength, int* position) {
    return zeb_readExpression(text, recordStart, recordLength, position, labelsUsage);
  }

  // Source-type code of an image whose text area starts at address start.
  int _idSource(const char* image, int start, int size) const;

  // Label names of the last decoded source, by label index.
  static std::vector<std::string> globLabels;

 private:
  std::vector<zeb_Line> lines;  // held in one block: most lines of a big image are empty
  std::vector<std::string> labels;
  zeb_LabelUsage labelsUsage;
  int sourceType = zeb_UNIDENTIFIED;
  bool parsed = false;
};

#endif  // LORVEX_SOURCE_ZEB_SOURCE_H
