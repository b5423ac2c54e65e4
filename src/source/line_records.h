// Line records: the line table gives each line's record length and class;
// the records lie packed one below the other down from the top of the text
// area and hold 6502 instructions, text lines, labels and the statements
// of codes 1 to 31 with their operands and comment trailers.
#ifndef LORVEX_SOURCE_LINE_RECORDS_H
#define LORVEX_SOURCE_LINE_RECORDS_H

#include <cstdint>
#include <vector>

#include "model/zeb_line.h"
#include "source/expression_decoder.h"
#include "support/kio_arena.h"

// Decodes the records of the `textLength`-byte text area, one line-table
// byte per line. Each line a record was decoded into is appended to
// `records`, its index to `occupied`; every other line is bare and appears
// in neither. The lines' details lie in `arena`. A record that would reach
// below the text area leaves its line bare; one cut short keeps what it
// holds.
void zeb_decodeLines(kio_Arena& arena, const unsigned char* text, int textLength,
                     const unsigned char* table, int tableLength, zeb_LabelUsage& usage,
                     std::vector<zeb_Line>& records, std::vector<uint32_t>& occupied);

#endif  // LORVEX_SOURCE_LINE_RECORDS_H
