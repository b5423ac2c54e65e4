// A line's operand read straight from its stored record into a flat run of
// tokens, without making expression objects: what the export translates.
// It holds what the line's expression objects would (zeb_Line::getExpression):
// nothing where those are null, a list operand as one list token whose
// items are the elements read, a string operand as one string token.
#ifndef LORVEX_EXPORT_RECORD_OPERAND_H
#define LORVEX_EXPORT_RECORD_OPERAND_H

#include <cstddef>
#include <cstdint>

#include "model/stored_record.h"

enum class lorvex_TokenKind : uint8_t { value, label, symbol, string, list };

struct lorvex_Token {
  lorvex_TokenKind kind;
  int16_t code;                // a value's zeb_ValueKind, a symbol's code
  int32_t value;               // a value's number, a label's index, a string's length
  const unsigned char* bytes;  // a string's bytes
};

// One expression's tokens.
struct lorvex_Tokens {
  const lorvex_Token* at = nullptr;
  std::size_t count = 0;

  std::size_t size() const { return count; }
  const lorvex_Token& operator[](std::size_t i) const { return at[i]; }
  // The token at `index`, null past the end.
  const lorvex_Token* get(std::size_t index) const { return index < count ? at + index : nullptr; }
  // The one token of a one-token expression of that kind; null otherwise.
  const lorvex_Token* only(lorvex_TokenKind kind) const {
    return count == 1 && at[0].kind == kind ? at : nullptr;
  }
};

class lorvex_RecordOperand {
 public:
  // Reads the operand `head` names in the record of n bytes; returns
  // where a comment may start after it.
  ZEB_INLINE int read(const unsigned char* record, int n, const zeb_RecordHead& head) {
    count_ = 0;
    items_ = 0;
    present_ = head.form != zeb_Operand::none && !head.ends;
    if (!present_) return head.at;
    if (head.form == zeb_Operand::expression && head.at + 2 <= n) {
      // Most operands: one label or number that ends the expression, read
      // without the walk.
      const int q = head.at;
      const int t = record[q];
      if (zeb_isLabelToken(t) && zeb_endsExpression(t)) {
        tokens_[0] = lorvex_Token{lorvex_TokenKind::label, 0, zeb_labelIndex(record + q), nullptr};
        count_ = 1;
        items_ = 1;
        whole_ = lorvex_Tokens{tokens_, 1};
        return q + 2;
      }
      if (zeb_isValueToken(t) && zeb_endsExpression(t)) {  // or one number
        const zeb_ValueToken& v = zeb_VALUE_TOKENS[t & 7];
        if (q + 1 + v.bytes <= n) {
          tokens_[0] = lorvex_Token{lorvex_TokenKind::value, v.kind,
                                    zeb_storedValue(v, record + q + 1), nullptr};
          count_ = 1;
          items_ = 1;
          whole_ = lorvex_Tokens{tokens_, 1};
          return q + 1 + v.bytes;
        }
      }
    }
    const int q = zeb_walkOperand(record, n, head, *this);
    if (head.form == zeb_Operand::list || head.form == zeb_Operand::macroCall) {
      list_ = lorvex_Token{lorvex_TokenKind::list, 0, static_cast<int32_t>(items_), nullptr};
      whole_ = lorvex_Tokens{&list_, 1};
    } else if (head.form == zeb_Operand::expression) {
      // One expression, read from the first token on: when it was read,
      // the run is it.
      present_ = items_ == 1;
      whole_ = present_ ? lorvex_Tokens{tokens_, count_} : lorvex_Tokens{};
    } else {
      whole_ = lorvex_Tokens{tokens_, count_};
    }
    return q;
  }

  // Whether the line has an operand (its expression objects are not null).
  bool present() const { return present_; }
  // The operand as one expression.
  lorvex_Tokens whole() const { return whole_; }
  // The elements of a list operand, as read up to one that could not be.
  std::size_t items() const { return items_; }
  lorvex_Tokens item(std::size_t i) const {
    return lorvex_Tokens{tokens_ + starts_[i], static_cast<std::size_t>(starts_[i + 1] - starts_[i])};
  }
  // Every token read, the elements of a list included.
  lorvex_Tokens all() const { return present_ ? lorvex_Tokens{tokens_, count_} : lorvex_Tokens{}; }

  // What zeb_walkOperand tells.
  void value(int16_t kind, int32_t number) { put(lorvex_TokenKind::value, kind, number, nullptr); }
  void label(int index) { put(lorvex_TokenKind::label, 0, index, nullptr); }
  void symbol(int code) { put(lorvex_TokenKind::symbol, static_cast<int16_t>(code), 0, nullptr); }
  void string(const unsigned char* bytes, std::size_t length) {
    put(lorvex_TokenKind::string, 0, static_cast<int32_t>(length), bytes);
  }
  void notToken(int, int) {}
  void startExpression(int, int) { starts_[items_] = static_cast<uint8_t>(count_); }
  void endExpression(bool ok) {
    if (ok) {
      starts_[++items_] = static_cast<uint8_t>(count_);
    } else {
      count_ = starts_[items_];  // a failed element makes nothing
    }
  }
  void stringOperand(const zeb_StringOperand& s) { string(s.bytes, s.length); }

 private:
  // A record holds at most 63 bytes, each token one or more of them.
  static constexpr std::size_t kMost = 64;

  void put(lorvex_TokenKind kind, int16_t code, int32_t number, const unsigned char* bytes) {
    tokens_[count_++] = lorvex_Token{kind, code, number, bytes};
  }

  lorvex_Token tokens_[kMost];
  uint8_t starts_[kMost + 1];
  std::size_t count_ = 0;
  std::size_t items_ = 0;
  bool present_ = false;
  lorvex_Token list_{};
  lorvex_Tokens whole_;
};

class zeb_Line;

// A line's record and what its head says. A line built by hand has no
// record (bytes null): its head then holds what its accessors say, and
// no operand.
struct lorvex_LineRecord {
  const unsigned char* bytes;
  int length;
  zeb_RecordHead head;
};
lorvex_LineRecord lorvex_ownLineRecord(const zeb_Line& line);
inline lorvex_LineRecord lorvex_lineRecord(const zeb_Line& line, const zeb_StoredRecord* record) {
  if (!record) return lorvex_ownLineRecord(line);
  const unsigned char* bytes = record->bytes();
  const int n = record->length();
  return lorvex_LineRecord{bytes, n, zeb_readRecordHead(bytes, n, record->lineClass())};
}

#endif  // LORVEX_EXPORT_RECORD_OPERAND_H
