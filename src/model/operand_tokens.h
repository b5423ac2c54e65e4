// Tokenized operands as records store them: a run of tokens that go on,
// closed by one that ends the expression. One reader serves everyone who
// walks them (the decoder's checks, rendering straight from the record, and
// building expression objects): it says what each token is, and the caller
// decides what to make of it.
#ifndef LORVEX_MODEL_OPERAND_TOKENS_H
#define LORVEX_MODEL_OPERAND_TOKENS_H

#include <cstddef>
#include <cstdint>

#include "model/zeb_expression.h"
#include "model/zeb_text.h"

// Value tokens $20-$27 (and $28-$2F, the same ending the expression).
struct zeb_ValueToken {
  int16_t kind;  // zeb_ValueKind
  int bytes;     // stored bytes after the token byte
  bool sign;     // the stored byte is sign-extended
};
extern const zeb_ValueToken zeb_VALUE_TOKENS[8];

// Value tokens $20-$2F and label tokens $30-$35, $38-$3D (a label token
// and the next byte make its reference); those with bit 3 set end the
// expression.
inline bool zeb_isValueToken(int t) {
  return t >= 0x20 && t <= 0x2F;
}
inline bool zeb_isLabelToken(int t) {
  return (t >= 0x30 && t <= 0x35) || (t >= 0x38 && t <= 0x3D);
}
inline bool zeb_endsExpression(int t) {
  return (t & 8) != 0;
}
// A label reference, in a token or a line's head: (first byte AND 7) * 256
// + second byte.
inline int16_t zeb_labelIndex(const unsigned char* at) {
  return static_cast<int16_t>((at[0] & 7) * 256 + at[1]);
}
// The number stored in the v.bytes bytes at `stored`.
inline int32_t zeb_storedValue(const zeb_ValueToken& v, const unsigned char* stored) {
  if (v.bytes == 1) return v.sign ? static_cast<int8_t>(stored[0]) : stored[0];
  if (v.bytes == 2) return stored[0] | stored[1] << 8;
  return 0;
}

// A comment header ($80 + column 0..39) ends a run of tokens quietly.
inline bool zeb_isCommentHeader(int t) {
  return t >= 0x80 && t <= 0xA7;
}

// Reads one expression from record[*q] in a record of n bytes, telling
// `visit` of each token in order:
//   visit.value(kind, value), visit.label(index), visit.symbol(code),
//   visit.string(bytes, length), and visit.notToken(byte, at) for a byte
//   that is neither a token nor a comment header.
// Returns true with *q just past the token that ends the expression. On
// failure returns false with *q at the byte that is no token, or at the
// token the record's end cut off; the tokens already reported stay
// reported, and the caller discards what it made of them.
// Always inlined: each caller's visitor then costs no calls per token.
template <typename Visit>
ZEB_INLINE bool zeb_readTokens(const unsigned char* record, int n, int* q, Visit& visit) {
  int at = *q;
  for (;;) {
    if (at >= n) break;
    const int t = record[at];
    if (zeb_isValueToken(t)) {
      const zeb_ValueToken& v = zeb_VALUE_TOKENS[t & 7];
      if (at + 1 + v.bytes > n) break;
      visit.value(v.kind, zeb_storedValue(v, record + at + 1));
      at += 1 + v.bytes;
      if (zeb_endsExpression(t)) {
        *q = at;
        return true;
      }
    } else if (zeb_isLabelToken(t)) {
      if (at + 2 > n) break;
      visit.label(zeb_labelIndex(record + at));
      at += 2;
      if (zeb_endsExpression(t)) {
        *q = at;
        return true;
      }
    } else if ((t >= 0x40 && t <= 0x4B) || t == 0x5B) {
      visit.symbol(t);
      at += 1;
      if (t == 0x5B) {
        *q = at;
        return true;
      }
    } else if (t == 0x4F) {
      if (at + 2 > n || at + 2 + record[at + 1] > n) break;
      visit.string(record + at + 2, static_cast<std::size_t>(record[at + 1]));
      *q = at + 2 + record[at + 1];
      return true;
    } else {
      if (!zeb_isCommentHeader(t)) visit.notToken(t, at);
      break;
    }
  }
  *q = at;
  return false;
}

// Ignores every token: for a walk that only wants to know where an
// expression ends.
struct zeb_SkipTokens {
  void value(int16_t, int32_t) {}
  void label(int) {}
  void symbol(int) {}
  void string(const unsigned char*, std::size_t) {}
  void notToken(int, int) {}
};

#endif  // LORVEX_MODEL_OPERAND_TOKENS_H
