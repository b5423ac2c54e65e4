#include "model/zeb_line.h"

#include <utility>

#include "model/decode_warnings.h"
#include "model/p6502_tables.h"

const zeb_Line::Detail zeb_Line::kNoDetail;

zeb_Line::zeb_Line(int number) : lineNumber(number) {}

zeb_Line::Detail& zeb_Line::detail() {
  if (!extra) extra = std::make_unique<Detail>();
  return *extra;
}

void zeb_Line::setOpcodeReal(int16_t opcodeByte) {
  // The byte may arrive sign-extended; only its low eight bits name it.
  const p6502_Decoded decoded = p6502_decode(static_cast<unsigned char>(opcodeByte & 0xFF));
  Detail& d = detail();
  d.opcode = decoded.opcode;
  d.addressing = decoded.addressing;
}

void zeb_Line::setExpression(std::unique_ptr<zeb_Expression> expr) {
  if (!expr) zeb_warnings().nullExpression(lineNumber);
  detail().expression = std::move(expr);
}

void zeb_Line::setComment(std::string text, int16_t column) {
  Detail& d = detail();
  d.comment = std::move(text);
  d.commentColumn = column;
}
