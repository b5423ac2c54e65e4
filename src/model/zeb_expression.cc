#include "model/zeb_expression.h"

#include <cstring>
#include <new>

#include "model/label_names.h"
#include "model/token_text.h"
#include "petscii/code_texts.h"
#include "petscii/lorvex_global.h"

namespace {

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

template <unsigned Base>
void putDigits(zeb_Text& out, uint32_t value) {
  out.commit(zeb_writeDigits<Base>(out.reserve(zeb_VALUE_ROOM), value));
}

void putCharacter(zeb_Text& out, unsigned char b) {
  if (Lorvex_global::translateToByte) {
    putDigits<10>(out, b);
  } else if (Lorvex_global::translateToByteHex) {
    out.put('$');
    putDigits<16>(out, b);
  } else {
    const Lorvex_global::CodeTexts& texts = Lorvex_global::tokTexts();
    out.putWritten(Lorvex_global::CodeTexts::kRoomPerByte + 2, [&](char* to) {
      *to++ = '"';
      to = texts.put(to, b);
      *to++ = '"';
      return to;
    });
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
  if (char* end = zeb_writePlainValue(out.reserve(zeb_VALUE_ROOM), kind, value)) {
    out.commit(end);
    return;
  }
  const auto low = static_cast<unsigned char>(value & 0xFF);
  switch (kind) {
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

void zeb_putSymbol(zeb_Text& out, int32_t code) { out.put(zeb_symbolText(code)); }

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
  const Lorvex_global::CodeTexts& texts = Lorvex_global::tokTexts();
  out.putWritten(zeb_stringTokenRoom(length), [&](char* at) {
    return zeb_writeStringToken(at, bytes, length, texts);
  });
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
