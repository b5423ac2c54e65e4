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

// Source-type codes: 0 unidentified, 1..6 the known variants.
enum zeb_SourceType {
  zeb_UNIDENTIFIED = 0,
  zeb_MACRO_8000 = 1,
  zeb_PLAIN_9000 = 2,
  zeb_ALT_9000 = 3,
  zeb_PLAIN_A000 = 4,
  zeb_CROSS_87FF = 5,
  zeb_PRO_8A00 = 6,
};

// True when the length bytes of id end exactly at image byte offset + 256
// and the image goes on for at least one byte beyond it.
bool FMatchID(const char* id, int length, const char* image, int imageSize, int offset);

int b2i(char c);               // byte as 0..255
int w2i(char lo, char hi);     // little-endian 16-bit value
bool isLabelChar(char c);      // "0"-"9", "A"-"Z", "["

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

  // Decodes one tokenized operand starting at text[recordStart + *position].
  // Reads stop at the end of the record (recordLength bytes). Returns null,
  // with *position at the offending byte, when no expression could be read.
  std::unique_ptr<zeb_Expression> readExpression(const unsigned char* text, int recordStart,
                                                 int recordLength, int* position);

  // Source-type code of an image whose text area starts at address start.
  int _idSource(const char* image, int start, int size) const;

  // Label names of the last decoded source, by label index.
  static std::vector<std::string> globLabels;

 private:
  void decodeLines(const unsigned char* text, int textLength, const unsigned char* table,
                   int tableLength);
  void readLabels(const unsigned char* area, int length, int labelEnd);
  void decodeRecord(zeb_Line& line, const unsigned char* text, int start, int n, int lineClass);
  void decodeInstruction(zeb_Line& line, const unsigned char* text, int start, int n, int q);
  void decodeStatement(zeb_Line& line, const unsigned char* text, int start, int n, int q);
  std::unique_ptr<zeb_Expression> readList(const unsigned char* text, int start, int n, int* q);
  void readComment(zeb_Line& line, const unsigned char* record, int n, int q);
  int16_t readLabelRef(const unsigned char* record, int q, bool used);
  void markUsed(int index);

  std::vector<zeb_Line> lines;  // held in one block: most lines of a big image are empty
  std::vector<std::string> labels;
  std::vector<unsigned char> labelsUsage;
  int sourceType = zeb_UNIDENTIFIED;
  bool parsed = false;
};

#endif  // LORVEX_SOURCE_ZEB_SOURCE_H
