// Writes the image fuzzer's seed corpus: lorvex_make_seeds DIR
// Every seed is built with the test image builder: the bundled example,
// every variant, record kind, statement code and token kind, label areas of
// several sizes, and a few damaged images.
#include <cstddef>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "source/image_header.h"
#include "testlib/image_builder.h"

namespace {

using namespace lorvex_test;

using Seeds = std::vector<Bytes>;

Bytes imageOf(std::vector<Record> lines, std::vector<std::string> labels = {},
              zeb_SourceType variant = zeb_MACRO_8000) {
  ImageSpec layout;
  layout.variant = variant;
  layout.lines = std::move(lines);
  layout.labels = std::move(labels);
  return buildImage(layout).bytes;
}

std::vector<std::string> labelNames(int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back("l" + std::to_string(i) + (i % 3 ? "_x" : ""));
  return names;
}

// A short program that every variant can hold.
std::vector<Record> smallProgram() {
  return {
      statement(6, hex16(0xC000)),
      instruction(0xA9, dec8(1), 0, comment(20, petscii("load"))),
      instruction(0x8D, label(1)),
      labelLine(1),
      instruction(0x60),
  };
}

void addVariants(Seeds& seeds) {
  for (int variant = zeb_UNIDENTIFIED; variant < zeb_SOURCE_TYPES; ++variant) {
    seeds.push_back(imageOf(smallProgram(), {"start", "done"}, static_cast<zeb_SourceType>(variant)));
  }
}

void addRecordKinds(Seeds& seeds) {
  seeds.push_back(imageOf(
      {
          emptyLine(),
          instruction(0xEA),
          instruction(0x0A, {}, 0),                             // accumulator, labelled
          instruction(0xAD, hex16(0x1234), -1, comment(30, petscii("abs"))),
          instruction(0xE8, {}, -1, comment(12, petscii("implied, then a comment"))),
          textLine(8, petscii("a text line")),
          labelLine(0),
          labelLine(1, comment(16, petscii("label and comment"))),
          commentLine(0, petscii("only a comment")),
          commentLine(47, petscii("last column of its kind")),
          statement(0, {}, 0),
          rawRecord(0x04, {0xC5, 'A', 'B', 'C'}),               // first byte $C0-$FF
          rawRecord(0x43, {0x00, 0x41, 0x42}),                  // class bits 01
          rawRecord(0x03, {0x20, 0x41, 0x42}),                  // statement byte $20-$7F
          rawRecord(0x04, {0xB1, 0x02, 0x00, 0x8C}),            // $B0-$BF opens a label
      },
      {"one", "two", "three"}));
}

enum class Form { none, expression, list, string, macroCall };

Form formOf(int code) {
  switch (code) {
    case 1: case 5: case 6: case 10: case 18: case 20: case 24: case 25: case 26: case 27:
    case 31:
      return Form::expression;
    case 2: case 16: case 23: case 29:
      return Form::string;
    case 3: case 4: case 28:
      return Form::list;
    case 9:
      return Form::macroCall;
    default:
      return Form::none;
  }
}

Bytes operandFor(int code) {
  switch (formOf(code)) {
    case Form::expression:
      return cat({hex16(0x1234, false), sym('+'), label(1)});
    case Form::list:
      return cat({hex8(0x0D, false), sym('*'), dec8(2), chr('A'), label(0)});
    case Form::string:
      return stringOperand(petscii("Hello, World"));
    case Form::macroCall:
      return macroOperand(0, cat({dec8(1), str("ab")}));
    case Form::none:
      break;
  }
  return {};
}

void addStatements(Seeds& seeds) {
  std::vector<Record> all;
  for (int code = 0; code <= 31; ++code) {
    const int own = code == 0 || code == 5 || code == 7 ? 0 : -1;
    const Record line = statement(code, operandFor(code), own, comment(24, petscii("c")));
    seeds.push_back(imageOf({line}, {"name", "other"}));
    all.push_back(line);
  }
  seeds.push_back(imageOf(all, {"name", "other"}));
}

// Every token kind, each in an operand of its own.
void addTokens(Seeds& seeds) {
  using Maker = Bytes (*)(int, bool);
  const Maker values[] = {hex8, dec8, bin8, chr, backslash};
  std::vector<Record> lines;
  for (Maker make : values) {
    lines.push_back(instruction(0xAD, make(0x41, true)));
    lines.push_back(instruction(0xAD, cat({make(0xC1, false), sym('+'), dec8(1)})));
  }
  for (const Bytes& wide : {hex16(0xFFFF, true), dec16(65535, true), cat({hex16(0, false), pc()}),
                            cat({dec16(1, false), sym('-'), pc(false), dec8(0)})}) {
    lines.push_back(instruction(0x4C, wide));
  }
  for (char op : std::string("+-*/><!&.:()")) {
    lines.push_back(instruction(0xAD, cat({sym(op), label(2, false), closeParen()})));
  }
  lines.push_back(instruction(0xAD, cat({label(0, false), label(1535)})));  // no such name
  lines.push_back(instruction(0x6C, cat({sym('('), label(256, false), closeParen()})));
  lines.push_back(statement(3, cat({str(""), str("x\"y"), chr(0x22), dec8(0)})));
  lines.push_back(statement(3, cat({dec8(1)}), -1, comment(45, petscii("column 45"))));
  lines.push_back(rawRecord(0x85, {0xAD, 0x22, 0x07, 0x37, 0x8A}));  // corrupt byte $37
  lines.push_back(rawRecord(0x83, {0xAD, 0x8A, 0x41}));              // null operand
  seeds.push_back(imageOf(lines, labelNames(3)));
}

void addOpcodes(Seeds& seeds) {
  std::vector<Record> lines;
  for (int op = 0; op <= 0xFF; ++op) lines.push_back(instruction(op, hex8(0x10)));
  seeds.push_back(imageOf(lines));
}

void addStrings(Seeds& seeds) {
  std::string screenLow, screenHigh, controls, every;  // a record holds at most 63 bytes
  for (int c = 0; c < 32; ++c) screenLow += static_cast<char>(c);
  for (int c = 32; c < 64; ++c) screenHigh += static_cast<char>(c);
  for (int c : {0x05, 0x0D, 0x11, 0x12, 0x1C, 0x90, 0x92, 0x93, 0xA0, 0xFF}) {
    controls += static_cast<char>(c);
  }
  for (int c = 1; c < 256; ++c) every += static_cast<char>(c);
  std::vector<Record> lines;
  for (int code : {2, 29, 23}) {
    for (const std::string& text : {screenLow, screenHigh, controls, petscii("plain text"), std::string()}) {
      lines.push_back(statement(code, stringOperand(text), 0));
    }
  }
  seeds.push_back(imageOf(lines, {"text"}));
  for (std::size_t at = 0; at < every.size(); at += 60) {
    seeds.push_back(imageOf({statement(2, stringOperand(every.substr(at, 60)))}));
  }
}

void addLabelAreas(Seeds& seeds) {
  for (int count : {0, 33, 100}) {
    std::vector<Record> lines;
    for (int i = 0; i < count; i += 7) lines.push_back(instruction(0xAD, label(i), i));
    seeds.push_back(imageOf(lines, labelNames(count)));
  }
  ImageSpec padded;
  padded.lines = {instruction(0xAD, label(40), 0)};
  padded.labels = labelNames(40);
  padded.padding = 3;
  seeds.push_back(buildImage(padded).bytes);
  for (int labelEnd : {0xEC60, 0xEC00, 0x1000, 0xFFFF}) {
    ImageSpec layout = padded;
    layout.padding = 0;
    layout.labelEnd = labelEnd;
    layout.trailing = {'Z', 0xDA, 0x80, 0x00, 0xB0};
    seeds.push_back(buildImage(layout).bytes);
  }
}

void addEmptyTables(Seeds& seeds) {
  seeds.push_back(imageOf({}));
  seeds.push_back(imageOf({emptyLine(), emptyLine(), emptyLine()}, {"lonely"}));
  const BuiltImage image = buildImage(ImageSpec{});
  seeds.push_back(Bytes(image.bytes.begin(), image.bytes.begin() + image.tableOffset + 1));
}

void putWord(Bytes& bytes, std::size_t at, int value) {
  bytes[at] = static_cast<unsigned char>(value & 0xFF);
  bytes[at + 1] = static_cast<unsigned char>(value >> 8);
}

void addDamaged(Seeds& seeds) {
  const BuiltImage example = exampleImage();
  const Bytes& whole = example.bytes;
  const std::size_t cuts[] = {0,
                              1,
                              255,
                              256,
                              257,
                              static_cast<std::size_t>(example.tableOffset),
                              static_cast<std::size_t>(example.tableOffset + 1),
                              static_cast<std::size_t>(example.tableOffset + 10),
                              static_cast<std::size_t>(example.labelOffset + 40),
                              static_cast<std::size_t>(example.labelOffset + 100),
                              whole.size() - 1};
  for (std::size_t cut : cuts) seeds.push_back(Bytes(whole.begin(), whole.begin() + cut));

  // Table bytes that disagree with the records placed.
  seeds.push_back(imageOf({
      rawRecord(0x85, {0xA9, 0x28}),                    // longer than placed
      rawRecord(0x81, {0xAD, 0x21, 0x34, 0x12}),        // operand cut off by the record
      rawRecord(0xC0, {}),                              // length 0 with class bits
      rawRecord(0x03, {0x02, 0x10, 0x41}),              // string longer than the record
      rawRecord(0x02, {0x03, 0x4F}),                    // string token without its length
      rawRecord(0x01, {0x09}),                          // macro call without its name
      rawRecord(0x3F, {0x05}),                          // 63 bytes claimed, 1 placed
  }));

  // More lines in the table than the image holds.
  Bytes longTable = imageOf(smallProgram(), {"start", "done"});
  putWord(longTable, zeb_HEADER_LAST_LINE, 0xFFFF);
  seeds.push_back(longTable);

  // Records adding up to more than the text area below the signature.
  ImageSpec tight;
  tight.start = variantTop(zeb_MACRO_8000) - 9;
  tight.lines = {instruction(0xEA)};
  Bytes overfull = buildImage(tight).bytes;
  overfull[256 + 10] = 0xBF;  // the table byte of the only line
  seeds.push_back(overfull);

  // A text area shorter than six bytes: the signature reaches into the header.
  Bytes shortText(256 + 3 + 2, 0);
  putWord(shortText, zeb_HEADER_TEXT_START, variantTop(zeb_MACRO_8000) - 2);
  for (int i = 0; i < 5; ++i) shortText[254 + i] = static_cast<unsigned char>("VORDA"[i]);
  shortText[256 + 3] = 0x01;
  seeds.push_back(shortText);

  // Block pointers that point anywhere.
  ImageSpec many;
  many.labels = labelNames(70);
  many.lines = {instruction(0xAD, label(69))};
  BuiltImage pointed = buildImage(many);
  putWord(pointed.bytes, 25, 0xFFFF);
  pointed.bytes[pointed.labelOffset + 1] = 0x10;
  pointed.bytes[pointed.labelOffset + 49] = 0xEB;
  pointed.bytes[pointed.labelOffset + 2] = 0xFF;
  pointed.bytes[pointed.labelOffset + 50] = 0xFF;
  seeds.push_back(pointed.bytes);
}

bool writeSeeds(const std::string& dir, const Seeds& seeds) {
  for (std::size_t i = 0; i < seeds.size(); ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "/seed-%03zu", i);
    if (!writeFile(dir + name, seeds[i])) {
      std::cerr << "lorvex_make_seeds: cannot write " << dir << name << "\n";
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: lorvex_make_seeds DIR\n";
    return 1;
  }
  try {
    Seeds seeds{exampleImage().bytes};
    addVariants(seeds);
    addRecordKinds(seeds);
    addStatements(seeds);
    addTokens(seeds);
    addOpcodes(seeds);
    addStrings(seeds);
    addLabelAreas(seeds);
    addEmptyTables(seeds);
    addDamaged(seeds);
    if (!writeSeeds(argv[1], seeds)) return 1;
    std::cout << "lorvex_make_seeds: " << seeds.size() << " seeds in " << argv[1] << "\n";
  } catch (const std::exception& e) {
    std::cerr << "lorvex_make_seeds: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
