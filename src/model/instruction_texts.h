// What a line shows of each opcode byte's instruction, made once from the
// 6502 tables and the operand syntax of the addressing modes: the
// mnemonic with the text that goes before an operand, and the text after.
#ifndef LORVEX_MODEL_INSTRUCTION_TEXTS_H
#define LORVEX_MODEL_INSTRUCTION_TEXTS_H

#include "model/line_parts.h"

struct zeb_InstructionText {
  char lead[8];          // the mnemonic, then what goes before an operand
  unsigned char bare;    // how much of lead shows without an operand
  unsigned char before;  // how much shows before an operand
  zeb_Affix after;       // after the operand
};

// By opcode byte, all 256.
const zeb_InstructionText* zeb_instructionTexts();

#endif  // LORVEX_MODEL_INSTRUCTION_TEXTS_H
