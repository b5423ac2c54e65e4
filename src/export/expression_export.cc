#include "export/expression_export.h"

#include <array>
#include <cstddef>

namespace {

#if defined(__GNUC__)
#define LORVEX_NOINLINE __attribute__((noinline))
#else
#define LORVEX_NOINLINE
#endif

constexpr int kAtom = 100;  // binds tighter than any operator
// A record holds at most 63 bytes, so no chain of one level has more steps.
constexpr std::size_t kMaxSteps = 32;

bool isPrefix(int32_t code) { return code == sym_LOW_BYTE || code == sym_HIGH_BYTE || code == sym_FORCE; }

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

template <typename Out>
class Translation {
 public:
  Translation(const lorvex_Tokens& e, const lorvex_TargetSyntax& s, lorvex_ExpressionNames& n,
              std::string& err)
      : expression(e), syntax(s), names(n), error(err) {}

  // Appends the operand to `out`: `precedence` gets that of its outermost
  // operator, `forced` whether it began with "!".
  bool operand(lorvex_OperandUse use, Out& out, int& precedence, bool& forced) {
    forced = false;
    const std::size_t count = expression.size();
    if (count == 0) return fail("an empty operand");
    if (count == 1) {
      // Most operands are one label or one number.
      precedence = kAtom;
      const lorvex_Token& token = expression[0];
      if (token.kind == lorvex_TokenKind::label) return name(token.value, out);
      if (token.kind == lorvex_TokenKind::value) return number(token, out);
    }
    return chained(use, out, precedence, forced);
  }

 private:
  // The rest of operand(): what holds an operator, a prefix or a group.
  // Apart, so that the one-term operands do not pay for its frame.
  LORVEX_NOINLINE bool chained(lorvex_OperandUse use, Out& out, int& precedence, bool& forced) {
    const std::size_t count = expression.size();
    const int32_t first = symbolAt(0);
    std::size_t start = 0;
    if (isPrefix(first)) {
      start = 1;
      if (isPrefix(symbolAt(1))) return fail("a prefix after a prefix");
      if (first == sym_FORCE && use != lorvex_OperandUse::instruction)
        return fail("\"!\" outside an instruction's operand");
    }
    Chain chain;
    if (!scan(start, chain)) return false;
    if (chain.end != count) return fail("a \")\" without its \"(\"");
    if (first == sym_LOW_BYTE || first == sym_HIGH_BYTE) {
      out += first == sym_LOW_BYTE ? '<' : '>';
      const bool group = chain.count > 0;
      if (group) out += '(';
      if (!emit(chain, out)) return false;
      if (group) out += ')';
      precedence = syntax.bytePrecedence;
      return true;
    }
    forced = first == sym_FORCE;
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

  bool fail(const char* what) {
    error = what;
    return false;
  }

  // The code of the symbol at `index`; 0 for any other token or the end.
  int32_t symbolAt(std::size_t index) const {
    const lorvex_Token* token = expression.get(index);
    return token && token->kind == lorvex_TokenKind::symbol ? token->code : 0;
  }

  // Reads one term at `index`: moves `index` past it and tells whether its
  // value may leave 0..$ffff (only a group can).
  bool scanTerm(std::size_t& index, bool& wide) {
    wide = false;
    const lorvex_Token* token = expression.get(index);
    if (!token) return fail("an operator without its operand");
    const int32_t code = symbolAt(index);
    if (code == sym_OPEN) {
      Chain inner;
      if (!scan(index + 1, inner)) return false;
      const int32_t close = symbolAt(inner.end);
      if (close != sym_CLOSE && close != sym_FINAL_CLOSE) return fail("a \"(\" without its \")\"");
      index = inner.end + 1;
      wide = inner.wide;
      return true;
    }
    if (code != 0) {
      return fail(isPrefix(code) ? "a prefix inside an operand" : "an operator where an operand belongs");
    }
    if (token->kind == lorvex_TokenKind::string) return fail("a string inside an expression");
    if (token->kind == lorvex_TokenKind::list) return fail("a list inside an expression");
    ++index;
    return true;
  }

  // Reads the chain that starts at `index`, up to the end or a closing
  // parenthesis, and works out its wrap-arounds.
  bool scan(std::size_t index, Chain& chain) {
    chain.first = index;
    if (!scanTerm(index, chain.wideFirst)) return false;
    bool wide = chain.wideFirst;
    while (index < expression.size()) {
      const int32_t code = symbolAt(index);
      if (code == sym_CLOSE || code == sym_FINAL_CLOSE) break;
      const int op = lorvex_operatorOf(code);
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

  bool emit(const Chain& chain, Out& out) {
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
  bool name(int32_t index, Out& out) {
    const std::string_view text = names.label(index, error);
    out += text;
    return !text.empty();
  }

  bool term(std::size_t index, bool wrap, Out& out) {
    const lorvex_Token& token = expression[index];
    if (symbolAt(index) == sym_OPEN) {
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
    if (token.kind == lorvex_TokenKind::label) return name(token.value, out);
    return number(token, out);
  }

  bool number(const lorvex_Token& value, Out& out) {
    if (lorvex_appendPlainNumber(value, out)) return true;
    const int32_t v = value.value;
    switch (value.code) {
      case zeb_HEX:
      case zeb_DECIMAL:
        return fail("a number out of range");
      case zeb_BACKSLASH: {
        const int digit = (v & 0xFF) - '0';
        if (digit < 1 || digit > 9) return fail("a backslash form that names no macro argument");
        const std::string* text = names.argument(digit, error);
        if (!text) return false;
        out += *text;
        return true;
      }
      default:
        return fail("an unknown number form");
    }
  }

  const lorvex_Tokens& expression;
  const lorvex_TargetSyntax& syntax;
  lorvex_ExpressionNames& names;
  std::string& error;
};

}  // namespace


namespace {

// Appends the operand to `out`, from `start` on; an instruction's operand
// that would start with "(" gets "0+" first, or the target reads it as an
// indirect one.
template <typename Out>
bool appendOperand(const lorvex_Tokens& expression, const lorvex_TargetSyntax& syntax,
                   lorvex_OperandUse use, lorvex_ExpressionNames& names, Out& out, bool& forced,
                   std::string& error) {
  const std::size_t start = out.size();
  Translation<Out> translation(expression, syntax, names, error);
  int precedence = kAtom;
  if (!translation.operand(use, out, precedence, forced)) return false;
  if (use == lorvex_OperandUse::instruction && out.size() > start && out.data()[start] == '(')
    out.insert(start, "0+");
  return true;
}

}  // namespace

bool lorvex_translateOperand(const lorvex_Tokens& expression, const lorvex_TargetSyntax& syntax,
                             lorvex_OperandUse use, lorvex_ExpressionNames& names,
                             lorvex_Operand& out, std::string& error) {
  out.text.clear();
  return appendOperand(expression, syntax, use, names, out.text, out.forced, error);
}

bool lorvex_appendOperand(const lorvex_Tokens& expression, const lorvex_TargetSyntax& syntax,
                          lorvex_OperandUse use, lorvex_ExpressionNames& names,
                          lorvex_TextOut& out, bool& forced, std::string& error) {
  return appendOperand(expression, syntax, use, names, out, forced, error);
}

bool lorvex_appendMinusOne(const lorvex_Tokens& expression, const lorvex_TargetSyntax& syntax,
                           lorvex_ExpressionNames& names, lorvex_TextOut& out,
                           std::string& error) {
  out += syntax.wrap;
  out += '(';
  const std::size_t start = out.size();
  Translation<lorvex_TextOut> translation(expression, syntax, names, error);
  int precedence = kAtom;
  bool forced = false;
  if (!translation.operand(lorvex_OperandUse::value, out, precedence, forced)) return false;
  if (precedence < syntax.opPrecedence[op_sub]) {
    out.insert(start, "(");
    out += ')';
  }
  out += syntax.opText[op_sub];
  out += "1)";
  return true;
}

bool lorvex_isZero(const lorvex_Tokens& expression) {
  const lorvex_Token* value = expression.only(lorvex_TokenKind::value);
  return value && value->value == 0 &&
         (value->code == zeb_HEX || value->code == zeb_DECIMAL || value->code == zeb_BINARY);
}
