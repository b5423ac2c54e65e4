#include "source/line_records.h"

#include "model/statements.h"

namespace {

// Line-table classes (the table byte's top two bits).
constexpr int kWithLabel = 0xC0;
constexpr int kInstruction = 0x80;
// Records lie one below the other, down from just under the unused byte
// and the signature at the top of the text area.
constexpr int kReservedBelowTop = 6;

std::unique_ptr<zeb_Expression> single(std::unique_ptr<zeb_ExpressionToken> token) {
  auto expression = std::make_unique<zeb_Expression>();
  expression->addToken(std::move(token));
  return expression;
}

// Decodes the records of one image; the label usage is flagged as it goes.
class RecordDecoder {
 public:
  RecordDecoder(const unsigned char* text, zeb_LabelUsage& usage) : text_(text), usage_(usage) {}

  void decode(zeb_Line& line, int start, int n, int lineClass);

 private:
  int16_t readLabelRef(const unsigned char* record, int q, bool used);
  void readComment(zeb_Line& line, const unsigned char* record, int n, int q);
  void decodeInstruction(zeb_Line& line, int start, int n, int q);
  void decodeStatement(zeb_Line& line, int start, int n, int q);
  std::unique_ptr<zeb_Expression> readExpression(int start, int n, int* q) {
    return zeb_readExpression(text_, start, n, q, usage_);
  }
  std::unique_ptr<zeb_Expression> readList(int start, int n, int* q);

  const unsigned char* text_;
  zeb_LabelUsage& usage_;
};

int16_t RecordDecoder::readLabelRef(const unsigned char* record, int q, bool used) {
  const int index = (record[q] & 7) * 256 + record[q + 1];
  if (used) zeb_markUsed(usage_, index);
  return static_cast<int16_t>(index);
}

void RecordDecoder::readComment(zeb_Line& line, const unsigned char* record, int n, int q) {
  if (q < n && (record[q] & 0x80)) {
    line.setComment(std::string(record + q + 1, record + n),
                    static_cast<int16_t>(record[q] & 0x3F));
  }
}

void RecordDecoder::decode(zeb_Line& line, int start, int n, int lineClass) {
  const unsigned char* record = text_ + start;
  if (lineClass == kWithLabel || lineClass == kInstruction) {
    line.setType(zeb_INSTRUCTION);
    int q = 0;
    if (lineClass == kWithLabel) {
      if (n < 2) return;  // the label reference is cut off
      line.setLabelRef(readLabelRef(record, 0, true));
      q = 2;
    }
    decodeInstruction(line, start, n, q);
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
  decodeStatement(line, start, n, q);
}

void RecordDecoder::decodeInstruction(zeb_Line& line, int start, int n, int q) {
  const unsigned char* record = text_ + start;
  if (q >= n) return;  // the opcode byte is cut off
  line.setOpcodeReal(static_cast<int8_t>(record[q]));
  ++q;
  if (q >= n) return;
  const int16_t mode = line.getAddressing();
  if (mode != zeb_IMPLIED && mode != zeb_ACCUMULATOR) {
    line.setExpression(readExpression(start, n, &q));
  }
  readComment(line, record, n, q);
}

void RecordDecoder::decodeStatement(zeb_Line& line, int start, int n, int q) {
  const unsigned char* record = text_ + start;
  const int code = record[q];
  if (code == 0) return;
  const zeb_Statement* statement = zeb_statement(code);
  if (!statement) {  // 32-127 end the record; 128 and up start a comment
    readComment(line, record, n, q);
    return;
  }
  line.setType(statement->kind);
  if (statement->pseudo) line.setPseudo(static_cast<int16_t>(code));
  ++q;

  switch (statement->operand) {
    case zeb_Operand::none:
      break;
    case zeb_Operand::expression:
      line.setExpression(readExpression(start, n, &q));
      break;
    case zeb_Operand::macroCall:
      if (q + 2 > n) return;  // the macro reference is cut off
      line.setMacroRef(readLabelRef(record, q, false));
      q += 2;
      line.setExpression(readList(start, n, &q));
      break;
    case zeb_Operand::list:
      line.setExpression(readList(start, n, &q));
      break;
    case zeb_Operand::string: {
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

std::unique_ptr<zeb_Expression> RecordDecoder::readList(int start, int n, int* q) {
  auto list = std::make_unique<zeb_ExpressionList>();
  while (*q < n) {
    std::unique_ptr<zeb_Expression> element = readExpression(start, n, q);
    if (!element) break;
    list->addExpression(std::move(element));
  }
  return single(std::move(list));
}

}  // namespace

void zeb_decodeLines(const unsigned char* text, int textLength, const unsigned char* table,
                     int tableLength, std::vector<zeb_Line>& lines, zeb_LabelUsage& usage) {
  RecordDecoder decoder(text, usage);
  lines.reserve(lines.size() + static_cast<std::size_t>(tableLength));
  int p = textLength - kReservedBelowTop;
  for (int k = 0; k < tableLength; ++k) {
    zeb_Line& line = lines.emplace_back(k + 1);
    const int n = table[k] & 0x3F;
    if (n == 0) continue;
    p -= n;
    // A record that would reach below the text area is left out: the
    // line stays empty rather than showing bytes from outside it.
    if (p >= 0) decoder.decode(line, p, n, table[k] & 0xC0);
  }
}
