// The writer behind lorvex_exportSource (source_export.h): it walks the
// decoded lines once, in order, and writes each in the target's syntax.
// Lines and data are written in export_writer.cc, the statements that nest
// or change the state of what follows in export_statements.cc.
#ifndef LORVEX_EXPORT_EXPORT_WRITER_H
#define LORVEX_EXPORT_EXPORT_WRITER_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "export/export_plan.h"
#include "export/expression_export.h"
#include "export/record_operand.h"
#include "export/source_export.h"
#include "export/text_out.h"
#include "model/zeb_line.h"
#include "petscii/lorvex_global.h"
#include "source/zeb_source.h"

class lorvex_ExportWriter : public lorvex_ExpressionNames {
 public:
  lorvex_ExportWriter(const zeb_Source& s, const lorvex_ExportOptions& o)
      : source(s), options(o), syntax(lorvex_targetSyntax(o.target)), pieces(syntax),
        tabColumn(Lorvex_global::tabWidth > 0 ? Lorvex_global::tabWidth : 8),
        headRoom(pieces.labelSuffix.size() + 16 + static_cast<std::size_t>(tabColumn) + 3 +
                 pieces.forcedMnemonic.size() + 2 + pieces.forcedOperand.size()),
        labelCount(s.numberOfLabels()), instructionsByOpcode(instructionTexts()),
        body(kBytesPerLine * s.occupiedLines().size() + 1024) {}

  // Appends to `out`; on failure `out` is left as it was.
  bool run(std::string& out, std::string& error);

  std::string_view label(int32_t index, std::string& error) override;

  const std::string* argument(int number, std::string& error) override;

 private:
  enum class Modal { xorBlock, offsetBlock };

  // A printf form of one number (the parameter and argument names).
  static std::string formatted(const char* form, int number);

  bool fail(const std::string& what);

  std::string statementName() const;

  // ---- layout ----
  void startLine() { lineStart = body.size(); }
  void indent() { pad(tab()); }
  int tab() const { return tabColumn; }
  // Spaces up to `column`; one space at least when the line holds text
  // that does not end in one.
  void pad(int column) {
    const std::size_t width = body.size() - lineStart;
    if (width < static_cast<std::size_t>(column)) {
      body.spaces(static_cast<std::size_t>(column) - width);
    } else if (width > 0 && body.back() != ' ') {
      body += ' ';
    }
  }
  void putComment() {
    if (commentColumn >= 0) putCommentText(commentColumn, comment);
  }
  void putCommentText(int column, std::string_view text);
  // The line as the native listing writes it, as comments: a converted
  // string can take several lines.
  void putListingAsComment();
  // The rest of a comment from a control code on, converted one by one.
  void putControlTail(std::string_view rest);
  void endLine() {
    putComment();
    body.endLine(lineStart);
  }
  // A whole line of its own, written before the current one.
  void extraLine(const std::string& text);
  ZEB_INLINE void labelField() {
    const int32_t index = head->labelRef;
    if (index < 0) {
      // Nothing is on the line yet: the padding is the whole tab.
      body.spaces(static_cast<std::size_t>(tabColumn));
      return;
    }
    body += plan.definedName(scope, index);
    body += pieces.labelSuffix;
    indent();
  }
  void labelLineBefore();

  // ---- code placement (targets that store code in one run) ----
  void place() {
    if (pendingDepth >= 0) placePending();
  }
  void placePending();
  void setPending();
  void closeFrame();

  // Appends `e` to the line: a label or a number alone directly, any
  // other operand translated (an instruction's never forced here).
  bool appendValue(const lorvex_Tokens& e, lorvex_OperandUse use) {
    if (e.size() == 1) {
      if (appendTerm(e[0])) return true;
    } else if (e.size() <= 3 && appendShort(e, use)) {
      return true;
    }
    bool forced = false;
    return lorvex_appendOperand(e, syntax, use, *this, body, forced, problem);
  }
  // A term written as it stands: a label or a number in the target's
  // form; false, writing nothing, for any other, or a label that has no
  // name there (the translation then tells why).
  bool appendTerm(const lorvex_Token& term) {
    if (term.kind == lorvex_TokenKind::label) {
      const std::string_view name = plan.labelName(scope, term.value, problem);
      body += name;
      return !name.empty();
    }
    return term.kind == lorvex_TokenKind::value && lorvex_appendPlainNumber(term, body);
  }
  // The operands of two or three tokens most lines hold, a byte of a term
  // or two terms joined by an operator, written as the translation would;
  // false, writing nothing, for any it must look at closer.
  bool appendShort(const lorvex_Tokens& e, lorvex_OperandUse use);

  // The line's operand as a value.
  bool value(std::string& text);

  // ---- lines ----
  // Reads the line's operand and comment from its record.
  ZEB_INLINE void readLine();

  ZEB_INLINE bool writeLine();

  bool writeAssign();

  // label = e, or the target's form of a label set again later.
  bool writeDefinition();

  bool writePc();

  ZEB_INLINE bool writeInstruction();
  struct InstructionText;
  static const InstructionText* instructionTexts();
  // A documented instruction, not forced, from its text up to the operand.
  ZEB_INLINE bool writeDocumented(const InstructionText& text);
  // Any instruction, step by step: refusals, `!`, undocumented ones.
  bool writeAnyInstruction();

  // The stored bytes of a string operand; false when it holds none.
  bool stringBytes(std::string& bytes);

  // Bytes as a list of values: readable runs quoted where the target's text
  // gives the same bytes, numbers otherwise.
  void appendBytes(std::string_view bytes);

  // The most bytes a record holds.
  static constexpr std::size_t kRecordMost = 63;
  bool writeString(int16_t code);

  bool writeList(int16_t code);
  // The rest of a list line whose items are each one number, from its
  // `keyword` to its end, with one room check; false, writing nothing,
  // when one is not plain.
  bool writeNumbers(std::string_view keyword);

  bool condition(int16_t code, std::string& text);

  void closeModal();

  bool writeOffset();

  bool writeEor();

  bool writeMacroHead(int16_t code);

  bool writeCall();

  std::string loopName() const { return "LORVEX_LOOP_" + std::to_string(plan.loopOf(k)); }

  bool writeLoopClose(int16_t code);

  bool writePseudo();

  const zeb_Source& source;
  const lorvex_ExportOptions& options;
  const lorvex_TargetSyntax& syntax;
  // The target's spellings most lines write, measured once.
  struct Pieces {
    explicit Pieces(const lorvex_TargetSyntax& t)
        : labelSuffix(t.labelSuffix), comment(t.comment), byteList(t.byteList),
          textList(t.textList), wordList(t.wordList), wrap(t.wrap), assign(t.assign),
          forcedMnemonic(t.forcedMnemonic), forcedOperand(t.forcedOperand) {
      for (int op = 0; op < op_COUNT; ++op) opText[op] = t.opText[op];
    }
    std::string_view labelSuffix, comment, byteList, textList, wordList, wrap, assign,
        forcedMnemonic, forcedOperand;
    std::string_view opText[op_COUNT];
  };
  const Pieces pieces;
  const int tabColumn;  // where everything but a label starts
  // An instruction line up to its operand but for the label's name.
  const std::size_t headRoom;
  // More than most exported lines take: the text is then seldom moved.
  static constexpr std::size_t kBytesPerLine = 48;
  const unsigned long labelCount;  // of the image's label table
  const InstructionText* const instructionsByOpcode;  // 256, by opcode byte
  lorvex_ExportPlan plan;
  lorvex_TextOut body;
  std::string problem;
  std::size_t k = 0;
  const zeb_RecordHead* head = nullptr;  // the line's, read once by the plan
  const unsigned char* recordBytes = nullptr;  // the line's record; null when it has none
  int16_t commentColumn = -1;           // the line's comment; -1 none
  std::string_view comment;
  lorvex_RecordOperand operand;  // the line's, read once
  int scope = 0;
  std::size_t lineStart = 0;
  int depth = 0;
  int pendingDepth = -1;          // code stored from here on must be placed first (ca65)
  int pendingOutsideMacro = -1;   // the same, kept while a macro's body is written
  bool inMacro = false;
  bool eorInData = false;
  bool ended = false;
  bool undocumented = false;
  std::vector<Modal> modal;
  std::string offset = "0";
  lorvex_Operand scratch;  // reused: its text keeps its room from line to line
  std::string argumentText;};

#endif  // LORVEX_EXPORT_EXPORT_WRITER_H
