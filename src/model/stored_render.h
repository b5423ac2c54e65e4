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

// Puts each token's text as it is read. A list's elements are separated
// by commas; an expression that fails takes back what it put, as the
// decoder makes nothing of it. While label spans are reported, one that
// will fail names no label, so that no span points at text taken back.
class zeb_PutStoredTokens {
 public:
  zeb_PutStoredTokens(zeb_Text& out, const unsigned char* record, int n)
      : out_(out), record_(record), n_(n), reporting_(zeb_reportingLabelSpans()) {}

  void value(int16_t kind, int32_t value) { zeb_putValue(out_, kind, value); }
  void label(int index) {
    if (!muted_) zeb_writeLabel(out_, index);
  }
  void symbol(int code) { zeb_putSymbol(out_, code); }
  void string(const unsigned char* bytes, std::size_t length) {
    zeb_putStringToken(out_, reinterpret_cast<const char*>(bytes), length);
  }
  void notToken(int, int) {}

  void startExpression(int index, int at) {
    mark_ = out_.size();
    if (reporting_) {
      zeb_SkipTokens skip;
      muted_ = !zeb_readTokens(record_, n_, &at, skip);
    }
    if (index > 0) out_.put(',');
  }
  void endExpression(bool ok) {
    ok_ = ok;
    if (!ok) out_.truncate(mark_);
  }
  void stringOperand(const zeb_StringOperand& s) { string(s.bytes, s.length); }

  // Whether the last expression was read; a failed one wrote nothing.
  bool ok() const { return ok_; }

 private:
  zeb_Text& out_;
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
  const std::size_t start = out.size();
  zeb_PutStoredTokens put(out, bytes, n);
  int q = head.at;
  bool walked = false;
  switch (head.type) {
    case zeb_ASSIGN:
      zeb_putLabelField(out, head.labelRef, start, zeb_tabColumn());
      out.put("= ", 2);
      q = zeb_walkOperand(bytes, n, head, put);
      walked = true;
      break;
    case zeb_PC_ASSIGN:
      zeb_putLabelField(out, head.labelRef, start, zeb_tabColumn());
      out.put("*= ", 3);
      q = zeb_walkOperand(bytes, n, head, put);
      walked = true;
      break;
    case zeb_INSTRUCTION: {
      zeb_putLabelField(out, head.labelRef, start, zeb_tabColumn());
      const zeb_OperandSyntax* syntax = zeb_putMnemonic(out, head.opcode, head.addressing);
      if (!syntax || head.form == zeb_Operand::none) {
        if (syntax && !syntax->takesExpression) zeb_putAffix(out, syntax->before);
        break;
      }
      const std::size_t mark = out.size();
      zeb_putAffix(out, syntax->before);
      q = zeb_walkOperand(bytes, n, head, put);
      walked = true;
      if (put.ok()) {
        zeb_putAffix(out, syntax->after);
      } else {
        out.truncate(mark);
      }
      break;
    }
    case zeb_LABEL_ONLY:
      if (head.labelRef >= 0) zeb_writeLabelDefinition(out, head.labelRef);
      break;
    case zeb_PSEUDO: {
      zeb_putLabelField(out, head.labelRef, start, zeb_tabColumn());
      const zeb_Statement* row = zeb_statement(head.pseudo);
      if (!row) break;
      const zeb_Statement& statement = *row;
      if (statement.literal != zeb_Literal::none) {
        const zeb_StringOperand string = zeb_readStringOperand(bytes, n, head.at);
        q = string.end;
        walked = true;
        const std::string_view text(reinterpret_cast<const char*>(string.bytes), string.length);
        if (zeb_putConvertedLiteral(out, statement, text)) break;
        out.put(statement.text, statement.textLength);
        put.stringOperand(string);
        break;
      }
      out.put(statement.text, statement.textLength);
      if (statement.operand == zeb_Operand::macroCall) {
        zeb_writeLabel(out, head.macroRef);
        out.put(' ');
      }
      q = zeb_walkOperand(bytes, n, head, put);
      walked = true;
      break;
    }
    case zeb_TEXT:
      zeb_putTextLine(out, head.textColumn,
                      std::string_view(reinterpret_cast<const char*>(bytes + 1),
                                       static_cast<std::size_t>(n - 1)));
      return;
    default:
      break;
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
