#include "model/zeb_line.h"

#include <cstring>
#include <new>

#include "model/decode_warnings.h"
#include "model/p6502_tables.h"
#include "model/stored_record.h"

const zeb_Line::Detail zeb_Line::kNoDetail;

static_assert(sizeof(zeb_Line) == sizeof(uint64_t), "a line is one word");

static_assert(alignof(zeb_StoredRecord) >= 4, "a stored record's address leaves bits 0-1 clear");

int zeb_Line::getLineNumber() const {
  if (bare()) return static_cast<int>(static_cast<uint32_t>(word >> kNumberShift));
  return stored() ? storedRecord()->lineNumber() : detailRecord()->lineNumber;
}

int16_t zeb_Line::getType() const {
  if (bare()) return bareKind();
  if (stored()) {
    const zeb_StoredRecord& r = *storedRecord();
    return zeb_readRecordHead(r.bytes(), r.length(), r.lineClass()).type;
  }
  return detailRecord()->type;
}

zeb_Line::Detail zeb_Line::view() const {
  if (bare()) return kNoDetail;
  if (stored()) return readStored(*storedRecord());
  return *detailRecord();
}

zeb_Line::Parts zeb_Line::parts() const {
  const Detail d = view();
  return Parts{bare() ? bareKind() : d.type,
               d.labelRef,
               d.pseudo,
               d.macroRef,
               d.opcode,
               d.addressing,
               d.commentColumn,
               std::string_view(d.comment, d.commentLength)};
}

// A stored line's accessors read only the record's head; what they leave
// unused of it is not worked out.
#define ZEB_HEAD_FIELD(type, name, field)                                                    \
  type zeb_Line::name() const {                                                            \
    if (bare()) return kNoDetail.field;                                                    \
    if (!stored()) return detailRecord()->field;                                           \
    const zeb_StoredRecord& record = *storedRecord();                                      \
    return zeb_readRecordHead(record.bytes(), record.length(), record.lineClass()).field; \
  }

ZEB_HEAD_FIELD(int16_t, getLabelRef, labelRef)
ZEB_HEAD_FIELD(int16_t, getMacroRef, macroRef)
ZEB_HEAD_FIELD(int16_t, getPseudo, pseudo)
ZEB_HEAD_FIELD(int16_t, getOpcode, opcode)
ZEB_HEAD_FIELD(int16_t, getAddressing, addressing)

#undef ZEB_HEAD_FIELD

zeb_Line::Detail zeb_Line::headOf(const zeb_RecordHead& head) {
  Detail d;
  d.type = head.type;
  d.labelRef = head.labelRef;
  d.pseudo = head.pseudo;
  d.macroRef = head.macroRef;
  d.opcode = head.opcode;
  d.addressing = head.addressing;
  return d;
}

zeb_Line::Detail zeb_Line::readStored(const zeb_StoredRecord& record) {
  const unsigned char* bytes = record.bytes();
  const int n = record.length();
  const zeb_RecordHead head = zeb_readRecordHead(bytes, n, record.lineClass());
  Detail d = headOf(head);
  d.lineNumber = record.lineNumber();
  if (head.textColumn != -1) {
    d.comment = reinterpret_cast<const char*>(bytes + 1);
    d.commentLength = static_cast<uint32_t>(n - 1);
    d.commentColumn = head.textColumn;
  } else if (!head.ends) {
    zeb_SkipOperand skip;
    const int end = zeb_walkOperand(bytes, n, head, skip);
    const zeb_RecordComment comment = zeb_readComment(bytes, n, end);
    if (comment.column != -1) {
      d.comment = comment.text.data();
      d.commentLength = static_cast<uint32_t>(comment.text.size());
      d.commentColumn = comment.column;
    }
  }
  return d;
}

const zeb_Expression* zeb_Line::getExpression() const {
  if (bare()) return nullptr;
  if (stored()) {
    const zeb_StoredRecord& r = *storedRecord();
    return r.store->expressionOf(r);
  }
  return detailRecord()->expression;
}

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
    detail().type = kind;
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
  if (stored()) {
    // Changed by hand: the line takes a detail of its own, which still
    // points into the store for its comment and expression.
    auto* own = new Detail(readStored(*storedRecord()));
    own->expression = getExpression();
    own->owns = kOwnsDetail;
    word = static_cast<uint64_t>(reinterpret_cast<std::uintptr_t>(own));
    return *own;
  }
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
  if (bare() || stored()) return;
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
