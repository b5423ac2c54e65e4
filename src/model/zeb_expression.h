// An operand held as the ordered tokens the image stores. Nothing is ever
// evaluated: each token renders back as the text the programmer wrote.
#ifndef LORVEX_MODEL_ZEB_EXPRESSION_H
#define LORVEX_MODEL_ZEB_EXPRESSION_H

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class zeb_ExpressionToken {
 public:
  virtual ~zeb_ExpressionToken() = default;
  // The token as source text: what appendTo writes.
  virtual std::string toString() const;
  // Appends the rendering to out; a plain token writes nothing.
  virtual void appendTo(std::string& out) const;
};

class zeb_Expression {
 public:
  zeb_Expression() = default;
  zeb_Expression(const zeb_Expression&) = delete;
  zeb_Expression& operator=(const zeb_Expression&) = delete;

  void addToken(std::unique_ptr<zeb_ExpressionToken> token);
  std::string toString() const;
  void appendTo(std::string& out) const;

  std::size_t numberOfTokens() const { return tokens.size(); }
  const zeb_ExpressionToken* tokenAt(std::size_t index) const { return tokens[index].get(); }

 private:
  std::vector<std::unique_ptr<zeb_ExpressionToken>> tokens;
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
  void appendTo(std::string& out) const override;
  int16_t getKind() const { return kind; }
  int32_t getValue() const { return value; }

 private:
  int16_t kind;
  int32_t value;
};

class zeb_ExpressionSymbol : public zeb_ExpressionToken {
 public:
  explicit zeb_ExpressionSymbol(int16_t symbolCode) : code(symbolCode) {}
  void appendTo(std::string& out) const override;
  int32_t getCode() const { return code; }

 private:
  int32_t code;
};

class zeb_ExpressionString : public zeb_ExpressionToken {
 public:
  explicit zeb_ExpressionString(std::string rawText) : text(std::move(rawText)) {}
  void appendTo(std::string& out) const override;
  const std::string& getText() const { return text; }

 private:
  std::string text;  // raw PETSCII, no quotes
};

class zeb_ExpressionList : public zeb_ExpressionToken {
 public:
  zeb_ExpressionList() = default;
  void addExpression(std::unique_ptr<zeb_Expression> expression);
  void appendTo(std::string& out) const override;
  std::size_t numberOfExpressions() const { return expressions.size(); }
  const zeb_Expression* expressionAt(std::size_t index) const { return expressions[index].get(); }

 private:
  std::vector<std::unique_ptr<zeb_Expression>> expressions;
};

class zeb_ExpressionLabel : public zeb_ExpressionToken {
 public:
  explicit zeb_ExpressionLabel(int16_t labelIndex) : index(labelIndex) {}
  void appendTo(std::string& out) const override;
  int32_t getIndex() const { return index; }

 private:
  int32_t index;  // into zeb_Source::globLabels
};

#endif  // LORVEX_MODEL_ZEB_EXPRESSION_H
