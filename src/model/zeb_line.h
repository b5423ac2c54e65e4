// One decoded source line: kind, label, instruction or pseudo-op, operand
// and comment, and its rendering as assembler source text.
#ifndef LORVEX_MODEL_ZEB_LINE_H
#define LORVEX_MODEL_ZEB_LINE_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/zeb_expression.h"
#include "model/zeb_text.h"

struct zeb_RecordHead;
struct zeb_StoredRecord;

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

// A line is one word, as most lines of a big image are empty: such a line
// keeps its number and kind in the word itself. A decoded line points to
// its record as the image stores it (zeb_StoredRecord), and reads what it
// holds from those bytes when asked; it frees nothing, and lives no longer
// than its source's record store. A line built by hand points to a detail
// record that holds its parts, and owns the detail, its comment and its
// expression, all from the heap.
class zeb_Line {
 public:
  // lineNumber counts from 1 in stored order; kept in full (up to 65536).
  explicit zeb_Line(int lineNumber) : word(bareWord(lineNumber, zeb_BLANK)) {}
  // A decoded line, read from its record, which must outlive it.
  explicit zeb_Line(const zeb_StoredRecord* record)
      : word(static_cast<uint64_t>(reinterpret_cast<std::uintptr_t>(record)) | kStoredTag) {}
  // Only a detail of its own is freed: bare and stored lines hold nothing.
  ~zeb_Line() {
    if ((word & (kBareTag | kStoredTag)) == 0) release();
  }
  zeb_Line(const zeb_Line&) = delete;
  zeb_Line& operator=(const zeb_Line&) = delete;
  zeb_Line(zeb_Line&& other) noexcept;
  zeb_Line& operator=(zeb_Line&& other) noexcept;

  void setType(int16_t kind);
  int16_t getType() const;
  void setLabelRef(int16_t index) { detail().labelRef = index; }
  int16_t getLabelRef() const;
  void setMacroRef(int16_t index) { detail().macroRef = index; }
  int16_t getMacroRef() const;
  void setPseudo(int16_t code) { detail().pseudo = code; }
  int16_t getPseudo() const;
  bool hasPseudo() const { return getPseudo() != -1; }

  // Mnemonic and addressing mode of a 6502 opcode byte (unknown bytes: brk).
  void setOpcodeReal(int16_t opcodeByte);
  int16_t getOpcode() const;
  int16_t getAddressing() const;
  bool hasOpcode() const { return getOpcode() != -1; }

  bool isBlank() const { return getType() == zeb_BLANK; }
  // A blank line with nothing in it: its text is empty under every setting.
  bool isBare() const { return (word & kBareKindMask) == kBareTag; }

  // Takes ownership. A null expression is reported to the warning sink.
  void setExpression(std::unique_ptr<zeb_Expression> expr);
  // A decoded line makes its expression objects the first time it is asked.
  const zeb_Expression* getExpression() const;

  void setComment(const std::string& text, int16_t column);
  std::string_view getComment() const {
    const Detail d = view();
    return std::string_view(d.comment, d.commentLength);
  }
  int16_t getCommentColumn() const { return view().commentColumn; }

  int getLineNumber() const;

  // What the accessors above give, read in one pass over a stored record
  // instead of one per accessor; for a caller that wants most of them.
  struct Parts {
    int16_t type;
    int16_t labelRef;
    int16_t pseudo;
    int16_t macroRef;
    int16_t opcode;
    int16_t addressing;
    int16_t commentColumn;
    std::string_view comment;
  };
  Parts parts() const;

  // The record a decoded line reads from, for a caller that reads it
  // itself (stored_record.h); null for a line built by hand or changed.
  const zeb_StoredRecord* record() const { return stored() ? storedRecord() : nullptr; }

  // The rest of a .text, .null or .shift line (pseudo-op code 2, 29 or 23)
  // after its label field, under the string conversion settings; may span
  // several lines. Other codes give their directive and operand unconverted.
  std::string formatStringLiteral(int16_t code) const;

  // The line as source text, without a final line break.
  std::string toString() const;
  // The same text appended to out, or put into out; columns count from
  // where it starts.
  void appendTo(std::string& out) const;
  void writeTo(zeb_Text& out) const {
    if (stored()) {
      writeStored(out, *storedRecord());
    } else {
      writeOwn(out);
    }
  }

 private:
  // Everything but the kind and the number of a bare line.
  struct Detail {
    const zeb_Expression* expression = nullptr;
    const char* comment = "";
    uint32_t commentLength = 0;
    int32_t lineNumber = 0;
    int16_t type = zeb_BLANK;
    int16_t labelRef = -1;
    int16_t commentColumn = -1;
    int16_t pseudo = -1;
    int16_t macroRef = -1;
    int16_t opcode = -1;
    int16_t addressing = -1;
    uint8_t owns = 0;  // kOwns* bits: what the line frees
  };
  static const Detail kNoDetail;
  static constexpr uint8_t kOwnsDetail = 1;
  static constexpr uint8_t kOwnsComment = 2;
  static constexpr uint8_t kOwnsExpression = 4;

  // A bare word: the number from bit 17 up, the kind in bits 1-16, bit 0
  // set. Detail and stored records are aligned, so a word that points to
  // one has bit 0 clear; bit 1 is set in one that points to a stored record.
  static constexpr uint64_t kBareTag = 1;
  static constexpr uint64_t kStoredTag = 2;
  static constexpr int kKindShift = 1;
  static constexpr int kNumberShift = 17;
  static constexpr uint64_t kBareKindMask = (uint64_t{1} << kNumberShift) - 1;

  static uint64_t bareWord(int number, int16_t kind) {
    return static_cast<uint64_t>(static_cast<uint32_t>(number)) << kNumberShift |
           static_cast<uint64_t>(static_cast<uint16_t>(kind)) << kKindShift | kBareTag;
  }
  bool bare() const { return (word & kBareTag) != 0; }
  bool stored() const { return (word & (kBareTag | kStoredTag)) == kStoredTag; }
  const zeb_StoredRecord* storedRecord() const {
    const auto address = static_cast<std::uintptr_t>(word & ~kStoredTag);
    return reinterpret_cast<const zeb_StoredRecord*>(address);
  }
  int16_t bareKind() const { return static_cast<int16_t>(static_cast<uint16_t>(word >> kKindShift)); }
  Detail* detailRecord() const {
    return reinterpret_cast<Detail*>(static_cast<std::uintptr_t>(word));
  }
  // What the line holds; a stored line's expression is left out (see
  // getExpression).
  Detail view() const;
  static Detail readStored(const zeb_StoredRecord& record);
  static Detail headOf(const zeb_RecordHead& head);
  static void writeStored(zeb_Text& out, const zeb_StoredRecord& record);
  // writeTo of a bare line or one with a detail.
  void writeOwn(zeb_Text& out) const;
  // The detail, made on the heap when the line has none.
  Detail& detail();
  Detail* adopt(Detail* fresh, uint8_t owns);
  void release();
  static void dropComment(Detail& d);
  static void dropExpression(Detail& d);

  void putInstruction(zeb_Text& out, const Detail& d) const;
  void putPseudo(zeb_Text& out, const Detail& d) const;
  void putStringLiteral(zeb_Text& out, int16_t code) const;

  uint64_t word;
};

#endif  // LORVEX_MODEL_ZEB_LINE_H
