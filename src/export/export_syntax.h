// How each target assembler spells what an exported source says: one row
// per target, every spelling written once. The walker and the expression
// translation read only this table, never a target's name.
#ifndef LORVEX_EXPORT_EXPORT_SYNTAX_H
#define LORVEX_EXPORT_EXPORT_SYNTAX_H

#include <cstdint>

#include "model/p6502_tables.h"

// The targets a source can be exported to; the count sizes the table.
enum class lorvex_Target : int { acme, ca65, count };

// Binary operators of the notation, in symbol-code order of the ones it has.
enum lorvex_Operator : int { op_add, op_sub, op_mul, op_div, op_and, op_or, op_xor, op_COUNT };

// Mnemonics from this index on are not among the 56 documented ones.
constexpr int lorvex_FIRST_UNDOCUMENTED = 56;
constexpr int lorvex_UNDOCUMENTED = p6502_MNEMONICS - lorvex_FIRST_UNDOCUMENTED;

// An undocumented instruction as a target writes it. `name` null: the
// target has no mnemonic for it; `rawModes`: addressing-mode bits in which
// the target's mnemonic makes another opcode byte or none. Either way the
// instruction is then written as its bytes.
struct lorvex_Undocumented {
  const char* name;
  int16_t rawModes;
};

struct lorvex_TargetSyntax {
  const char* extension;        // of the exported file, with its dot
  const char* opText[op_COUNT];  // binary operators, with any spaces they need
  int opPrecedence[op_COUNT];    // higher binds tighter; equal levels go left to right
  int bytePrecedence;            // of the unary low-byte and high-byte operators
  const char* wrap;              // before a parenthesised value: keeps its low 16 bits
  const char* labelSuffix;       // after a label that defines the address of its line
  const char* forcedMnemonic;    // after the mnemonic of a forced absolute operand
  const char* forcedOperand;     // before a forced absolute operand
  const char* byteList;          // one byte per value
  const char* textList;          // one byte per value, strings given as text
  const char* wordList;          // 16-bit values, low byte first
  const char* setPc;             // then an expression: code goes on at that address
  const char* placeCode;         // a line that stores pending code where it belongs; "" none
  const char* assign;            // label, this, expression
  const char* varBefore;         // before a label set again later
  const char* varMiddle;         // between that label and its expression
  const char* ifOpen;            // then a condition
  const char* ifBody;            // after the condition
  const char* ifClose;
  const char* notEqual;          // comparison operators in conditions
  const char* equal;
  const char* scopeOpen;
  const char* scopeClose;
  const char* macroOpen;         // then the name, then the parameters
  const char* macroBody;         // after the parameter list
  const char* macroClose;
  const char* macroCall;         // before the name of a called macro
  const char* parameter;         // printf form of parameter N in a macro head
  const char* argument;          // printf form of argument N in a macro body
  const char* bindArgument;      // printf form of a body line binding argument N; "" none
  const char* localPrefix;       // before a label local to a scope or a macro call ("" none)
  const char* localsLine;        // before the list of labels local to a macro call; "" none
  const char* include;           // then the quoted file name
  const char* endOfSource;
  const char* processor;         // selects the processor with undocumented opcodes
  const char* comment;
  const char* loopOpen;          // a loop whose condition follows its body; null: none
  const char* loopClose;         // then the condition of going round again
  const char* xorOpen;           // then a value: bytes stored from here are xor'ed; null: none
  const char* xorVariable;       // else: the variable data lines xor with
  const char* offsetOpen;        // then an address: code assembled for it, stored here; null: none
  const char* offsetVariable;    // else: the variable the placing macro reads the offset from
  const char* const* reserved;   // null-ended: names a label cannot have
  const char* configName;        // a file the build command reads beside the source; null none
  const char* configText;        // its content
  lorvex_Undocumented undocumented[lorvex_UNDOCUMENTED];
};

const lorvex_TargetSyntax& lorvex_targetSyntax(lorvex_Target target);

// The linker configuration every folder of ca65 exports holds as ca65.cfg:
// a load address in front, then the code from the lowest address written.
extern const char* const lorvex_CA65_CONFIG;

// The lines every ca65 export starts with, read once even when files
// include each other: the load address, and the two macros that place code
// where the notation puts it (gaps filled with zeros).
extern const char* const lorvex_CA65_PROLOGUE;

#endif  // LORVEX_EXPORT_EXPORT_SYNTAX_H
