// The two ways a line keeps what it holds: in the word of a bare line, and
// in a detail record that is the line's own (built by hand) or lies in an
// arena (decoded).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

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

TEST_F(LineStorageTest, DecodedLineCopiesTheCommentIntoTheArena) {
  kio_Arena arena;
  unsigned char bytes[] = {'H', 'I'};
  zeb_DecodedRecord record;
  record.type = zeb_INSTRUCTION;
  record.labelRef = 0;
  record.opcode = 29;  // lda
  record.addressing = zeb_IMMEDIATE;
  record.comment = bytes;
  record.commentLength = sizeof bytes;
  record.commentColumn = 20;
  record.operandRead = true;
  record.expression = hexIn(arena, 0x10);
  zeb_Line line(12);
  line.setDecoded(arena, record);
  bytes[0] = 'X';
  EXPECT_EQ(line.getLineNumber(), 12);
  EXPECT_EQ(line.getComment(), "HI");
  EXPECT_EQ(line.toString(), "loop     lda #$10   ;hi");  // the comment at column 20
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
