// Line records: 6502 instructions, text lines, labels and the statements
// of codes 1 to 31 with their operands and comment trailers.
#include "source/zeb_source.h"

namespace {

enum class Operand { none, expression, list, string, macroCall };

struct Statement {
  int16_t kind;
  bool pseudo;  // the code itself is the line's pseudo-op code
  Operand operand;
};

// Statement codes 0 to 31.
const Statement kStatements[32] = {
    {zeb_BLANK, false, Operand::none},             // 0: nothing
    {zeb_PSEUDO, true, Operand::expression},       // 1 .offs
    {zeb_PSEUDO, true, Operand::string},           // 2 .text
    {zeb_PSEUDO, true, Operand::list},             // 3 .byte
    {zeb_PSEUDO, true, Operand::list},             // 4 .word
    {zeb_ASSIGN, false, Operand::expression},      // 5 label =
    {zeb_PC_ASSIGN, false, Operand::expression},   // 6 *=
    {zeb_PSEUDO, true, Operand::none},             // 7 .macro
    {zeb_PSEUDO, true, Operand::none},             // 8 .endm
    {zeb_PSEUDO, true, Operand::macroCall},        // 9 #macro
    {zeb_PSEUDO, true, Operand::expression},       // 10 .ifne
    {zeb_PSEUDO, true, Operand::none},             // 11 .endif
    {zeb_PSEUDO, true, Operand::none},             // 12 .block
    {zeb_PSEUDO, true, Operand::none},             // 13 .bend
    {zeb_PSEUDO, true, Operand::none},             // 14 .pron
    {zeb_PSEUDO, true, Operand::none},             // 15 .proff
    {zeb_PSEUDO, true, Operand::string},           // 16 .include
    {zeb_PSEUDO, true, Operand::none},             // 17 .end
    {zeb_PSEUDO, true, Operand::expression},       // 18 .eor
    {zeb_PSEUDO, true, Operand::none},             // 19 .lbl
    {zeb_PSEUDO, true, Operand::expression},       // 20 .var
    {zeb_PSEUDO, true, Operand::none},             // 21 .hidemac
    {zeb_PSEUDO, true, Operand::none},             // 22 .showmac
    {zeb_PSEUDO, true, Operand::string},           // 23 .shift
    {zeb_PSEUDO, true, Operand::expression},       // 24 .ifpl
    {zeb_PSEUDO, true, Operand::expression},       // 25 .ifmi
    {zeb_PSEUDO, true, Operand::expression},       // 26 .ifeq
    {zeb_PSEUDO, true, Operand::expression},       // 27 .if
    {zeb_PSEUDO, true, Operand::list},             // 28 .rta
    {zeb_PSEUDO, true, Operand::string},           // 29 .null
    {zeb_PSEUDO, true, Operand::none},             // 30 .segment
    {zeb_PSEUDO, true, Operand::expression},       // 31 .goto
};

constexpr int kWithLabel = 0xC0;
constexpr int kInstruction = 0x80;

std::unique_ptr<zeb_Expression> single(std::unique_ptr<zeb_ExpressionToken> token) {
  auto expression = std::make_unique<zeb_Expression>();
  expression->addToken(std::move(token));
  return expression;
}

}  // namespace

int16_t zeb_Source::readLabelRef(const unsigned char* record, int q, bool used) {
  const int index = (record[q] & 7) * 256 + record[q + 1];
  if (used) markUsed(index);
  return static_cast<int16_t>(index);
}

void zeb_Source::readComment(zeb_Line& line, const unsigned char* record, int n, int q) {
  if (q < n && (record[q] & 0x80)) {
    line.setComment(std::string(record + q + 1, record + n), static_cast<int16_t>(record[q] & 0x3F));
  }
}

void zeb_Source::decodeRecord(zeb_Line& line, const unsigned char* text, int start, int n,
                              int lineClass) {
  const unsigned char* record = text + start;
  if (lineClass == kWithLabel || lineClass == kInstruction) {
    line.setType(zeb_INSTRUCTION);
    int q = 0;
    if (lineClass == kWithLabel) {
      if (n < 2) return;  // the label reference is cut off
      line.setLabelRef(readLabelRef(record, 0, true));
      q = 2;
    }
    decodeInstruction(line, text, start, n, q);
    return;
  }

  const unsigned char first = record[0];
  if (first & 0x40) {  // $40-$7F and $C0-$FF: a text line
    line.setType(zeb_TEXT);
    line.setComment(std::string(record + 1, record + n), static_cast<int16_t>(first & 0x3F));
    return;
  }
  int q = 0;
  if ((first & 0x30) == 0x30) {
    line.setType(zeb_LABEL_ONLY);
    if (n < 2) return;
    line.setLabelRef(readLabelRef(record, 0, true));
    q = 2;
    if (q >= n) return;
  }
  decodeStatement(line, text, start, n, q);
}

void zeb_Source::decodeInstruction(zeb_Line& line, const unsigned char* text, int start, int n,
                                   int q) {
  const unsigned char* record = text + start;
  if (q >= n) return;  // the opcode byte is cut off
  line.setOpcodeReal(static_cast<int8_t>(record[q]));
  ++q;
  if (q >= n) return;
  const int16_t mode = line.getAddressing();
  if (mode != zeb_IMPLIED && mode != zeb_ACCUMULATOR) {
    line.setExpression(readExpression(text, start, n, &q));
  }
  readComment(line, record, n, q);
}

void zeb_Source::decodeStatement(zeb_Line& line, const unsigned char* text, int start, int n,
                                 int q) {
  const unsigned char* record = text + start;
  const int code = record[q];
  if (code == 0) return;
  if (code >= 32) {  // 32-127 end the record; 128 and up start a comment
    readComment(line, record, n, q);
    return;
  }
  const Statement& statement = kStatements[code];
  line.setType(statement.kind);
  if (statement.pseudo) line.setPseudo(static_cast<int16_t>(code));
  ++q;

  switch (statement.operand) {
    case Operand::none:
      break;
    case Operand::expression:
      line.setExpression(readExpression(text, start, n, &q));
      break;
    case Operand::macroCall:
      if (q + 2 > n) return;  // the macro reference is cut off
      line.setMacroRef(readLabelRef(record, q, false));
      q += 2;
      line.setExpression(readList(text, start, n, &q));
      break;
    case Operand::list:
      line.setExpression(readList(text, start, n, &q));
      break;
    case Operand::string: {
      // A length that runs past the record keeps what the record holds.
      std::string bytes;
      if (q < n) {
        const int length = record[q++];
        const int present = length < n - q ? length : n - q;
        bytes.assign(record + q, record + q + present);
        q += present;
      }
      line.setExpression(single(std::make_unique<zeb_ExpressionString>(std::move(bytes))));
      break;
    }
  }
  readComment(line, record, n, q);
}

std::unique_ptr<zeb_Expression> zeb_Source::readList(const unsigned char* text, int start, int n,
                                                     int* q) {
  auto list = std::make_unique<zeb_ExpressionList>();
  while (*q < n) {
    std::unique_ptr<zeb_Expression> element = readExpression(text, start, n, q);
    if (!element) break;
    list->addExpression(std::move(element));
  }
  return single(std::move(list));
}
