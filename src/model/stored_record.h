// Decoded lines keep their records as the image stores them: a line is
// read from its bytes whenever it is asked for, which costs less than
// building its parts once and reading those. The record format is here:
// what a record's first bytes say (its head), where its operand lies in
// which form, and where a comment follows.
#ifndef LORVEX_MODEL_STORED_RECORD_H
#define LORVEX_MODEL_STORED_RECORD_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "model/operand_tokens.h"
#include "model/p6502_tables.h"
#include "model/statements.h"
#include "model/zeb_expression.h"
#include "model/zeb_line.h"
#include "support/kio_arena.h"

// Line-table classes (the table byte's top two bits).
constexpr int zeb_CLASS_WITH_LABEL = 0xC0;
constexpr int zeb_CLASS_INSTRUCTION = 0x80;

// What a record holds before its operand.
// (The fields that start at -1 come first, eight bytes of them together,
// so that a head is set up in few stores.)
struct zeb_RecordHead {
  int16_t labelRef = -1;
  int16_t pseudo = -1;
  int16_t macroRef = -1;
  int16_t opcode = -1;
  int16_t addressing = -1;
  int16_t textColumn = -1;               // a text line: its column; its text is bytes 1 to n-1
  int16_t type = 0;                      // zeb_LineKind
  zeb_Operand form = zeb_Operand::none;  // read at `at`; a macro call's list reads as list
  bool ends = false;                     // nothing after the head counts, not even a comment
  int at = 0;                            // where the operand, or else a comment, may start
  const zeb_Statement* statement = nullptr;  // the row of a statement code 1 to 31
};

// The statement byte at q and what follows it.
ZEB_INLINE void zeb_readStatementHead(zeb_RecordHead& head, const unsigned char* record, int n,
                                      int q) {
  const int code = record[q];
  head.at = q;
  if (code == 0) {
    head.ends = true;
    return;
  }
  const zeb_Statement* statement = zeb_statement(code);
  if (!statement) return;  // 32-127 end the record; 128 and up start a comment
  head.statement = statement;
  head.type = statement->kind;
  if (statement->pseudo) head.pseudo = static_cast<int16_t>(code);
  ++q;
  if (statement->operand == zeb_Operand::macroCall) {
    if (q + 2 > n) {  // the macro reference is cut off
      head.ends = true;
      return;
    }
    head.macroRef = zeb_labelIndex(record + q);
    q += 2;
  }
  head.form = statement->operand;
  head.at = q;
}

// The head of the record of n bytes (n >= 1) under its line-table class.
ZEB_INLINE zeb_RecordHead zeb_readRecordHead(const unsigned char* record, int n, int lineClass) {
  zeb_RecordHead head;
  if (lineClass == zeb_CLASS_WITH_LABEL || lineClass == zeb_CLASS_INSTRUCTION) {
    head.type = zeb_INSTRUCTION;
    int q = 0;
    if (lineClass == zeb_CLASS_WITH_LABEL) {
      if (n < 2) {  // the label reference is cut off
        head.ends = true;
        return head;
      }
      head.labelRef = zeb_labelIndex(record);
      q = 2;
    }
    head.at = q;
    if (q >= n) return head;  // the opcode byte is cut off
    const p6502_Decoded decoded = p6502_decode(record[q]);
    head.opcode = decoded.opcode;
    head.addressing = decoded.addressing;
    head.at = ++q;
    if (q < n && decoded.addressing != zeb_IMPLIED && decoded.addressing != zeb_ACCUMULATOR) {
      head.form = zeb_Operand::expression;
    }
    return head;
  }

  const unsigned char first = record[0];
  if (first & 0x40) {  // $40-$7F and $C0-$FF: a text line
    head.type = zeb_TEXT;
    head.textColumn = static_cast<int16_t>(first & 0x3F);
    head.ends = true;
    return head;
  }
  int q = 0;
  if ((first & 0x30) == 0x30) {
    head.type = zeb_LABEL_ONLY;
    if (n < 2) {
      head.ends = true;
      return head;
    }
    head.labelRef = zeb_labelIndex(record);
    q = 2;
    head.at = q;
    if (q >= n) return head;
  }
  zeb_readStatementHead(head, record, n, q);
  return head;
}

// A string operand's bytes: a length byte, then that many bytes, as many
// as the record holds.
struct zeb_StringOperand {
  const unsigned char* bytes;
  std::size_t length;
  int end;  // just past what was read
};
inline zeb_StringOperand zeb_readStringOperand(const unsigned char* record, int n, int q) {
  if (q >= n) return {record + q, 0, q};
  const int length = record[q];
  const int present = length < n - q - 1 ? length : n - q - 1;
  return {record + q + 1, static_cast<std::size_t>(present), q + 1 + present};
}

// Walks the operand of `head` and returns where the comment step starts.
// visit hears of every token as zeb_readTokens tells it, and besides:
//   visit.startExpression(i, at) before the i-th expression of the operand,
//     which starts at record[at],
//   visit.endExpression(ok) after it (false: it failed and ends the operand),
//   visit.stringOperand(operand) for the string form.
template <typename Visit>
ZEB_INLINE int zeb_walkOperand(const unsigned char* record, int n, const zeb_RecordHead& head,
                               Visit& visit) {
  int q = head.at;
  switch (head.form) {
    case zeb_Operand::none:
      break;
    case zeb_Operand::expression: {
      visit.startExpression(0, q);
      const bool ok = zeb_readTokens(record, n, &q, visit);
      visit.endExpression(ok);
      break;
    }
    case zeb_Operand::list:
    case zeb_Operand::macroCall:
      for (int i = 0; q < n; ++i) {
        visit.startExpression(i, q);
        const bool ok = zeb_readTokens(record, n, &q, visit);
        visit.endExpression(ok);
        if (!ok) break;
      }
      break;
    case zeb_Operand::string: {
      const zeb_StringOperand string = zeb_readStringOperand(record, n, q);
      visit.stringOperand(string);
      q = string.end;
      break;
    }
  }
  return q;
}

// Walks an operand only to find where it ends.
struct zeb_SkipOperand : zeb_SkipTokens {
  void startExpression(int, int) {}
  void endExpression(bool) {}
  void stringOperand(const zeb_StringOperand&) {}
};

// The comment after the operand, which ends at position q: a header byte
// with bit 7 set, then the text to the record's end. Column -1 for none.
struct zeb_RecordComment {
  int16_t column = -1;
  std::string_view text;
};
inline bool zeb_commentAt(const unsigned char* record, int n, int q) {
  return q < n && (record[q] & 0x80);
}
inline zeb_RecordComment zeb_readComment(const unsigned char* record, int n, int q) {
  zeb_RecordComment comment;
  if (zeb_commentAt(record, n, q)) {
    comment.column = static_cast<int16_t>(record[q] & 0x3F);
    comment.text = std::string_view(reinterpret_cast<const char*>(record + q + 1),
                                    static_cast<std::size_t>(n - q - 1));
  }
  return comment;
}

class zeb_RecordStore;

// One decoded line: where its record lies in the store, its number and
// its line-table byte.
struct zeb_StoredRecord {
  const zeb_RecordStore* store;
  uint32_t offset;
  uint32_t numberAndByte;  // line number << 8 | line-table byte

  inline const unsigned char* bytes() const;
  int length() const { return static_cast<int>(numberAndByte & 0x3F); }
  int lineClass() const { return static_cast<int>(numberAndByte & 0xC0); }
  int lineNumber() const { return static_cast<int>(numberAndByte >> 8); }
};

// The text area of one image, copied or kept by the store's owner, and
// the records its lines keep in it. Expression objects for a record's operand are made only when asked
// for (zeb_Line::getExpression), once, and live as long as the store.
class zeb_RecordStore {
 public:
  zeb_RecordStore() = default;
  zeb_RecordStore(const zeb_RecordStore&) = delete;
  zeb_RecordStore& operator=(const zeb_RecordStore&) = delete;

  // Copies the text area.
  void keep(const unsigned char* text, int length);
  // Or reads a text area its owner keeps as long as the store, uncopied.
  void refer(const unsigned char* text, int length);
  // Makes room for `records` records, dropping those added: the addresses
  // add() returns stay valid as long as no more are added.
  void reserve(std::size_t records);
  const zeb_StoredRecord* add(int offset, int lineNumber, unsigned char tableByte) {
    if (count_ == capacity_) grow();
    zeb_StoredRecord* record = records_.get() + count_++;
    *record = make(offset, lineNumber, tableByte);
    return record;
  }
  // The decoder fills the room keep() made directly, from room() on with
  // records made by make(), and then counts them in with added().
  zeb_StoredRecord* room() { return records_.get() + count_; }
  void added(std::size_t count) { count_ += count; }
  zeb_StoredRecord make(int offset, int lineNumber, unsigned char tableByte) const {
    return zeb_StoredRecord{this, static_cast<uint32_t>(offset),
                            static_cast<uint32_t>(lineNumber) << 8 | tableByte};
  }
  const unsigned char* text() const { return text_; }
  std::size_t textLength() const { return length_; }
  // The k-th record added, of size().
  const zeb_StoredRecord& record(std::size_t k) const { return records_[k]; }
  std::size_t size() const { return count_; }

  // The operand of the record as expression objects; null where it has
  // none, or where its one expression could not be read.
  const zeb_Expression* expressionOf(const zeb_StoredRecord& record) const;

 private:
  std::vector<unsigned char> own_;
  const unsigned char* text_ = nullptr;
  std::size_t length_ = 0;
  void grow();

  // Uninitialised past count_: room the decoder never fills costs no
  // memory the process holds.
  std::unique_ptr<zeb_StoredRecord[]> records_;
  std::size_t count_ = 0;
  std::size_t capacity_ = 0;
  mutable kio_Arena arena_;
  mutable std::vector<const zeb_Expression*> expressions_;  // by record, once made
  mutable std::vector<uint8_t> made_;  // a byte each: asked once or more per line
};

const unsigned char* zeb_StoredRecord::bytes() const {
  return store->text() + offset;
}

#endif  // LORVEX_MODEL_STORED_RECORD_H
