#include "export/record_operand.h"

#include "model/zeb_line.h"

lorvex_LineRecord lorvex_lineRecord(const zeb_Line& line) {
  if (const zeb_StoredRecord* record = line.record()) {
    const unsigned char* bytes = record->bytes();
    const int n = record->length();
    return lorvex_LineRecord{bytes, n, zeb_readRecordHead(bytes, n, record->lineClass())};
  }
  const zeb_Line::Parts parts = line.parts();
  lorvex_LineRecord own{nullptr, 0, zeb_RecordHead{}};
  own.head.type = parts.type;
  own.head.labelRef = parts.labelRef;
  own.head.pseudo = parts.pseudo;
  own.head.macroRef = parts.macroRef;
  own.head.opcode = parts.opcode;
  own.head.addressing = parts.addressing;
  return own;
}
