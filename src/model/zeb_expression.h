// An operand held as the ordered tokens the image stores. Nothing is ever
// evaluated: each token renders back as the text the programmer wrote.
//
// Two ways to build one. By hand, from the heap: each addToken and
// addExpression hands over a part that the expression or list then owns.
// The decoder's way, in its arena: makeIn copies what it is given into the
// arena, and everything then lives exactly as long as the arena does.
#ifndef LORVEX_MODEL_ZEB_EXPRESSION_H
#define LORVEX_MODEL_ZEB_EXPRESSION_H

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/zeb_parts.h"
#include "model/zeb_text.h"

class kio_Arena;

class zeb_ExpressionToken {
 public:
  virtual ~zeb_ExpressionToken() = default;
  // The token as source text: what writeTo writes.
  std::string toString() const;
  // Appends the rendering to out.
  void appendTo(std::string& out) const;
  // Puts the rendering into out; a plain token writes nothing.
  virtual void writeTo(zeb_Text& out) const;
};

class zeb_Expression {
 public:
  zeb_Expression() = default;
  zeb_Expression(const zeb_Expression&) = delete;
  zeb_Expression& operator=(const zeb_Expression&) = delete;

  // An expression of the `count` tokens, all made in `arena`.
  static const zeb_Expression* makeIn(kio_Arena& arena, const zeb_ExpressionToken* const* tokens,
                                      std::size_t count);

  void addToken(std::unique_ptr<zeb_ExpressionToken> token);
  std::string toString() const;
  void appendTo(std::string& out) const;
  void writeTo(zeb_Text& out) const;

  std::size_t numberOfTokens() const { return tokens.size(); }
  const zeb_ExpressionToken* tokenAt(std::size_t index) const { return tokens[index]; }

 private:
  zeb_Expression(kio_Arena& arena, const zeb_ExpressionToken* const* parts, std::size_t count)
      : tokens(arena, parts, count) {}

  zeb_Parts<zeb_ExpressionToken> tokens;
};

// Number format codes of zeb_ExpressionValue.
enum zeb_ValueKind : int16_t {
  zeb_DECIMAL = 1,
  zeb_HEX = 2,
  zeb_BINARY = 3,
  zeb_PROGRAM_COUNTER = 4,
  zeb_CHARACTER = 5,
  zeb_BACKSLASH = 6,
};

class zeb_ExpressionValue : public zeb_ExpressionToken {
 public:
  zeb_ExpressionValue(int16_t valueKind, int32_t number) : kind(valueKind), value(number) {}
  void writeTo(zeb_Text& out) const override;
  int16_t getKind() const { return kind; }
  int32_t getValue() const { return value; }

 private:
  int16_t kind;
  int32_t value;
};

class zeb_ExpressionSymbol : public zeb_ExpressionToken {
 public:
  explicit zeb_ExpressionSymbol(int16_t symbolCode) : code(symbolCode) {}
  void writeTo(zeb_Text& out) const override;
  int32_t getCode() const { return code; }

 private:
  int32_t code;
};

class zeb_ExpressionString : public zeb_ExpressionToken {
 public:
  // Owns a copy of the raw PETSCII bytes (no quotes).
  explicit zeb_ExpressionString(const std::string& rawText);
  ~zeb_ExpressionString() override;
  zeb_ExpressionString(const zeb_ExpressionString&) = delete;
  zeb_ExpressionString& operator=(const zeb_ExpressionString&) = delete;
  // A token of `length` raw bytes, both copied into `arena`.
  static const zeb_ExpressionString* makeIn(kio_Arena& arena, const unsigned char* bytes,
                                            std::size_t length);

  void writeTo(zeb_Text& out) const override;
  std::string getText() const { return std::string(text()); }
  std::string_view text() const { return std::string_view(bytes, length); }

 private:
  zeb_ExpressionString(const char* bytesInArena, std::size_t count)
      : bytes(bytesInArena), length(static_cast<uint32_t>(count)), owned(false) {}

  const char* bytes;
  uint32_t length;
  bool owned;  // bytes came from new[]; otherwise they lie in an arena
};

class zeb_ExpressionList : public zeb_ExpressionToken {
 public:
  zeb_ExpressionList() = default;
  // A list of the `count` expressions, all made in `arena`.
  static const zeb_ExpressionList* makeIn(kio_Arena& arena,
                                          const zeb_Expression* const* expressions,
                                          std::size_t count);

  void addExpression(std::unique_ptr<zeb_Expression> expression);
  void writeTo(zeb_Text& out) const override;
  std::size_t numberOfExpressions() const { return expressions.size(); }
  const zeb_Expression* expressionAt(std::size_t index) const { return expressions[index]; }

 private:
  zeb_ExpressionList(kio_Arena& arena, const zeb_Expression* const* parts, std::size_t count)
      : expressions(arena, parts, count) {}

  zeb_Parts<zeb_Expression> expressions;
};

class zeb_ExpressionLabel : public zeb_ExpressionToken {
 public:
  explicit zeb_ExpressionLabel(int16_t labelIndex) : index(labelIndex) {}
  void writeTo(zeb_Text& out) const override;
  int32_t getIndex() const { return index; }

 private:
  int32_t index;  // into zeb_Source::globLabels
};

#endif  // LORVEX_MODEL_ZEB_EXPRESSION_H
