#include <algorithm>

#include "model/label_names.h"
#include "model/p6502_tables.h"
#include "model/statements.h"
#include "model/zeb_line.h"
#include "petscii/lorvex_global.h"

namespace {

struct OperandSyntax {
  const char* before;
  const char* after;
  bool takesExpression;
};

// Indexed by addressing-mode column (the bit position of the mode).
constexpr OperandSyntax kOperandSyntax[p6502_MODES] = {
    {"", "", false},      // implied
    {" a", "", false},    // accumulator
    {" #", "", true},     // immediate
    {" ", "", true},      // zero page
    {" ", ",x", true},    // zero page,x
    {" ", ",y", true},    // zero page,y
    {" (", ",x)", true},  // (zero page,x)
    {" (", "),y", true},  // (zero page),y
    {" ", ",x", true},    // absolute,x
    {" ", ",y", true},    // absolute,y
    {" ", "", true},      // absolute
    {" (", ")", true},    // indirect
    {" ", "", true},      // relative
};

// Column of a single-bit addressing mode; -1 for any other value.
int modeColumn(int16_t addressing) {
  for (int column = 0; column < p6502_MODES; ++column) {
    if (addressing == (1 << column)) return column;
  }
  return -1;
}

void appendSpaces(std::string& out, int count) {
  if (count > 0) out.append(static_cast<std::size_t>(count), ' ');
}

void appendIfAny(std::string& out, const zeb_Expression* expression) {
  if (expression) expression->appendTo(out);
}

void appendASCII(std::string& out, const std::string& petscii) {
  for (const char c : petscii) out += Lorvex_global::toASCII(static_cast<unsigned char>(c));
}

// The second kind of text line: no quote handling, and a line break after.
void appendTextWithBreak(std::string& out, int16_t column, const std::string& text) {
  if (column != -1) {
    appendSpaces(out, column);
    appendASCII(out, text);
  }
  out += '\n';
}

}  // namespace

std::string zeb_Line::toString() const {
  std::string out;
  appendTo(out);
  return out;
}

void zeb_Line::appendTo(std::string& out) const {
  const Detail& d = view();
  const std::size_t start = out.size();
  const int tab = std::max(0, Lorvex_global::tabWidth);
  switch (type) {
    case zeb_ASSIGN:
      appendLabelField(out, d, start, tab);
      out += "= ";
      appendIfAny(out, d.expression.get());
      break;
    case zeb_PC_ASSIGN:
      appendLabelField(out, d, start, tab);
      out += "*= ";
      appendIfAny(out, d.expression.get());
      break;
    case zeb_INSTRUCTION:
      appendLabelField(out, d, start, tab);
      appendInstruction(out, d);
      break;
    case zeb_LABEL_ONLY:
      if (d.labelRef >= 0) zeb_appendLabel(out, d.labelRef);
      break;
    case zeb_PSEUDO:
      appendLabelField(out, d, start, tab);
      appendPseudo(out, d);
      break;
    case zeb_TEXT:
      appendText(out, d);
      return;
    case zeb_TEXT_BREAK:
      appendTextWithBreak(out, d.commentColumn, d.comment);
      return;
    default:
      break;
  }
  appendComment(out, d, start);
}

void zeb_Line::appendLabelField(std::string& out, const Detail& d, std::size_t start, int tab) const {
  if (d.labelRef >= 0) zeb_appendLabel(out, d.labelRef);
  const int length = static_cast<int>(out.size() - start);
  if (length == 0) {
    appendSpaces(out, tab);
  } else if (length >= tab) {
    out += ' ';
  } else {
    appendSpaces(out, tab - length);
  }
}

void zeb_Line::appendInstruction(std::string& out, const Detail& d) const {
  if (d.opcode >= 0 && d.opcode < p6502_MNEMONICS) out += p6502_TLA[d.opcode];
  const int column = modeColumn(d.addressing);
  if (column < 0) return;
  const OperandSyntax& syntax = kOperandSyntax[column];
  if (!syntax.takesExpression) {
    out += syntax.before;
  } else if (d.expression) {
    out += syntax.before;
    d.expression->appendTo(out);
    out += syntax.after;
  }
}

void zeb_Line::appendPseudo(std::string& out, const Detail& d) const {
  const zeb_Statement* statement = zeb_statement(d.pseudo);
  if (!statement || !statement->pseudo) return;
  if (statement->literal != zeb_Literal::none) {
    out += formatStringLiteral(d.pseudo);
    return;
  }
  out += statement->text;
  if (statement->operand == zeb_Operand::macroCall) {
    zeb_appendLabel(out, d.macroRef);
    out += ' ';
  }
  if (statement->operand != zeb_Operand::none) appendIfAny(out, d.expression.get());
}

// Outside double quotes the bytes read as ASCII, inside them as bastext.
void zeb_Line::appendText(std::string& out, const Detail& d) const {
  if (d.commentColumn == -1) return;
  appendSpaces(out, d.commentColumn);
  bool quoted = false;
  for (const char ch : d.comment) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"') {
      quoted = !quoted;
      out += '"';
    } else if (quoted) {
      out += Lorvex_global::toTok(c);
    } else {
      out += Lorvex_global::toASCII(c);
    }
  }
}

// The column counts all of the text so far, line breaks of converted
// literals included; a text already past it gets the ";" directly.
void zeb_Line::appendComment(std::string& out, const Detail& d, std::size_t start) const {
  if (d.commentColumn == -1) return;
  appendSpaces(out, d.commentColumn - static_cast<int>(out.size() - start));
  out += ';';
  appendASCII(out, d.comment);
}
