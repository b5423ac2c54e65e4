// The three ways a line keeps what it holds: in the word of a bare line, in
// a detail record of its own (built by hand), or in its record as the image
// stores it (decoded).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/stored_record.h"
#include "model/zeb_line.h"
#include "support/kio_arena.h"
#include "testlib/global_state.h"

namespace {

class LineStorageTest : public ::testing::Test {
 private:
  lorvex_test::GlobalStateGuard guard{{"loop"}};
};

const zeb_Expression* hexIn(kio_Arena& arena, int32_t value) {
  const zeb_ExpressionToken* token = arena.make<zeb_ExpressionValue>(zeb_HEX, value);
  return zeb_Expression::makeIn(arena, &token, 1);
}

// The number and kind survive in the word and when a detail takes over.
TEST_F(LineStorageTest, NumberAndKindKeptEitherWay) {
  const struct {
    int number;
    int16_t kind;
  } cases[] = {{1, zeb_BLANK}, {2, zeb_TEXT_BREAK}, {40000, zeb_INSTRUCTION},
               {65536, zeb_PSEUDO}, {65536, -1}, {7, 32767}};
  for (const auto& c : cases) {
    zeb_Line line(c.number);
    line.setType(c.kind);
    EXPECT_EQ(line.getLineNumber(), c.number);
    EXPECT_EQ(line.getType(), c.kind);
    EXPECT_EQ(line.isBare(), c.kind == zeb_BLANK) << c.number;
    line.setLabelRef(0);
    EXPECT_FALSE(line.isBare());
    EXPECT_EQ(line.getLineNumber(), c.number);
    EXPECT_EQ(line.getType(), c.kind);
    EXPECT_EQ(line.getLabelRef(), 0);
  }
}

// A decoded line reads its record from the store's own copy of the text;
// its expression objects are made once, when first asked for; a change by
// hand gives the line a detail of its own and leaves the record as it was.
TEST_F(LineStorageTest, StoredLineReadsItsRecordFromTheStore) {
  unsigned char text[] = {0xA9, 0x28, 0x10, 0x94, 'H', 'I'};  // lda #$10, comment at 20
  zeb_RecordStore store;
  store.keep(text, sizeof text);
  store.reserve(2);
  zeb_Line line(store.add(0, 12, 0x80 | sizeof text));
  const zeb_Line twin(store.add(0, 13, 0x80 | sizeof text));
  text[4] = 'X';
  EXPECT_EQ(line.getLineNumber(), 12);
  EXPECT_EQ(line.getComment(), "HI");
  EXPECT_EQ(line.toString(), "         lda #$10   ;hi");
  const zeb_Expression* operand = line.getExpression();
  ASSERT_NE(operand, nullptr);
  EXPECT_EQ(operand->toString(), "$10");
  EXPECT_EQ(line.getExpression(), operand);
  line.setLabelRef(0);
  EXPECT_EQ(line.toString(), "loop     lda #$10   ;hi");
  EXPECT_EQ(twin.toString(), "         lda #$10   ;hi");
}

// The parts read at once are what the accessors read one by one, in each
// of the three ways a line keeps them.
TEST_F(LineStorageTest, PartsAgreeWithTheAccessors) {
  const unsigned char text[] = {0xA9, 0x28, 0x10, 0x94, 'H', 'I'};  // lda #$10, comment at 20
  zeb_RecordStore store;
  store.keep(text, sizeof text);
  store.reserve(1);
  const zeb_Line stored(store.add(0, 12, 0x80 | sizeof text));
  zeb_Line bare(3);
  bare.setType(zeb_TEXT_BREAK);
  zeb_Line own(4);
  own.setType(zeb_PSEUDO);
  own.setPseudo(3);
  own.setLabelRef(0);
  own.setComment("NOTE", 30);
  for (const zeb_Line* line : {&stored, static_cast<const zeb_Line*>(&bare),
                               static_cast<const zeb_Line*>(&own)}) {
    const zeb_Line::Parts parts = line->parts();
    EXPECT_EQ(parts.type, line->getType());
    EXPECT_EQ(parts.labelRef, line->getLabelRef());
    EXPECT_EQ(parts.pseudo, line->getPseudo());
    EXPECT_EQ(parts.macroRef, line->getMacroRef());
    EXPECT_EQ(parts.opcode, line->getOpcode());
    EXPECT_EQ(parts.addressing, line->getAddressing());
    EXPECT_EQ(parts.commentColumn, line->getCommentColumn());
    EXPECT_EQ(parts.comment, line->getComment());
  }
  EXPECT_EQ(stored.parts().comment, "HI");
  EXPECT_EQ(bare.parts().type, zeb_TEXT_BREAK);
}

// Lines built by hand move with what they own; the leak checker of the
// sanitizer build sees anything replaced and not freed.
TEST_F(LineStorageTest, HandBuiltLinesMoveAndReplaceWhatTheyOwn) {
  std::vector<zeb_Line> lines;
  for (int i = 1; i <= 40; ++i) {
    zeb_Line line(i);
    line.setType(zeb_ASSIGN);
    line.setComment("OLD", 0);
    line.setComment("C" + std::to_string(i), 30);
    auto expression = std::make_unique<zeb_Expression>();
    expression->addToken(std::make_unique<zeb_ExpressionValue>(zeb_DECIMAL, 0));
    line.setExpression(std::move(expression));
    expression = std::make_unique<zeb_Expression>();
    expression->addToken(std::make_unique<zeb_ExpressionValue>(zeb_DECIMAL, i));
    line.setExpression(std::move(expression));
    lines.push_back(std::move(line));
    EXPECT_TRUE(line.isBare());
    EXPECT_EQ(line.getLineNumber(), i);
  }
  EXPECT_EQ(lines[39].getLineNumber(), 40);
  EXPECT_EQ(lines[39].toString(), std::string(9, ' ') + "= 40" + std::string(17, ' ') + ";c40");
  zeb_Line taken(99);
  taken = std::move(lines[0]);
  EXPECT_EQ(taken.getLineNumber(), 1);
  EXPECT_EQ(taken.getComment(), "C1");
}

TEST_F(LineStorageTest, ArenaExpressionsOfAnySize) {
  kio_Arena arena;
  const zeb_ExpressionToken* tokens[] = {
      arena.make<zeb_ExpressionSymbol>(int16_t{0x45}), arena.make<zeb_ExpressionLabel>(int16_t{0}),
      arena.make<zeb_ExpressionSymbol>(int16_t{0x40}),
      arena.make<zeb_ExpressionValue>(zeb_DECIMAL, 1)};
  const struct {
    std::size_t count;
    const char* text;
  } cases[] = {{0, ""}, {1, "<"}, {2, "<loop"}, {4, "<loop+1"}};
  for (const auto& c : cases) {
    const zeb_Expression* expression = zeb_Expression::makeIn(arena, tokens, c.count);
    ASSERT_EQ(expression->numberOfTokens(), c.count);
    for (std::size_t i = 0; i < c.count; ++i) EXPECT_EQ(expression->tokenAt(i), tokens[i]);
    EXPECT_EQ(expression->toString(), c.text);
  }
  const zeb_Expression* elements[] = {hexIn(arena, 1), hexIn(arena, 0x1234)};
  EXPECT_EQ(zeb_ExpressionList::makeIn(arena, elements, 2)->toString(), "$01,$1234");
  EXPECT_EQ(zeb_ExpressionList::makeIn(arena, elements, 0)->toString(), "");
  const unsigned char raw[] = {'A', 0x0D};
  EXPECT_EQ(zeb_ExpressionString::makeIn(arena, raw, 2)->getText(), "A\r");
}

}  // namespace
