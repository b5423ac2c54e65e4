#include "model/zeb_expression.h"

#include <cstring>
#include <new>

#include "model/label_names.h"
#include "model/token_text.h"
#include "petscii/lorvex_global.h"

namespace {

// Operator texts for the token bytes 0x40..0x4B, in code order.
constexpr int kFirstOperator = 0x40;
constexpr char kOperatorTexts[] = "+-*/><!&.:()";
constexpr int kOperatorCount = sizeof(kOperatorTexts) - 1;
constexpr int kEndParenthesis = 0x5B;  // the ")" that ends a stored expression

template <typename Item>
std::string renderedBy(const Item& item) {
  zeb_Text text;
  item.writeTo(text);
  return std::string(text.view());
}

template <typename Item>
void appendedBy(const Item& item, std::string& out) {
  zeb_Text text;
  item.writeTo(text);
  out.append(text.data(), text.size());
}

constexpr char kDigits[] = "0123456789abcdef";

// The digits of value in Base (10 or 16), most significant first, without
// padding: what kio_itoa writes, put straight into the text.
template <unsigned Base>
void putDigits(zeb_Text& out, uint32_t value) {
  std::size_t count = 1;
  for (uint32_t rest = value / Base; rest != 0; rest /= Base) ++count;
  // Written in place, from the last digit back.
  char* at = out.extend(count) + count;
  do {
    *--at = kDigits[value % Base];
    value /= Base;
  } while (value != 0);
}

void putDecimal(zeb_Text& out, int32_t value) {
  if (value < 0) out.put('-');
  putDigits<10>(out, value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value));
}

// Two hex digits up to $ff, four up to $ffff. Negative values never come
// from an image; they show their low 16 bits as four digits.
void putHex(zeb_Text& out, int32_t value) {
  if (value >= 0 && value <= 0xFF) {
    zeb_putHexByte(out, static_cast<uint32_t>(value));
  } else if (value <= 0xFFFF) {
    const uint32_t v = static_cast<uint32_t>(value) & 0xFFFFu;
    char* at = out.extend(5);
    at[0] = '$';
    for (int i = 1; i <= 4; ++i) at[i] = kDigits[(v >> (4 * (4 - i))) & 0xFu];
  } else {
    out.put('$');
    putDigits<16>(out, static_cast<uint32_t>(value));
  }
}

// Exactly eight digits, bit 7 down to bit 0, four at a time by table.
void putBinary(zeb_Text& out, int32_t value) {
  static constexpr char kNibbles[16][4] = {
      {'0', '0', '0', '0'}, {'0', '0', '0', '1'}, {'0', '0', '1', '0'}, {'0', '0', '1', '1'},
      {'0', '1', '0', '0'}, {'0', '1', '0', '1'}, {'0', '1', '1', '0'}, {'0', '1', '1', '1'},
      {'1', '0', '0', '0'}, {'1', '0', '0', '1'}, {'1', '0', '1', '0'}, {'1', '0', '1', '1'},
      {'1', '1', '0', '0'}, {'1', '1', '0', '1'}, {'1', '1', '1', '0'}, {'1', '1', '1', '1'},
  };
  const auto bits = static_cast<uint32_t>(value);
  char* digits = out.extend(8);
  std::memcpy(digits, kNibbles[(bits >> 4) & 0xFu], 4);
  std::memcpy(digits + 4, kNibbles[bits & 0xFu], 4);
}

void putCharacter(zeb_Text& out, unsigned char b) {
  if (Lorvex_global::translateToByte) {
    putDigits<10>(out, b);
  } else if (Lorvex_global::translateToByteHex) {
    out.put('$');
    putDigits<16>(out, b);
  } else {
    out.put('"');
    out.putAppended([b](std::string& s) { Lorvex_global::appendTokChar(s, b); });
    out.put('"');
  }
}

}  // namespace

std::string zeb_ExpressionToken::toString() const { return renderedBy(*this); }

void zeb_ExpressionToken::appendTo(std::string& out) const { appendedBy(*this, out); }

void zeb_ExpressionToken::writeTo(zeb_Text&) const {}

const zeb_Expression* zeb_Expression::makeIn(kio_Arena& arena,
                                             const zeb_ExpressionToken* const* parts,
                                             std::size_t count) {
  void* place = arena.allocate(sizeof(zeb_Expression), alignof(zeb_Expression));
  return new (place) zeb_Expression(arena, parts, count);
}

void zeb_Expression::addToken(std::unique_ptr<zeb_ExpressionToken> token) {
  tokens.add(std::move(token));
}

std::string zeb_Expression::toString() const { return renderedBy(*this); }

void zeb_Expression::appendTo(std::string& out) const { appendedBy(*this, out); }

void zeb_Expression::writeTo(zeb_Text& out) const {
  for (const zeb_ExpressionToken* token : tokens) {
    if (token) token->writeTo(out);
  }
}

void zeb_putOtherValue(zeb_Text& out, int16_t kind, int32_t value) {
  const auto low = static_cast<unsigned char>(value & 0xFF);
  switch (kind) {
    case zeb_DECIMAL:
      putDecimal(out, value);
      break;
    case zeb_HEX:
      putHex(out, value);
      break;
    case zeb_BINARY:
      out.put('%');
      putBinary(out, value);
      break;
    case zeb_PROGRAM_COUNTER:
      out.put('*');
      break;
    case zeb_CHARACTER:
      putCharacter(out, low);
      break;
    case zeb_BACKSLASH:
      out.put('\\');
      // The byte is written as stored; under UTF-8 output one that is no
      // printable ASCII is converted as a comment's is, never raw.
      if (Lorvex_global::utf8 && (low < 0x20 || low >= 0x7F)) {
        out.putAppended([low](std::string& text) { Lorvex_global::appendCommentChar(text, low); });
      } else {
        out.put(static_cast<char>(low));
      }
      break;
    default:
      break;
  }
}

void zeb_ExpressionValue::writeTo(zeb_Text& out) const { zeb_putValue(out, kind, value); }

void zeb_putSymbol(zeb_Text& out, int32_t code) {
  if (code >= kFirstOperator && code < kFirstOperator + kOperatorCount) {
    out.put(kOperatorTexts[code - kFirstOperator]);
  } else if (code == kEndParenthesis) {
    out.put(')');
  } else {
    out.put('X');
  }
}

void zeb_ExpressionSymbol::writeTo(zeb_Text& out) const { zeb_putSymbol(out, code); }

zeb_ExpressionString::zeb_ExpressionString(const std::string& rawText)
    : bytes(nullptr), length(static_cast<uint32_t>(rawText.size())), owned(true) {
  char* copy = new char[rawText.size() + 1];
  std::memcpy(copy, rawText.data(), rawText.size());
  bytes = copy;
}

zeb_ExpressionString::~zeb_ExpressionString() {
  if (owned) delete[] bytes;
}

const zeb_ExpressionString* zeb_ExpressionString::makeIn(kio_Arena& arena,
                                                         const unsigned char* raw,
                                                         std::size_t count) {
  const char* copy = arena.copy(raw, count);
  void* place = arena.allocate(sizeof(zeb_ExpressionString), alignof(zeb_ExpressionString));
  return new (place) zeb_ExpressionString(copy, count);
}

void zeb_putStringToken(zeb_Text& out, const char* bytes, std::size_t length) {
  if (Lorvex_global::rawString) {
    out.put(bytes, length);
    return;
  }
  out.put('"');
  out.putAppended(
      [bytes, length](std::string& s) { Lorvex_global::appendTokText(s, bytes, length); });
  out.put('"');
}

void zeb_ExpressionString::writeTo(zeb_Text& out) const { zeb_putStringToken(out, bytes, length); }

const zeb_ExpressionList* zeb_ExpressionList::makeIn(kio_Arena& arena,
                                                     const zeb_Expression* const* parts,
                                                     std::size_t count) {
  void* place = arena.allocate(sizeof(zeb_ExpressionList), alignof(zeb_ExpressionList));
  return new (place) zeb_ExpressionList(arena, parts, count);
}

void zeb_ExpressionList::addExpression(std::unique_ptr<zeb_Expression> expression) {
  expressions.add(std::move(expression));
}

void zeb_ExpressionList::writeTo(zeb_Text& out) const {
  for (std::size_t i = 0; i < expressions.size(); ++i) {
    if (i > 0) out.put(',');
    if (expressions[i]) expressions[i]->writeTo(out);
  }
}

void zeb_ExpressionLabel::writeTo(zeb_Text& out) const { zeb_writeLabel(out, index); }
