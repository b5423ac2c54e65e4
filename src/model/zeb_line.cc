#include "model/zeb_line.h"

#include <cstring>
#include <new>

#include "model/decode_warnings.h"
#include "model/p6502_tables.h"
#include "support/kio_arena.h"

const zeb_Line::Detail zeb_Line::kNoDetail;

static_assert(sizeof(zeb_Line) == sizeof(uint64_t), "a line is one word");

zeb_Line::zeb_Line(zeb_Line&& other) noexcept : word(other.word) {
  other.word = bareWord(getLineNumber(), zeb_BLANK);
}

zeb_Line& zeb_Line::operator=(zeb_Line&& other) noexcept {
  if (this != &other) {
    release();
    word = other.word;
    other.word = bareWord(getLineNumber(), zeb_BLANK);
  }
  return *this;
}

void zeb_Line::setType(int16_t kind) {
  if (bare()) {
    word = bareWord(getLineNumber(), kind);
  } else {
    detailRecord()->type = kind;
  }
}

zeb_Line::Detail* zeb_Line::adopt(Detail* fresh, uint8_t owns) {
  static_assert(alignof(Detail) >= 2, "a detail's address leaves bit 0 of the word clear");
  fresh->lineNumber = getLineNumber();
  fresh->type = bareKind();
  fresh->owns = owns;
  word = static_cast<uint64_t>(reinterpret_cast<std::uintptr_t>(fresh));
  return fresh;
}

zeb_Line::Detail& zeb_Line::detail() {
  if (bare()) return *adopt(new Detail, kOwnsDetail);
  return *detailRecord();
}

void zeb_Line::dropComment(Detail& d) {
  if (d.owns & kOwnsComment) delete[] d.comment;
  d.owns = static_cast<uint8_t>(d.owns & ~kOwnsComment);
  d.comment = "";
  d.commentLength = 0;
}

void zeb_Line::dropExpression(Detail& d) {
  if (d.owns & kOwnsExpression) delete d.expression;
  d.owns = static_cast<uint8_t>(d.owns & ~kOwnsExpression);
  d.expression = nullptr;
}

void zeb_Line::release() {
  if (bare()) return;
  Detail* d = detailRecord();
  if (d->owns == 0) return;
  dropComment(*d);
  dropExpression(*d);
  if (d->owns & kOwnsDetail) delete d;
}

void zeb_Line::setOpcodeReal(int16_t opcodeByte) {
  // The byte may arrive sign-extended; only its low eight bits name it.
  const p6502_Decoded decoded = p6502_decode(static_cast<unsigned char>(opcodeByte & 0xFF));
  Detail& d = detail();
  d.opcode = decoded.opcode;
  d.addressing = decoded.addressing;
}

void zeb_Line::setExpression(std::unique_ptr<zeb_Expression> expr) {
  if (!expr) zeb_warnings().nullExpression(getLineNumber());
  Detail& d = detail();
  dropExpression(d);
  d.expression = expr.release();
  if (d.expression) d.owns |= kOwnsExpression;
}

void zeb_Line::setComment(const std::string& text, int16_t column) {
  Detail& d = detail();
  dropComment(d);
  if (!text.empty()) {
    char* copy = new char[text.size()];
    std::memcpy(copy, text.data(), text.size());
    d.comment = copy;
    d.commentLength = static_cast<uint32_t>(text.size());
    d.owns |= kOwnsComment;
  }
  d.commentColumn = column;
}

void zeb_Line::setDecoded(kio_Arena& arena, const zeb_DecodedRecord& record) {
  if (record.operandRead && !record.expression) zeb_warnings().nullExpression(getLineNumber());
  Detail* d = arena.make<Detail>();
  d->lineNumber = getLineNumber();
  d->type = record.type;
  d->labelRef = record.labelRef;
  d->pseudo = record.pseudo;
  d->macroRef = record.macroRef;
  d->opcode = record.opcode;
  d->addressing = record.addressing;
  d->commentColumn = record.commentColumn;
  d->expression = record.expression;
  if (record.commentLength > 0) {
    d->comment = arena.copy(record.comment, record.commentLength);
    d->commentLength = static_cast<uint32_t>(record.commentLength);
  }
  release();
  word = static_cast<uint64_t>(reinterpret_cast<std::uintptr_t>(d));
}
