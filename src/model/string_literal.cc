#include <algorithm>
#include <string_view>

#include "model/line_parts.h"
#include "model/statements.h"
#include "model/zeb_line.h"
#include "petscii/lorvex_global.h"
#include "support/kio_itoa.h"

namespace {

// The string token of an operand that is one string and nothing else.
const zeb_ExpressionString* singleString(const zeb_Expression* expression) {
  if (!expression || expression->numberOfTokens() != 1) return nullptr;
  return dynamic_cast<const zeb_ExpressionString*>(expression->tokenAt(0));
}

void startContinuation(zeb_Text& out, int tab, const char* directive) {
  out.put('\n');
  out.fill(' ', static_cast<std::size_t>(tab));
  out.put(directive);
}

// .byte lines of at most `columns` values (all on one line when < 1).
void putByteLines(zeb_Text& out, std::string_view bytes, bool isNull, bool isShift, int tab) {
  const bool decimal = Lorvex_global::translateToByte;
  const int columns = Lorvex_global::byteColumns;
  out.put(".byte ");
  const std::size_t n = bytes.size() + (isNull ? 1 : 0);
  for (std::size_t i = 0; i < n; ++i) {
    unsigned int b = i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u;
    if (isShift && i + 1 == n) b |= 0x80u;
    if (!decimal) out.put('$');
    out.put(kio_itoa(static_cast<int>(b), decimal ? 10 : 16));
    if (i + 1 == n) break;
    if (columns >= 1 && (i + 1) % static_cast<std::size_t>(columns) == 0) {
      startContinuation(out, tab, ".byte ");
    } else {
      out.put(',');
    }
  }
}

void putScreen(zeb_Text& out, const std::string& codes) {
  out.put(".screen \"");
  out.put(Lorvex_global::toScreen(codes, true));
  out.put('"');
}

// The last byte of a .shift literal keeps its own one-character .shift, so
// the assembler still sets its bit 7; `directive` is the line's own
// (".shift "). Needs a non-empty literal.
void putScreenLines(zeb_Text& out, const std::string& codes, bool isNull, bool isShift,
                    int tab, const char* directive) {
  if (!isShift) {
    putScreen(out, codes);
    if (isNull) startContinuation(out, tab, ".byte 0");
    return;
  }
  if (codes.size() > 1) {
    putScreen(out, codes.substr(0, codes.size() - 1));
    startContinuation(out, tab, "");
  }
  out.put(directive);
  out.put('"');
  const auto last = static_cast<unsigned char>(codes.back());
  out.putAppended([last](std::string& s) { Lorvex_global::appendTokChar(s, last); });
  out.put('"');
}

}  // namespace

std::string zeb_Line::formatStringLiteral(int16_t code) const {
  zeb_Text text;
  putStringLiteral(text, code);
  return std::string(text.view());
}

bool zeb_putConvertedLiteral(zeb_Text& out, const zeb_Statement& statement,
                             std::string_view bytes) {
  if (statement.literal == zeb_Literal::none) return false;
  const bool isNull = statement.literal == zeb_Literal::null;
  const bool isShift = statement.literal == zeb_Literal::shift;
  const int tab = zeb_tabColumn();
  if (Lorvex_global::translateToByte || Lorvex_global::translateToByteHex) {
    putByteLines(out, bytes, isNull, isShift, tab);
    return true;
  }
  // An empty .shift has no last byte to keep, so it stays a plain literal.
  if (Lorvex_global::fScreen && !(isShift && bytes.empty())) {
    const std::string codes(bytes);
    if (Lorvex_global::IsScreenText(codes)) {
      putScreenLines(out, codes, isNull, isShift, tab, statement.text);
      return true;
    }
  }
  return false;
}

void zeb_Line::putStringLiteral(zeb_Text& out, int16_t code) const {
  const zeb_Statement* statement = zeb_statement(code);
  const zeb_Expression* expression = getExpression();
  const zeb_ExpressionString* string = singleString(expression);
  if (statement && string && zeb_putConvertedLiteral(out, *statement, string->text())) return;
  if (statement) out.put(statement->text);
  if (expression) expression->writeTo(out);
}
