#include "model/stored_record.h"

#include <optional>

#include "model/expression_builder.h"
#include "model/zeb_line.h"

void zeb_RecordStore::keep(const unsigned char* text, int length) {
  own_.assign(text, text + (length > 0 ? length : 0));
  text_ = own_.data();
  length_ = own_.size();
}

void zeb_RecordStore::refer(const unsigned char* text, int length) {
  own_.clear();
  text_ = text;
  length_ = length > 0 ? static_cast<std::size_t>(length) : 0;
}

void zeb_RecordStore::reserve(std::size_t records) {
  records_.reset(new zeb_StoredRecord[records]);
  count_ = 0;
  capacity_ = records;
}

void zeb_RecordStore::grow() {
  const std::size_t larger = capacity_ == 0 ? 16 : capacity_ * 2;
  std::unique_ptr<zeb_StoredRecord[]> moved(new zeb_StoredRecord[larger]);
  for (std::size_t i = 0; i < count_; ++i) moved[i] = records_[i];
  records_ = std::move(moved);
  capacity_ = larger;
}

namespace {

// A lazily made expression reports nothing: the decoder already did.
struct Quietly {
  void label(int) {}
  void notToken(int, int) {}
};

// Makes the operand's objects while it is walked.
class BuildOperand {
 public:
  explicit BuildOperand(kio_Arena& arena) : arena_(arena), elements_(arena) {}

  void value(int16_t kind, int32_t value) { build_->value(kind, value); }
  void label(int index) { build_->label(index); }
  void symbol(int code) { build_->symbol(code); }
  void string(const unsigned char* bytes, std::size_t length) { build_->string(bytes, length); }
  void notToken(int byte, int at) { build_->notToken(byte, at); }

  void startExpression(int, int) { build_.emplace(arena_, quiet_); }
  void endExpression(bool ok) {
    last_ = ok ? build_->expression() : nullptr;
    if (ok) elements_.add(last_);
    build_.reset();
  }
  void stringOperand(const zeb_StringOperand& string) {
    const zeb_ExpressionToken* token =
        zeb_ExpressionString::makeIn(arena_, string.bytes, string.length);
    last_ = zeb_Expression::makeIn(arena_, &token, 1);
  }

  const zeb_Expression* result(zeb_Operand form) const {
    if (form == zeb_Operand::list || form == zeb_Operand::macroCall) {
      const zeb_ExpressionToken* list =
          zeb_ExpressionList::makeIn(arena_, elements_.parts(), elements_.size());
      return zeb_Expression::makeIn(arena_, &list, 1);
    }
    return last_;
  }

 private:
  kio_Arena& arena_;
  Quietly quiet_;
  std::optional<zeb_BuildTokens<Quietly>> build_;
  zeb_PartRun<zeb_Expression> elements_;
  const zeb_Expression* last_ = nullptr;
};

}  // namespace

const zeb_Expression* zeb_RecordStore::expressionOf(const zeb_StoredRecord& record) const {
  const std::size_t index = static_cast<std::size_t>(&record - records_.get());
  if (made_.empty()) {
    made_.assign(count_, 0);
    expressions_.assign(count_, nullptr);
  }
  if (!made_[index]) {
    const unsigned char* bytes = record.bytes();
    const int n = record.length();
    const zeb_RecordHead head = zeb_readRecordHead(bytes, n, record.lineClass());
    if (head.form != zeb_Operand::none && !head.ends) {
      BuildOperand build(arena_);
      zeb_walkOperand(bytes, n, head, build);
      expressions_[index] = build.result(head.form);
    }
    made_[index] = 1;
  }
  return expressions_[index];
}
