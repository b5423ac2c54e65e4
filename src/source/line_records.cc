#include "source/line_records.h"


#include "model/p6502_tables.h"
#include "model/statements.h"

namespace {

// Line-table classes (the table byte's top two bits).
constexpr int kWithLabel = 0xC0;
constexpr int kInstruction = 0x80;
// Records lie one below the other, down from just under the unused byte
// and the signature at the top of the text area.
constexpr int kReservedBelowTop = 6;

// The table of a big image is mostly entries without a record (length 0),
// so it is read eight entries at a time, as a mask with bit 7 of byte i set
// when entry i has a record.
constexpr int kRun = 8;

uint64_t recordMask(const unsigned char* e) {
  // Spelt out, so that the compiler reads the eight bytes in one load.
  const uint64_t run = uint64_t{e[0]} | uint64_t{e[1]} << 8 | uint64_t{e[2]} << 16 |
                       uint64_t{e[3]} << 24 | uint64_t{e[4]} << 32 | uint64_t{e[5]} << 40 |
                       uint64_t{e[6]} << 48 | uint64_t{e[7]} << 56;
  const uint64_t lengths = run & 0x3F3F3F3F3F3F3F3Full;
  // A length of 1 to 63 plus $7F reaches bit 7 of its byte, and no carry
  // crosses into the next one.
  return (lengths + 0x7F7F7F7F7F7F7F7Full) & 0x8080808080808080ull;
}

// Few entries of a run have a record: a loop over them beats a population
// count that the baseline instruction set lacks.
int entriesIn(uint64_t mask) {
  int count = 0;
  for (; mask != 0; mask &= mask - 1) ++count;
  return count;
}

// The entry of the lowest bit of a non-empty mask.
int firstEntry(uint64_t mask) {
#if defined(__GNUC__)
  return __builtin_ctzll(mask) / 8;
#else
  int entry = 0;
  for (; (mask & 0xFF) == 0; mask >>= 8) ++entry;
  return entry;
#endif
}

// Decodes the records of one image into its arena; the label usage is
// flagged as it goes. A record is read whole, then handed to its line.
class RecordDecoder {
 public:
  RecordDecoder(kio_Arena& arena, const unsigned char* text, zeb_LabelUsage& usage)
      : arena_(arena), text_(text), usage_(usage) {}

  void decode(zeb_Line& line, int start, int n, int lineClass) {
    zeb_DecodedRecord r;
    read(r, start, n, lineClass);
    line.setDecoded(arena_, r);
  }

 private:
  void read(zeb_DecodedRecord& r, int start, int n, int lineClass);
  int16_t readLabelRef(const unsigned char* record, int q, bool used);
  void readComment(zeb_DecodedRecord& r, const unsigned char* record, int n, int q);
  void readInstruction(zeb_DecodedRecord& r, int start, int n, int q);
  void readStatement(zeb_DecodedRecord& r, int start, int n, int q);
  void setOperand(zeb_DecodedRecord& r, const zeb_Expression* expression) {
    r.operandRead = true;
    r.expression = expression;
  }
  const zeb_Expression* readExpression(int start, int n, int* q) {
    return zeb_readExpression(arena_, text_, start, n, q, usage_);
  }
  const zeb_Expression* readList(int start, int n, int* q);
  const zeb_Expression* single(const zeb_ExpressionToken* token) {
    return zeb_Expression::makeIn(arena_, &token, 1);
  }

  kio_Arena& arena_;
  const unsigned char* text_;
  zeb_LabelUsage& usage_;
};

int16_t RecordDecoder::readLabelRef(const unsigned char* record, int q, bool used) {
  const int index = (record[q] & 7) * 256 + record[q + 1];
  if (used) zeb_markUsed(usage_, index);
  return static_cast<int16_t>(index);
}

void RecordDecoder::readComment(zeb_DecodedRecord& r, const unsigned char* record, int n, int q) {
  if (q < n && (record[q] & 0x80)) {
    r.comment = record + q + 1;
    r.commentLength = static_cast<std::size_t>(n - q - 1);
    r.commentColumn = static_cast<int16_t>(record[q] & 0x3F);
  }
}

void RecordDecoder::read(zeb_DecodedRecord& r, int start, int n, int lineClass) {
  const unsigned char* record = text_ + start;
  if (lineClass == kWithLabel || lineClass == kInstruction) {
    r.type = zeb_INSTRUCTION;
    int q = 0;
    if (lineClass == kWithLabel) {
      if (n < 2) return;  // the label reference is cut off
      r.labelRef = readLabelRef(record, 0, true);
      q = 2;
    }
    readInstruction(r, start, n, q);
    return;
  }

  const unsigned char first = record[0];
  if (first & 0x40) {  // $40-$7F and $C0-$FF: a text line
    r.type = zeb_TEXT;
    r.comment = record + 1;
    r.commentLength = static_cast<std::size_t>(n - 1);
    r.commentColumn = static_cast<int16_t>(first & 0x3F);
    return;
  }
  int q = 0;
  if ((first & 0x30) == 0x30) {
    r.type = zeb_LABEL_ONLY;
    if (n < 2) return;
    r.labelRef = readLabelRef(record, 0, true);
    q = 2;
    if (q >= n) return;
  }
  readStatement(r, start, n, q);
}

void RecordDecoder::readInstruction(zeb_DecodedRecord& r, int start, int n, int q) {
  const unsigned char* record = text_ + start;
  if (q >= n) return;  // the opcode byte is cut off
  const p6502_Decoded decoded = p6502_decode(record[q]);
  r.opcode = decoded.opcode;
  r.addressing = decoded.addressing;
  ++q;
  if (q >= n) return;
  if (r.addressing != zeb_IMPLIED && r.addressing != zeb_ACCUMULATOR) {
    setOperand(r, readExpression(start, n, &q));
  }
  readComment(r, record, n, q);
}

void RecordDecoder::readStatement(zeb_DecodedRecord& r, int start, int n, int q) {
  const unsigned char* record = text_ + start;
  const int code = record[q];
  if (code == 0) return;
  const zeb_Statement* statement = zeb_statement(code);
  if (!statement) {  // 32-127 end the record; 128 and up start a comment
    readComment(r, record, n, q);
    return;
  }
  r.type = statement->kind;
  if (statement->pseudo) r.pseudo = static_cast<int16_t>(code);
  ++q;

  switch (statement->operand) {
    case zeb_Operand::none:
      break;
    case zeb_Operand::expression:
      setOperand(r, readExpression(start, n, &q));
      break;
    case zeb_Operand::macroCall:
      if (q + 2 > n) return;  // the macro reference is cut off
      r.macroRef = readLabelRef(record, q, false);
      q += 2;
      setOperand(r, readList(start, n, &q));
      break;
    case zeb_Operand::list:
      setOperand(r, readList(start, n, &q));
      break;
    case zeb_Operand::string: {
      // A length that runs past the record keeps what the record holds.
      int from = q;
      int present = 0;
      if (q < n) {
        const int length = record[q++];
        present = length < n - q ? length : n - q;
        from = q;
        q += present;
      }
      setOperand(r, single(zeb_ExpressionString::makeIn(arena_, record + from,
                                                        static_cast<std::size_t>(present))));
      break;
    }
  }
  readComment(r, record, n, q);
}

const zeb_Expression* RecordDecoder::readList(int start, int n, int* q) {
  zeb_PartRun<zeb_Expression> elements(arena_);
  while (*q < n) {
    const zeb_Expression* element = readExpression(start, n, q);
    if (!element) break;
    elements.add(element);
  }
  return single(zeb_ExpressionList::makeIn(arena_, elements.parts(), elements.size()));
}

}  // namespace

void zeb_decodeLines(kio_Arena& arena, const unsigned char* text, int textLength,
                     const unsigned char* table, int tableLength, zeb_LabelUsage& usage,
                     std::vector<zeb_Line>& records, std::vector<uint32_t>& occupied) {
  RecordDecoder decoder(arena, text, usage);
  const int runs = tableLength > 0 ? tableLength / kRun : 0;
  std::size_t withRecord = 0;
  for (int r = 0; r < runs; ++r) withRecord += entriesIn(recordMask(table + r * kRun));
  for (int k = runs * kRun; k < tableLength; ++k) withRecord += (table[k] & 0x3F) != 0;
  records.reserve(records.size() + withRecord);
  occupied.reserve(occupied.size() + withRecord);

  int p = textLength - kReservedBelowTop;
  const auto take = [&](int k) {
    const int n = table[k] & 0x3F;
    p -= n;
    // A record that would reach below the text area is left out: the
    // line stays bare rather than showing bytes from outside it.
    if (p < 0) return;
    decoder.decode(records.emplace_back(k + 1), p, n, table[k] & 0xC0);
    occupied.push_back(static_cast<uint32_t>(k));
  };
  for (int r = 0; r < runs; ++r) {
    for (uint64_t mask = recordMask(table + r * kRun); mask != 0; mask &= mask - 1) {
      take(r * kRun + firstEntry(mask));
    }
  }
  for (int k = runs * kRun; k < tableLength; ++k) {
    if (table[k] & 0x3F) take(k);
  }
}
