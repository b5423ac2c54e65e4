// The 6502 instruction tables: mnemonics by index, and the opcode byte of
// every mnemonic in every addressing mode.
#ifndef LORVEX_MODEL_P6502_TABLES_H
#define LORVEX_MODEL_P6502_TABLES_H

#include <array>
#include <cstdint>

constexpr int p6502_MNEMONICS = 79;
constexpr int p6502_MODES = 13;
constexpr int p6502_BRK = 10;  // mnemonic index of "brk"

// Lower-case three-letter mnemonics by mnemonic index.
extern const char* const p6502_TLA[p6502_MNEMONICS];

// Index of a lower-case mnemonic in p6502_TLA; -1 for any other text.
int p6502_mnemonicIndex(const char* tla);

// Row = mnemonic index, column = addressing-mode bit position; a cell holds
// the opcode byte of that combination, or 0 where it does not exist.
extern const unsigned char p6502_MACHINE[p6502_MNEMONICS * p6502_MODES];

// What a scan of p6502_MACHINE for an opcode byte finds: mnemonic index and
// addressing-mode bit. Bytes that no cell holds, and 0, read as brk implied.
struct p6502_Decoded {
  int16_t opcode;
  int16_t addressing;
};

// The inverse, derived from p6502_MACHINE when the program is built.
extern const std::array<p6502_Decoded, 256> p6502_INVERSE;

// Constant-time lookup through the inverse.
inline p6502_Decoded p6502_decode(unsigned char opcodeByte) { return p6502_INVERSE[opcodeByte]; }

#endif  // LORVEX_MODEL_P6502_TABLES_H
