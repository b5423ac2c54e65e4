#include "export/expression_export.h"

#include <array>
#include <cstddef>

namespace {

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

constexpr int kAtom = 100;  // binds tighter than any operator
// A record holds at most 63 bytes, so no chain of one level has more steps.
constexpr std::size_t kMaxSteps = 32;

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

bool isPrefix(int32_t code) { return code == kLowByte || code == kHighByte || code == kForce; }

const char kHexDigits[] = "0123456789abcdef";

void appendHex(std::string& out, unsigned value, int digits) {
  char text[5] = {'$'};
  for (int i = 0; i < digits; ++i) text[1 + i] = kHexDigits[(value >> ((digits - 1 - i) * 4)) & 15];
  out.append(text, static_cast<std::size_t>(digits) + 1);
}

// One chain of a level: term (operator term)*, evaluated left to right. The
// target groups it by its own precedence, so each left part that the next
// operator would take apart gets parentheses, and a part the target may hold
// outside 0..$ffff is cut back to 16 bits where the next step needs it.
struct Chain {
  struct Step {
    int op;
    std::size_t term;  // token index of the right term
    bool wideTerm;     // that term may leave 0..$ffff
  };
  std::size_t first = 0;     // token index of the first term
  bool wideFirst = false;
  std::array<Step, kMaxSteps> steps;  // the first `count` are set
  std::size_t count = 0;
  std::size_t end = 0;       // index of the closing parenthesis, or of the end
  bool wide = false;         // the chain's value may leave 0..$ffff
  int precedence = kAtom;    // of its last operator, as the target writes it
};

class Translation {
 public:
  Translation(const zeb_Expression& e, const lorvex_TargetSyntax& s, lorvex_ExpressionNames& n,
              std::string& err)
      : expression(e), syntax(s), names(n), error(err) {}

  // Appends the operand to `out`: `precedence` gets that of its outermost
  // operator, `forced` whether it began with "!".
  bool operand(lorvex_OperandUse use, std::string& out, int& precedence, bool& forced) {
    forced = false;
    const std::size_t count = expression.numberOfTokens();
    if (count == 0) return fail("an empty operand");
    if (count == 1) {
      // Most operands are one label or one number.
      precedence = kAtom;
      const zeb_ExpressionToken* token = expression.tokenAt(0);
      if (const auto* label = lorvex_tokenAs<zeb_ExpressionLabel>(token))
        return names.label(label->getIndex(), out, error);
      if (const auto* value = lorvex_tokenAs<zeb_ExpressionValue>(token)) return number(*value, out);
    }
    const int32_t first = symbolAt(0);
    std::size_t start = 0;
    if (isPrefix(first)) {
      start = 1;
      if (isPrefix(symbolAt(1))) return fail("a prefix after a prefix");
      if (first == kForce && use != lorvex_OperandUse::instruction)
        return fail("\"!\" outside an instruction's operand");
    }
    Chain chain;
    if (!scan(start, chain)) return false;
    if (chain.end != count) return fail("a \")\" without its \"(\"");
    if (first == kLowByte || first == kHighByte) {
      out += first == kLowByte ? '<' : '>';
      const bool group = chain.count > 0;
      if (group) out += '(';
      if (!emit(chain, out)) return false;
      if (group) out += ')';
      precedence = syntax.bytePrecedence;
      return true;
    }
    forced = first == kForce;
    if (chain.wide) {
      out += syntax.wrap;
      out += '(';
      if (!emit(chain, out)) return false;
      out += ')';
      precedence = syntax.opPrecedence[op_and];
      return true;
    }
    precedence = chain.precedence;
    return emit(chain, out);
  }

 private:
  bool fail(const char* what) {
    error = what;
    return false;
  }

  const zeb_ExpressionToken* tokenAt(std::size_t index) const {
    return index < expression.numberOfTokens() ? expression.tokenAt(index) : nullptr;
  }

  // The code of the symbol at `index`; 0 for any other token or the end.
  int32_t symbolAt(std::size_t index) const {
    const auto* symbol = lorvex_tokenAs<zeb_ExpressionSymbol>(tokenAt(index));
    return symbol ? symbol->getCode() : 0;
  }

  // Reads one term at `index`: moves `index` past it and tells whether its
  // value may leave 0..$ffff (only a group can).
  bool scanTerm(std::size_t& index, bool& wide) {
    wide = false;
    const zeb_ExpressionToken* token = tokenAt(index);
    if (!token) return fail("an operator without its operand");
    const int32_t code = symbolAt(index);
    if (code == kOpen) {
      Chain inner;
      if (!scan(index + 1, inner)) return false;
      const int32_t close = symbolAt(inner.end);
      if (close != kClose && close != kFinalClose) return fail("a \"(\" without its \")\"");
      index = inner.end + 1;
      wide = inner.wide;
      return true;
    }
    if (code != 0) {
      return fail(isPrefix(code) ? "a prefix inside an operand" : "an operator where an operand belongs");
    }
    if (lorvex_tokenAs<zeb_ExpressionString>(token)) return fail("a string inside an expression");
    if (lorvex_tokenAs<zeb_ExpressionList>(token)) return fail("a list inside an expression");
    if (!lorvex_tokenAs<zeb_ExpressionValue>(token) && !lorvex_tokenAs<zeb_ExpressionLabel>(token))
      return fail("an unknown operand token");
    ++index;
    return true;
  }

  // Reads the chain that starts at `index`, up to the end or a closing
  // parenthesis, and works out its wrap-arounds.
  bool scan(std::size_t index, Chain& chain) {
    chain.first = index;
    if (!scanTerm(index, chain.wideFirst)) return false;
    bool wide = chain.wideFirst;
    while (index < expression.numberOfTokens()) {
      const int32_t code = symbolAt(index);
      if (code == kClose || code == kFinalClose) break;
      const int op = operatorOf(code);
      if (op < 0) {
        return fail(isPrefix(code) ? "a prefix inside an operand" : "an operand where an operator belongs");
      }
      if (chain.count == kMaxSteps) return fail("an operand longer than a record holds");
      Chain::Step& step = chain.steps[chain.count++];
      step.op = op;
      step.term = ++index;
      if (!scanTerm(index, step.wideTerm)) return false;
      if (op == op_add || op == op_sub || op == op_mul) {
        wide = true;
      } else if (op == op_div) {
        wide = false;
      } else {
        wide = wide || step.wideTerm;
      }
    }
    chain.end = index;
    chain.wide = wide;
    chain.precedence = chain.count ? syntax.opPrecedence[chain.steps[chain.count - 1].op] : kAtom;
    return true;
  }

  // How the left part before step k opens: nothing, "(" or the wrap.
  enum class Open { none, paren, wrap, parenWrap };

  Open openingOf(const Chain& chain, std::size_t k, bool leftWide) const {
    const int op = chain.steps[k].op;
    const int level = syntax.opPrecedence[op];
    if ((op == op_mul || op == op_div) && leftWide) {
      return syntax.opPrecedence[op_and] < level ? Open::parenWrap : Open::wrap;
    }
    if (k == 0) return Open::none;
    return syntax.opPrecedence[chain.steps[k - 1].op] < level ? Open::paren : Open::none;
  }

  bool emit(const Chain& chain, std::string& out) {
    // Every left part opens before the first term: the last one outermost.
    std::array<Open, kMaxSteps> open;  // the first chain.count are set
    bool wide = chain.wideFirst;
    for (std::size_t k = 0; k < chain.count; ++k) {
      open[k] = openingOf(chain, k, wide);
      const int op = chain.steps[k].op;
      if (open[k] == Open::wrap || open[k] == Open::parenWrap) wide = false;
      if (op == op_add || op == op_sub || op == op_mul) {
        wide = true;
      } else if (op == op_div) {
        wide = false;
      } else {
        wide = wide || chain.steps[k].wideTerm;
      }
    }
    for (std::size_t k = chain.count; k-- > 0;) {
      if (open[k] == Open::paren || open[k] == Open::parenWrap) out += '(';
      if (open[k] == Open::wrap || open[k] == Open::parenWrap) {
        out += syntax.wrap;
        out += '(';
      }
    }
    if (!term(chain.first, false, out)) return false;
    for (std::size_t k = 0; k < chain.count; ++k) {
      if (open[k] == Open::paren || open[k] == Open::wrap) out += ')';
      if (open[k] == Open::parenWrap) out += "))";
      const Chain::Step& step = chain.steps[k];
      out += syntax.opText[step.op];
      const bool wrapTerm = (step.op == op_mul || step.op == op_div) && step.wideTerm;
      if (!term(step.term, wrapTerm, out)) return false;
    }
    return true;
  }

  // Writes the term at `index`; `wrap`: cut it back to 16 bits.
  bool term(std::size_t index, bool wrap, std::string& out) {
    const zeb_ExpressionToken* token = tokenAt(index);
    if (symbolAt(index) == kOpen) {
      Chain inner;
      if (!scan(index + 1, inner)) return false;
      if (wrap) {
        out += '(';
        out += syntax.wrap;
      }
      // A group of one term needs no parentheses of its own.
      const bool paren = wrap || inner.count > 0;
      if (paren) out += '(';
      if (!emit(inner, out)) return false;
      if (paren) out += ')';
      if (wrap) out += ')';
      return true;
    }
    if (const auto* label = lorvex_tokenAs<zeb_ExpressionLabel>(token))
      return names.label(label->getIndex(), out, error);
    return number(*lorvex_tokenAs<zeb_ExpressionValue>(token), out);
  }

  bool number(const zeb_ExpressionValue& value, std::string& out) {
    const int32_t v = value.getValue();
    switch (value.getKind()) {
      case zeb_HEX:
        if (v < 0 || v > 0xFFFF) return fail("a number out of range");
        appendHex(out, static_cast<unsigned>(v), v <= 0xFF ? 2 : 4);
        return true;
      case zeb_DECIMAL:
        if (v < 0 || v > 0xFFFF) return fail("a number out of range");
        out += std::to_string(v);
        return true;
      case zeb_BINARY:
        out += '%';
        for (int bit = 7; bit >= 0; --bit) out += ((v >> bit) & 1) ? '1' : '0';
        return true;
      case zeb_PROGRAM_COUNTER:
        out += '*';
        return true;
      case zeb_CHARACTER:
        appendHex(out, static_cast<unsigned>(v) & 0xFF, 2);
        return true;
      case zeb_BACKSLASH: {
        const int digit = (v & 0xFF) - '0';
        if (digit < 1 || digit > 9) return fail("a backslash form that names no macro argument");
        return names.argument(digit, out, error);
      }
      default:
        return fail("an unknown number form");
    }
  }

  const zeb_Expression& expression;
  const lorvex_TargetSyntax& syntax;
  lorvex_ExpressionNames& names;
  std::string& error;
};

}  // namespace

bool lorvex_translateOperand(const zeb_Expression& expression, const lorvex_TargetSyntax& syntax,
                             lorvex_OperandUse use, lorvex_ExpressionNames& names,
                             lorvex_Operand& out, std::string& error) {
  out.text.clear();
  Translation translation(expression, syntax, names, error);
  int precedence = kAtom;
  if (!translation.operand(use, out.text, precedence, out.forced)) return false;
  // An operand that starts with "(" would read as an indirect one.
  if (use == lorvex_OperandUse::instruction && !out.text.empty() && out.text[0] == '(')
    out.text.insert(0, "0+");
  return true;
}

bool lorvex_translateMinusOne(const zeb_Expression& expression, const lorvex_TargetSyntax& syntax,
                              lorvex_ExpressionNames& names, std::string& out,
                              std::string& error) {
  out.clear();
  out += syntax.wrap;
  out += '(';
  const std::size_t start = out.size();
  Translation translation(expression, syntax, names, error);
  int precedence = kAtom;
  bool forced = false;
  if (!translation.operand(lorvex_OperandUse::value, out, precedence, forced)) return false;
  if (precedence < syntax.opPrecedence[op_sub]) {
    out.insert(start, 1, '(');
    out += ')';
  }
  out += syntax.opText[op_sub];
  out += "1)";
  return true;
}

bool lorvex_isZero(const zeb_Expression* expression) {
  if (!expression || expression->numberOfTokens() != 1) return false;
  const auto* value = lorvex_tokenAs<zeb_ExpressionValue>(expression->tokenAt(0));
  return value && value->getValue() == 0 &&
         (value->getKind() == zeb_HEX || value->getKind() == zeb_DECIMAL ||
          value->getKind() == zeb_BINARY);
}
