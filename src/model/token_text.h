// The text of each operand token, put into the text under the settings:
// what the token classes write, and what a stored record's tokens render
// as without becoming objects.
#ifndef LORVEX_MODEL_TOKEN_TEXT_H
#define LORVEX_MODEL_TOKEN_TEXT_H

#include <cstddef>
#include <cstdint>

#include "model/zeb_text.h"

// A number in the format of its kind (zeb_ValueKind); nothing for an
// unknown kind.
void zeb_putValue(zeb_Text& out, int16_t kind, int32_t value);

// An operator or parenthesis by its token code; "X" for an unknown code.
void zeb_putSymbol(zeb_Text& out, int32_t code);

// A string in double quotes in bastext notation, or its raw bytes while
// Lorvex_global::rawString is set.
void zeb_putStringToken(zeb_Text& out, const char* bytes, std::size_t length);

#endif  // LORVEX_MODEL_TOKEN_TEXT_H
