// One operand of the notation as a target assembler's expression with the
// same value: the notation's left-to-right evaluation made explicit with
// parentheses where the target has precedence, 16-bit wrap-around kept
// where the target computes wider, the `<` and `>` prefixes applied to the
// whole rest, `!` reported as a forced absolute form.
#ifndef LORVEX_EXPORT_EXPRESSION_EXPORT_H
#define LORVEX_EXPORT_EXPRESSION_EXPORT_H

#include <cstdint>
#include <string>

#include "export/export_syntax.h"
#include "export/record_operand.h"
#include "export/text_out.h"

// What the translation needs to know about names.
class lorvex_ExpressionNames {
 public:
  virtual ~lorvex_ExpressionNames() = default;
  // The target's name for the label at `index`; null with `error` set
  // when it has none. The name stays valid for the whole export.
  virtual const std::string* label(int32_t index, std::string& error) = 0;
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
bool lorvex_isForced(const lorvex_Tokens& expression);

// True when the expression is the single number 0.
bool lorvex_isZero(const lorvex_Tokens& expression);

#endif  // LORVEX_EXPORT_EXPRESSION_EXPORT_H
