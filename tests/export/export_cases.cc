#include "export/export_cases.h"

namespace lorvex_test {
namespace {

Record org(int address) { return statement(6, hex16(address)); }
Record bytes(const Bytes& list, int label = -1) { return statement(3, list, label); }
Record words(const Bytes& list) { return statement(4, list); }
Record assign(int label, const Bytes& e) { return statement(5, e, label); }
Record pseudo(int code, int label = -1) { return statement(code, {}, label); }
Record expr(int code, const Bytes& e, int label = -1) { return statement(code, e, label); }
Record call(int macro, const Bytes& list) { return statement(9, macroOperand(macro, list)); }
Bytes h8(int v) { return hex8(v, false); }
Bytes h16(int v) { return hex16(v, false); }
Bytes d8(int v) { return dec8(v, false); }
Bytes lab(int i) { return label(i, false); }

// Opcode bytes used below.
enum : int {
  LDA_IMM = 0xA9, LDA_ZP = 0xA5, LDA_ABS = 0xAD, LDA_ABX = 0xBD, LDA_IZY = 0xB1,
  JMP_ABS = 0x4C, JMP_IND = 0x6C, NOP = 0xEA, BNE = 0xD0, LAX_ZP = 0xA7, LAX_IMM = 0xAB,
  ANC_IMM = 0x2B, SHX_ABY = 0x9E, CLN = 0x02, ASL_ACC = 0x0A, RTS = 0x60,
};

}  // namespace

const std::vector<ExportCase>& exportCases() {
  static const std::vector<ExportCase> table = {
      {"left to right", {}, {org(0x1000), bytes(cat({d8(2), sym('+'), d8(3), sym('*'), dec8(4)})),
        bytes(cat({d8(20), sym('-'), d8(2), sym('/'), dec8(2)})),
        bytes(cat({d8(2), sym('*'), sym('('), d8(1), sym('+'), d8(1), closeParen()}))},
       "00 10 14 09 04"},
      {"16-bit wrap", {}, {org(0x1000), words(cat({d8(0), sym('-'), dec8(1)})),
        words(cat({h16(0xffff), sym('+'), dec8(2)})),
        words(cat({h16(0x8000), sym('*'), d8(2), sym('/'), dec8(2)}))},
       "00 10 ff ff 01 00 00 00"},
      {"byte prefixes take the whole rest", {"a"},
       {assign(0, hex16(0x1234)), org(0x1000),
        instruction(LDA_IMM, cat({sym('>'), lab(0), sym('+'), hex16(0x100)})),
        bytes(cat({sym('<'), h16(0x1234), sym('*'), dec8(2)}))},
       "00 10 a9 13 68"},
      {"forced absolute and zero page", {"a"},
       {assign(0, hex16(0x1234)), org(0x1000), instruction(LDA_ABS, cat({sym('!'), hex8(0x10)})),
        instruction(LDA_ABX, cat({sym('!'), lab(0), sym('&'), hex8(0xff)})),
        instruction(LDA_ZP, hex8(0x10)), instruction(LDA_ZP, cat({sym('<'), hex16(0x1234)})),
        instruction(LDA_ZP, cat({sym('('), d8(1), sym('+'), d8(2), {0x4B}, sym('*'), dec8(2)}))},
       "00 10 ad 10 00 bd 34 00 a5 10 a5 34 a5 06"},
      {"or, exclusive or, and", {}, {org(0x1000), bytes(cat({h8(0xf0), sym('.'), hex8(0x0f)})),
        bytes(cat({h8(0xff), sym(':'), hex8(0x0f)})), bytes(cat({h8(0x3c), sym('&'), hex8(0x0f)})),
        bytes(cat({h8(1), sym('.'), h8(2), sym('*'), dec8(2)}))},
       "00 10 ff f0 0c 06"},
      {"number forms and the program counter", {}, {org(0x1000),
        bytes(cat({bin8(5), dec8(10), chr(0x41), chr(0xc1)})), words(pc()),
        words(cat({pc(false), sym('+'), dec8(2)}))},
       "00 10 05 0a 41 c1 04 10 08 10"},
      {"strings as stored", {}, {org(0x1000), statement(2, stringOperand(petscii("ab, Ok!"))),
        statement(29, stringOperand(petscii("a"))), statement(23, stringOperand(petscii("ab"))),
        statement(2, stringOperand("\x22\x5c\x0d\x93\xff")),
        bytes(cat({str(petscii("x")), dec8(13)}))},
       "00 10 41 42 2c 20 cf 4b 21 41 00 41 c2 22 5c 0d 93 ff 58 0d"},
      {"return addresses", {"t"}, {org(0x1000), expr(28, cat({label(0), hex16(0x2000)})),
        pseudo(0, 0), statement(28, hex8(0))},
       "00 10 03 10 ff 1f ff ff"},
      {"instruction forms", {"l"}, {org(0x1000), instruction(NOP, {}, 0),
        instruction(BNE, label(0)), instruction(JMP_IND, hex16(0xfffc)),
        instruction(LDA_IZY, hex8(0xfb)), instruction(ASL_ACC), instruction(JMP_ABS, label(0))},
       "00 10 ea d0 fd 6c fc ff b1 fb 0a 4c 00 10"},
      {"conditions", {}, {org(0x1000), expr(24, hex16(0x8000)), bytes(dec8(1)), pseudo(11),
        expr(25, hex16(0x8000)), bytes(dec8(2)), pseudo(11), expr(26, dec8(0)), bytes(dec8(3)),
        pseudo(11), expr(27, cat({d8(1), sym('-'), dec8(1)})), bytes(dec8(4)), pseudo(11),
        expr(10, cat({d8(0), sym('-'), dec8(1)})), bytes(dec8(5)), pseudo(11),
        expr(24, cat({d8(0), sym('-'), dec8(1)})), bytes(dec8(6)), pseudo(11)},
       "00 10 02 03 05"},
      {"a loop of .var, .lbl and .goto", {"c", "l"}, {org(0x1000), expr(20, dec8(3), 0),
        pseudo(19, 1), bytes(label(0)), expr(20, cat({lab(0), sym('-'), dec8(1)}), 0),
        expr(10, label(0)), expr(31, label(1)), pseudo(11), bytes(label(0))},
       "00 10 03 02 01 00"},
      {"scopes hide and reach outer labels", {"x", "y", "z"},
       {org(0x1000), assign(0, dec8(1)), assign(2, dec8(9)), pseudo(12), bytes(label(0)),
        pseudo(12), bytes(cat({label(0), label(1), label(2)})), assign(1, dec8(5)), pseudo(13),
        assign(0, dec8(2)), assign(1, dec8(6)), bytes(label(1)), pseudo(13), bytes(label(0))},
       "00 10 02 02 05 09 06 01"},
      {"a scope reaching forward to outer labels", {"later", "done"},
       {org(0x1000), pseudo(12), words(label(0)), instruction(JMP_ABS, label(1)), pseudo(13),
        assign(0, hex16(0x1234)), instruction(RTS, {}, 1)},
       "00 10 34 12 4c 05 10 60"},
      {"macro arguments evaluated as written", {"m", "l"},
       {pseudo(7, 0), words(backslash('1')), instruction(NOP, {}, 1), instruction(JMP_ABS, label(1)),
        pseudo(8), org(0x1000), call(0, cat({d8(2), sym('+'), d8(3), sym('*'), dec8(2)})),
        call(0, pc())},
       "00 10 0a 00 ea 4c 02 10 06 10 ea 4c 08 10"},
      {"segments", {"s", "v"}, {pseudo(30, 0), bytes(dec8(1)), assign(1, dec8(7)), pseudo(8),
        org(0x1000), call(0, {}), bytes(label(1))},
       "00 10 01 07"},
      {"offset storage", {"l"}, {org(0x1000), expr(1, dec8(4)), instruction(NOP, {}, 0),
        instruction(JMP_ABS, label(0))},
       "04 10 ea 4c 00 10"},
      {"offset kept across a new address", {}, {org(0x1000), expr(1, dec8(2)), bytes(dec8(1)),
        org(0x1010), bytes(dec8(2))},
       "02 10 01 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 02"},
      {"offset changed", {"l"}, {org(0x1000), expr(1, dec8(4)), instruction(NOP, {}, 0),
        expr(1, dec8(8)), instruction(JMP_ABS, label(0))},
       "04 10 ea 00 00 00 00 4c 00 10"},
      {"offset below, modulo 64K", {"l"}, {org(0xc000),
        expr(1, cat({h16(0x1000), sym('-'), hex16(0xc000)})), instruction(NOP, {}, 0),
        instruction(JMP_ABS, label(0))},
       "00 10 ea 4c 00 c0"},
      {"a new address inside a condition", {}, {org(0x1000), expr(10, dec8(1)), org(0x1004),
        pseudo(11), bytes(dec8(1))},
       "04 10 01"},
      {"exclusive or of stored bytes", {}, {org(0x1000), expr(18, hex8(0xff)),
        bytes(cat({dec8(1), str(petscii("a"))})), words(hex16(0x1234)), expr(18, dec8(0)),
        bytes(dec8(1))},
       "00 10 fe be cb ed 01"},
      {"gaps and the lowest address", {}, {org(0x0800), org(0x1000), bytes(dec8(1)),
        org(0x1004), bytes(dec8(2))},
       "00 10 01 00 00 00 02"},
      {"undocumented opcodes", {}, {org(0x1000), instruction(LAX_ZP, hex8(0x10)),
        instruction(ANC_IMM, hex8(5)), instruction(SHX_ABY, hex16(0x1234)),
        instruction(LAX_IMM, hex8(0)), instruction(CLN)},
       "00 10 a7 10 2b 05 9e 34 12 ab 00 02"},
      {"reserved words and digits as labels", {"x", "and", "lda", "1st", "a"},
       {org(0x1000), assign(0, dec8(1)), assign(1, dec8(2)), assign(3, dec8(3)),
        instruction(NOP, {}, 2), instruction(JMP_ABS, label(2)),
        bytes(cat({label(0), label(1), label(3)})), instruction(LDA_ZP, label(4)),
        assign(4, dec8(4))},
       "00 10 ea 4c 00 10 01 02 03 ad 04 00"},
      {"listing controls, comments and the end", {}, {org(0x1000), pseudo(14), pseudo(15),
        pseudo(21), pseudo(22), commentLine(5, "\x0dhi"), textLine(2, "\"x\""),
        statement(3, dec8(1), -1, comment(20, petscii("one"))), pseudo(17), bytes(dec8(2))},
       "00 10 01"},
  };
  return table;
}

BuiltImage exportCaseImage(const ExportCase& c, zeb_SourceType variant) {
  ImageSpec layout;
  layout.variant = variant;
  layout.lines = c.lines;
  layout.labels = c.labels;
  return buildImage(layout);
}

}  // namespace lorvex_test
