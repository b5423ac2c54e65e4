// A decoded line rendered straight from its stored record: the same text
// the line's parts would write (line_render.cc), without making them.
#ifndef LORVEX_MODEL_STORED_RENDER_H
#define LORVEX_MODEL_STORED_RENDER_H

#include <cstddef>
#include <string_view>

#include "model/instruction_texts.h"
#include "model/label_names.h"
#include "model/line_parts.h"
#include "model/stored_record.h"
#include "model/token_text.h"
#include "model/zeb_text.h"

// What rendering a record does besides writing its text: nothing, for a
// line whose record was decoded already. A renderer that decodes as it
// goes is given a check that does the decoder's part (label(index) for
// each label the record names, notToken(byte, at) for a byte that is no
// token, nullExpression() for an expression operand that failed), and may
// count the lines as zeb_LineTally::count does: opcode(mnemonic) for a
// line with an opcode, pseudo() for one with a pseudo-op, blank() for a
// line of the blank kind.
struct zeb_NoChecks {
  void opcode(int) {}
  void pseudo() {}
  void blank() {}
  void label(int) {}
  void notToken(int, int) {}
  void nullExpression() {}
};

// Writes each token's text as it is read, through the line's cursor. A
// list's elements are separated by commas; an expression that fails takes
// back what it wrote, as the decoder makes nothing of it. While label
// spans are reported, one that will fail names no label, so that no span
// points at text taken back.
// Made once for many records, each begun with begin().
template <typename Check>
class zeb_PutStoredTokens {
 public:
  ZEB_INLINE zeb_PutStoredTokens(zeb_Cursor& c, const zeb_LineContext& context, Check& check)
      : c_(c), context_(context), check_(check), reporting_(zeb_reportingLabelSpans()) {}

  // The record of n bytes at `record` is next.
  ZEB_INLINE void begin(const unsigned char* record, int n) {
    record_ = record;
    n_ = n;
    ok_ = true;
    muted_ = false;
  }
  zeb_Cursor& cursor() { return c_; }
  const zeb_LineContext& context() const { return context_; }
  Check& check() { return check_; }

  ZEB_INLINE void value(int16_t kind, int32_t value) {
    if (char* end = zeb_writeStoredValue(c_.at, kind, value)) {
      c_.at = end;
      return;
    }
    const auto low = static_cast<unsigned char>(value & 0xFF);
    if (kind == zeb_CHARACTER && context_.quotedCharacters) {
      *c_.at++ = '"';
      c_.at = context_.tokens->put(c_.at, low);
      *c_.at++ = '"';
      return;
    }
    if (kind == zeb_BACKSLASH && context_.plainComments) {
      c_.at[0] = '\\';
      c_.at[1] = static_cast<char>(low);
      c_.at += 2;
      return;
    }
    c_.viaText([kind, value](zeb_Text& out) { zeb_putOtherValue(out, kind, value); });
  }
  ZEB_INLINE void label(int index) {
    check_.label(index);
    if (!muted_) name(index);
  }
  // A label's name, that of a macro call too.
  ZEB_INLINE void name(int index) {
    if (char* end = zeb_writeLabelAt(c_.at, context_.names, index)) {
      c_.at = end;
      return;
    }
    c_.viaText([index](zeb_Text& out) { zeb_writeLabel(out, index); });
  }
  ZEB_INLINE void symbol(int code) { *c_.at++ = zeb_symbolText(code); }
  ZEB_INLINE void string(const unsigned char* bytes, std::size_t length) {
    const char* text = reinterpret_cast<const char*>(bytes);
    if (context_.quotedStrings) {
      c_.at = zeb_writeStringToken(c_.at, text, length, *context_.tokens);
      return;
    }
    c_.viaText([text, length](zeb_Text& out) { zeb_putStringToken(out, text, length); });
  }
  ZEB_INLINE void notToken(int byte, int at) { check_.notToken(byte, at); }

  ZEB_INLINE void startExpression(int index, int at) {
    mark_ = c_.offset();
    if (reporting_) {
      zeb_SkipTokens skip;
      muted_ = !zeb_readTokens(record_, n_, &at, skip);
    }
    if (index > 0) *c_.at++ = ',';
  }
  ZEB_INLINE void endExpression(bool ok) {
    ok_ = ok;
    if (!ok) c_.backTo(mark_);
  }
  ZEB_INLINE void stringOperand(const zeb_StringOperand& s) { string(s.bytes, s.length); }

  // Whether the last expression was read; a failed one wrote nothing.
  bool ok() const { return ok_; }

 private:
  zeb_Cursor& c_;
  const zeb_LineContext& context_;
  Check& check_;
  bool reporting_;
  const unsigned char* record_ = nullptr;
  int n_ = 0;
  std::size_t mark_ = 0;
  bool ok_ = true;
  bool muted_ = false;
};

// Walks an operand that is not written, for the check alone.
template <typename Check>
struct zeb_CheckOperand : zeb_SkipOperand {
  explicit zeb_CheckOperand(Check& c) : check(c) {}
  void label(int index) { check.label(index); }
  void notToken(int byte, int at) { check.notToken(byte, at); }
  void endExpression(bool read) { ok = read; }
  Check& check;
  bool ok = true;
};

// The text of the record of n bytes at `bytes`, under line-table class
// `lineClass`, without a final line break, written through `put` at its
// cursor, which has zeb_lineRoom(context.tab) bytes of room. Compiled into
// its callers: the listing's loop renders every record through it.
template <typename Check>
ZEB_INLINE void zeb_renderRecord(zeb_PutStoredTokens<Check>& put, const unsigned char* bytes,
                                 int n, int lineClass) {
  zeb_Cursor& c = put.cursor();
  const zeb_LineContext& context = put.context();
  Check& check = put.check();
  put.begin(bytes, n);
  const zeb_RecordHead head = zeb_readRecordHead(bytes, n, lineClass);
  if (head.labelRef >= 0) check.label(head.labelRef);
  if (head.type == zeb_TEXT) {
    const int16_t column = head.textColumn;
    const std::string_view text(reinterpret_cast<const char*>(bytes + 1),
                                static_cast<std::size_t>(n - 1));
    if (context.comments) {
      c.at = zeb_writeTextLine(c.at, column, text, *context.comments, *context.tokens);
    } else {
      c.viaText([column, text](zeb_Text& out) { zeb_putTextLine(out, column, text); });
    }
    return;
  }
  const std::size_t start = c.offset();
  int q = head.at;
  bool walked = false;
  switch (head.type) {
    case zeb_ASSIGN:
    case zeb_PC_ASSIGN: {
      // "label = value" and "*= value".
      static constexpr char kAssign[2][4] = {"= ", "*= "};
      const bool pc = head.type == zeb_PC_ASSIGN;
      zeb_writeLabelField(c, context, head.labelRef, start);
      std::memcpy(c.at, kAssign[pc], sizeof kAssign[pc]);
      c.at += pc ? 3 : 2;
      q = zeb_walkOperand(bytes, n, head, put);
      walked = true;
      break;
    }
    case zeb_INSTRUCTION: {
      zeb_writeLabelField(c, context, head.labelRef, start);
      if (head.opcode < 0) break;  // the opcode byte is cut off
      check.opcode(head.opcode);
      // Just before the operand, if any.
      const zeb_InstructionText& text = context.instructions[bytes[head.at - 1]];
      std::memcpy(c.at, text.lead, sizeof text.lead);
      if (head.form == zeb_Operand::none) {
        c.at += text.bare;
        break;
      }
      c.at += 3;
      const std::size_t mark = c.offset();
      c.at += text.before - 3;
      q = zeb_walkOperand(bytes, n, head, put);
      walked = true;
      if (put.ok()) {
        zeb_writeAffix(c, text.after);
      } else {
        c.backTo(mark);
      }
      break;
    }
    case zeb_LABEL_ONLY:
      if (head.labelRef < 0) break;
      if (char* end = zeb_writeLabelAt(c.at, context.names, head.labelRef)) {
        c.at = end;
      } else {
        const int16_t label = head.labelRef;
        c.viaText([label](zeb_Text& text) { zeb_writeLabelDefinition(text, label); });
      }
      break;
    case zeb_PSEUDO: {
      zeb_writeLabelField(c, context, head.labelRef, start);
      // The row of the code that made the line a pseudo-op.
      const zeb_Statement* row = head.pseudo >= 0 ? head.statement : nullptr;
      if (!row) break;
      check.pseudo();
      const zeb_Statement& statement = *row;
      if (statement.literal != zeb_Literal::none) {
        const zeb_StringOperand string = zeb_readStringOperand(bytes, n, head.at);
        q = string.end;
        walked = true;
        const std::string_view text(reinterpret_cast<const char*>(string.bytes), string.length);
        if (context.plainLiterals) {
          zeb_writeDirective(c, statement);
          put.string(string.bytes, string.length);
          break;
        }
        c.viaText([&statement, text](zeb_Text& out) {
          if (zeb_putConvertedLiteral(out, statement, text)) return;
          out.put(statement.text, statement.textLength);
          zeb_putStringToken(out, text.data(), text.size());
        });
        break;
      }
      zeb_writeDirective(c, statement);
      if (statement.operand == zeb_Operand::macroCall) {
        put.name(head.macroRef);
        *c.at++ = ' ';
      }
      q = zeb_walkOperand(bytes, n, head, put);
      walked = true;
      break;
    }
    default:
      if (head.type == zeb_BLANK) check.blank();
      break;
  }
  if (head.ends) return;
  bool ok = put.ok();
  if (!walked && head.form != zeb_Operand::none) {
    zeb_CheckOperand<Check> skip(check);
    q = zeb_walkOperand(bytes, n, head, skip);
    ok = skip.ok;
  }
  if (head.form == zeb_Operand::expression && !ok) check.nullExpression();
  // Most records have none: nothing of a comment is made for them.
  if (!zeb_commentAt(bytes, n, q)) return;
  const zeb_RecordComment comment = zeb_readComment(bytes, n, q);
  if (context.plainComments) {
    c.at = zeb_writePlainComment(c.at, static_cast<int>(c.offset() - start), comment.column,
                                 comment.text);
    return;
  }
  c.viaText([&comment, start](zeb_Text& out) {
    zeb_putComment(out, comment.column, comment.text, start);
  });
}

// The text of a decoded line's record.
inline void zeb_renderStored(zeb_Text& out, const zeb_StoredRecord& record) {
  zeb_NoChecks none;
  const zeb_LineContext context = zeb_lineContext();
  zeb_Cursor c(out);
  c.ensure(zeb_lineRoom(context.tab));
  zeb_PutStoredTokens<zeb_NoChecks> put(c, context, none);
  zeb_renderRecord(put, record.bytes(), record.length(), record.lineClass());
}

#endif  // LORVEX_MODEL_STORED_RENDER_H
