// Line records: the line table gives each line's record length and class;
// the records lie packed one below the other down from the top of the text
// area and hold 6502 instructions, text lines, labels and the statements
// of codes 1 to 31 with their operands and comment trailers.
#ifndef LORVEX_SOURCE_LINE_RECORDS_H
#define LORVEX_SOURCE_LINE_RECORDS_H

#include <cstdint>
#include <vector>

#include "model/stored_record.h"
#include "model/zeb_line.h"
#include "source/expression_decoder.h"

// Decodes the records of the `textLength`-byte text area, one line-table
// byte per line: the text goes into `store`, and each line a record was
// found for is appended to `lines`, reading from it there, its index to
// `occupied`; every other line is bare and appears in neither. The labels
// the records name are flagged in `usage`, and damaged operands are
// reported to the warning sink, line by line in order. A record that would
// reach below the text area leaves its line bare; one cut short keeps what
// it holds.
void zeb_decodeLines(zeb_RecordStore& store, const unsigned char* text, int textLength,
                     const unsigned char* table, int tableLength, zeb_LabelUsage& usage,
                     std::vector<zeb_Line>& lines, std::vector<uint32_t>& occupied);

#endif  // LORVEX_SOURCE_LINE_RECORDS_H
