#include <algorithm>

#include "model/statements.h"
#include "model/zeb_line.h"
#include "petscii/lorvex_global.h"
#include "support/kio_itoa.h"

namespace {

// String tokens give their raw bytes while this is alive.
class RawStrings {
 public:
  RawStrings() : saved(Lorvex_global::rawString) { Lorvex_global::rawString = true; }
  ~RawStrings() { Lorvex_global::rawString = saved; }
  RawStrings(const RawStrings&) = delete;
  RawStrings& operator=(const RawStrings&) = delete;

 private:
  bool saved;
};

bool isSingleString(const zeb_Expression* expression) {
  return expression && expression->numberOfTokens() == 1 &&
         dynamic_cast<const zeb_ExpressionString*>(expression->tokenAt(0)) != nullptr;
}

std::string rawBytes(const zeb_Expression& expression) {
  const RawStrings raw;
  return expression.toString();
}

void startContinuation(std::string& out, int tab, const char* directive) {
  out += '\n';
  out.append(static_cast<std::size_t>(tab), ' ');
  out += directive;
}

// .byte lines of at most `columns` values (all on one line when < 1).
std::string byteLines(std::string bytes, bool isNull, bool isShift, int tab) {
  if (isNull) bytes.push_back('\0');
  const bool decimal = Lorvex_global::translateToByte;
  const int columns = Lorvex_global::byteColumns;
  std::string out = ".byte ";
  out.reserve(out.size() + bytes.size() * 4);
  const std::size_t n = bytes.size();
  for (std::size_t i = 0; i < n; ++i) {
    unsigned int b = static_cast<unsigned char>(bytes[i]);
    if (isShift && i + 1 == n) b |= 0x80u;
    if (!decimal) out += '$';
    out += kio_itoa(static_cast<int>(b), decimal ? 10 : 16);
    if (i + 1 == n) break;
    if (columns >= 1 && (i + 1) % static_cast<std::size_t>(columns) == 0) {
      startContinuation(out, tab, ".byte ");
    } else {
      out += ',';
    }
  }
  return out;
}

void appendScreen(std::string& out, const std::string& codes) {
  out += ".screen \"";
  out += Lorvex_global::toScreen(codes, true);
  out += '"';
}

// The last byte of a .shift literal keeps its own one-character .shift, so
// the assembler still sets its bit 7. Needs a non-empty literal.
std::string screenLines(const std::string& codes, bool isNull, bool isShift, int tab) {
  std::string out;
  if (!isShift) {
    appendScreen(out, codes);
    if (isNull) startContinuation(out, tab, ".byte 0");
    return out;
  }
  if (codes.size() > 1) {
    appendScreen(out, codes.substr(0, codes.size() - 1));
    startContinuation(out, tab, "");
  }
  out += ".shift \"";
  out += Lorvex_global::toTok(static_cast<unsigned char>(codes.back()));
  out += '"';
  return out;
}

}  // namespace

std::string zeb_Line::formatStringLiteral(int16_t code) const {
  const zeb_Statement* statement = zeb_statement(code);
  const zeb_Literal literal = statement ? statement->literal : zeb_Literal::none;
  const zeb_Expression* expression = getExpression();
  std::string plain = statement ? statement->text : "";
  if (literal == zeb_Literal::none || !isSingleString(expression)) {
    if (expression) expression->appendTo(plain);
    return plain;
  }
  const std::string bytes = rawBytes(*expression);
  const bool isNull = literal == zeb_Literal::null;
  const bool isShift = literal == zeb_Literal::shift;
  const int tab = std::max(0, Lorvex_global::tabWidth);
  if (Lorvex_global::translateToByte || Lorvex_global::translateToByteHex) {
    return byteLines(bytes, isNull, isShift, tab);
  }
  // An empty .shift has no last byte to keep, so it stays a plain literal.
  if (Lorvex_global::fScreen && Lorvex_global::IsScreenText(bytes) && !(isShift && bytes.empty())) {
    return screenLines(bytes, isNull, isShift, tab);
  }
  expression->appendTo(plain);
  return plain;
}
