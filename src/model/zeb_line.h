// One decoded source line: kind, label, instruction or pseudo-op, operand
// and comment, and its rendering as assembler source text.
#ifndef LORVEX_MODEL_ZEB_LINE_H
#define LORVEX_MODEL_ZEB_LINE_H

#include <cstdint>
#include <memory>
#include <string>

#include "model/zeb_expression.h"

// Line kinds (values of type).
enum zeb_LineKind : int16_t {
  zeb_BLANK = 0,         // blank, or a comment alone
  zeb_ASSIGN = 1,        // label = expression
  zeb_PC_ASSIGN = 2,     // *= expression
  zeb_INSTRUCTION = 3,   // 6502 instruction
  zeb_LABEL_ONLY = 4,    // label alone
  zeb_PSEUDO = 5,        // pseudo-op or macro call
  zeb_TEXT = 6,          // stored text printed at its column
  zeb_TEXT_BREAK = 8,    // stored text followed by a line break
};

// Addressing modes as single bits (bit position = column of p6502_MACHINE).
enum zeb_Addressing : int16_t {
  zeb_IMPLIED = 1,
  zeb_ACCUMULATOR = 2,
  zeb_IMMEDIATE = 4,
  zeb_ZERO_PAGE = 8,
  zeb_ZERO_PAGE_X = 16,
  zeb_ZERO_PAGE_Y = 32,
  zeb_INDEXED_INDIRECT = 64,   // (zp,x)
  zeb_INDIRECT_INDEXED = 128,  // (zp),y
  zeb_ABSOLUTE_X = 256,
  zeb_ABSOLUTE_Y = 512,
  zeb_ABSOLUTE = 1024,
  zeb_INDIRECT = 2048,
  zeb_RELATIVE = 4096,
};

class zeb_Line {
 public:
  // lineNumber counts from 1 in stored order; kept in full (up to 65536).
  explicit zeb_Line(int lineNumber);
  zeb_Line(const zeb_Line&) = delete;
  zeb_Line& operator=(const zeb_Line&) = delete;
  zeb_Line(zeb_Line&&) = default;
  zeb_Line& operator=(zeb_Line&&) = default;

  void setType(int16_t kind) { type = kind; }
  int16_t getType() const { return type; }
  void setLabelRef(int16_t index) { detail().labelRef = index; }
  int16_t getLabelRef() const { return view().labelRef; }
  void setMacroRef(int16_t index) { detail().macroRef = index; }
  int16_t getMacroRef() const { return view().macroRef; }
  void setPseudo(int16_t code) { detail().pseudo = code; }
  int16_t getPseudo() const { return view().pseudo; }
  bool hasPseudo() const { return view().pseudo != -1; }

  // Mnemonic and addressing mode of a 6502 opcode byte (unknown bytes: brk).
  void setOpcodeReal(int16_t opcodeByte);
  int16_t getOpcode() const { return view().opcode; }
  int16_t getAddressing() const { return view().addressing; }
  bool hasOpcode() const { return view().opcode != -1; }

  bool isBlank() const { return type == zeb_BLANK; }

  // Takes ownership. A null expression is reported to the warning sink.
  void setExpression(std::unique_ptr<zeb_Expression> expr);
  const zeb_Expression* getExpression() const { return view().expression.get(); }

  void setComment(std::string text, int16_t column);
  const std::string& getComment() const { return view().comment; }
  int16_t getCommentColumn() const { return view().commentColumn; }

  int getLineNumber() const { return lineNumber; }

  // The rest of a .text, .null or .shift line (pseudo-op code 2, 29 or 23)
  // after its label field, under the string conversion settings; may span
  // several lines. Other codes give their directive and operand unconverted.
  std::string formatStringLiteral(int16_t code) const;

  // The line as source text, without a final line break.
  std::string toString() const;
  // The same text appended to out; columns count from where it starts.
  void appendTo(std::string& out) const;

 private:
  // Everything but the kind and the number. Most lines of a big image are
  // empty and carry none of it, which keeps the lines of an image small.
  struct Detail {
    int16_t labelRef = -1;
    int16_t commentColumn = -1;
    int16_t pseudo = -1;
    int16_t macroRef = -1;
    int16_t opcode = -1;
    int16_t addressing = -1;
    std::string comment;
    std::unique_ptr<zeb_Expression> expression;
  };
  static const Detail kNoDetail;

  Detail& detail();
  const Detail& view() const { return extra ? *extra : kNoDetail; }

  void appendLabelField(std::string& out, const Detail& d, std::size_t start, int tab) const;
  void appendInstruction(std::string& out, const Detail& d) const;
  void appendPseudo(std::string& out, const Detail& d) const;
  void appendText(std::string& out, const Detail& d) const;
  void appendComment(std::string& out, const Detail& d, std::size_t start) const;

  int lineNumber;
  int16_t type = zeb_BLANK;
  std::unique_ptr<Detail> extra;
};

#endif  // LORVEX_MODEL_ZEB_LINE_H
