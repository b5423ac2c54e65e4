// The pieces a line's text is made of, put into the text under the
// settings. Lines built by hand and lines read from their stored records
// are both rendered from these, so that they read the same.
#ifndef LORVEX_MODEL_LINE_PARTS_H
#define LORVEX_MODEL_LINE_PARTS_H

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/label_names.h"
#include "model/statements.h"
#include "model/zeb_text.h"
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

inline void zeb_putAffix(zeb_Text& out, const zeb_Affix& affix) {
  out.putFirst(affix.text, affix.length);
}

// The width of the label field under the settings.
inline int zeb_tabColumn() { return Lorvex_global::tabWidth > 0 ? Lorvex_global::tabWidth : 0; }

// The label (if any) and the padding to the tab column, for a line whose
// text started at `start`.
inline void zeb_putLabelField(zeb_Text& out, int16_t labelRef, std::size_t start, int tab) {
  if (labelRef < 0) {
    if (tab > 0) out.fill(' ', static_cast<std::size_t>(tab));
    return;
  }
  zeb_writeLabelDefinition(out, labelRef);
  const int length = static_cast<int>(out.size() - start);
  if (length == 0) {  // a name can be empty
    if (tab > 0) out.fill(' ', static_cast<std::size_t>(tab));
  } else if (length >= tab) {
    out.put(' ');
  } else {
    out.fill(' ', static_cast<std::size_t>(tab - length));
  }
}

// The three-letter mnemonic; returns how its addressing mode writes the
// operand, or null for an addressing value that is no single mode.
const zeb_OperandSyntax* zeb_putMnemonic(zeb_Text& out, int16_t opcode, int16_t addressing);

// ";" and the comment at its column; the column counts all of the text
// since `start`, and a text already past it gets the ";" directly.
void zeb_putComment(zeb_Text& out, int16_t column, std::string_view text, std::size_t start);

// The text of a text line at its column: outside double quotes the bytes
// read as ASCII, inside them as bastext. Nothing for column -1.
void zeb_putTextLine(zeb_Text& out, int16_t column, std::string_view text);

// The second kind of text line: no quote handling, and a line break after.
void zeb_putTextWithBreak(zeb_Text& out, int16_t column, std::string_view text);

// A string literal of a .text, .null or .shift line converted under the
// settings (.byte lines or .screen); false, writing nothing, when the
// settings keep it a plain literal.
bool zeb_putConvertedLiteral(zeb_Text& out, const zeb_Statement& statement,
                             std::string_view bytes);

#endif  // LORVEX_MODEL_LINE_PARTS_H
