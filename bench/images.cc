#include "bench/images.h"

#include <cstddef>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/statements.h"

namespace lorvex_bench {
namespace {

// The builder's vocabulary is this file's whole subject.
using namespace lorvex_test;

// What an opcode's operand looks like in the record.
enum class Shape { kNone, kImmediate, kZeroPage, kAbsolute, kBranch };

struct Opcode {
  unsigned char byte;
  Shape shape;
};

// At least one opcode of each of the thirteen addressing modes, in mode order.
constexpr Opcode kOpcodes[] = {
    {0xE8, Shape::kNone},      {0xC8, Shape::kNone},      {0xCA, Shape::kNone},  // implied
    {0x18, Shape::kNone},      {0x48, Shape::kNone},      {0xAA, Shape::kNone},
    {0x0A, Shape::kNone},      {0x4A, Shape::kNone},      {0x2A, Shape::kNone},  // accumulator
    {0xA9, Shape::kImmediate}, {0xA2, Shape::kImmediate}, {0xA0, Shape::kImmediate},
    {0xC9, Shape::kImmediate}, {0x29, Shape::kImmediate}, {0x69, Shape::kImmediate},
    {0xA5, Shape::kZeroPage},  {0x85, Shape::kZeroPage},  {0xE6, Shape::kZeroPage},
    {0xB5, Shape::kZeroPage},  {0x95, Shape::kZeroPage},                             // zp,x
    {0xB6, Shape::kZeroPage},  {0x96, Shape::kZeroPage},                             // zp,y
    {0xA1, Shape::kZeroPage},  {0x81, Shape::kZeroPage},                             // (zp,x)
    {0xB1, Shape::kZeroPage},  {0x91, Shape::kZeroPage},                             // (zp),y
    {0xBD, Shape::kAbsolute},  {0x9D, Shape::kAbsolute},  {0xDE, Shape::kAbsolute},  // abs,x
    {0xB9, Shape::kAbsolute},  {0x99, Shape::kAbsolute},  {0xBE, Shape::kAbsolute},  // abs,y
    {0xAD, Shape::kAbsolute},  {0x8D, Shape::kAbsolute},  {0x20, Shape::kAbsolute},  // abs
    {0x4C, Shape::kAbsolute},  {0xEE, Shape::kAbsolute},  {0x2C, Shape::kAbsolute},
    {0x6C, Shape::kAbsolute},                                                      // (abs)
    {0xD0, Shape::kBranch},    {0xF0, Shape::kBranch},    {0x90, Shape::kBranch},  // relative
    {0xB0, Shape::kBranch},    {0x10, Shape::kBranch},    {0x30, Shape::kBranch},
};
constexpr int kOpcodeCount = static_cast<int>(sizeof kOpcodes / sizeof kOpcodes[0]);
constexpr unsigned char kRts = 0x60;

constexpr int kCommentColumn = 24;  // below 40, so a comment also ends an operand list

const char* const kRemarks[] = {
    "set up the pointer", "next row",      "wait for the raster", "save x",
    "clear the carry",    "copy one byte", "end of table",        "high byte",
    "low byte",           "loop until 0",  "restore the flags",   "one more frame",
};
constexpr int kRemarkCount = static_cast<int>(sizeof kRemarks / sizeof kRemarks[0]);

const char* const kMessages[] = {
    "\rPress FIRE to start", "Game over", "\x93\x05Score: ", "Hi-Score",
    "Level complete!\r",     "Get ready", "Loading...",      "(c) 1986 Nobody",
};
constexpr int kMessageCount = static_cast<int>(sizeof kMessages / sizeof kMessages[0]);

// ---------------------------------------------------------------------------
// Typical source: constants, two macros, subroutines, then data.

const char* const kConstants[] = {
    "ptr",     "ptr2",   "src",    "dst",    "len",    "tmp",    "tmp2",
    "count",   "xpos",   "ypos",   "frame",  "flags",  // zero page up to here
    "vic",     "sprx",   "spry",   "msbx",   "scroll", "raster", "irqflag",
    "irqmask", "border", "bgcol",  "sprcol", "sprena", "sid",    "volume",
    "cia1",    "cia2",   "keys",   "joy2",   "chrout", "getin",  "plot",
    "clrscr",  "setlfs", "setnam", "open",   "close",  "chkin",  "chrin",
};
constexpr int kConstantCount = static_cast<int>(sizeof kConstants / sizeof kConstants[0]);
constexpr int kZeroPageConstants = 12;

const char* const kRoutineStems[] = {"init",  "clear",  "draw", "move", "read",
                                     "print", "update", "wait", "copy", "fill"};
const char* const kLocalSuffixes[] = {"_lp", "_nx", "_dn"};
constexpr int kRoutines = 30;
constexpr int kLocalsPerRoutine = 3;
constexpr int kTables = 12;
constexpr int kMessageLabels = 12;
constexpr int kSprites = 6;
constexpr int kPointerTables = 6;

class TypicalSource {
 public:
  ImageSpec build() {
    layout_.variant = zeb_MACRO_8000;
    declareLabels();
    header();
    constants();
    macros();
    for (int k = 0; k < kRoutines; ++k) routine(k);
    data();
    return layout_;
  }

 private:
  int pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
  bool chance(int percent) { return pick(100) < percent; }
  int any(const std::vector<int>& pool) {
    return pool[static_cast<std::size_t>(pick(static_cast<int>(pool.size())))];
  }
  void add(Record r) { layout_.lines.push_back(std::move(r)); }

  int addLabel(const std::string& name) {
    layout_.labels.push_back(name);
    return static_cast<int>(layout_.labels.size()) - 1;
  }

  Bytes remark() { return comment(kCommentColumn, petscii(kRemarks[pick(kRemarkCount)])); }
  Bytes maybeRemark(int percent) { return chance(percent) ? remark() : Bytes{}; }

  int constantLabel(int i) const {
    return i < kZeroPageConstants ? zeroPage_[static_cast<std::size_t>(i)]
                                  : registers_[static_cast<std::size_t>(i - kZeroPageConstants)];
  }

  void declareLabels() {
    for (int i = 0; i < kConstantCount; ++i)
      (i < kZeroPageConstants ? zeroPage_ : registers_).push_back(addLabel(kConstants[i]));
    macros_ = {addLabel("setptr"), addLabel("addw")};
    for (int k = 0; k < kRoutines; ++k) {
      const std::string name = std::string(kRoutineStems[k % 10]) + std::to_string(k / 10 + 1);
      routines_.push_back(addLabel(name));
      for (const char* suffix : kLocalSuffixes) locals_.push_back(addLabel(name + suffix));
    }
    for (int k = 1; k <= kTables; ++k) tables_.push_back(addLabel("tab" + std::to_string(k)));
    for (int k = 1; k <= kMessageLabels; ++k)
      messages_.push_back(addLabel("msg" + std::to_string(k)));
    for (int k = 1; k <= kSprites; ++k) sprites_.push_back(addLabel("spr" + std::to_string(k)));
    for (int k = 1; k <= kPointerTables; ++k)
      pointers_.push_back(addLabel("ptrs" + std::to_string(k)));
  }

  void header() {
    for (const char* text :
         {"-------------------------------", "demo - a small intro",
          "raster bars, a scroller and music", "assemble with the macro assembler",
          "start with sys 49152", "-------------------------------"})
      add(commentLine(0, petscii(text)));
    add(emptyLine());
  }

  void constants() {
    for (int i = 0; i < kConstantCount; ++i) {
      if (i > 0 && i % 8 == 0) add(emptyLine());
      const Bytes value = i < kZeroPageConstants ? hex8(0xFB - 2 * i) : hex16(0xD000 + 0x11 * i);
      add(statement(5, value, constantLabel(i), maybeRemark(40)));
    }
    add(emptyLine());
    add(statement(6, hex16(0xC000)));
    add(emptyLine());
  }

  void macros() {
    add(commentLine(0, petscii("\\1 = address, \\2 = pointer")));
    add(statement(7, {}, macros_[0]));
    add(instruction(0xA9, cat({sym('<'), backslash('1')})));
    add(instruction(0x85, backslash('2')));
    add(instruction(0xA9, cat({sym('>'), backslash('1')})));
    add(statement(8));
    add(emptyLine());
    add(statement(7, {}, macros_[1], remark()));
    add(instruction(0x18));
    add(instruction(0xA5, backslash('1')));
    add(instruction(0x69, backslash('2')));
    add(statement(8));
    add(emptyLine());
  }

  Bytes operand(Shape shape, int routine) {
    switch (shape) {
      case Shape::kNone:
        return {};
      case Shape::kImmediate:
        switch (pick(6)) {
          case 0:
            return dec8(pick(256));
          case 1:
            return hex8(pick(256));
          case 2:
            return chr(0x41 + pick(26));
          case 3:
            return cat({sym('<'), label(any(tables_))});
          case 4:
            return cat({sym('>'), label(any(messages_))});
          default:
            return bin8(pick(256));
        }
      case Shape::kZeroPage:
        return chance(75) ? label(any(zeroPage_)) : hex8(0x02 + pick(0x80));
      case Shape::kAbsolute:
        switch (pick(5)) {
          case 0:
            return label(any(registers_));
          case 1:
            return label(any(tables_));
          case 2:
            return cat({label(any(tables_), false), sym('+'), dec8(1 + pick(7))});
          case 3:
            return label(any(routines_));
          default:
            return hex16(0x0400 + pick(1000));
        }
      case Shape::kBranch:
        return label(locals_[static_cast<std::size_t>(routine * kLocalsPerRoutine +
                                                      pick(kLocalsPerRoutine))]);
    }
    return {};
  }

  void routine(int k) {
    add(emptyLine());
    add(commentLine(
        0, petscii(std::string(kRoutineStems[k % 10]) + " - " + kRemarks[k % kRemarkCount])));
    const int length = 44 + pick(16);
    // The routine's lines fall into equal sections, each after the first
    // opened by one of the routine's local labels.
    const auto section = [length](int i) { return i * (kLocalsPerRoutine + 1) / length; };
    for (int i = 0; i < length; ++i) {
      int own = i == 0 ? routines_[static_cast<std::size_t>(k)] : -1;
      if (i > 0 && section(i) != section(i - 1)) {
        own = locals_[static_cast<std::size_t>(k * kLocalsPerRoutine + section(i) - 1)];
        if (chance(30)) {
          add(labelLine(own));
          own = -1;
        }
      }
      if (i > 0 && chance(6)) add(emptyLine());
      if (chance(4)) add(commentLine(kCommentColumn, petscii(kRemarks[pick(kRemarkCount)])));
      if (chance(2)) {
        add(statement(
            9, macroOperand(macros_[0], cat({label(any(tables_)), label(any(zeroPage_))})), own));
        continue;
      }
      const Opcode& op = kOpcodes[pick(kOpcodeCount)];
      const Bytes tokens = operand(op.shape, k);
      add(instruction(op.byte, tokens, own, maybeRemark(25)));
    }
    add(instruction(kRts, {}, -1, maybeRemark(20)));
  }

  Bytes byteList(int count, Bytes (*token)(int, bool), int range) {
    Bytes list;
    for (int i = 0; i < count; ++i) {
      const Bytes element = token(pick(range), true);
      list.insert(list.end(), element.begin(), element.end());
    }
    return list;
  }

  void data() {
    add(emptyLine());
    add(commentLine(0, petscii("tables")));
    for (int t : tables_) {
      const Bytes values = byteList(8, hex8, 256);
      add(statement(3, values, t, maybeRemark(30)));
      for (int row = 0; row < 3; ++row) add(statement(3, byteList(8, row == 2 ? dec8 : hex8, 256)));
    }
    add(emptyLine());
    add(commentLine(0, petscii("messages")));
    for (std::size_t m = 0; m < messages_.size(); ++m) {
      const std::string text = petscii(kMessages[m % kMessageCount]);
      add(statement(m % 4 == 3 ? 29 : 2, stringOperand(text), messages_[m]));
      if (m % 3 == 0) add(statement(3, cat({hex8(0x0D), dec8(0)}), -1, remark()));
    }
    add(emptyLine());
    add(commentLine(0, petscii("sprites, 3 bytes a row")));
    for (int s : sprites_) {
      add(statement(3, byteList(3, bin8, 256), s));
      for (int row = 1; row < 7; ++row) add(statement(3, byteList(3, bin8, 256)));
    }
    add(emptyLine());
    for (int p : pointers_) {
      Bytes words;
      for (int i = 0; i < 4; ++i) {
        const Bytes element = label(any(routines_));
        words.insert(words.end(), element.begin(), element.end());
      }
      add(statement(4, words, p));
      add(statement(
          4, cat({label(any(routines_)), cat({label(any(tables_), false), sym('+'), dec8(8)})})));
    }
    add(statement(17));
  }

  std::minstd_rand rng_{1986};
  ImageSpec layout_;
  std::vector<int> zeroPage_, registers_, macros_, routines_, locals_;
  std::vector<int> tables_, messages_, sprites_, pointers_;
};

// ---------------------------------------------------------------------------
// Maximal source: records of every kind, cycled until the text area is full.

constexpr int kMaxLines = 65536;
constexpr int kMaxLabels = 1536;
constexpr int kTextAreaBytes = 0x9FF1;  // top $9FF0, start 0
constexpr int kReservedBelowTop = 6;    // unused byte and signature
constexpr int kMaxRecord = 63;
constexpr int kInstructionsPerRound = 13;  // as many as there are addressing modes

// Three-character names: 1536 of them end at $FE60, below $FFFF.
std::string shortName(int index) {
  static const char kTail[] = "0123456789abcdefghijklmnopqrstuvwxyz_";
  const int tail = static_cast<int>(sizeof kTail) - 1;
  std::string name(1, static_cast<char>('a' + index % 26));
  name += kTail[(index / 26) % tail];
  name += kTail[(index / 26 / tail) % tail];
  return name;
}

class MaximalSource {
 public:
  // One record of every kind per round: instructions, text, comment and
  // label lines, and every statement code with its operand form.
  std::vector<Record> round() {
    std::vector<Record> out;
    for (int i = 0; i < kInstructionsPerRound; ++i) {
      const Opcode& op = kOpcodes[opcode_++ % kOpcodeCount];
      const Bytes tokens = operand(op.shape);
      const int own = i % 2 ? nextLabel() : -1;
      out.push_back(instruction(op.byte, tokens, own, i % 3 == 0 ? remark() : Bytes{}));
    }
    const int at = column();
    out.push_back(commentLine(at, petscii(text())));
    out.push_back(textLine(at, petscii(text())));
    // First byte $C0 + column: read like a text line.
    const Bytes highText = cat({{static_cast<unsigned char>(0xC0 | at)}, raw(petscii(text()))});
    out.push_back(rawRecord(static_cast<unsigned char>(highText.size()), highText));
    out.push_back(labelLine(nextLabel()));
    out.push_back(labelLine(nextLabel(), remark()));
    out.push_back(statement(0, {0x80, 0x41}, nextLabel()));  // bytes after the 0 are ignored
    for (int code = 1; code <= 31; ++code) out.push_back(statementOf(code));
    return out;
  }

 private:
  int nextLabel() { return label_++ % kMaxLabels; }
  // Columns below 40, so that a comment also ends an operand list.
  int column() const { return (serial_ * 7) % 40; }
  Bytes remark() {
    const int at = column();
    return comment(at, petscii(kRemarks[serial_++ % kRemarkCount]));
  }
  std::string text() { return kMessages[serial_++ % kMessageCount]; }

  // Cycles through every token form and every operator symbol.
  Bytes expression() {
    static const char kOps[] = "+-*/><!&.:";
    const int k = serial_++;
    const int v = (k * 37) & 0xFF;
    switch (k % 12) {
      case 0:
        return hex8(v);
      case 1:
        return hex16((k * 4099) & 0xFFFF);
      case 2:
        return dec8(v);
      case 3:
        return dec16((k * 733) & 0xFFFF);
      case 4:
        return bin8(v);
      case 5:
        return cat({pc(false), sym('+'), dec8(3)});
      case 6:
        return chr(0x41 + k % 26);
      case 7:
        return backslash('1' + k % 9);
      case 8:
        return label(nextLabel());
      case 9:
        return cat({label(nextLabel(), false), sym(kOps[k % 10]), hex8(v)});
      case 10:
        return cat({sym('('), label(nextLabel(), false), sym('-'), dec8(1, false), closeParen()});
      default:
        return cat({sym('('), label(nextLabel(), false), sym('+'), dec8(1, false), sym(')'),
                    sym('*'), dec8(2)});
    }
  }

  Bytes list(int count) {
    Bytes out;
    for (int i = 0; i < count; ++i) {
      const Bytes element = expression();
      out.insert(out.end(), element.begin(), element.end());
    }
    return out;
  }

  Bytes operand(Shape shape) {
    switch (shape) {
      case Shape::kNone:
        return {};
      case Shape::kImmediate:
      case Shape::kAbsolute:
        return expression();
      case Shape::kZeroPage:
        return hex8(serial_++ & 0xFF);
      case Shape::kBranch:
        return label(nextLabel());
    }
    return {};
  }

  Record statementOf(int code) {
    const Bytes trailer = code % 2 ? remark() : Bytes{};
    switch (code) {
      case 2:
      case 16:
      case 23:
      case 29:
        return statement(code, stringOperand(petscii(text())), code == 2 ? nextLabel() : -1,
                         trailer);
      case 3: {
        const Bytes values = cat({list(5), str(petscii("ab"))});
        return statement(code, values, nextLabel(), trailer);
      }
      case 4:
      case 28:
        return statement(code, list(4), -1, trailer);
      case 5: {
        const Bytes value = expression();
        return statement(code, value, nextLabel(), trailer);
      }
      case 9: {
        const int macro = nextLabel();
        return statement(code, macroOperand(macro, list(2)), -1, trailer);
      }
      case 1:
      case 6:
      case 10:
      case 18:
      case 20:
      case 24:
      case 25:
      case 26:
      case 27:
      case 31:
        return statement(code, expression(), -1, trailer);
      default:
        return statement(code, {}, code % 3 ? -1 : nextLabel(), trailer);
    }
  }

  int serial_ = 0;
  int label_ = 0;
  int opcode_ = 0;
};

// Records cycled until no further whole round fits, then single records,
// then text lines closing the gap to the last byte.
std::vector<Record> fillTextArea(int bytes) {
  MaximalSource source;
  std::vector<Record> records;
  int left = bytes;
  bool roomForMore = true;
  while (roomForMore) {
    roomForMore = false;
    for (Record& r : source.round()) {
      if (static_cast<int>(r.bytes.size()) + kMaxRecord > left) continue;
      left -= static_cast<int>(r.bytes.size());
      records.push_back(std::move(r));
      roomForMore = true;
    }
  }
  while (left > 0) {
    const int n = left < kMaxRecord ? left : kMaxRecord;
    records.push_back(textLine(0, std::string(static_cast<std::size_t>(n - 1), '-')));
    left -= n;
  }
  return records;
}

// ---------------------------------------------------------------------------
// Dense source: the same text area filled with the shortest record of
// every kind, so that it holds as many records as it can.

class DenseSource {
 public:
  explicit DenseSource(int labels) : labels_(labels) {}

  // One record of each kind: an instruction in each addressing mode (one
  // with a label of its own, one with a comment), a text line of each
  // kind, a comment line, a label line, and every statement code with the
  // shortest operand of its form.
  std::vector<Record> round() {
    std::vector<Record> out;
    for (int i = 0; i < kInstructionsPerRound; ++i) {
      const Opcode& op = kShortest[i];
      const int own = i % 2 ? nextLabel() : -1;
      const Bytes trailer = i == 0 ? comment(column(), petscii(letter())) : Bytes{};
      out.push_back(instruction(op.byte, operand(op.shape), own, trailer));
    }
    out.push_back(commentLine(column(), petscii(letter())));
    out.push_back(textLine(column(), petscii(letter())));
    const Bytes highText = {static_cast<unsigned char>(0xC0 | column()),
                            static_cast<unsigned char>(petscii(letter())[0])};
    out.push_back(rawRecord(static_cast<unsigned char>(highText.size()), highText));
    out.push_back(labelLine(nextLabel()));
    for (int code = 1; code <= 31; ++code) out.push_back(statementOf(code));
    return out;
  }

  // A one-byte record: what closes the last gap in the text area.
  static Record filler() { return instruction(kNop); }

 private:
  // One opcode of each addressing mode, in mode order.
  static constexpr Opcode kShortest[kInstructionsPerRound] = {
      {0xE8, Shape::kNone},      {0x0A, Shape::kNone},     {0xA9, Shape::kImmediate},
      {0xA5, Shape::kZeroPage},  {0xB5, Shape::kZeroPage}, {0xB6, Shape::kZeroPage},
      {0xA1, Shape::kZeroPage},  {0xB1, Shape::kZeroPage}, {0xBD, Shape::kAbsolute},
      {0xB9, Shape::kAbsolute},  {0x20, Shape::kAbsolute}, {0x6C, Shape::kAbsolute},
      {0xD0, Shape::kBranch},
  };
  static constexpr unsigned char kNop = 0xEA;
  // The macro every call names; a macro name alone marks no label used.
  static constexpr int kMacro = 0;

  int nextLabel() { return label_++ % labels_; }
  int column() { return (serial_++ * 7) % 40; }
  std::string letter() { return std::string(1, static_cast<char>('a' + serial_++ % 26)); }

  // One token, of each form in turn, each the shortest of its form.
  Bytes token() {
    const int k = serial_++;
    const int v = (k * 37) & 0xFF;
    switch (k % 8) {
      case 0:
        return hex8(v);
      case 1:
        return dec8(v);
      case 2:
        return bin8(v);
      case 3:
        return pc();
      case 4:
        return chr(0x41 + k % 26);
      case 5:
        return backslash('1' + k % 9);
      default:
        return label(nextLabel());
    }
  }

  Bytes operand(Shape shape) {
    switch (shape) {
      case Shape::kNone:
        return {};
      case Shape::kImmediate:
        return token();
      case Shape::kZeroPage:
        return hex8(serial_++ & 0xFF);
      case Shape::kAbsolute:
      case Shape::kBranch:
        return label(nextLabel());
    }
    return {};
  }

  Record statementOf(int code) {
    const zeb_Statement* row = zeb_statement(code);
    switch (row->operand) {
      case zeb_Operand::none:
        return statement(code, {}, code % 3 ? -1 : nextLabel());
      case zeb_Operand::expression:
        return statement(code, token(), code == 5 ? nextLabel() : -1);
      case zeb_Operand::list:
        return statement(code, token(), code == 3 ? nextLabel() : -1);
      case zeb_Operand::string:
        return statement(code, stringOperand(petscii(letter())), code == 2 ? nextLabel() : -1);
      case zeb_Operand::macroCall:
        return statement(code, macroOperand(kMacro, token()));
    }
    return statement(code);
  }

  int labels_;
  int serial_ = 0;
  int label_ = 0;
};

// Rounds until no further record fits, then one-byte records to the last byte.
std::vector<Record> fillDenseTextArea(int bytes, int labels) {
  DenseSource source(labels);
  std::vector<Record> records;
  int left = bytes;
  bool roomForMore = true;
  while (roomForMore) {
    roomForMore = false;
    for (Record& r : source.round()) {
      if (static_cast<int>(r.bytes.size()) > left) continue;
      left -= static_cast<int>(r.bytes.size());
      records.push_back(std::move(r));
      roomForMore = true;
    }
  }
  for (; left > 0; --left) records.push_back(DenseSource::filler());
  return records;
}

// The largest text area, its records spread evenly over all line-table
// entries (the entries between stay empty), and 1536 labels.
BuiltImage spreadOverAllLines(const std::vector<Record>& records) {
  ImageSpec layout;
  layout.variant = zeb_PLAIN_A000;
  layout.start = 0x9FF0 + 1 - kTextAreaBytes;
  layout.lines.assign(kMaxLines, emptyLine());
  for (std::size_t i = 0; i < records.size(); ++i)
    layout.lines[i * kMaxLines / records.size()] = records[i];
  for (int i = 0; i < kMaxLabels; ++i) layout.labels.push_back(shortName(i));
  return buildImage(layout);
}

}  // namespace

BuiltImage exampleImage() {
  return lorvex_test::exampleImage();
}

BuiltImage typicalImage() {
  return buildImage(TypicalSource().build());
}

BuiltImage maximalImage() {
  return spreadOverAllLines(fillTextArea(kTextAreaBytes - kReservedBelowTop));
}

BuiltImage denseImage() {
  return spreadOverAllLines(fillDenseTextArea(kTextAreaBytes - kReservedBelowTop, kMaxLabels));
}

std::vector<NamedImage> allImages() {
  return {{"example", exampleImage()},
          {"typical", typicalImage()},
          {"maximal", maximalImage()},
          {"dense", denseImage()}};
}

}  // namespace lorvex_bench
