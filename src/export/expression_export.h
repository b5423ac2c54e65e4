// One operand of the notation as a target assembler's expression with the
// same value: the notation's left-to-right evaluation made explicit with
// parentheses where the target has precedence, 16-bit wrap-around kept
// where the target computes wider, the `<` and `>` prefixes applied to the
// whole rest, `!` reported as a forced absolute form.
#ifndef LORVEX_EXPORT_EXPRESSION_EXPORT_H
#define LORVEX_EXPORT_EXPRESSION_EXPORT_H

#include <cstdint>
#include <string>
#include <typeinfo>

#include "export/export_syntax.h"
#include "model/zeb_expression.h"

// The token as a T when it is exactly one; null otherwise. Cheaper than a
// dynamic_cast, which the export would make for nearly every token.
template <typename T>
const T* lorvex_tokenAs(const zeb_ExpressionToken* token) {
  return token && typeid(*token) == typeid(T) ? static_cast<const T*>(token) : nullptr;
}

// What the translation needs to know about names.
class lorvex_ExpressionNames {
 public:
  virtual ~lorvex_ExpressionNames() = default;
  // Appends the target's name for the label at `index` to `out`; false
  // with `error` set when it has none.
  virtual bool label(int32_t index, std::string& out, std::string& error) = 0;
  // Appends the target's text for macro argument `number` (1 to 9); false
  // with `error` set outside a macro.
  virtual bool argument(int number, std::string& out, std::string& error) = 0;
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
bool lorvex_translateOperand(const zeb_Expression& expression, const lorvex_TargetSyntax& syntax,
                             lorvex_OperandUse use, lorvex_ExpressionNames& names,
                             lorvex_Operand& out, std::string& error);

// The same for `expression` minus one (a return address), into `out`.
bool lorvex_translateMinusOne(const zeb_Expression& expression, const lorvex_TargetSyntax& syntax,
                              lorvex_ExpressionNames& names, std::string& out,
                              std::string& error);

// True when the expression is the single number 0.
bool lorvex_isZero(const zeb_Expression* expression);

#endif  // LORVEX_EXPORT_EXPRESSION_EXPORT_H
