// Tokenized operands: a run of tokens that go on, closed by one that ends
// the expression. Nothing is evaluated.
#ifndef LORVEX_SOURCE_EXPRESSION_DECODER_H
#define LORVEX_SOURCE_EXPRESSION_DECODER_H

#include <cstddef>
#include <vector>

#include "model/expression_builder.h"
#include "model/zeb_expression.h"
#include "support/kio_arena.h"

// One flag per label index, set when an operand refers to the label.
using zeb_LabelUsage = std::vector<unsigned char>;

// Flags index; an index outside the table flags nothing.
inline void zeb_markUsed(zeb_LabelUsage& usage, int index) {
  const auto at = static_cast<std::size_t>(index);
  if (index >= 0 && at < usage.size()) usage[at] = 1;
}

// Decodes one operand starting at text[recordStart + *position] into
// `arena`: the expression, its tokens and their bytes all lie there. Reads
// stop at the end of the record (recordLength bytes). Returns null, with
// *position at the offending byte, when no expression could be read; a byte
// that is neither a token nor a comment header raises the corrupt-operand
// warning.
const zeb_Expression* zeb_readExpression(kio_Arena& arena, const unsigned char* text,
                                         int recordStart, int recordLength, int* position,
                                         zeb_LabelUsage& usage);

#endif  // LORVEX_SOURCE_EXPRESSION_DECODER_H
