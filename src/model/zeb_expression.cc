#include "model/zeb_expression.h"

#include <cstring>

#include "model/label_names.h"
#include "petscii/lorvex_global.h"
#include "support/kio_itoa.h"

namespace {

// Operator texts for the token bytes 0x40..0x4B, in code order.
constexpr int kFirstOperator = 0x40;
constexpr const char* kOperatorTexts[] = {"+", "-", "*", "/", ">", "<",
                                          "!", "&", ".", ":", "(", ")"};
constexpr int kOperatorCount = sizeof(kOperatorTexts) / sizeof(kOperatorTexts[0]);
constexpr int kEndParenthesis = 0x5B;  // the ")" that ends a stored expression

template <typename Item>
std::string renderedBy(const Item& item) {
  std::string out;
  item.appendTo(out);
  return out;
}

// Two hex digits up to $ff, four up to $ffff. Negative values never come
// from an image; they show their low 16 bits as four digits.
void appendHex(std::string& out, int32_t value) {
  out += '$';
  if (value < 0) {
    const auto low16 = static_cast<int>(static_cast<uint32_t>(value) & 0xFFFFu);
    const char* digits = kio_itoa(low16, 16);
    out.append(4 - std::strlen(digits), '0');
    out += digits;
    return;
  }
  if (value <= 15 || (value >= 256 && value <= 4095)) out += '0';
  out += kio_itoa(value, 16);
}

void appendCharacter(std::string& out, unsigned char b) {
  if (Lorvex_global::translateToByte) {
    out += kio_itoa(b, 10);
  } else if (Lorvex_global::translateToByteHex) {
    out += '$';
    out += kio_itoa(b, 16);
  } else {
    out += '"';
    out += Lorvex_global::toTok(b);
    out += '"';
  }
}

}  // namespace

std::string zeb_ExpressionToken::toString() const { return renderedBy(*this); }

void zeb_ExpressionToken::appendTo(std::string&) const {}

void zeb_Expression::addToken(std::unique_ptr<zeb_ExpressionToken> token) {
  tokens.push_back(std::move(token));
}

std::string zeb_Expression::toString() const {
  return renderedBy(*this);
}

void zeb_Expression::appendTo(std::string& out) const {
  for (const auto& token : tokens) {
    if (token) token->appendTo(out);
  }
}

void zeb_ExpressionValue::appendTo(std::string& out) const {
  const auto low = static_cast<unsigned char>(value & 0xFF);
  switch (kind) {
    case zeb_DECIMAL:
      out += kio_itoa(value, 10);
      break;
    case zeb_HEX:
      appendHex(out, value);
      break;
    case zeb_BINARY:
      out += '%';
      out += kio_itoa(value, 2);
      break;
    case zeb_PROGRAM_COUNTER:
      out += '*';
      break;
    case zeb_CHARACTER:
      appendCharacter(out, low);
      break;
    case zeb_BACKSLASH:
      out += '\\';
      out += static_cast<char>(low);
      break;
    default:
      break;
  }
}

void zeb_ExpressionSymbol::appendTo(std::string& out) const {
  if (code >= kFirstOperator && code < kFirstOperator + kOperatorCount) {
    out += kOperatorTexts[code - kFirstOperator];
  } else if (code == kEndParenthesis) {
    out += ')';
  } else {
    out += 'X';
  }
}

void zeb_ExpressionString::appendTo(std::string& out) const {
  if (Lorvex_global::rawString) {
    out += text;
    return;
  }
  out += '"';
  out += Lorvex_global::toTok(text);
  out += '"';
}

void zeb_ExpressionList::addExpression(std::unique_ptr<zeb_Expression> expression) {
  expressions.push_back(std::move(expression));
}

void zeb_ExpressionList::appendTo(std::string& out) const {
  for (std::size_t i = 0; i < expressions.size(); ++i) {
    if (i > 0) out += ',';
    if (expressions[i]) expressions[i]->appendTo(out);
  }
}

void zeb_ExpressionLabel::appendTo(std::string& out) const {
  zeb_appendLabel(out, index);
}
