// Builds source images the way the assemblers lay them out in memory, so
// that every test makes its own input and no test depends on a stored file.
#ifndef LORVEX_TESTS_TESTLIB_IMAGE_BUILDER_H
#define LORVEX_TESTS_TESTLIB_IMAGE_BUILDER_H

#include <initializer_list>
#include <string>
#include <vector>

#include "source/variants.h"

namespace lorvex_test {

using Bytes = std::vector<unsigned char>;

// Concatenation of byte runs, in order.
Bytes cat(std::initializer_list<Bytes> parts);
// The bytes of a string, unchanged (raw PETSCII in tests).
Bytes raw(const std::string& s);
// Readable text as the assemblers store it in comments and strings: "a"-"z"
// become $41-$5A, "A"-"Z" become $C1-$DA, every other byte stays.
std::string petscii(const std::string& ascii);

// The encoders below are for well-formed images: a value, index, column or
// length their byte form cannot hold throws std::logic_error. Damaged input
// is made with rawRecord() or by changing bytes of a built image.

// ---- Operand tokens. `last` picks the form that ends the expression. ----
Bytes hex8(int value, bool last = true);     // $20 / $28
Bytes hex16(int value, bool last = true);    // $21 / $29
Bytes dec8(int value, bool last = true);     // $22 / $2A
Bytes dec16(int value, bool last = true);    // $23 / $2B
Bytes bin8(int value, bool last = true);     // $24 / $2C
Bytes pc(bool last = true);                  // $25 / $2D
Bytes chr(int petscii, bool last = true);    // $26 / $2E
Bytes backslash(int byte, bool last = true); // $27 / $2F
Bytes label(int index, bool last = true);    // $30+hi / $38+hi, then the low byte
Bytes sym(char op);                          // one of + - * / > < ! & . : ( )  ($40..$4B)
Bytes closeParen();                          // $5B: ")" that ends the expression
Bytes str(const std::string& rawBytes);      // $4F, length, bytes (ends the expression)

// ---- Line records. ----
// A record with the line-table byte it needs; `empty` records take no
// text-area bytes and get table byte 0.
struct Record {
  bool empty = false;
  unsigned char tableByte = 0;  // class bits ($C0, $80 or $00) OR'd with the length
  Bytes bytes;                  // the record itself, lowest address first
};

// Comment trailer: header byte $80 + column, then the raw text.
Bytes comment(int column, const std::string& rawText);

Record emptyLine();
// 6502 instruction; label -1 for none. `operand` holds the tokens (none for
// implied/accumulator modes), `trailer` an optional comment().
Record instruction(int opcodeByte, const Bytes& operand = {}, int label = -1,
                   const Bytes& trailer = {});
// Statement codes 1..31 (0 is accepted for a label followed by the
// statement byte 0) with whatever operand bytes the code takes (an
// expression's tokens, a list of expressions, a length-prefixed string, or
// for code 9 the macro reference then the list); label -1 for none.
Record statement(int code, const Bytes& operand = {}, int label = -1, const Bytes& trailer = {});
// Operand bytes of the string form: length byte then the raw bytes.
Bytes stringOperand(const std::string& rawBytes);
// Operand bytes of a macro call: macro reference then the argument list.
Bytes macroOperand(int macroIndex, const Bytes& list);
// Two-byte label reference as records store it: (index >> 8) | $30, index & $FF.
Bytes labelRef(int index);
Record labelLine(int label, const Bytes& trailer = {});
Record textLine(int column, const std::string& rawText);   // first byte $40 + column
// Only a comment. Columns 48..63 throw: their header byte $B0..$BF opens a
// record that reads as a label reference.
Record commentLine(int column, const std::string& rawText);
// Any record bytes under any table byte (damaged or unusual records); the
// builder places bytes.size() bytes whatever the table byte says.
Record rawRecord(unsigned char tableByte, const Bytes& bytes);

// ---- Whole images. ----
struct ImageSpec {
  zeb_SourceType variant = zeb_MACRO_8000;  // picks top and signature; unidentified writes none
  int start = -1;      // text start address; -1: just below what the records need
  int tab = 9;         // header byte 0
  std::vector<Record> lines;          // at least one line is written
  std::vector<std::string> labels;    // names as listed: "a"-"z", "0"-"9", "_"
  int padding = 0;                    // zero bytes written between label names
  int labelEnd = -1;                  // header label end address; -1: just past the names
  Bytes trailing;                     // bytes appended after the label area's names
};

// buildImage() throws std::logic_error for what the layout cannot hold: an
// explicit start too high for the records, more than 65536 lines or 1536
// names, or names running past $FFFF. Variant 0 is laid out below the top of
// variant 1 without its signature.
struct BuiltImage {
  Bytes bytes;
  int top = 0;          // top address the text area was laid out to
  int start = 0;        // text start address
  int textOffset = 256; // file offset of the text area
  int tableOffset = 0;  // file offset of the line table
  int labelOffset = 0;  // file offset of the label area
  std::vector<int> recordOffsets;  // file offset of each line's record, -1 for empty lines
};

// Top address and 5-letter signature of a variant (unidentified: top 0, "").
int variantTop(zeb_SourceType variant);
std::string variantSignature(zeb_SourceType variant);

BuiltImage buildImage(const ImageSpec& layout);

// The bundled example program (examples/hello.src).
BuiltImage exampleImage();

// Writes bytes to a file; false on failure.
bool writeFile(const std::string& path, const Bytes& bytes);

}  // namespace lorvex_test

#endif  // LORVEX_TESTS_TESTLIB_IMAGE_BUILDER_H
