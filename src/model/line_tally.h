// What the reports count of the lines that have a record, by what each
// record's head holds: counted while the records are decoded, so that the
// reports need not read every line again.
#ifndef LORVEX_MODEL_LINE_TALLY_H
#define LORVEX_MODEL_LINE_TALLY_H

#include "model/p6502_tables.h"
#include "model/stored_record.h"

struct zeb_LineTally {
  int records = 0;
  int opcodes = 0;  // lines with an opcode
  int pseudos = 0;  // of the rest, lines with a pseudo-op
  int blank = 0;    // of the rest, lines of the blank kind (a comment alone)
  int byMnemonic[p6502_MNEMONICS] = {};  // lines with an opcode, by mnemonic

  void count(const zeb_RecordHead& head) {
    ++records;
    if (head.opcode != -1) {
      ++opcodes;
      if (head.opcode >= 0 && head.opcode < p6502_MNEMONICS) ++byMnemonic[head.opcode];
    } else if (head.pseudo != -1) {
      ++pseudos;
    } else if (head.type == zeb_BLANK) {
      ++blank;
    }
  }
};

#endif  // LORVEX_MODEL_LINE_TALLY_H
