// The statement codes 0 to 31 a line record can hold after its label: what
// line each makes, how its operand is stored, and how it is written back.
// Decoder and renderer both read this one table.
#ifndef LORVEX_MODEL_STATEMENTS_H
#define LORVEX_MODEL_STATEMENTS_H

#include <cstdint>

// How the operand follows the code byte in a record.
enum class zeb_Operand : uint8_t { none, expression, list, string, macroCall };

// What string literal conversion makes of a string operand; `none` writes
// the operand as it is stored (.include names a file, not data).
enum class zeb_Literal : uint8_t { none, text, null, shift };

// A row is 32 bytes, so that a code finds its row with one shift.
struct alignas(32) zeb_Statement {
  int16_t kind;  // the line kind the code makes (zeb_LineKind)
  bool pseudo;   // the code itself is the line's pseudo-op code
  zeb_Operand operand;
  zeb_Literal literal;
  // The directive as written, ending in a space where an operand follows;
  // zeros fill the rest, so that it is copied as one fixed-size move.
  char text[16];
  unsigned char textLength;
};

constexpr int zeb_STATEMENT_CODES = 32;

extern const zeb_Statement zeb_STATEMENT_TABLE[zeb_STATEMENT_CODES];

// The row of a statement code; null for any code outside 0..31.
inline const zeb_Statement* zeb_statement(int code) {
  if (code < 0 || code >= zeb_STATEMENT_CODES) return nullptr;
  return &zeb_STATEMENT_TABLE[code];
}

#endif  // LORVEX_MODEL_STATEMENTS_H
