// What a stored record's head says, where its comment step starts, and how
// a stored line renders what the decoder would have made nothing of.
#include "model/stored_record.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "model/label_names.h"
#include "model/zeb_line.h"
#include "testlib/global_state.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr int kOther = 0x00;
constexpr int kInstr = zeb_CLASS_INSTRUCTION;
constexpr int kLabelled = zeb_CLASS_WITH_LABEL;

struct HeadCase {
  const char* what;
  int lineClass;
  Bytes record;
  int16_t type;
  int16_t labelRef;
  int16_t pseudo;
  zeb_Operand form;
  int at;
  bool ends;
  int commentAt;  // where the comment step starts after the operand
};

TEST(StoredRecord, HeadAndCommentPosition) {
  using Op = zeb_Operand;
  const HeadCase cases[] = {
      {"lda #$10 ;A",
       kInstr,
       {0xA9, 0x28, 0x10, 0x80, 0x41},
       zeb_INSTRUCTION,
       -1,
       -1,
       Op::expression,
       1,
       false,
       3},
      {"labelled inx ;A",
       kLabelled,
       {0x30, 0x05, 0xE8, 0x81, 0x41},
       zeb_INSTRUCTION,
       5,
       -1,
       Op::none,
       3,
       false,
       3},
      {"opcode is the last byte", kInstr, {0xA9}, zeb_INSTRUCTION, -1, -1, Op::none, 1, false, 1},
      {"label cut off", kLabelled, {0x30}, zeb_INSTRUCTION, -1, -1, Op::none, 0, true, 0},
      {"text line", kOther, {0x45, 0x41}, zeb_TEXT, -1, -1, Op::none, 0, true, 0},
      {"label, statement 0",
       kOther,
       {0x32, 0x0A, 0x00, 0x80},
       zeb_LABEL_ONLY,
       522,
       -1,
       Op::none,
       2,
       true,
       2},
      {".byte list then a comment",
       kOther,
       {0x03, 0x2A, 0x01, 0x8C, 0x41},
       zeb_PSEUDO,
       -1,
       3,
       Op::list,
       1,
       false,
       3},
      {"statement byte 32 and up",
       kOther,
       {0x32, 0x0A, 0x40},
       zeb_LABEL_ONLY,
       522,
       -1,
       Op::none,
       2,
       false,
       2},
      {"comment only", kOther, {0x8C, 0x41}, zeb_BLANK, -1, -1, Op::none, 0, false, 0},
      {"macro call",
       kOther,
       {0x09, 0x30, 0x02, 0x2A, 0x07},
       zeb_PSEUDO,
       -1,
       9,
       Op::macroCall,
       3,
       false,
       5},
      {"macro name cut off", kOther, {0x09, 0x30}, zeb_PSEUDO, -1, 9, Op::none, 0, true, 0},
      {"string cut short", kOther, {0x02, 0x05, 0x41}, zeb_PSEUDO, -1, 2, Op::string, 1, false, 3},
      {"expression stops at no token",
       kOther,
       {0x01, 0x22, 0x07, 0x37, 0x80},
       zeb_PSEUDO,
       -1,
       1,
       Op::expression,
       1,
       false,
       3},
  };
  for (const HeadCase& c : cases) {
    const int n = static_cast<int>(c.record.size());
    const zeb_RecordHead head = zeb_readRecordHead(c.record.data(), n, c.lineClass);
    EXPECT_EQ(head.type, c.type) << c.what;
    EXPECT_EQ(head.labelRef, c.labelRef) << c.what;
    EXPECT_EQ(head.pseudo, c.pseudo) << c.what;
    EXPECT_EQ(head.form, c.form) << c.what;
    EXPECT_EQ(head.at, c.at) << c.what;
    EXPECT_EQ(head.ends, c.ends) << c.what;
    zeb_SkipOperand skip;
    EXPECT_EQ(zeb_walkOperand(c.record.data(), n, head, skip), c.commentAt) << c.what;
  }
}

// Records the label spans it is told of.
class Spans : public zeb_LabelSpanSink {
 public:
  void labelSpan(const zeb_Text&, std::size_t at, std::size_t length, int32_t index,
                 bool definition) override {
    seen.push_back(std::to_string(at) + "+" + std::to_string(length) + " " + std::to_string(index) +
                   (definition ? " def" : ""));
  }
  std::vector<std::string> seen;
};

struct RenderCase {
  const char* what;
  int lineClass;
  Bytes record;
  const char* text;
  std::vector<std::string> spans;
};

// An operand that fails is taken back whole, and while spans are reported
// names no label on the way.
TEST(StoredRecord, FailedOperandsLeaveNoTextAndNoSpan) {
  lorvex_test::GlobalStateGuard guard({"loop", "next"});
  const RenderCase cases[] = {
      {"list element with a label, then no token",
       kOther,
       {0x03, 0x28, 0x01, 0x31, 0x00, 0x40, 0x37},
       "         .byte $01",
       {}},
      {"instruction operand cut off after a label",
       kLabelled,
       {0x30, 0x01, 0xAD, 0x30, 0x00},
       "next     lda",
       {"0+4 1 def"}},
      {"a list that reads",
       kOther,
       {0x04, 0x30, 0x00, 0x40, 0x28, 0x01, 0x38, 0x01},
       "         .word loop+$01,next",
       {"15+4 0", "24+4 1"}},
  };
  for (const RenderCase& c : cases) {
    zeb_RecordStore store;
    store.keep(c.record.data(), static_cast<int>(c.record.size()));
    store.reserve(1);
    const zeb_Line line(store.add(0, 1, static_cast<unsigned char>(c.lineClass | c.record.size())));
    Spans spans;
    zeb_setLabelSpanSink(&spans);
    const std::string text = line.toString();
    zeb_setLabelSpanSink(nullptr);
    EXPECT_EQ(text, c.text) << c.what;
    EXPECT_EQ(spans.seen, c.spans) << c.what;
  }
}

}  // namespace
