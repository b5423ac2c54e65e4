// Tokenized operands: a run of tokens that go on, closed by one that ends
// the expression. Nothing is evaluated.
#ifndef LORVEX_SOURCE_EXPRESSION_DECODER_H
#define LORVEX_SOURCE_EXPRESSION_DECODER_H

#include <algorithm>
#include <cstddef>
#include <vector>

#include "model/zeb_expression.h"
#include "support/kio_arena.h"

// One flag per label index, set when an operand refers to the label.
using zeb_LabelUsage = std::vector<unsigned char>;

// Flags index; an index outside the table flags nothing.
void zeb_markUsed(zeb_LabelUsage& usage, int index);

// Decodes one operand starting at text[recordStart + *position] into
// `arena`: the expression, its tokens and their bytes all lie there. Reads
// stop at the end of the record (recordLength bytes). Returns null, with
// *position at the offending byte, when no expression could be read; a byte
// that is neither a token nor a comment header raises the corrupt-operand
// warning.
const zeb_Expression* zeb_readExpression(kio_Arena& arena, const unsigned char* text,
                                         int recordStart, int recordLength, int* position,
                                         zeb_LabelUsage& usage);

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

#endif  // LORVEX_SOURCE_EXPRESSION_DECODER_H
