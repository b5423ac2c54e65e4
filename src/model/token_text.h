// The text of each operand token, put into the text under the settings:
// what the token classes write, and what a stored record's tokens render
// as without becoming objects.
#ifndef LORVEX_MODEL_TOKEN_TEXT_H
#define LORVEX_MODEL_TOKEN_TEXT_H

#include <cstddef>
#include <cstdint>
#include <cstring>

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

// The digits of value in Base (10 or 16), most significant first, without
// padding: what kio_itoa writes, written at `at`; returns their end.
template <unsigned Base>
inline char* zeb_writeDigits(char* at, uint32_t value) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::size_t count = 1;
  for (uint32_t rest = value / Base; rest != 0; rest /= Base) ++count;
  // Written in place, from the last digit back.
  char* end = at + count;
  at = end;
  do {
    *--at = kDigits[value % Base];
    value /= Base;
  } while (value != 0);
  return end;
}

inline char* zeb_writeDecimal(char* at, int32_t value) {
  if (value < 0) *at++ = '-';
  return zeb_writeDigits<10>(at, value < 0 ? 0u - static_cast<uint32_t>(value)
                                           : static_cast<uint32_t>(value));
}

// Two hex digits up to $ff, four up to $ffff. Negative values never come
// from an image; they show their low 16 bits as four digits.
inline char* zeb_writeHex(char* at, int32_t value) {
  static constexpr char kDigits[] = "0123456789abcdef";
  if (value >= 0 && value <= 0xFF) return zeb_writeHexByte(at, static_cast<uint32_t>(value));
  if (value <= 0xFFFF) {
    const uint32_t v = static_cast<uint32_t>(value) & 0xFFFFu;
    at[0] = '$';
    for (int i = 1; i <= 4; ++i) at[i] = kDigits[(v >> (4 * (4 - i))) & 0xFu];
    return at + 5;
  }
  *at++ = '$';
  return zeb_writeDigits<16>(at, static_cast<uint32_t>(value));
}

// Exactly eight digits, bit 7 down to bit 0, four at a time by table.
inline char* zeb_writeBinary(char* at, int32_t value) {
  static constexpr char kNibbles[16][4] = {
      {'0', '0', '0', '0'}, {'0', '0', '0', '1'}, {'0', '0', '1', '0'}, {'0', '0', '1', '1'},
      {'0', '1', '0', '0'}, {'0', '1', '0', '1'}, {'0', '1', '1', '0'}, {'0', '1', '1', '1'},
      {'1', '0', '0', '0'}, {'1', '0', '0', '1'}, {'1', '0', '1', '0'}, {'1', '0', '1', '1'},
      {'1', '1', '0', '0'}, {'1', '1', '0', '1'}, {'1', '1', '1', '0'}, {'1', '1', '1', '1'},
  };
  const auto bits = static_cast<uint32_t>(value);
  std::memcpy(at, kNibbles[(bits >> 4) & 0xFu], 4);
  std::memcpy(at + 4, kNibbles[bits & 0xFu], 4);
  return at + 8;
}

// A decimal, hex, binary or program-counter value written at `at`, which
// has zeb_VALUE_ROOM bytes of room; returns its end. Null, writing
// nothing, for the other kinds, whose text the settings decide.
inline char* zeb_writePlainValue(char* at, int16_t kind, int32_t value) {
  switch (kind) {
    case zeb_DECIMAL:
      return zeb_writeDecimal(at, value);
    case zeb_HEX:
      return zeb_writeHex(at, value);
    case zeb_BINARY:
      *at = '%';
      return zeb_writeBinary(at + 1, value);
    case zeb_PROGRAM_COUNTER:
      *at = '*';
      return at + 1;
    default:
      return nullptr;
  }
}

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
