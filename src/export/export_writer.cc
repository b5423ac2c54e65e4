#include "export/export_writer.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "export/export_plan.h"
#include "export/expression_export.h"
#include "export/text_out.h"
#include "model/line_parts.h"
#include "model/p6502_tables.h"
#include "model/statements.h"
#include "model/zeb_line.h"
#include "petscii/lorvex_global.h"
#include "source/zeb_source.h"

namespace {

// The operand around its expression, by addressing-mode column. The
// accumulator takes no operand: both targets read a bare mnemonic so.
struct OperandForm {
  std::string_view before;
  std::string_view after;
  bool takesExpression;
  int bytes;  // operand bytes when the instruction is written as bytes; -1 none
};
constexpr OperandForm kOperandForms[p6502_MODES] = {
    {"", "", false, 0},     {"", "", false, 0},       {" #", "", true, 1},
    {" ", "", true, 1},     {" ", ",x", true, 1},     {" ", ",y", true, 1},
    {" (", ",x)", true, 1}, {" (", "),y", true, 1},   {" ", ",x", true, 2},
    {" ", ",y", true, 2},   {" ", "", true, 2},       {" (", ")", true, 2},
    {" ", "", true, -1},
};
// Columns whose form `!` turns into the absolute one.
constexpr bool kForceable[p6502_MODES] = {false, false, false, true,  true,  true, false,
                                          false, true,  true,  true,  false, false};

// A stored byte as text both targets turn back into that byte: PETSCII
// letters as the letters they show, digits, space and most punctuation as
// themselves; 0 for every other byte.
char readable(unsigned char b) {
  if (b >= 0x20 && b <= 0x3F && b != '"') return static_cast<char>(b);
  if (b >= 0x41 && b <= 0x5A) return static_cast<char>(b + 0x20);
  if (b >= 0xC1 && b <= 0xDA) return static_cast<char>(b - 0x80);
  return 0;
}

const char kHex[] = "0123456789abcdef";

template <typename Text>
void appendByte(Text& out, unsigned char b) {
  const char text[3] = {'$', kHex[b >> 4], kHex[b & 15]};
  out.append(text, 3);
}

}  // namespace

// A documented instruction by its opcode byte: the mnemonic and what comes
// before its operand as one piece, which both targets spell alike, and
// what comes after. Length 0 for a byte that is no such instruction.
struct lorvex_ExportWriter::InstructionText {
  char text[8];  // written whole, of which `length` bytes stay
  uint8_t length;
  bool takesExpression;
  uint8_t afterLength;
  char after[4];  // written whole, of which `afterLength` bytes stay
};

const lorvex_ExportWriter::InstructionText* lorvex_ExportWriter::instructionTexts() {
  struct Table {
    InstructionText byOpcode[256];
  };
  static const Table kTexts = [] {
    Table texts{};
    for (int byte = 0; byte < 256; ++byte) {
      const p6502_Decoded decoded = p6502_decode(static_cast<unsigned char>(byte));
      const int column = zeb_modeColumn(decoded.addressing);
      if (decoded.opcode < 0 || decoded.opcode >= lorvex_FIRST_UNDOCUMENTED || column < 0) continue;
      const OperandForm& form = kOperandForms[column];
      InstructionText& entry = texts.byOpcode[byte];
      std::memcpy(entry.text, p6502_TLA[decoded.opcode], 3);
      std::size_t length = 3;
      if (form.takesExpression) {
        std::memcpy(entry.text + length, form.before.data(), form.before.size());
        length += form.before.size();
      }
      entry.length = static_cast<uint8_t>(length);
      entry.takesExpression = form.takesExpression;
      entry.afterLength = static_cast<uint8_t>(form.after.size());
      std::memcpy(entry.after, form.after.data(), form.after.size());
    }
    return texts;
  }();
  return kTexts.byOpcode;
}

std::string lorvex_ExportWriter::formatted(const char* form, int number) {
  char text[32];
  std::snprintf(text, sizeof text, form, number, number);
  return text;
}

bool lorvex_ExportWriter::run(std::string& out, std::string& error) {
  if (!plan.make(source, syntax, error)) return false;
  const std::vector<uint32_t>& occupied = source.occupiedLines();
  const uint32_t* const numbers = occupied.data();
  const std::size_t count = occupied.size();
  uint32_t next = 0;  // the line number that follows the last written
  for (k = 0; k < count; ++k) {
    // The empty lines between, in one move.
    if (numbers[k] > next) body.newlines(numbers[k] - next);
    next = numbers[k] + 1;
    readLine();
    scope = plan.scopeOf(k);
    if (!writeLine()) {
      error = "line " + std::to_string(source.occupiedLine(k)->getLineNumber()) + ": " +
              statementName() + ": " + problem;
      return false;
    }
  }
  closeModal();
  out.reserve(out.size() + body.size() + 1024);
  if (*syntax.placeCode) out += lorvex_CA65_PROLOGUE;
  if (undocumented) {
    out += syntax.processor;
    out += '\n';
  }
  out.append(body.data(), body.size());
  return true;
}

void lorvex_ExportWriter::readLine() {
  const lorvex_LineRecord& record = plan.recordOf(k);
  head = &record.head;
  recordBytes = record.bytes;
  const int q = operand.read(record.bytes, record.length, *head);
  if (record.bytes && !head->ends) {
    // Most lines: a comment, if any, after the operand. (A record's text
    // line ends at its head: only such a line has a text column.)
    const zeb_RecordComment found = zeb_readComment(record.bytes, record.length, q);
    commentColumn = found.column;
    comment = found.text;
  } else if (!record.bytes) {
    const zeb_Line::Parts own = source.occupiedLine(k)->parts();
    commentColumn = own.commentColumn;
    comment = own.comment;
  } else if (head->textColumn != -1) {
    commentColumn = head->textColumn;
    comment = std::string_view(reinterpret_cast<const char*>(record.bytes + 1),
                               static_cast<std::size_t>(record.length - 1));
  } else {
    commentColumn = -1;
    comment = std::string_view();
  }
}

std::string_view lorvex_ExportWriter::label(int32_t index, std::string& error) {
  return plan.labelName(scope, index, error);
}

const std::string* lorvex_ExportWriter::argument(int number, std::string& error) {
  if (!inMacro) {
    error = "a macro argument outside a macro";
    return nullptr;
  }
  argumentText = formatted(syntax.argument, number);
  return &argumentText;
}

bool lorvex_ExportWriter::fail(const std::string& what) {
  problem = what;
  return false;
}

std::string lorvex_ExportWriter::statementName() const {
  switch (head->type) {
    case zeb_INSTRUCTION:
      return head->opcode >= 0 && head->opcode < p6502_MNEMONICS ? p6502_TLA[head->opcode] : "?";
    case zeb_ASSIGN: return "=";
    case zeb_PC_ASSIGN: return "*=";
    case zeb_PSEUDO:
      if (head->pseudo == code_CALL) {
        const int32_t macro = head->macroRef;
        return "#" + (macro >= 0 && static_cast<unsigned long>(macro) < source.numberOfLabels()
                          ? std::string(source.labelName(static_cast<unsigned long>(macro))) : "?");
      }
      return lorvex_directiveName(head->pseudo);
    case zeb_LABEL_ONLY: return "label";
    default: return "line";
  }
}

void lorvex_ExportWriter::putCommentText(int column, std::string_view text) {
  pad(column);
  body += pieces.comment;
  const std::size_t at = body.size();
  char* converted = body.extend(text.size());
  // toASCII of every code, looked up while the text is copied; 0 for a
  // code it makes a control character of, which would break the line.
  struct Table {
    char byCode[256];
  };
  static const Table kPlain = [] {
    Table table{};
    char codes[256];
    for (int c = 0; c < 256; ++c) codes[c] = static_cast<char>(c);
    Lorvex_global::toASCII(codes, 256, table.byCode);
    for (char& c : table.byCode)
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = 0;
    return table;
  }();
  // Eight codes at a time. Most comments hold only codes below $80, which
  // toASCII keeps but for the case of letters ($41-$5A and $61-$7A swap
  // it): those eight are converted in one word, by range tests that
  // cannot carry from one byte into the next. Any other eight go through
  // the table, then one test of the eight for a control code.
  const std::size_t n = text.size();
  std::size_t i = 0;
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  constexpr uint64_t kHigh = 0x8080808080808080ull;
  for (; i + 8 <= n; i += 8) {
    uint64_t eight;
    std::memcpy(&eight, text.data() + i, 8);
    if ((eight & kHigh) == 0) {
      // Bytes below $80: adding 128 - b sets a byte's high bit when it is b or more.
      const uint64_t from41 = (eight + kOnes * (0x80 - 0x41)) & kHigh;
      const uint64_t from5B = (eight + kOnes * (0x80 - 0x5B)) & kHigh;
      const uint64_t from61 = (eight + kOnes * (0x80 - 0x61)) & kHigh;
      const uint64_t from7B = (eight + kOnes * (0x80 - 0x7B)) & kHigh;
      const uint64_t from20 = (eight + kOnes * (0x80 - 0x20)) & kHigh;
      const uint64_t is7F = (eight + kOnes) & kHigh;
      if ((~from20 & kHigh) == 0 && is7F == 0) {
        const uint64_t letters = (from41 ^ from5B) | (from61 ^ from7B);
        const uint64_t plain = eight ^ (letters >> 2);
        std::memcpy(converted + i, &plain, 8);
        continue;
      }
    }
    for (std::size_t j = 0; j < 8; ++j)
      converted[i + j] = kPlain.byCode[static_cast<unsigned char>(text[i + j])];
    std::memcpy(&eight, converted + i, 8);
    if (((eight - kOnes) & ~eight & kHigh) != 0) break;
  }
  for (; i < n; ++i) {
    const char c = kPlain.byCode[static_cast<unsigned char>(text[i])];
    converted[i] = c;
    if (c != 0) continue;
    // A control code: written as the listing names it, from here on.
    body.truncate(at + i);
    return putControlTail(text.substr(i));
  }
}

void lorvex_ExportWriter::putListingAsComment() {
  const std::string text = source.occupiedLine(k)->toString();
  std::size_t from = 0;
  for (;;) {
    body += pieces.comment;
    const std::size_t end = text.find('\n', from);
    body.append(text.data() + from, (end == std::string::npos ? text.size() : end) - from);
    if (end == std::string::npos) return;
    body += '\n';
    from = end + 1;
  }
}

void lorvex_ExportWriter::putControlTail(std::string_view rest) {
  for (unsigned char b : rest) {
    const char c = Lorvex_global::toASCII(b);
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      body += Lorvex_global::toTok(b);
    } else {
      body += c;
    }
  }
}

void lorvex_ExportWriter::extraLine(const std::string& text) {
  const std::size_t start = body.size();
  body.append(static_cast<std::size_t>(tab()), ' ');
  body += text;
  body += '\n';
  lineStart += body.size() - start;
}

void lorvex_ExportWriter::labelLineBefore() {
  const int32_t index = head->labelRef;
  if (index < 0) return;
  body += plan.definedName(scope, index);
  body += pieces.labelSuffix;
  body += '\n';
  lineStart = body.size();
}

void lorvex_ExportWriter::placePending() {
  if (!*syntax.placeCode) return;
  extraLine(syntax.placeCode);
  if (depth <= pendingDepth) pendingDepth = -1;
}

void lorvex_ExportWriter::setPending() {
  if (!*syntax.placeCode) return;
  if (pendingDepth < 0 || depth < pendingDepth) pendingDepth = depth;
}

void lorvex_ExportWriter::closeFrame() {
  --depth;
  if (pendingDepth > depth) pendingDepth = depth;
}

bool lorvex_ExportWriter::value(std::string& text) {
  if (!operand.present()) return fail("no operand");
  if (!lorvex_translateOperand(operand.whole(), syntax, lorvex_OperandUse::value, *this, scratch, problem))
    return false;
  text = scratch.text;
  return true;
}

bool lorvex_ExportWriter::appendShort(const lorvex_Tokens& e, lorvex_OperandUse use) {
  const std::size_t start = body.size();
  const lorvex_Token& first = e[0];
  if (e.size() == 2) {
    if (first.kind != lorvex_TokenKind::symbol ||
        (first.code != sym_LOW_BYTE && first.code != sym_HIGH_BYTE) ||
        e[1].kind == lorvex_TokenKind::symbol)
      return false;
    body += first.code == sym_LOW_BYTE ? '<' : '>';
    if (appendTerm(e[1])) return true;
    body.truncate(start);
    return false;
  }
  const int op = e[1].kind == lorvex_TokenKind::symbol ? lorvex_operatorOf(e[1].code) : -1;
  if (op < 0 || first.kind == lorvex_TokenKind::symbol || e[2].kind == lorvex_TokenKind::symbol)
    return false;
  // A sum, difference or product may leave 16 bits: the wrap keeps them.
  const bool wide = op == op_add || op == op_sub || op == op_mul;
  if (wide) {
    body += pieces.wrap;
    body += '(';
  }
  if (appendTerm(first)) {
    body += pieces.opText[op];
    if (appendTerm(e[2])) {
      if (wide) body += ')';
      if (use != lorvex_OperandUse::instruction || body.data()[start] != '(') return true;
    }
  }
  body.truncate(start);
  return false;
}

bool lorvex_ExportWriter::writeLine() {
  startLine();
  const int32_t own = head->labelRef;
  if (own >= 0 && static_cast<unsigned long>(own) >= labelCount && !ended &&
      head->type != zeb_TEXT && head->type != zeb_TEXT_BREAK)
    return fail("a label the image's label table does not hold");
  if (ended || plan.role(k) == lorvex_LineRole::loopSkipped) {
    if (ended && head->type != zeb_BLANK) putListingAsComment();
    endLine();
    return true;
  }
  switch (head->type) {
    case zeb_ASSIGN: return writeAssign();
    case zeb_PC_ASSIGN: return writePc();
    case zeb_INSTRUCTION: return writeInstruction();
    case zeb_LABEL_ONLY:
      if (head->labelRef >= 0) {
        body += plan.definedName(scope, head->labelRef);
        body += pieces.labelSuffix;
      }
      endLine();
      return true;
    case zeb_PSEUDO: return writePseudo();
    case zeb_TEXT:
    case zeb_TEXT_BREAK:
      if (commentColumn >= 0) putCommentText(commentColumn, comment);
      body += '\n';
      return true;
    default:
      endLine();
      return true;
  }
}

bool lorvex_ExportWriter::writeAssign() {
  if (head->labelRef < 0) return fail("an assignment without a label");
  if (!writeDefinition()) return false;
  endLine();
  return true;
}

bool lorvex_ExportWriter::writeDefinition() {
  if (!operand.present()) return fail("no operand");
  const std::string_view name = plan.definedName(scope, head->labelRef);
  if (plan.isVariable(scope, head->labelRef)) {
    if (*syntax.varBefore) indent();
    body += syntax.varBefore;
    body += name;
    body += syntax.varMiddle;
  } else {
    body += name;
    body += pieces.assign;
  }
  return appendValue(operand.whole(), lorvex_OperandUse::value);
}

bool lorvex_ExportWriter::writePc() {
  if (head->labelRef >= 0) return fail("a label on a program counter assignment");
  std::string text;
  if (!value(text)) return false;
  if (!modal.empty() && modal.back() == Modal::offsetBlock) {
    if (depth > 0) return fail("a new address inside a nested statement while .offs is in force");
    extraLine("}");
    body.append(static_cast<std::size_t>(tab()), ' ');
    body += std::string(syntax.setPc) + syntax.wrap + "((" + text + ")+(" + offset + "))\n";
    lineStart = body.size();
    indent();
    body += std::string(syntax.offsetOpen) + text + " {";
  } else {
    indent();
    body += syntax.setPc;
    body += text;
    setPending();
  }
  endLine();
  return true;
}

bool lorvex_ExportWriter::writeInstruction() {
  const int mnemonic = head->opcode;
  if (mnemonic >= 0 && recordBytes && !eorInData) {
    // Most lines: a documented instruction, its text up to the operand
    // told by its opcode byte, which stands just before the operand.
    const InstructionText& text = instructionsByOpcode[recordBytes[head->at - 1]];
    if (!text.takesExpression) {
      if (text.length != 0) return writeDocumented(text);
    } else if (operand.present() && !lorvex_isForced(operand.whole())) {
      return writeDocumented(text);
    }
  }
  return writeAnyInstruction();
}

bool lorvex_ExportWriter::writeDocumented(const InstructionText& text) {
  place();
  // An operand that is a global label already spelled, as most are, goes
  // in the same room as the rest of the line.
  std::string_view term;
  if (text.takesExpression) {
    const lorvex_Tokens e = operand.whole();
    if (e.size() == 1 && e[0].kind == lorvex_TokenKind::label) term = plan.knownName(scope, e[0].value);
  }
  static const char kSpaces[] = "                ";
  const std::size_t tab = static_cast<std::size_t>(tabColumn);
  char* at;
  char* p;
  if (head->labelRef < 0) {
    // Most lines: no label, the padding the whole tab.
    at = body.extend(headRoom + term.size());
    if (tab <= 16) {
      std::memcpy(at, kSpaces, 16);  // a fixed move, of which the first few stay
    } else {
      std::memset(at, ' ', tab);
    }
    p = at + tab;
  } else {
    const std::string_view label = plan.definedName(scope, head->labelRef);
    at = body.extend(label.size() + headRoom + term.size());
    p = lorvex_putPiece(at, label);
    p = lorvex_putPiece(p, pieces.labelSuffix);
    const std::size_t width = static_cast<std::size_t>(p - at);
    if (width < tab) {
      if (tab - width <= 16) {
        std::memcpy(p, kSpaces, 16);
      } else {
        std::memset(p, ' ', tab - width);
      }
      p += tab - width;
    } else if (width > 0 && p[-1] != ' ') {
      *p++ = ' ';
    }
  }
  std::memcpy(p, text.text, 8);  // inside the room: the mnemonic's four bytes and more
  p += text.length;
  if (!term.empty()) {
    p = lorvex_putPiece(p, term);
    std::memcpy(p, text.after, 4);  // inside the room as well
    p += text.afterLength;
  } else if (text.takesExpression) {
    body.truncate(lineStart + static_cast<std::size_t>(p - at));
    if (!appendValue(operand.whole(), lorvex_OperandUse::instruction)) return false;
    if (text.afterLength != 0) body.append(text.after, text.afterLength);
    endLine();
    return true;
  }
  if (commentColumn < 0 && p[-1] != ' ') {
    // Nothing to pad or drop: the line ends here, inside the room too.
    *p++ = '\n';
    body.truncate(lineStart + static_cast<std::size_t>(p - at));
    return true;
  }
  body.truncate(lineStart + static_cast<std::size_t>(p - at));
  endLine();
  return true;
}

bool lorvex_ExportWriter::writeAnyInstruction() {
  const int mnemonic = head->opcode;
  const int column = zeb_modeColumn(head->addressing);
  if (mnemonic < 0 || mnemonic >= p6502_MNEMONICS || column < 0)
    return fail("an instruction the 6502 tables do not hold");
  if (eorInData) return fail("an instruction while .eor is in force, which the target applies to data only");
  const OperandForm& form = kOperandForms[column];
  const lorvex_Tokens expression = operand.whole();
  if (form.takesExpression && !operand.present()) return fail("an instruction without its operand");
  const bool forced = form.takesExpression && lorvex_isForced(expression);
  if (forced && !kForceable[column]) return fail("\"!\" on an operand that has no absolute form");
  const char* name = p6502_TLA[mnemonic];
  bool raw = false;
  if (mnemonic >= lorvex_FIRST_UNDOCUMENTED) {
    const lorvex_Undocumented& spelling = syntax.undocumented[mnemonic - lorvex_FIRST_UNDOCUMENTED];
    raw = !spelling.name || (spelling.rawModes & head->addressing) != 0;
    if (!raw) {
      name = spelling.name;
      undocumented = true;
    }
  }
  if (raw) {
    if (form.bytes < 0) return fail("a branch the target has no mnemonic for");
    if (form.takesExpression &&
        !lorvex_translateOperand(expression, syntax, lorvex_OperandUse::instruction, *this,
                                 scratch, problem))
      return false;
    place();
    labelField();
    body += pieces.byteList;
    appendByte(body, p6502_MACHINE[mnemonic * p6502_MODES + column]);
    if (form.bytes == 1) body += ", " + scratch.text;
    if (form.bytes == 2) body += ", <(" + scratch.text + "), >(" + scratch.text + ")";
    endLine();
    return true;
  }
  place();
  // Up to the operand in one room check, through a pointer: the label
  // field, the mnemonic and what comes before the operand.
  const std::string_view label =
      head->labelRef >= 0 ? plan.definedName(scope, head->labelRef) : std::string_view();
  char* const at = body.extend(label.size() + headRoom);
  char* p = at;
  if (head->labelRef >= 0) {
    p = lorvex_putPiece(p, label);
    p = lorvex_putPiece(p, pieces.labelSuffix);
  }
  const std::size_t width = static_cast<std::size_t>(p - at);
  const std::size_t tab = static_cast<std::size_t>(tabColumn);
  if (width < tab) {
    static const char kSpaces[] = "                ";
    if (tab - width <= 16) {
      std::memcpy(p, kSpaces, 16);  // a fixed move, of which the first few stay
    } else {
      std::memset(p, ' ', tab - width);
    }
    p += tab - width;
  } else if (width > 0 && p[-1] != ' ') {
    *p++ = ' ';
  }
  // Every mnemonic is three letters and a terminator: four bytes in one
  // move, the fourth inside the room taken and overwritten or cut after.
  std::memcpy(p, name, 4);
  p += 3;
  if (forced) p = lorvex_putPiece(p, pieces.forcedMnemonic);
  if (form.takesExpression) {
    p = lorvex_putPiece(p, form.before);
    if (forced) p = lorvex_putPiece(p, pieces.forcedOperand);
  }
  body.truncate(lineStart + static_cast<std::size_t>(p - at));
  if (form.takesExpression) {
    if (!appendValue(expression, lorvex_OperandUse::instruction)) return false;
    if (!form.after.empty()) body += form.after;
  }
  endLine();
  return true;
}

bool lorvex_ExportWriter::stringBytes(std::string& bytes) {
  const lorvex_Token* text = operand.whole().only(lorvex_TokenKind::string);
  if (!text) return fail("no string operand");
  bytes.assign(reinterpret_cast<const char*>(text->bytes), static_cast<std::size_t>(text->value));
  return true;
}

void lorvex_ExportWriter::appendBytes(std::string_view bytes) {
  // One room check: a byte takes at most ", $xx" and the xor's text, and
  // the quotes around a run take two.
  const std::size_t most = 5 + (eorInData ? 1 + std::strlen(syntax.xorVariable) : 0);
  char* const at = body.extend(bytes.size() * most + 2);
  char* p = at;
  bool quoted = false;
  bool first = true;
  for (unsigned char b : bytes) {
    const char c = eorInData ? 0 : readable(b);
    if (c && quoted) {
      *p++ = c;
      continue;
    }
    if (quoted) *p++ = '"';
    quoted = false;
    if (!first) {
      p[0] = ',';
      p[1] = ' ';
      p += 2;
    }
    first = false;
    if (c) {
      p[0] = '"';
      p[1] = c;
      p += 2;
      quoted = true;
    } else {
      p[0] = '$';
      p[1] = kHex[b >> 4];
      p[2] = kHex[b & 15];
      p += 3;
      if (eorInData) {
        *p++ = '^';
        p = lorvex_putPiece(p, syntax.xorVariable, std::strlen(syntax.xorVariable));
      }
    }
  }
  if (quoted) *p++ = '"';
  body.truncate(body.size() - static_cast<std::size_t>(at + bytes.size() * most + 2 - p));
}

bool lorvex_ExportWriter::writeString(int16_t code) {
  const lorvex_Token* text = operand.whole().only(lorvex_TokenKind::string);
  if (!text) return fail("no string operand");
  // A string lies inside its record, so a few dozen bytes: copied here to
  // be marked, with no string made.
  char stored[kRecordMost + 1];
  std::size_t length = static_cast<std::size_t>(text->value);
  std::memcpy(stored, text->bytes, length);
  if (code == code_NULL) stored[length++] = '\0';
  if (code == code_SHIFT) {
    if (length == 0) return fail("an empty string, which has no last byte to mark");
    stored[length - 1] = static_cast<char>(stored[length - 1] | 0x80);
  }
  const std::string_view bytes(stored, length);
  place();
  labelField();
  if (bytes.empty()) {
    body += pieces.comment;
    body += " (no bytes)";
  } else {
    body += pieces.textList;
    appendBytes(bytes);
  }
  endLine();
  return true;
}

bool lorvex_ExportWriter::writeNumbers(std::string_view keyword) {
  const std::size_t start = body.size();
  const std::size_t items = operand.items();
  const lorvex_Tokens numbers = operand.all();  // one token an item, in order
  char* const at = body.extend(keyword.size() + items * (lorvex_PLAIN_NUMBER_MOST + 2) + 1);
  char* end = lorvex_putPlainNumber(numbers[0], lorvex_putPiece(at, keyword));
  for (std::size_t i = 1; end && i < items; ++i) {
    end[0] = ',';
    end[1] = ' ';
    end = lorvex_putPlainNumber(numbers[i], end + 2);
  }
  if (!end) {
    body.truncate(start);
    return false;
  }
  if (commentColumn < 0) {
    // A number ends in no space: the line ends here, inside the room.
    *end++ = '\n';
    body.truncate(start + static_cast<std::size_t>(end - at));
    return true;
  }
  body.truncate(start + static_cast<std::size_t>(end - at));
  endLine();
  return true;
}

bool lorvex_ExportWriter::writeList(int16_t code) {
  if (!operand.whole().only(lorvex_TokenKind::list)) return fail("no list of values");
  bool anyText = false;
  bool anyValue = false;
  // Each item one number, as most lists are: an item read holds a token
  // at least, so as many tokens as items is one each.
  const lorvex_Tokens all = operand.all();
  bool numbersOnly = code != code_RTA && !eorInData && all.size() == operand.items();
  for (std::size_t i = 0; numbersOnly && i < all.size(); ++i)
    numbersOnly = all[i].kind == lorvex_TokenKind::value;
  for (std::size_t i = 0; i < operand.items() && !numbersOnly; ++i) {
    const lorvex_Tokens item = operand.item(i);
    const lorvex_Token* text = item.only(lorvex_TokenKind::string);
    if (!text) {
      anyValue = true;
      continue;
    }
    if (code != code_BYTE) {
      return fail("a string where a 16-bit value belongs");
    } else if (text->value != 0) {
      anyText = true;
    }
  }
  anyValue = anyValue || (numbersOnly && operand.items() > 0);
  place();
  labelField();
  if (!anyText && !anyValue) {
    body += pieces.comment;
    body += " (no bytes)";
    endLine();
    return true;
  }
  const std::string_view keyword =
      code == code_BYTE ? (anyText ? pieces.textList : pieces.byteList) : pieces.wordList;
  if (numbersOnly && writeNumbers(keyword)) return true;
  body += keyword;
  bool first = true;
  for (std::size_t i = 0; i < operand.items(); ++i) {
    const lorvex_Tokens item = operand.item(i);
    const lorvex_Token* text = item.only(lorvex_TokenKind::string);
    if (text && text->value == 0) continue;
    if (!first) body.append(", ", 2);
    first = false;
    if (text) {
      appendBytes(std::string_view(reinterpret_cast<const char*>(text->bytes),
                                   static_cast<std::size_t>(text->value)));
      continue;
    }
    if (eorInData) body += '(';
    const bool ok = code == code_RTA
                        ? lorvex_appendMinusOne(item, syntax, *this, body, problem)
                        : appendValue(item, lorvex_OperandUse::value);
    if (!ok) return false;
    if (eorInData) {
      body += ")^";
      if (code != code_BYTE) body += '(';
      body += syntax.xorVariable;
      if (code != code_BYTE) body += "*257)";
    }
  }
  endLine();
  return true;
}
