// Line records: the line table gives each line's record length and class;
// the records lie packed one below the other down from the top of the text
// area and hold 6502 instructions, text lines, labels and the statements
// of codes 1 to 31 with their operands and comment trailers.
#ifndef LORVEX_SOURCE_LINE_RECORDS_H
#define LORVEX_SOURCE_LINE_RECORDS_H

#include <vector>

#include "model/zeb_line.h"
#include "source/expression_decoder.h"

// Appends one line per line-table byte to `lines`, decoding the records of
// the `textLength`-byte text area. A record that would reach below the text
// area leaves its line empty; one cut short keeps what it holds.
void zeb_decodeLines(const unsigned char* text, int textLength, const unsigned char* table,
                     int tableLength, std::vector<zeb_Line>& lines, zeb_LabelUsage& usage);

#endif  // LORVEX_SOURCE_LINE_RECORDS_H
