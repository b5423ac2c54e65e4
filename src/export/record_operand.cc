#include "export/record_operand.h"

#include "model/zeb_line.h"

lorvex_LineRecord lorvex_ownLineRecord(const zeb_Line& line) {
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
