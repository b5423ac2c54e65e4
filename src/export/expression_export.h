// One operand of the notation as a target assembler's expression with the
// same value: the notation's left-to-right evaluation made explicit with
// parentheses where the target has precedence, 16-bit wrap-around kept
// where the target computes wider, the `<` and `>` prefixes applied to the
// whole rest, `!` reported as a forced absolute form.
#ifndef LORVEX_EXPORT_EXPRESSION_EXPORT_H
#define LORVEX_EXPORT_EXPRESSION_EXPORT_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "export/export_syntax.h"
#include "export/record_operand.h"
#include "export/text_out.h"

// Symbol codes of the stored operator tokens.
enum lorvex_SymbolCode : int32_t {
  sym_PLUS = 0x40,
  sym_MINUS = 0x41,
  sym_TIMES = 0x42,
  sym_DIVIDE = 0x43,
  sym_HIGH_BYTE = 0x44,
  sym_LOW_BYTE = 0x45,
  sym_FORCE = 0x46,
  sym_AND = 0x47,
  sym_OR = 0x48,
  sym_XOR = 0x49,
  sym_OPEN = 0x4A,
  sym_CLOSE = 0x4B,
  sym_FINAL_CLOSE = 0x5B,
};

// The binary operator a symbol code stands for; -1 for any other code.
inline int lorvex_operatorOf(int32_t code) {
  switch (code) {
    case sym_PLUS: return op_add;
    case sym_MINUS: return op_sub;
    case sym_TIMES: return op_mul;
    case sym_DIVIDE: return op_div;
    case sym_AND: return op_and;
    case sym_OR: return op_or;
    case sym_XOR: return op_xor;
    default: return -1;
  }
}

// A number in the target's form, which both targets write as the notation
// does but for a character constant, written as its byte: at most
// lorvex_PLAIN_NUMBER_MOST bytes at `at`, returning their end. Null for a
// macro argument or a number outside 0..$ffff, which the translation
// tells apart.
constexpr std::size_t lorvex_PLAIN_NUMBER_MOST = 9;
// Each byte's two hex digits, by byte.
struct lorvex_HexPairs {
  char digits[512];
  constexpr lorvex_HexPairs() : digits() {
    constexpr char kHex[] = "0123456789abcdef";
    for (int b = 0; b < 256; ++b) {
      digits[2 * b] = kHex[b >> 4];
      digits[2 * b + 1] = kHex[b & 15];
    }
  }
};
inline constexpr lorvex_HexPairs lorvex_HEX_PAIRS{};
inline char* lorvex_putPlainNumber(const lorvex_Token& token, char* at) {
  const int32_t v = token.value;
  switch (token.code) {
    case zeb_HEX:
    case zeb_CHARACTER: {
      if (token.code == zeb_HEX && (v < 0 || v > 0xFFFF)) return nullptr;
      const unsigned u = static_cast<unsigned>(v) & (token.code == zeb_HEX ? 0xFFFFu : 0xFFu);
      at[0] = '$';
      if (u <= 0xFF) {
        std::memcpy(at + 1, lorvex_HEX_PAIRS.digits + 2 * u, 2);
        return at + 3;
      }
      std::memcpy(at + 1, lorvex_HEX_PAIRS.digits + 2 * (u >> 8), 2);
      std::memcpy(at + 3, lorvex_HEX_PAIRS.digits + 2 * (u & 0xFF), 2);
      return at + 5;
    }
    case zeb_DECIMAL: {
      if (v < 0 || v > 0xFFFF) return nullptr;
      unsigned rest = static_cast<unsigned>(v);
      char* const end = at + (rest < 10 ? 1 : rest < 100 ? 2 : rest < 1000 ? 3 : rest < 10000 ? 4 : 5);
      char* digit = end;
      do {
        *--digit = static_cast<char>('0' + rest % 10);
        rest /= 10;
      } while (rest != 0);
      return end;
    }
    case zeb_BINARY:
      at[0] = '%';
      for (int bit = 7; bit >= 0; --bit) at[8 - bit] = ((v >> bit) & 1) ? '1' : '0';
      return at + 9;
    case zeb_PROGRAM_COUNTER:
      at[0] = '*';
      return at + 1;
    default:
      return nullptr;
  }
}

// The same appended to `out`; false, writing nothing, where it is null.
template <typename Out>
inline bool lorvex_appendPlainNumber(const lorvex_Token& token, Out& out) {
  char text[lorvex_PLAIN_NUMBER_MOST];
  const char* end = lorvex_putPlainNumber(token, text);
  if (!end) return false;
  out.append(text, static_cast<std::size_t>(end - text));
  return true;
}

// What the translation needs to know about names.
class lorvex_ExpressionNames {
 public:
  virtual ~lorvex_ExpressionNames() = default;
  // The target's name for the label at `index`; empty with `error` set
  // when it has none. The name stays valid for the whole export.
  virtual std::string_view label(int32_t index, std::string& error) = 0;
  // The target's text for macro argument `number` (1 to 9), valid until
  // the next call; null with `error` set outside a macro.
  virtual const std::string* argument(int number, std::string& error) = 0;
};

// Where an operand stands: only an instruction's operand may force the
// absolute form.
enum class lorvex_OperandUse { value, instruction };

struct lorvex_Operand {
  std::string text;
  bool forced = false;  // `!`: the instruction takes its absolute form
};

// Translates `expression` into `out` (its text replaced). On failure
// returns false and sets `error` to what the target cannot express (no
// line number); `out` is then partial.
bool lorvex_translateOperand(const lorvex_Tokens& expression, const lorvex_TargetSyntax& syntax,
                             lorvex_OperandUse use, lorvex_ExpressionNames& names,
                             lorvex_Operand& out, std::string& error);

// The same, appended to `out`; `forced` tells whether it began with "!".
bool lorvex_appendOperand(const lorvex_Tokens& expression, const lorvex_TargetSyntax& syntax,
                          lorvex_OperandUse use, lorvex_ExpressionNames& names,
                          lorvex_TextOut& out, bool& forced, std::string& error);

// `expression` minus one (a return address), appended to `out`.
bool lorvex_appendMinusOne(const lorvex_Tokens& expression, const lorvex_TargetSyntax& syntax,
                           lorvex_ExpressionNames& names, lorvex_TextOut& out,
                           std::string& error);

// True when the operand starts with "!".
inline bool lorvex_isForced(const lorvex_Tokens& expression) {
  const lorvex_Token* first = expression.get(0);
  return first && first->kind == lorvex_TokenKind::symbol && first->code == sym_FORCE;
}

// True when the expression is the single number 0.
bool lorvex_isZero(const lorvex_Tokens& expression);

#endif  // LORVEX_EXPORT_EXPRESSION_EXPORT_H
