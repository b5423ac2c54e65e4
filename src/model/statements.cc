#include "model/statements.h"

#include "model/zeb_line.h"

namespace {

using Op = zeb_Operand;
using Lit = zeb_Literal;

constexpr unsigned char lengthOf(const char* text) {
  unsigned char length = 0;
  while (text[length] != '\0') ++length;
  return length;
}

constexpr zeb_Statement row(int16_t kind, bool pseudo, Op operand, Lit literal, const char* text) {
  zeb_Statement statement{kind, pseudo, operand, literal, {}, lengthOf(text)};
  for (unsigned char i = 0; i < statement.textLength; ++i) statement.text[i] = text[i];
  return statement;
}

}  // namespace

constexpr zeb_Statement zeb_STATEMENT_TABLE[zeb_STATEMENT_CODES] = {
    row(zeb_BLANK, false, Op::none, Lit::none, ""),              // 0: nothing
    row(zeb_PSEUDO, true, Op::expression, Lit::none, ".offs "),  // 1
    row(zeb_PSEUDO, true, Op::string, Lit::text, ".text "),      // 2
    row(zeb_PSEUDO, true, Op::list, Lit::none, ".byte "),        // 3
    row(zeb_PSEUDO, true, Op::list, Lit::none, ".word "),        // 4
    row(zeb_ASSIGN, false, Op::expression, Lit::none, ""),       // 5: label =
    row(zeb_PC_ASSIGN, false, Op::expression, Lit::none, ""),    // 6: *=
    row(zeb_PSEUDO, true, Op::none, Lit::none, ".macro"),        // 7
    row(zeb_PSEUDO, true, Op::none, Lit::none, ".endm"),         // 8
    row(zeb_PSEUDO, true, Op::macroCall, Lit::none, "#"),        // 9: # name list
    row(zeb_PSEUDO, true, Op::expression, Lit::none, ".ifne "),  // 10
    row(zeb_PSEUDO, true, Op::none, Lit::none, ".endif"),        // 11
    row(zeb_PSEUDO, true, Op::none, Lit::none, ".block"),        // 12
    row(zeb_PSEUDO, true, Op::none, Lit::none, ".bend"),         // 13
    row(zeb_PSEUDO, true, Op::none, Lit::none, ".pron"),         // 14
    row(zeb_PSEUDO, true, Op::none, Lit::none, ".proff"),        // 15
    row(zeb_PSEUDO, true, Op::string, Lit::none, ".include "),   // 16
    row(zeb_PSEUDO, true, Op::none, Lit::none, ".end"),          // 17
    row(zeb_PSEUDO, true, Op::expression, Lit::none, ".eor "),   // 18
    row(zeb_PSEUDO, true, Op::none, Lit::none, ".lbl"),          // 19
    row(zeb_PSEUDO, true, Op::expression, Lit::none, ".var "),   // 20
    row(zeb_PSEUDO, true, Op::none, Lit::none, ".hidemac"),      // 21
    row(zeb_PSEUDO, true, Op::none, Lit::none, ".showmac"),      // 22
    row(zeb_PSEUDO, true, Op::string, Lit::shift, ".shift "),    // 23
    row(zeb_PSEUDO, true, Op::expression, Lit::none, ".ifpl "),  // 24
    row(zeb_PSEUDO, true, Op::expression, Lit::none, ".ifmi "),  // 25
    row(zeb_PSEUDO, true, Op::expression, Lit::none, ".ifeq "),  // 26
    row(zeb_PSEUDO, true, Op::expression, Lit::none, ".if "),    // 27
    row(zeb_PSEUDO, true, Op::list, Lit::none, ".rta "),         // 28
    row(zeb_PSEUDO, true, Op::string, Lit::null, ".null "),      // 29
    row(zeb_PSEUDO, true, Op::none, Lit::none, ".segment"),      // 30
    row(zeb_PSEUDO, true, Op::expression, Lit::none, ".goto "),  // 31
};
