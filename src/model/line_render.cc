#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "model/instruction_texts.h"
#include "model/label_names.h"
#include "model/line_parts.h"
#include "model/statements.h"
#include "model/zeb_line.h"
#include "petscii/code_texts.h"
#include "petscii/lorvex_global.h"

namespace {

void putSpaces(zeb_Text& out, int count) {
  if (count > 0) out.fill(' ', static_cast<std::size_t>(count));
}

// A comment's bytes as appendCommentText writes them: without utf8
// toASCII's one character each, with it each code's text from the table.
void putASCII(zeb_Text& out, std::string_view petscii) {
  if (!Lorvex_global::utf8) {
    Lorvex_global::toASCII(petscii.data(), petscii.size(), out.extend(petscii.size()));
    return;
  }
  const Lorvex_global::CodeTexts& texts = Lorvex_global::commentTexts();
  out.putWritten(petscii.size() * Lorvex_global::CodeTexts::kRoomPerByte,
                 [&](char* to) { return texts.write(to, petscii.data(), petscii.size()); });
}

// Columns the text after `start` takes: its bytes, or under UTF-8 output
// its characters, so that a glyph before a comment counts as one column.
int columnsSince(const zeb_Text& out, std::size_t start) {
  const std::size_t bytes = out.size() - start;
  if (!Lorvex_global::utf8) return static_cast<int>(bytes);
  // Every byte but a UTF-8 continuation byte (10xxxxxx) starts a
  // character: the continuation bytes are counted eight at a time.
  const char* text = out.data() + start;
  std::size_t continuation = 0;
  std::size_t i = 0;
  for (; i + 8 <= bytes; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text + i, sizeof word);
    const std::uint64_t marks = (word & ~(word << 1) & 0x8080808080808080u) >> 7;
    continuation += static_cast<std::size_t>((marks * 0x0101010101010101u) >> 56);
  }
  for (; i < bytes; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++continuation;
  }
  return static_cast<int>(bytes - continuation);
}

}  // namespace

zeb_LineContext zeb_lineContext() {
  return {zeb_tabColumn(), zeb_namesToWrite(), zeb_instructionTexts()};
}

zeb_LineContext zeb_listingContext() {
  zeb_LineContext context = zeb_lineContext();
  context.tokens = &Lorvex_global::tokTexts();
  context.comments = &Lorvex_global::commentTexts();
  context.quotedStrings = !Lorvex_global::rawString;
  context.plainComments = !Lorvex_global::utf8;
  context.quotedCharacters = !Lorvex_global::translateToByte && !Lorvex_global::translateToByteHex;
  context.plainLiterals = context.quotedCharacters && !Lorvex_global::fScreen;
  return context;
}

void zeb_putComment(zeb_Text& out, int16_t column, std::string_view text, std::size_t start) {
  if (column == -1) return;
  if (!Lorvex_global::utf8) {
    const int columns = static_cast<int>(out.size() - start);
    out.putWritten(zeb_plainCommentRoom(columns, column, text), [&](char* at) {
      return zeb_writePlainComment(at, columns, column, text);
    });
    return;
  }
  putSpaces(out, column - columnsSince(out, start));
  out.put(';');
  putASCII(out, text);
}

char* zeb_writePlainComment(char* at, int columns, int16_t column, std::string_view text) {
  at = zeb_writeSpaces(at, column - columns);
  *at++ = ';';
  Lorvex_global::toASCII(text.data(), text.size(), at);
  return at + text.size();
}

void zeb_putTextLine(zeb_Text& out, int16_t column, std::string_view text) {
  if (column == -1) return;
  out.putWritten(zeb_textLineRoom(column, text), [&](char* at) {
    return zeb_writeTextLine(at, column, text, Lorvex_global::commentTexts(),
                             Lorvex_global::tokTexts());
  });
}

char* zeb_writeTextLine(char* at, int16_t column, std::string_view text,
                        const Lorvex_global::CodeTexts& comment,
                        const Lorvex_global::CodeTexts& token) {
  if (column == -1) return at;
  at = zeb_writeSpaces(at, column);
  // Outside quotes a byte is written as in a comment, inside as a token.
  bool quoted = false;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"') {
      quoted = !quoted;
      *at++ = '"';
    } else {
      at = (quoted ? token : comment).put(at, c);
    }
  }
  return at;
}

void zeb_putTextWithBreak(zeb_Text& out, int16_t column, std::string_view text) {
  if (column != -1) {
    putSpaces(out, column);
    putASCII(out, text);
  }
  out.put('\n');
}

std::string zeb_Line::toString() const {
  zeb_Text text;
  writeTo(text);
  return std::string(text.view());
}

void zeb_Line::appendTo(std::string& out) const {
  zeb_Text text;
  writeTo(text);
  out.append(text.data(), text.size());
}

void zeb_Line::writeOwn(zeb_Text& out) const {
  if (isBare()) return;
  const Detail& d = bare() ? kNoDetail : *detailRecord();
  const std::size_t start = out.size();
  switch (getType()) {
    case zeb_ASSIGN:
      zeb_putLabelField(out, d.labelRef, start);
      out.put("= ", 2);
      if (d.expression) d.expression->writeTo(out);
      break;
    case zeb_PC_ASSIGN:
      zeb_putLabelField(out, d.labelRef, start);
      out.put("*= ", 3);
      if (d.expression) d.expression->writeTo(out);
      break;
    case zeb_INSTRUCTION:
      zeb_putLabelField(out, d.labelRef, start);
      putInstruction(out, d);
      break;
    case zeb_LABEL_ONLY:
      if (d.labelRef >= 0) zeb_writeLabelDefinition(out, d.labelRef);
      break;
    case zeb_PSEUDO:
      zeb_putLabelField(out, d.labelRef, start);
      putPseudo(out, d);
      break;
    case zeb_TEXT:
      zeb_putTextLine(out, d.commentColumn, std::string_view(d.comment, d.commentLength));
      return;
    case zeb_TEXT_BREAK:
      zeb_putTextWithBreak(out, d.commentColumn, std::string_view(d.comment, d.commentLength));
      return;
    default:
      break;
  }
  zeb_putComment(out, d.commentColumn, std::string_view(d.comment, d.commentLength), start);
}

void zeb_Line::putInstruction(zeb_Text& out, const Detail& d) const {
  const zeb_OperandSyntax* syntax = zeb_putMnemonic(out, d.opcode, d.addressing);
  if (!syntax) return;
  if (!syntax->takesExpression) {
    zeb_putAffix(out, syntax->before);
  } else if (d.expression) {
    zeb_putAffix(out, syntax->before);
    d.expression->writeTo(out);
    zeb_putAffix(out, syntax->after);
  }
}

void zeb_Line::putPseudo(zeb_Text& out, const Detail& d) const {
  const zeb_Statement* statement = zeb_statement(d.pseudo);
  if (!statement || !statement->pseudo) return;
  if (statement->literal != zeb_Literal::none) {
    putStringLiteral(out, d.pseudo);
    return;
  }
  out.put(statement->text, statement->textLength);
  if (statement->operand == zeb_Operand::macroCall) {
    zeb_writeLabel(out, d.macroRef);
    out.put(' ');
  }
  if (statement->operand != zeb_Operand::none && d.expression) d.expression->writeTo(out);
}
