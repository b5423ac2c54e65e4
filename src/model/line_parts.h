// The pieces a line's text is made of, put into the text under the
// settings. Lines built by hand and lines read from their stored records
// are both rendered from these, so that they read the same.
#ifndef LORVEX_MODEL_LINE_PARTS_H
#define LORVEX_MODEL_LINE_PARTS_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "model/label_names.h"
#include "model/p6502_tables.h"
#include "model/statements.h"
#include "model/zeb_text.h"
#include "petscii/code_texts.h"
#include "petscii/lorvex_global.h"

// A few characters around an operand, with their number: put as one
// fixed-size piece (zeb_Text::putFirst).
struct zeb_Affix {
  char text[4];
  unsigned char length;
};

// How an addressing mode writes its operand.
struct zeb_OperandSyntax {
  zeb_Affix before;
  zeb_Affix after;
  bool takesExpression;
};

// Text written through a raw cursor into room made ahead: what the cursor
// cannot write is put through the text itself (viaText), and the room is
// made again after it. The text has what the cursor wrote once it is
// committed: by viaText, commit() or the cursor's end.
class zeb_Cursor {
 public:
  ZEB_INLINE explicit zeb_Cursor(zeb_Text& out) : out_(&out) { load(); }
  ZEB_INLINE ~zeb_Cursor() { out_->commit(at); }
  zeb_Cursor(const zeb_Cursor&) = delete;
  zeb_Cursor& operator=(const zeb_Cursor&) = delete;

  // Makes sure `count` bytes may be written from `at`, now and after each
  // viaText until the next call.
  ZEB_INLINE void ensure(std::size_t count) {
    room_ = count;
    if (static_cast<std::size_t>(limit_ - at) < count) {
      out_->commit(at);
      grow(*out_, count);
      load();
    }
  }
  // The same where the caller knows that `count` bytes are there already.
  void expect(std::size_t count) { room_ = count; }

  template <typename Put>
  void viaText(Put&& put) {
    out_->commit(at);
    put(*out_);
    load();
    ensure(room_);
  }
  // Hands what was written to the text, and goes on in `out` (the same
  // text, changed meanwhile, or another).
  void commit() { out_->commit(at); }
  void resume(zeb_Text& out) {
    out_ = &out;
    load();
  }
  // Where the cursor is, counted from the start of the text; and back to
  // such a place, dropping what was written after it.
  std::size_t offset() const { return static_cast<std::size_t>(at - base_); }
  void backTo(std::size_t offset) { at = base_ + offset; }

  char* at;

 private:
  void load() {
    base_ = out_->data();
    at = base_ + out_->size();
    limit_ = out_->roomEnd();
  }
  // Out of line, and told nothing of the cursor, which can then stay in
  // registers.
  [[gnu::noinline]] static void grow(zeb_Text& out, std::size_t count) { out.reserve(count); }

  zeb_Text* out_;
  char* base_;
  char* limit_;
  std::size_t room_ = 0;
};

// The room a line's cursor is made with under tab column `tab`: no byte
// of a record (63 at most) writes more than 16 through the cursor (a code
// of a string, a label token's name of at most zeb_CURSOR_NAME for two
// bytes, a value for two or three, a list's comma, a comment's byte), and
// besides the record's bytes come the label field, a mnemonic or a
// directive, and the padding before a comment (a column is at most 63).
constexpr std::size_t zeb_lineRoom(int tab) { return 1152 + static_cast<std::size_t>(tab); }

// `count` spaces; as for zeb_Text::fill, up to 16 go as one fixed run, so
// max(16, count) bytes of room are used.
inline char* zeb_writeSpaces(char* at, int count) {
  if (count <= 0) return at;
  if (count <= 16) {
    std::memset(at, ' ', 16);
  } else {
    std::memset(at, ' ', static_cast<std::size_t>(count));
  }
  return at + count;
}

inline void zeb_writeAffix(zeb_Cursor& c, const zeb_Affix& affix) {
  std::memcpy(c.at, affix.text, sizeof affix.text);
  c.at += affix.length;
}
inline void zeb_putAffix(zeb_Text& out, const zeb_Affix& affix) {
  out.putFirst(affix.text, affix.length);
}

// The width of the label field under the settings.
inline int zeb_tabColumn() {
  return Lorvex_global::tabWidth > 0 ? Lorvex_global::tabWidth : 0;
}

// What rendering a line reads of the settings, read once for many lines:
// the label field's width (zeb_tabColumn), the names to write from
// (zeb_namesToWrite), and the texts of codes in strings, text lines and
// comments where they are written straight into the line; where those are
// null (or false) such pieces are put through the text. Valid while the
// settings, the names and the span sink stay as they are.
struct zeb_InstructionText;
struct zeb_LineContext {
  int tab;
  zeb_PackedNames names;
  const zeb_InstructionText* instructions;  // zeb_instructionTexts
  const Lorvex_global::CodeTexts* tokens = nullptr;    // tokTexts
  const Lorvex_global::CodeTexts* comments = nullptr;  // commentTexts
  bool quotedStrings = false;  // strings are quoted, not raw
  bool plainComments = false;  // comments are written as toASCII writes them
  bool plainLiterals = false;  // no setting converts a string literal
  bool quotedCharacters = false;  // character values are quoted, not numbers
};
// For a line or a few: the tab column, the names and the instructions.
zeb_LineContext zeb_lineContext();
// For a listing: all of it.
zeb_LineContext zeb_listingContext();

// The label (if any) and the padding to the tab column, for a line whose
// text started at `start`.
ZEB_INLINE void zeb_writeLabelField(zeb_Cursor& c, const zeb_LineContext& context,
                                   int16_t labelRef, std::size_t start) {
  const int tab = context.tab;
  if (labelRef < 0) {
    c.at = zeb_writeSpaces(c.at, tab);
    return;
  }
  if (char* end = zeb_writeLabelAt(c.at, context.names, labelRef)) {
    c.at = end;
  } else {
    c.viaText([labelRef](zeb_Text& out) { zeb_writeLabelDefinition(out, labelRef); });
  }
  const int length = static_cast<int>(c.offset() - start);
  if (length == 0) {  // a name can be empty
    c.at = zeb_writeSpaces(c.at, tab);
  } else if (length >= tab) {
    *c.at++ = ' ';
  } else {
    c.at = zeb_writeSpaces(c.at, tab - length);
  }
}
inline void zeb_putLabelField(zeb_Text& out, int16_t labelRef, std::size_t start) {
  const zeb_LineContext context = zeb_lineContext();
  zeb_Cursor c(out);
  c.ensure(zeb_lineRoom(context.tab));
  zeb_writeLabelField(c, context, labelRef, start);
}

// Indexed by addressing-mode column (the bit position of the mode).
inline constexpr zeb_OperandSyntax zeb_OPERAND_SYNTAX[p6502_MODES] = {
    {{"", 0}, {"", 0}, false},      // implied
    {{" a", 2}, {"", 0}, false},    // accumulator
    {{" #", 2}, {"", 0}, true},     // immediate
    {{" ", 1}, {"", 0}, true},      // zero page
    {{" ", 1}, {",x", 2}, true},    // zero page,x
    {{" ", 1}, {",y", 2}, true},    // zero page,y
    {{" (", 2}, {",x)", 3}, true},  // (zero page,x)
    {{" (", 2}, {"),y", 3}, true},  // (zero page),y
    {{" ", 1}, {",x", 2}, true},    // absolute,x
    {{" ", 1}, {",y", 2}, true},    // absolute,y
    {{" ", 1}, {"", 0}, true},      // absolute
    {{" (", 2}, {")", 1}, true},    // indirect
    {{" ", 1}, {"", 0}, true},      // relative
};

// Column of a single-bit addressing mode; -1 for any other value.
inline int zeb_modeColumn(int16_t addressing) {
  const auto bits = static_cast<uint16_t>(addressing);
  if (bits == 0 || (bits & (bits - 1)) != 0 || bits >= (1u << p6502_MODES)) return -1;
#if defined(__GNUC__)
  return __builtin_ctz(bits);
#else
  int column = 0;
  while ((bits >> column) != 1) ++column;
  return column;
#endif
}

// The three-letter mnemonic; returns how its addressing mode writes the
// operand, or null for an addressing value that is no single mode.
ZEB_INLINE const zeb_OperandSyntax* zeb_writeMnemonic(zeb_Cursor& c, int16_t opcode,
                                                  int16_t addressing) {
  // Every mnemonic has three letters and its terminator: a fixed-size copy.
  if (opcode >= 0 && opcode < p6502_MNEMONICS) {
    std::memcpy(c.at, p6502_TLA[opcode], 4);
    c.at += 3;
  }
  const int column = zeb_modeColumn(addressing);
  return column < 0 ? nullptr : &zeb_OPERAND_SYNTAX[column];
}
inline const zeb_OperandSyntax* zeb_putMnemonic(zeb_Text& out, int16_t opcode, int16_t addressing) {
  zeb_Cursor c(out);
  c.ensure(zeb_lineRoom(0));
  return zeb_writeMnemonic(c, opcode, addressing);
}

// A statement's directive as written.
inline void zeb_writeDirective(zeb_Cursor& c, const zeb_Statement& statement) {
  std::memcpy(c.at, statement.text, sizeof statement.text);
  c.at += statement.textLength;
}

// ";" and the comment at its column; the column counts all of the text
// since `start`, and a text already past it gets the ";" directly.
void zeb_putComment(zeb_Text& out, int16_t column, std::string_view text, std::size_t start);

// The same written at `at` without UTF-8 output, where `columns` bytes
// precede it since the line's start: room for zeb_plainCommentRoom bytes.
char* zeb_writePlainComment(char* at, int columns, int16_t column, std::string_view text);
inline std::size_t zeb_plainCommentRoom(int columns, int16_t column, std::string_view text) {
  return static_cast<std::size_t>(std::max(16, column - columns)) + 1 + text.size();
}

// The text of a text line at its column: outside double quotes the bytes
// read as ASCII, inside them as bastext. Nothing for column -1.
void zeb_putTextLine(zeb_Text& out, int16_t column, std::string_view text);
// The same written at `at` from the comment and token texts in force:
// room for zeb_textLineRoom bytes.
char* zeb_writeTextLine(char* at, int16_t column, std::string_view text,
                        const Lorvex_global::CodeTexts& comment,
                        const Lorvex_global::CodeTexts& token);
inline std::size_t zeb_textLineRoom(int16_t column, std::string_view text) {
  return static_cast<std::size_t>(std::max<int>(16, column)) +
         text.size() * Lorvex_global::CodeTexts::kRoomPerByte;
}

// The second kind of text line: no quote handling, and a line break after.
void zeb_putTextWithBreak(zeb_Text& out, int16_t column, std::string_view text);

// A string literal of a .text, .null or .shift line converted under the
// settings (.byte lines or .screen); false, writing nothing, when the
// settings keep it a plain literal.
bool zeb_putConvertedLiteral(zeb_Text& out, const zeb_Statement& statement, std::string_view bytes);

#endif  // LORVEX_MODEL_LINE_PARTS_H
