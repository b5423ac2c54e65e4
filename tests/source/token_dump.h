// A structural dump of an expression, independent of how tokens render:
// "hex:16 sym:64 dec:1", "label:5", "str:HELLO", "list(dec:1|dec:2)".
#ifndef LORVEX_TESTS_SOURCE_TOKEN_DUMP_H
#define LORVEX_TESTS_SOURCE_TOKEN_DUMP_H

#include <string>

#include "model/zeb_expression.h"

namespace lorvex_test {

inline std::string dump(const zeb_Expression* expression);

inline std::string dumpToken(const zeb_ExpressionToken* token) {
  static const char* const kKinds[] = {"?", "dec", "hex", "bin", "pc", "chr", "bs"};
  if (auto v = dynamic_cast<const zeb_ExpressionValue*>(token)) {
    const int kind = v->getKind();
    return std::string(kind >= 1 && kind <= 6 ? kKinds[kind] : "?") + ":" +
           std::to_string(v->getValue());
  }
  if (auto s = dynamic_cast<const zeb_ExpressionSymbol*>(token)) {
    return "sym:" + std::to_string(s->getCode());
  }
  if (auto l = dynamic_cast<const zeb_ExpressionLabel*>(token)) {
    return "label:" + std::to_string(l->getIndex());
  }
  if (auto s = dynamic_cast<const zeb_ExpressionString*>(token)) return "str:" + s->getText();
  if (auto list = dynamic_cast<const zeb_ExpressionList*>(token)) {
    std::string out = "list(";
    for (std::size_t i = 0; i < list->numberOfExpressions(); ++i) {
      if (i > 0) out += "|";
      out += dump(list->expressionAt(i));
    }
    return out + ")";
  }
  return "?";
}

inline std::string dump(const zeb_Expression* expression) {
  if (!expression) return "null";
  std::string out;
  for (std::size_t i = 0; i < expression->numberOfTokens(); ++i) {
    if (i > 0) out += " ";
    out += dumpToken(expression->tokenAt(i));
  }
  return out;
}

}  // namespace lorvex_test

#endif  // LORVEX_TESTS_SOURCE_TOKEN_DUMP_H
