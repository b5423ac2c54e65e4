#include "export/expression_export.h"

#include <cstddef>

namespace {

constexpr int kAtom = 100;  // binds tighter than any operator

// Symbol codes of the stored operator tokens.
enum : int32_t {
  kPlus = 0x40,
  kMinus = 0x41,
  kTimes = 0x42,
  kDivide = 0x43,
  kHighByte = 0x44,
  kLowByte = 0x45,
  kForce = 0x46,
  kAnd = 0x47,
  kOr = 0x48,
  kXor = 0x49,
  kOpen = 0x4A,
  kClose = 0x4B,
  kFinalClose = 0x5B,
};

// A translated piece of an expression: its text, the precedence of its
// outermost operator, and whether the target may hold it outside 0..$ffff.
struct Piece {
  std::string text;
  int precedence = kAtom;
  bool wide = false;
};

int operatorOf(int32_t code) {
  switch (code) {
    case kPlus: return op_add;
    case kMinus: return op_sub;
    case kTimes: return op_mul;
    case kDivide: return op_div;
    case kAnd: return op_and;
    case kOr: return op_or;
    case kXor: return op_xor;
    default: return -1;
  }
}

const char kHexDigits[] = "0123456789abcdef";

void appendHex(std::string& out, unsigned value, int digits) {
  out += '$';
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += kHexDigits[(value >> shift) & 15];
}

class Translation {
 public:
  Translation(const zeb_Expression& e, const lorvex_TargetSyntax& s, lorvex_ExpressionNames& n,
              std::string& err)
      : expression(e), syntax(s), names(n), error(err) {}

  // The operand with its prefix; false on failure.
  bool operand(lorvex_OperandUse use, Piece& out, bool& forced) {
    forced = false;
    if (expression.numberOfTokens() == 0) return fail("an empty operand");
    const int32_t first = symbolAt(0);
    if (first == kLowByte || first == kHighByte || first == kForce) {
      ++position;
      if (isPrefix(symbolAt(position))) return fail("a prefix after a prefix");
      if (first == kForce && use != lorvex_OperandUse::instruction)
        return fail("\"!\" outside an instruction's operand");
    }
    Piece rest;
    if (!chain(rest)) return false;
    if (position != expression.numberOfTokens()) return fail("a \")\" without its \"(\"");
    if (first == kLowByte || first == kHighByte) {
      const char* byte = first == kLowByte ? "<" : ">";
      out.text = rest.precedence == kAtom ? byte + rest.text : std::string(byte) + "(" + rest.text + ")";
      out.precedence = syntax.bytePrecedence;
      out.wide = false;
      return true;
    }
    forced = first == kForce;
    out = inRange(std::move(rest));
    return true;
  }

  Piece inRange(Piece piece) const {
    if (!piece.wide) return piece;
    return Piece{syntax.wrap + ("(" + piece.text + ")"), syntax.opPrecedence[op_and], false};
  }

  Piece combine(Piece left, int op, Piece right) const {
    if (op == op_mul || op == op_div) {
      left = inRange(std::move(left));
      right = inRange(std::move(right));
    }
    const int level = syntax.opPrecedence[op];
    Piece out;
    out.text.reserve(left.text.size() + right.text.size() + 8);
    if (left.precedence < level) {
      out.text += '(';
      out.text += left.text;
      out.text += ')';
    } else {
      out.text += left.text;
    }
    out.text += syntax.opText[op];
    if (right.precedence <= level) {
      out.text += '(';
      out.text += right.text;
      out.text += ')';
    } else {
      out.text += right.text;
    }
    out.precedence = level;
    out.wide = op == op_add || op == op_sub || op == op_mul ||
               (op != op_div && (left.wide || right.wide));
    return out;
  }

 private:
  static bool isPrefix(int32_t code) {
    return code == kLowByte || code == kHighByte || code == kForce;
  }

  bool fail(const std::string& what) {
    error = what;
    return false;
  }

  // The code of the symbol at `index`; 0 for any other token or the end.
  int32_t symbolAt(std::size_t index) const {
    if (index >= expression.numberOfTokens()) return 0;
    const auto* symbol = lorvex_tokenAs<zeb_ExpressionSymbol>(expression.tokenAt(index));
    return symbol ? symbol->getCode() : 0;
  }

  // term (operator term)*, up to the end or a closing parenthesis.
  bool chain(Piece& out) {
    if (!term(out)) return false;
    while (position < expression.numberOfTokens()) {
      const int32_t code = symbolAt(position);
      if (code == kClose || code == kFinalClose) return true;
      const int op = operatorOf(code);
      if (op < 0) {
        if (isPrefix(code)) return fail("a prefix inside an operand");
        return fail("an operand where an operator belongs");
      }
      ++position;
      Piece right;
      if (!term(right)) return false;
      out = combine(std::move(out), op, std::move(right));
    }
    return true;
  }

  bool term(Piece& out) {
    if (position >= expression.numberOfTokens()) return fail("an operator without its operand");
    const zeb_ExpressionToken* token = expression.tokenAt(position);
    const int32_t code = symbolAt(position);
    if (code == kOpen) {
      ++position;
      Piece inner;
      if (!chain(inner)) return false;
      const int32_t close = symbolAt(position);
      if (close != kClose && close != kFinalClose) return fail("a \"(\" without its \")\"");
      ++position;
      out = std::move(inner);
      if (out.precedence != kAtom) {
        out.text = "(" + out.text + ")";
        out.precedence = kAtom;
      }
      return true;
    }
    if (code != 0) {
      if (isPrefix(code)) return fail("a prefix inside an operand");
      return fail("an operator where an operand belongs");
    }
    ++position;
    if (const auto* value = lorvex_tokenAs<zeb_ExpressionValue>(token)) return number(*value, out);
    if (const auto* label = lorvex_tokenAs<zeb_ExpressionLabel>(token)) {
      out.precedence = kAtom;
      return names.label(label->getIndex(), out.text, error);
    }
    if (lorvex_tokenAs<zeb_ExpressionString>(token)) return fail("a string inside an expression");
    if (lorvex_tokenAs<zeb_ExpressionList>(token)) return fail("a list inside an expression");
    return fail("an unknown operand token");
  }

  bool number(const zeb_ExpressionValue& value, Piece& out) {
    const int32_t v = value.getValue();
    out.precedence = kAtom;
    switch (value.getKind()) {
      case zeb_HEX:
        if (v < 0 || v > 0xFFFF) return fail("a number out of range");
        appendHex(out.text, static_cast<unsigned>(v), v <= 0xFF ? 2 : 4);
        return true;
      case zeb_DECIMAL:
        if (v < 0 || v > 0xFFFF) return fail("a number out of range");
        out.text = std::to_string(v);
        return true;
      case zeb_BINARY:
        out.text = "%";
        for (int bit = 7; bit >= 0; --bit) out.text += ((v >> bit) & 1) ? '1' : '0';
        return true;
      case zeb_PROGRAM_COUNTER:
        out.text = "*";
        return true;
      case zeb_CHARACTER:
        appendHex(out.text, static_cast<unsigned>(v) & 0xFF, 2);
        return true;
      case zeb_BACKSLASH: {
        const int digit = (v & 0xFF) - '0';
        if (digit < 1 || digit > 9) return fail("a backslash form that names no macro argument");
        return names.argument(digit, out.text, error);
      }
      default:
        return fail("an unknown number form");
    }
  }

  const zeb_Expression& expression;
  const lorvex_TargetSyntax& syntax;
  lorvex_ExpressionNames& names;
  std::string& error;
  std::size_t position = 0;
};

}  // namespace

bool lorvex_translateOperand(const zeb_Expression& expression, const lorvex_TargetSyntax& syntax,
                             lorvex_OperandUse use, lorvex_ExpressionNames& names,
                             lorvex_Operand& out, std::string& error) {
  // Most operands are one label or one number: no pieces to join.
  if (expression.numberOfTokens() == 1) {
    const zeb_ExpressionToken* token = expression.tokenAt(0);
    if (const auto* label = lorvex_tokenAs<zeb_ExpressionLabel>(token)) {
      out.forced = false;
      return names.label(label->getIndex(), out.text, error);
    }
    const auto* value = lorvex_tokenAs<zeb_ExpressionValue>(token);
    if (value && value->getKind() == zeb_HEX && value->getValue() >= 0 && value->getValue() <= 0xFFFF) {
      out.forced = false;
      out.text.clear();
      appendHex(out.text, static_cast<unsigned>(value->getValue()), value->getValue() <= 0xFF ? 2 : 4);
      return true;
    }
  }
  Translation translation(expression, syntax, names, error);
  Piece piece;
  if (!translation.operand(use, piece, out.forced)) return false;
  // An operand that starts with "(" would read as an indirect one.
  if (use == lorvex_OperandUse::instruction && !piece.text.empty() && piece.text[0] == '(')
    piece.text.insert(0, "0+");
  out.text = std::move(piece.text);
  return true;
}

bool lorvex_translateMinusOne(const zeb_Expression& expression, const lorvex_TargetSyntax& syntax,
                              lorvex_ExpressionNames& names, std::string& out,
                              std::string& error) {
  Translation translation(expression, syntax, names, error);
  Piece piece;
  bool forced = false;
  if (!translation.operand(lorvex_OperandUse::value, piece, forced)) return false;
  Piece one;
  one.text = "1";
  out = translation.inRange(translation.combine(std::move(piece), op_sub, std::move(one))).text;
  return true;
}

bool lorvex_isZero(const zeb_Expression* expression) {
  if (!expression || expression->numberOfTokens() != 1) return false;
  const auto* value = lorvex_tokenAs<zeb_ExpressionValue>(expression->tokenAt(0));
  return value && value->getValue() == 0 &&
         (value->getKind() == zeb_HEX || value->getKind() == zeb_DECIMAL ||
          value->getKind() == zeb_BINARY);
}
