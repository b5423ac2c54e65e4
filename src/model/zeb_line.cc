#include "model/zeb_line.h"

#include <iostream>
#include <utility>

#include "model/p6502_tables.h"

zeb_Line::zeb_Line(int number) : lineNumber(number) {}

void zeb_Line::setOpcodeReal(int16_t opcodeByte) {
  // The byte may arrive sign-extended; only its low eight bits name it.
  const p6502_Decoded decoded = p6502_decode(static_cast<unsigned char>(opcodeByte & 0xFF));
  opcode = decoded.opcode;
  addressing = decoded.addressing;
}

void zeb_Line::setExpression(std::unique_ptr<zeb_Expression> expr) {
  if (!expr) {
    std::cerr << " warning: null expression; line " << lineNumber << "\n" << std::flush;
  }
  expression = std::move(expr);
}

void zeb_Line::setComment(std::string text, int16_t column) {
  comment = std::move(text);
  commentColumn = column;
}
