// Expression objects made from tokenized operands, in an arena: the
// decoder's zeb_readExpression and a stored line's getExpression both make
// them this way.
#ifndef LORVEX_MODEL_EXPRESSION_BUILDER_H
#define LORVEX_MODEL_EXPRESSION_BUILDER_H

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "model/operand_tokens.h"
#include "model/zeb_expression.h"
#include "support/kio_arena.h"

// Collects the parts of one expression or list while they are decoded: a
// record holds few, so they fit in place; more go to the arena.
template <typename Part>
class zeb_PartRun {
 public:
  explicit zeb_PartRun(kio_Arena& spill) : arena(spill) {}
  zeb_PartRun(const zeb_PartRun&) = delete;
  zeb_PartRun& operator=(const zeb_PartRun&) = delete;

  void add(const Part* part) {
    if (count == capacity) grow();
    items[count++] = part;
  }
  const Part* const* parts() const { return items; }
  std::size_t size() const { return count; }

 private:
  static constexpr std::size_t kInPlace = 16;

  void grow() {
    const Part** larger = arena.array<const Part*>(capacity * 2);
    std::copy(items, items + count, larger);
    items = larger;
    capacity *= 2;
  }

  kio_Arena& arena;
  const Part* inPlace[kInPlace];
  const Part** items = inPlace;
  std::size_t count = 0;
  std::size_t capacity = kInPlace;
};

// Makes a token object of each token it hears of, in the arena; `also`
// hears of labels and of bytes that are no token as well.
template <typename Also>
class zeb_BuildTokens {
 public:
  zeb_BuildTokens(kio_Arena& arena, Also& also) : arena_(arena), also_(also), tokens_(arena) {}

  void value(int16_t kind, int32_t value) {
    tokens_.add(arena_.make<zeb_ExpressionValue>(kind, value));
  }
  void label(int index) {
    also_.label(index);
    tokens_.add(arena_.make<zeb_ExpressionLabel>(static_cast<int16_t>(index)));
  }
  void symbol(int code) {
    tokens_.add(arena_.make<zeb_ExpressionSymbol>(static_cast<int16_t>(code)));
  }
  void string(const unsigned char* bytes, std::size_t length) {
    tokens_.add(zeb_ExpressionString::makeIn(arena_, bytes, length));
  }
  void notToken(int byte, int at) { also_.notToken(byte, at); }

  const zeb_Expression* expression() const {
    return zeb_Expression::makeIn(arena_, tokens_.parts(), tokens_.size());
  }

 private:
  kio_Arena& arena_;
  Also& also_;
  zeb_PartRun<zeb_ExpressionToken> tokens_;
};

// One expression read from record[*q] (see zeb_readTokens) and made in
// `arena`; null where it could not be read.
template <typename Also>
const zeb_Expression* zeb_buildExpression(kio_Arena& arena, const unsigned char* record, int n,
                                          int* q, Also& also) {
  zeb_BuildTokens<Also> build(arena, also);
  if (!zeb_readTokens(record, n, q, build)) return nullptr;
  return build.expression();
}

#endif  // LORVEX_MODEL_EXPRESSION_BUILDER_H
