#include "model/statements.h"

#include "model/zeb_line.h"

namespace {

using Op = zeb_Operand;
using Lit = zeb_Literal;

const zeb_Statement kStatements[zeb_STATEMENT_CODES] = {
    {zeb_BLANK, false, Op::none, Lit::none, ""},              // 0: nothing
    {zeb_PSEUDO, true, Op::expression, Lit::none, ".offs "},  // 1
    {zeb_PSEUDO, true, Op::string, Lit::text, ".text "},      // 2
    {zeb_PSEUDO, true, Op::list, Lit::none, ".byte "},        // 3
    {zeb_PSEUDO, true, Op::list, Lit::none, ".word "},        // 4
    {zeb_ASSIGN, false, Op::expression, Lit::none, ""},       // 5: label =
    {zeb_PC_ASSIGN, false, Op::expression, Lit::none, ""},    // 6: *=
    {zeb_PSEUDO, true, Op::none, Lit::none, ".macro"},        // 7
    {zeb_PSEUDO, true, Op::none, Lit::none, ".endm"},         // 8
    {zeb_PSEUDO, true, Op::macroCall, Lit::none, "#"},        // 9: # name list
    {zeb_PSEUDO, true, Op::expression, Lit::none, ".ifne "},  // 10
    {zeb_PSEUDO, true, Op::none, Lit::none, ".endif"},        // 11
    {zeb_PSEUDO, true, Op::none, Lit::none, ".block"},        // 12
    {zeb_PSEUDO, true, Op::none, Lit::none, ".bend"},         // 13
    {zeb_PSEUDO, true, Op::none, Lit::none, ".pron"},         // 14
    {zeb_PSEUDO, true, Op::none, Lit::none, ".proff"},        // 15
    {zeb_PSEUDO, true, Op::string, Lit::none, ".include "},   // 16
    {zeb_PSEUDO, true, Op::none, Lit::none, ".end"},          // 17
    {zeb_PSEUDO, true, Op::expression, Lit::none, ".eor "},   // 18
    {zeb_PSEUDO, true, Op::none, Lit::none, ".lbl"},          // 19
    {zeb_PSEUDO, true, Op::expression, Lit::none, ".var "},   // 20
    {zeb_PSEUDO, true, Op::none, Lit::none, ".hidemac"},      // 21
    {zeb_PSEUDO, true, Op::none, Lit::none, ".showmac"},      // 22
    {zeb_PSEUDO, true, Op::string, Lit::shift, ".shift "},    // 23
    {zeb_PSEUDO, true, Op::expression, Lit::none, ".ifpl "},  // 24
    {zeb_PSEUDO, true, Op::expression, Lit::none, ".ifmi "},  // 25
    {zeb_PSEUDO, true, Op::expression, Lit::none, ".ifeq "},  // 26
    {zeb_PSEUDO, true, Op::expression, Lit::none, ".if "},    // 27
    {zeb_PSEUDO, true, Op::list, Lit::none, ".rta "},         // 28
    {zeb_PSEUDO, true, Op::string, Lit::null, ".null "},      // 29
    {zeb_PSEUDO, true, Op::none, Lit::none, ".segment"},      // 30
    {zeb_PSEUDO, true, Op::expression, Lit::none, ".goto "},  // 31
};

}  // namespace

const zeb_Statement* zeb_statement(int code) {
  if (code < 0 || code >= zeb_STATEMENT_CODES) return nullptr;
  return &kStatements[code];
}
