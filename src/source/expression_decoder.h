// Tokenized operands: a run of tokens that go on, closed by one that ends
// the expression. Nothing is evaluated.
#ifndef LORVEX_SOURCE_EXPRESSION_DECODER_H
#define LORVEX_SOURCE_EXPRESSION_DECODER_H

#include <memory>
#include <vector>

#include "model/zeb_expression.h"

// One flag per label index, set when an operand refers to the label.
using zeb_LabelUsage = std::vector<unsigned char>;

// Flags index; an index outside the table flags nothing.
void zeb_markUsed(zeb_LabelUsage& usage, int index);

// Decodes one operand starting at text[recordStart + *position]. Reads stop
// at the end of the record (recordLength bytes). Returns null, with
// *position at the offending byte, when no expression could be read; a byte
// that is neither a token nor a comment header raises the corrupt-operand
// warning.
std::unique_ptr<zeb_Expression> zeb_readExpression(const unsigned char* text, int recordStart,
                                                   int recordLength, int* position,
                                                   zeb_LabelUsage& usage);

#endif  // LORVEX_SOURCE_EXPRESSION_DECODER_H
