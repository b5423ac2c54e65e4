// The text of each operand token, put into the text under the settings:
// what the token classes write, and what a stored record's tokens render
// as without becoming objects.
#ifndef LORVEX_MODEL_TOKEN_TEXT_H
#define LORVEX_MODEL_TOKEN_TEXT_H

#include <cstddef>
#include <cstdint>

#include "model/zeb_expression.h"
#include "model/zeb_text.h"

// "$" and two lower-case hex digits of a byte.
inline void zeb_putHexByte(zeb_Text& out, uint32_t byte) {
  static constexpr char kDigits[] = "0123456789abcdef";
  char* at = out.extend(3);
  at[0] = '$';
  at[1] = kDigits[(byte >> 4) & 0xFu];
  at[2] = kDigits[byte & 0xFu];
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

#endif  // LORVEX_MODEL_TOKEN_TEXT_H
