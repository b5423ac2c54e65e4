// The text of each operand token, put into the text under the settings:
// what the token classes write, and what a stored record's tokens render
// as without becoming objects.
#ifndef LORVEX_MODEL_TOKEN_TEXT_H
#define LORVEX_MODEL_TOKEN_TEXT_H

#include <cstddef>
#include <cstdint>

#include "model/zeb_expression.h"
#include "model/zeb_text.h"
#include "petscii/code_texts.h"

// "$" and two lower-case hex digits of a byte, written at `at`; returns
// their end.
inline char* zeb_writeHexByte(char* at, uint32_t byte) {
  static constexpr char kDigits[] = "0123456789abcdef";
  at[0] = '$';
  at[1] = kDigits[(byte >> 4) & 0xFu];
  at[2] = kDigits[byte & 0xFu];
  return at + 3;
}
inline void zeb_putHexByte(zeb_Text& out, uint32_t byte) {
  out.commit(zeb_writeHexByte(out.reserve(3), byte));
}

// No value of the kinds below takes more room than this.
constexpr std::size_t zeb_VALUE_ROOM = 16;

// A decimal, hex, binary or program-counter value written at `at`, which
// has zeb_VALUE_ROOM bytes of room; returns its end. Null, writing
// nothing, for the other kinds, whose text the settings decide.
char* zeb_writePlainValue(char* at, int16_t kind, int32_t value);

// The same for a value read from a record, the commonest (a byte in hex)
// inline.
inline char* zeb_writeStoredValue(char* at, int16_t kind, int32_t value) {
  if (kind == zeb_HEX && value >= 0 && value <= 0xFF) {
    return zeb_writeHexByte(at, static_cast<uint32_t>(value));
  }
  return zeb_writePlainValue(at, kind, value);
}

// The text of an operator or parenthesis by its token code; "X" for an
// unknown code. The operator texts are those of codes $40 to $4B, in order.
inline char zeb_symbolText(int32_t code) {
  constexpr int kFirstOperator = 0x40;
  constexpr char kOperatorTexts[] = "+-*/><!&.:()";
  constexpr int kOperatorCount = sizeof(kOperatorTexts) - 1;
  constexpr int kEndParenthesis = 0x5B;  // the ")" that ends a stored expression
  if (code >= kFirstOperator && code < kFirstOperator + kOperatorCount) {
    return kOperatorTexts[code - kFirstOperator];
  }
  return code == kEndParenthesis ? ')' : 'X';
}

// zeb_putValue of every value but a byte in hex.
void zeb_putOtherValue(zeb_Text& out, int16_t kind, int32_t value);

// A number in the format of its kind (zeb_ValueKind); nothing for an
// unknown kind. The commonest, a byte in hex, is put inline.
inline void zeb_putValue(zeb_Text& out, int16_t kind, int32_t value) {
  if (kind == zeb_HEX && value >= 0 && value <= 0xFF) {
    zeb_putHexByte(out, static_cast<uint32_t>(value));
    return;
  }
  zeb_putOtherValue(out, kind, value);
}

// An operator or parenthesis by its token code; "X" for an unknown code.
void zeb_putSymbol(zeb_Text& out, int32_t code);

// A string in double quotes in bastext notation, or its raw bytes while
// Lorvex_global::rawString is set.
void zeb_putStringToken(zeb_Text& out, const char* bytes, std::size_t length);
// The quoted form written at `at` from the token texts in force
// (tokTexts), with room for zeb_stringTokenRoom bytes.
inline char* zeb_writeStringToken(char* at, const char* bytes, std::size_t length,
                                  const Lorvex_global::CodeTexts& texts) {
  *at++ = '"';
  at = texts.write(at, bytes, length);
  *at++ = '"';
  return at;
}
inline std::size_t zeb_stringTokenRoom(std::size_t length) {
  return length * Lorvex_global::CodeTexts::kRoomPerByte + 2;
}

#endif  // LORVEX_MODEL_TOKEN_TEXT_H
