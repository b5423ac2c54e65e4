// A decoded line rendered straight from its stored record: the same text
// the line's parts would write (line_render.cc), without making them.
#ifndef LORVEX_MODEL_STORED_RENDER_H
#define LORVEX_MODEL_STORED_RENDER_H

#include <cstddef>
#include <string_view>

#include "model/label_names.h"
#include "model/line_parts.h"
#include "model/stored_record.h"
#include "model/token_text.h"
#include "model/zeb_text.h"

// Writes each token's text as it is read, through the line's cursor. A
// list's elements are separated by commas; an expression that fails takes
// back what it wrote, as the decoder makes nothing of it. While label
// spans are reported, one that will fail names no label, so that no span
// points at text taken back.
class zeb_PutStoredTokens {
 public:
  ZEB_INLINE zeb_PutStoredTokens(zeb_Cursor& c, const unsigned char* record, int n)
      : c_(c), record_(record), n_(n), reporting_(zeb_reportingLabelSpans()) {}

  ZEB_INLINE void value(int16_t kind, int32_t value) {
    if (char* end = zeb_writeStoredValue(c_.at, kind, value)) {
      c_.at = end;
      return;
    }
    c_.viaText([kind, value](zeb_Text& out) { zeb_putOtherValue(out, kind, value); });
  }
  ZEB_INLINE void label(int index) {
    if (muted_) return;
    if (char* end = zeb_writeLabelAt(c_.at, index)) {
      c_.at = end;
      return;
    }
    c_.viaText([index](zeb_Text& out) { zeb_writeLabel(out, index); });
  }
  ZEB_INLINE void symbol(int code) { *c_.at++ = zeb_symbolText(code); }
  ZEB_INLINE void string(const unsigned char* bytes, std::size_t length) {
    c_.viaText([bytes, length](zeb_Text& out) {
      zeb_putStringToken(out, reinterpret_cast<const char*>(bytes), length);
    });
  }
  void notToken(int, int) {}

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
  const unsigned char* record_;
  int n_;
  bool reporting_;
  std::size_t mark_ = 0;
  bool ok_ = true;
  bool muted_ = false;
};

// The text of the record's line, without a final line break. Compiled
// into its callers: the listing's loop renders every record through it.
ZEB_INLINE void zeb_renderStored(zeb_Text& out, const zeb_StoredRecord& record) {
  const unsigned char* bytes = record.bytes();
  const int n = record.length();
  const zeb_RecordHead head = zeb_readRecordHead(bytes, n, record.lineClass());
  if (head.type == zeb_TEXT) {
    zeb_putTextLine(out, head.textColumn,
                    std::string_view(reinterpret_cast<const char*>(bytes + 1),
                                     static_cast<std::size_t>(n - 1)));
    return;
  }
  const std::size_t start = out.size();
  const int tab = zeb_tabColumn();
  int q = head.at;
  bool walked = false;
  {
    zeb_Cursor c(out, zeb_lineRoom(tab));
    zeb_PutStoredTokens put(c, bytes, n);
    switch (head.type) {
      case zeb_ASSIGN:
        zeb_writeLabelField(c, head.labelRef, start, tab);
        std::memcpy(c.at, "= ", 2);
        c.at += 2;
        q = zeb_walkOperand(bytes, n, head, put);
        walked = true;
        break;
      case zeb_PC_ASSIGN:
        zeb_writeLabelField(c, head.labelRef, start, tab);
        std::memcpy(c.at, "*= ", 3);
        c.at += 3;
        q = zeb_walkOperand(bytes, n, head, put);
        walked = true;
        break;
      case zeb_INSTRUCTION: {
        zeb_writeLabelField(c, head.labelRef, start, tab);
        const zeb_OperandSyntax* syntax = zeb_writeMnemonic(c, head.opcode, head.addressing);
        if (!syntax || head.form == zeb_Operand::none) {
          if (syntax && !syntax->takesExpression) zeb_writeAffix(c, syntax->before);
          break;
        }
        const std::size_t mark = c.offset();
        zeb_writeAffix(c, syntax->before);
        q = zeb_walkOperand(bytes, n, head, put);
        walked = true;
        if (put.ok()) {
          zeb_writeAffix(c, syntax->after);
        } else {
          c.backTo(mark);
        }
        break;
      }
      case zeb_LABEL_ONLY:
        if (head.labelRef < 0) break;
        if (char* end = zeb_writeLabelAt(c.at, head.labelRef)) {
          c.at = end;
        } else {
          c.viaText([&head](zeb_Text& text) { zeb_writeLabelDefinition(text, head.labelRef); });
        }
        break;
      case zeb_PSEUDO: {
        zeb_writeLabelField(c, head.labelRef, start, tab);
        const zeb_Statement* row = zeb_statement(head.pseudo);
        if (!row) break;
        const zeb_Statement& statement = *row;
        if (statement.literal != zeb_Literal::none) {
          const zeb_StringOperand string = zeb_readStringOperand(bytes, n, head.at);
          q = string.end;
          walked = true;
          const std::string_view text(reinterpret_cast<const char*>(string.bytes), string.length);
          c.viaText([&](zeb_Text& text_) {
            if (zeb_putConvertedLiteral(text_, statement, text)) return;
            text_.put(statement.text, statement.textLength);
            zeb_putStringToken(text_, text.data(), text.size());
          });
          break;
        }
        zeb_writeDirective(c, statement);
        if (statement.operand == zeb_Operand::macroCall) {
          put.label(head.macroRef);
          *c.at++ = ' ';
        }
        q = zeb_walkOperand(bytes, n, head, put);
        walked = true;
        break;
      }
      default:
        break;
    }
  }
  if (head.ends) return;
  if (!walked && head.form != zeb_Operand::none) {
    zeb_SkipOperand skip;
    q = zeb_walkOperand(bytes, n, head, skip);
  }
  const zeb_RecordComment comment = zeb_readComment(bytes, n, q);
  if (comment.column != -1) zeb_putComment(out, comment.column, comment.text, start);
}

#endif  // LORVEX_MODEL_STORED_RENDER_H
