// The images of the golden cases and the options each is run with. Every
// image is small and aimed at one area of the listing or the reports; the
// same image is run under several options where those change its text.
#include "e2e/golden_cases.h"

#include <string>
#include <utility>
#include <vector>

namespace lorvex_test {
namespace {

Bytes image(int tab, std::vector<std::string> labels, std::vector<Record> lines) {
  ImageSpec layout;
  layout.tab = tab;
  layout.labels = std::move(labels);
  layout.lines = std::move(lines);
  return buildImage(layout).bytes;
}

// The operand of a list statement: its expressions one after another.
Bytes list(std::initializer_list<Bytes> elements) {
  return cat(elements);
}

// ---- Directives and assignments ----

Bytes pseudoOps() {
  enum { kInit, kPrint, kTable, kFlag, kDone };
  return image(
      9, {"init", "print", "table", "flag", "done"},
      {
          statement(1, hex16(0x1000)),
          statement(2, stringOperand(petscii("Hello")), kTable),
          statement(3, list({hex8(1), dec8(2), label(kFlag)})),
          statement(4, list({hex16(0xC000), label(kInit)})),
          statement(7, {}, kPrint),
          statement(8),
          statement(9, macroOperand(kPrint, list({dec8(1), dec8(2)}))),
          statement(9, macroOperand(kPrint, {})),
          statement(10, label(kFlag)),
          statement(11),
          statement(12, {}, kInit),
          statement(13),
          statement(14),
          statement(15),
          statement(16, stringOperand(petscii("defs.src"))),
          statement(17),
          statement(18, hex8(0xFF)),
          statement(19),
          statement(20, dec8(3)),
          statement(21),
          statement(22),
          statement(23, stringOperand(petscii("abc"))),
          statement(24, label(kFlag)),
          statement(25, label(kFlag)),
          statement(26, label(kFlag)),
          statement(27, label(kFlag)),
          statement(28, list({cat({label(kInit, false), sym('-'), dec8(1)}), label(kDone)})),
          statement(29, stringOperand(petscii("done"))),
          statement(30),
          statement(31, label(kDone)),
          labelLine(kDone),
      });
}

Bytes assignments() {
  enum { kChrout, kBase, kHere, kAlone };
  return image(9, {"chrout", "base", "here", "alone"},
               {
                   statement(5, hex16(0xFFD2), kChrout),
                   statement(5, dec8(1)),
                   statement(6, hex16(0x0801)),
                   statement(6, cat({pc(false), sym('+'), dec8(16)}), kBase),
                   labelLine(kHere),
                   labelLine(kHere, comment(20, petscii("label alone"))),
                   // Statement byte 0 ends the record: the comment after it is never read.
                   statement(0, comment(20, petscii("lost")), kAlone),
                   // So does a statement byte from $20 to $7F.
                   labelLine(kAlone, raw("\x41"
                                         "BC")),
               });
}

// ---- Instructions ----

Bytes addressingModes() {
  enum { kZp, kVector, kLoop, kScreen };
  return image(9, {"zp", "vector", "loop", "screen"},
               {
                   instruction(0xEA),
                   instruction(0x0A),
                   instruction(0x0A, {}, -1, comment(20, petscii("accumulator"))),
                   instruction(0xA9, hex8(1)),
                   instruction(0xA5, label(kZp)),
                   instruction(0xB5, label(kZp)),
                   instruction(0xB6, label(kZp)),
                   instruction(0xA1, label(kZp)),
                   instruction(0xB1, label(kZp)),
                   instruction(0x9D, hex16(0x0400)),
                   instruction(0xB9, label(kScreen)),
                   instruction(0x4C, hex16(0xC000)),
                   instruction(0x6C, label(kVector)),
                   instruction(0xD0, label(kLoop), kLoop),
                   instruction(0xF0, cat({pc(false), sym('-'), dec8(2)})),
                   // Undocumented and later opcodes.
                   instruction(0xA3, hex8(0xFB)),
                   instruction(0xB6, hex8(0xFB)),
                   instruction(0x32, dec8(7)),
                   instruction(0x12, pc()),
                   // Byte 0 and a byte no mode holds are both brk, implied.
                   instruction(0x00),
                   instruction(0x80, dec8(5)),
                   // An opcode that ends its record has no operand.
                   instruction(0xA9),
               });
}

// ---- Label field and tab column ----

Bytes tabColumns(int tab) {
  enum { kA, kEight, kNine, kLong };
  return image(tab, {"a", "eight_ch", "ninechars", "verylonglabel"},
               {
                   instruction(0xEA),
                   instruction(0xCA, {}, kA),
                   instruction(0xCA, {}, kEight),
                   instruction(0xCA, {}, kNine),
                   instruction(0xCA, {}, kLong),
                   statement(5, dec8(1), kA),
                   statement(6, hex16(0x0801)),
                   statement(3, dec8(1), kNine),
                   labelLine(kLong),
                   instruction(0x60, {}, -1, comment(20, petscii("back"))),
               });
}

// ---- Comments ----

Bytes comments() {
  enum { kHere };
  return image(9, {"here"},
               {
                   commentLine(0, petscii("Header Comment")),
                   commentLine(10, petscii("at ten")),
                   commentLine(47, petscii("far out")),
                   commentLine(0, ""),
                   emptyLine(),
                   instruction(0x60, {}, -1, comment(20, petscii("after"))),
                   instruction(0x60, {}, -1, comment(12, petscii("exactly at the end"))),
                   instruction(0x60, {}, -1, comment(4, petscii("before"))),
                   instruction(0xA9, hex8(1), -1, comment(63, petscii("last column"))),
                   labelLine(kHere, comment(20, petscii("on a label"))),
                   labelLine(kHere, comment(50, petscii("header byte $b2"))),
                   statement(3, dec8(1), -1, comment(39, petscii("ends the list"))),
                   statement(30, {}, -1, comment(24, petscii("Mixed CASE"))),
                   // $A0 reads as a space, $A4 as '_', raw $61 as 'A'.
                   commentLine(0,
                               "\xa0"
                               "\xa4"
                               "\x61"
                               "\xc1"
                               "\x41"
                               "1@[]"),
               });
}

// ---- Text lines (kind 6) ----

Bytes textLines() {
  const std::string quote = "\"";
  return image(9, {},
               {
                   textLine(0, petscii("10 PRINT ") + quote + "\x93" + petscii("Hello") + quote),
                   textLine(2, petscii("lda #") + quote +
                                   "\x0d"
                                   "\x60"
                                   "\x1c"
                                   "\xff" +
                                   quote + petscii(" ;tail")),
                   textLine(4, quote + "\x05" + petscii("open")),
                   textLine(6, ""),
                   // Bits 4 and 5 of the first byte set: still a text line, column 48.
                   textLine(48, petscii("far")),
                   // A first byte from $C0: a text line at column 3.
                   rawRecord(0x06, cat({{0xC3}, raw(petscii("X ") + quote + "\x93" + quote)})),
                   textLine(0,
                            "\xa0"
                            "\xa4" +
                                petscii("Outside")),
               });
}

// ---- Character constants and strings, under the bastext forms ----

Bytes literals() {
  const std::string quote = "\"";
  return image(9, {},
               {
                   instruction(0xA9, chr(0x41)),
                   instruction(0xA9, chr(0xC1)),
                   instruction(0xC9, chr(0x0D)),
                   instruction(0xC9, chr(0x60)),
                   instruction(0xC9, chr(0x1B)),
                   instruction(0xC9, chr(0xFF)),
                   instruction(0xC9, chr(0x22)),
                   instruction(0xC9, chr(0x20)),
                   instruction(0xC9, chr(0xA0)),
                   statement(3, list({chr(0x85), chr(0x5C), chr(0xDE), chr(0x1C)})),
                   statement(2, stringOperand("\x93" + petscii("Hi") +
                                              "\x1c"
                                              "\x60"
                                              "\xe0"
                                              "\x20"
                                              "\x5b"
                                              "\x5d"
                                              "\x5e"
                                              "\x5f"
                                              "\xa0")),
                   statement(29, stringOperand(petscii("AbC") + "\x0d")),
                   statement(23, stringOperand(petscii("ok") + "\x1b")),
                   textLine(0, petscii("Text ") + quote +
                                   "\x0d"
                                   "\x60"
                                   "\x41"
                                   "\xc1"
                                   "\x1b" +
                                   quote),
               });
}

// ---- Number formats and operators ----

Bytes values() {
  enum { kLabel, kVector };
  return image(
      9, {"label", "vector"},
      {
          statement(3, list({hex8(0), hex8(15), hex8(16), hex8(255)})),
          statement(
              4, list({hex16(16), hex16(255), hex16(256), hex16(4095), hex16(4096), hex16(65535)})),
          statement(3, list({dec8(0), dec8(255)})),
          statement(4, list({dec16(0), dec16(256), dec16(65535)})),
          statement(3, list({bin8(0), bin8(5), bin8(255)})),
          statement(4, list({pc(), cat({pc(false), sym('+'), dec8(2)})})),
          instruction(0xA9, backslash('1')),
          instruction(0xA9, backslash(0x41)),
          statement(4, list({cat({label(kLabel, false), sym('+'), dec8(1)}),
                             cat({label(kLabel, false), sym('-'), dec8(1)}),
                             cat({dec8(2, false), sym('*'), dec8(3)}),
                             cat({dec8(6, false), sym('/'), dec8(2)})})),
          instruction(0xA9, cat({sym('>'), label(kLabel)})),
          instruction(0xA2, cat({sym('<'), label(kLabel)})),
          statement(3, list({cat({dec8(1, false), sym('!'), dec8(2)}),
                             cat({dec8(3, false), sym('&'), dec8(4)}),
                             cat({dec8(5, false), sym('.'), dec8(6)}),
                             cat({dec8(7, false), sym(':'), dec8(8)})})),
          statement(4,
                    cat({sym('('), label(kLabel, false), sym('+'), dec8(1, false), closeParen()})),
          statement(3, cat({sym('('), sym('('), dec8(1, false), sym(')'), sym('*'), dec8(2, false),
                            closeParen()})),
          instruction(0x6C, cat({label(kVector, false), sym('+'), dec8(2)})),
          instruction(0xAD, cat({hex16(0x0400, false), sym('+'), bin8(1)})),
      });
}

// ---- String literal conversion ----

std::string bytesFrom(int first, int last) {
  std::string out;
  for (int b = first; b <= last; ++b) out.push_back(static_cast<char>(b));
  return out;
}

Bytes strings() {
  enum { kMsg };
  const std::string eight = bytesFrom(1, 8);
  return image(8, {"msg"},
               {
                   statement(2, stringOperand(petscii("abc")), kMsg),
                   statement(2, stringOperand(eight)),
                   statement(2, stringOperand(bytesFrom(1, 6))),
                   statement(2, stringOperand("")),
                   statement(29, stringOperand(petscii("ab"))),
                   statement(29, stringOperand("")),
                   statement(23, stringOperand(petscii("ab"))),
                   statement(23, stringOperand("\x01")),
                   statement(23, stringOperand("")),
                   statement(23, stringOperand("\x01\x02\x03")),
                   // Screen codes with names of their own: @ [ pound ] ^ arrow-left, space, ?.
                   statement(2, stringOperand(std::string("\x00\x1b\x1c\x1d\x1e\x1f\x20\x3f", 8))),
                   // One byte of 64 keeps the literal out of .screen.
                   statement(2, stringOperand(petscii("ab") + "\x40")),
                   statement(29, stringOperand("\x08\x05\x0c\x0c\x0f")),
                   statement(23, stringOperand(petscii("ab") + "\x05")),
                   // Comments after a literal that may become several lines.
                   statement(2, stringOperand(eight), -1, comment(40, petscii("c40"))),
                   statement(2, stringOperand(eight), -1, comment(60, petscii("c60"))),
                   instruction(0xA9, chr(0x41)),
               });
}

// ---- Reports ----

Bytes reportSource() {
  enum { kStart, kLoop, kUnused, kMacroOnly, kData };
  return image(9, {"start", "loop", "unused", "macro_only", "data"},
               {
                   commentLine(0, petscii("report test")),
                   emptyLine(),
                   statement(5, hex16(0xD020), kData),
                   statement(6, hex16(0xC000)),
                   statement(7),
                   instruction(0xEA),
                   statement(8),
                   instruction(0xA9, dec8(0), kStart),
                   statement(9, macroOperand(kMacroOnly, dec8(1))),
                   instruction(0x20, hex16(0xFFD2), kLoop),
                   instruction(0x8D, label(kData)),
                   instruction(0xE8),
                   instruction(0xD0, label(kLoop)),
                   textLine(0, petscii("text line")),
                   instruction(0x60),
                   statement(3, dec8(1)),
               });
}

// `hits` of the `total` opcode lines are jsr, lda or sta; the rest nop.
Bytes wildShare(int hits, int total) {
  static const int kWild[] = {0x20, 0xAD, 0x8D};  // jsr, lda, sta (absolute)
  std::vector<Record> lines;
  for (int i = 0; i < total; ++i) {
    lines.push_back(i < hits ? instruction(kWild[i % 3], hex16(0x1000)) : instruction(0xEA));
  }
  return image(9, {}, std::move(lines));
}

Bytes noOpcodes() {
  return image(9, {},
               {
                   statement(6, hex16(0xC000)),
                   statement(3, dec8(1)),
                   emptyLine(),
               });
}

Bytes singleMnemonic() {
  return image(9, {}, {instruction(0xEA), instruction(0xEA), instruction(0xEA)});
}

Bytes outsideLabelTable() {
  return image(9, {"one"},
               {
                   instruction(0xAD, label(7), 5),
                   statement(9, macroOperand(9, dec8(1))),
               });
}

Bytes damagedOperands() {
  return image(9, {},
               {
                   // A comment header where the operand should be: a null operand.
                   statement(1, comment(10, petscii("no operand"))),
                   // A list ended by a comment header no token byte can be ($AA).
                   statement(3, cat({dec8(1), comment(42, petscii("col 42"))})),
                   // $37 is no token at all.
                   instruction(0xA9, {0x22, 0x07, 0x37}),
               });
}

Bytes example() {
  return exampleImage().bytes;
}

GoldenCase run(std::string name, std::function<Bytes()> build,
               std::vector<std::string> options = {}) {
  GoldenCase c;
  c.name = std::move(name);
  c.image = std::move(build);
  c.options = std::move(options);
  return c;
}

std::vector<GoldenCase> makeCases() {
  const auto tab = [](int t) { return [t] { return tabColumns(t); }; };
  std::vector<GoldenCase> cases = {
      run("pseudo_ops", pseudoOps),
      run("assignments", assignments),
      run("addressing_modes", addressingModes),
      run("tab_header_9", tab(9)),
      run("tab_header_0", tab(0)),
      run("tab_header_63", tab(63)),
      run("tab_width_4", tab(9), {"-w", "4"}),
      run("tab_width_0", tab(9), {"-w", "0"}),
      run("tab_width_negative", tab(9), {"-w", "-2"}),
      run("comments", comments),
      run("text_lines", textLines),
      run("literals_plain", literals),
      run("literals_unnamed_hex", literals, {"-t"}),
      run("literals_petscii_dec", literals, {"--petscii-dec"}),
      run("literals_petscii_hex", literals, {"-T"}),
      // Of the three bastext forms the first in -t, --petscii-dec, -T order wins.
      run("literals_petscii_dec_and_hex", literals, {"-T", "--petscii-dec"}),
      run("literals_byte_dec", literals, {"-b"}),
      run("literals_byte_hex", literals, {"-B"}),
      run("values", values),
      run("strings_plain", strings),
      run("strings_byte_dec", strings, {"-b"}),
      run("strings_byte_hex", strings, {"-B"}),
      run("strings_byte_dec_and_hex", strings, {"-B", "-b"}),
      run("strings_columns_1", strings, {"-b", "-W", "1"}),
      run("strings_columns_0", strings, {"-b", "-W", "0"}),
      run("strings_columns_3", strings, {"-B", "-W", "3"}),
      run("strings_columns_negative", strings, {"-b", "-W", "-3"}),
      run("strings_screen", strings, {"-S"}),
      run("strings_screen_and_byte", strings, {"-S", "-b"}),
      run("strings_byte_tab_4", strings, {"-b", "-w", "4"}),
      run("strings_screen_tab_negative", strings, {"-S", "-w", "-2"}),
      run("strings_numbered", strings, {"-n", "-b"}),
      run("listing_numbered", reportSource, {"-n"}),
      run("omit_source", reportSource, {"-O"}),
      run("stats_summary", reportSource, {"-s"}),
      run("list_labels", reportSource, {"-l"}),
      run("stats_detail", reportSource, {"-z"}),
      run("stats_wild", reportSource, {"-Z"}),
      run("stats_detail_and_wild", reportSource, {"-z", "-Z"}),
      run("reports_numbered", reportSource, {"-s", "-l", "-z", "-n"}),
      run("reports_omit_source", reportSource, {"-O", "-s", "-l", "-z"}),
      run("wild_remark_3_of_10", [] { return wildShare(3, 10); }, {"-O", "-Z"}),
      run("wild_remark_29_of_100", [] { return wildShare(29, 100); }, {"-O", "-Z"}),
      run("wild_remark_with_detail", [] { return wildShare(3, 10); }, {"-O", "-z", "-Z"}),
      run("no_opcodes_detail", noOpcodes, {"-O", "-z"}),
      run("no_opcodes_wild", noOpcodes, {"-O", "-Z"}),
      run("no_labels_list", noOpcodes, {"-l"}),
      run("single_mnemonic_detail", singleMnemonic, {"-z"}),
      // Together the wild rows show even with no jsr, lda or sta at all.
      run("single_mnemonic_detail_and_wild", singleMnemonic, {"-O", "-z", "-Z"}),
      run("outside_label_table", outsideLabelTable, {"-l"}),
      run("damaged_operands", damagedOperands),
      run("example_plain", example),
      run("example_reports", example, {"-s", "-l", "-z"}),
  };

  GoldenCase toFile = run("reports_to_file", reportSource, {"-o", "listing.txt", "-s", "-l", "-Z"});
  toFile.outputFile = "listing.txt";
  cases.push_back(toFile);

  GoldenCase piped = run("stats_summary_stdin", reportSource, {"-s", "-O"});
  piped.fromStdin = true;
  cases.push_back(piped);

  for (GoldenCase& c : cases) {
    if (c.name.rfind("example_", 0) == 0) c.inputName = "hello.src";
  }
  return cases;
}

}  // namespace

const std::vector<GoldenCase>& goldenCases() {
  static const std::vector<GoldenCase> cases = makeCases();
  return cases;
}

}  // namespace lorvex_test
