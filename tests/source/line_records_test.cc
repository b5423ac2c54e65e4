#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "source/decode_helpers.h"
#include "source/token_dump.h"
#include "testlib/stream_capture.h"

using namespace lorvex_test;

namespace {

// Captures standard error while an image decodes.
struct Captured {
  std::unique_ptr<zeb_Source> source;
  std::string err;
};

Captured decodeCapturingErr(std::vector<Record> lines, std::vector<std::string> labels = {}) {
  StreamCapture err(std::cerr);
  auto source = decodeLines(std::move(lines), std::move(labels));
  return {std::move(source), err.text()};
}

std::vector<std::string> names(int count) {
  std::vector<std::string> out;
  for (int i = 0; i < count; ++i) out.push_back("l" + std::to_string(i));
  return out;
}

}  // namespace

TEST_F(DecoderTest, InstructionWithoutLabel) {
  auto source = decodeLines({rawRecord(0x83, {0xA9, 0x28, 0x10})});
  const zeb_Line* line = source->lineAt(0);
  EXPECT_EQ(line->getType(), zeb_INSTRUCTION);
  EXPECT_EQ(line->getOpcode(), 29);  // lda
  EXPECT_EQ(line->getAddressing(), zeb_IMMEDIATE);
  EXPECT_EQ(line->getLabelRef(), -1);
  EXPECT_EQ(dump(line->getExpression()), "hex:16");
  EXPECT_EQ(line->getCommentColumn(), -1);
  EXPECT_EQ(line->getLineNumber(), 1);
}

TEST_F(DecoderTest, LabelledByteListWithComment) {
  auto source = decodeLines({rawRecord(0x07, {0x32, 0x0A, 0x03, 0x2A, 0x01, 0x8C, 0x41})},
                            names(600));
  const zeb_Line* line = source->lineAt(0);
  EXPECT_EQ(line->getType(), zeb_PSEUDO);
  EXPECT_EQ(line->getLabelRef(), 522);
  EXPECT_TRUE(source->isLabelUsed(522));
  EXPECT_EQ(line->getPseudo(), 3);
  EXPECT_EQ(dump(line->getExpression()), "list(dec:1)");
  EXPECT_EQ(line->getCommentColumn(), 12);
  EXPECT_EQ(line->getComment(), "A");
}

TEST_F(DecoderTest, EveryStatementCodeGetsItsKindAndOperand) {
  const Bytes expr = hex8(1);
  const struct {
    int code;
    Bytes operand;
    int kind;
    int pseudo;
    const char* tokens;
  } cases[] = {
      {1, expr, zeb_PSEUDO, 1, "hex:1"},
      {2, stringOperand("AB"), zeb_PSEUDO, 2, "str:AB"},
      {3, cat({dec8(1), dec8(2)}), zeb_PSEUDO, 3, "list(dec:1|dec:2)"},
      {4, hex16(0x1234), zeb_PSEUDO, 4, "list(hex:4660)"},
      {5, expr, zeb_ASSIGN, -1, "hex:1"},
      {6, hex16(0xC000), zeb_PC_ASSIGN, -1, "hex:49152"},
      {7, {}, zeb_PSEUDO, 7, "null"},
      {8, {}, zeb_PSEUDO, 8, "null"},
      {9, macroOperand(0, cat({dec8(1), dec8(2)})), zeb_PSEUDO, 9, "list(dec:1|dec:2)"},
      {10, expr, zeb_PSEUDO, 10, "hex:1"},
      {16, stringOperand("F"), zeb_PSEUDO, 16, "str:F"},
      {23, stringOperand(""), zeb_PSEUDO, 23, "str:"},
      {28, {}, zeb_PSEUDO, 28, "list()"},
      {29, stringOperand("Z"), zeb_PSEUDO, 29, "str:Z"},
      {30, {}, zeb_PSEUDO, 30, "null"},
      {31, label(0), zeb_PSEUDO, 31, "label:0"},
  };
  for (const auto& c : cases) {
    auto source = decodeLines({statement(c.code, c.operand, -1, comment(20, "X"))}, {"m"});
    const zeb_Line* line = source->lineAt(0);
    EXPECT_EQ(line->getType(), c.kind) << c.code;
    EXPECT_EQ(line->getPseudo(), c.pseudo) << c.code;
    EXPECT_EQ(dump(line->getExpression()), c.tokens) << c.code;
    EXPECT_EQ(line->getComment(), "X") << c.code;
    EXPECT_EQ(line->getCommentColumn(), 20) << c.code;
  }
}

TEST_F(DecoderTest, MacroCallNamesItsMacroWithoutMarkingIt) {
  auto source = decodeLines({statement(9, macroOperand(1, dec8(7)))}, {"a", "print"});
  EXPECT_EQ(source->lineAt(0)->getMacroRef(), 1);
  EXPECT_FALSE(source->isLabelUsed(1));
}

TEST_F(DecoderTest, RecordShapes) {
  auto source = decodeLines(
      {
          emptyLine(),
          commentLine(5, "HI"),
          labelLine(0),
          rawRecord(0x05, cat({labelRef(1), {0x00, 0x85, 0x41}})),  // statement 0: rest ignored
          rawRecord(0x03, {0x33, 0x00, 0x20}),                      // $B0-$BF is a label
          textLine(2, "\"AB\" C"),
          rawRecord(0x03, {0xC5, 'A', 'B'}),                        // read as a text line
          rawRecord(0x02, {0x25, 0x85}),                            // $20-$7F ends the record
          instruction(0x0A, {}, -1, comment(3, "ACC")),
          rawRecord(0xC3, {0x30, 0x01, 0xA9}),                      // opcode is the last byte
          rawRecord(0x03, {0xB1, 0x01, 0x85}),
      },
      {"a", "b"});
  ASSERT_EQ(source->numberOfLines(), 11u);
  EXPECT_TRUE(source->lineAt(0)->isBlank());
  EXPECT_EQ(source->lineAt(0)->getCommentColumn(), -1);

  const zeb_Line* commentOnly = source->lineAt(1);
  EXPECT_TRUE(commentOnly->isBlank());
  EXPECT_EQ(commentOnly->getComment(), "HI");
  EXPECT_EQ(commentOnly->getCommentColumn(), 5);

  EXPECT_EQ(source->lineAt(2)->getType(), zeb_LABEL_ONLY);
  EXPECT_EQ(source->lineAt(2)->getLabelRef(), 0);

  const zeb_Line* zeroStatement = source->lineAt(3);
  EXPECT_EQ(zeroStatement->getType(), zeb_LABEL_ONLY);
  EXPECT_EQ(zeroStatement->getCommentColumn(), -1);

  EXPECT_EQ(source->lineAt(4)->getType(), zeb_LABEL_ONLY);
  EXPECT_EQ(source->lineAt(4)->getLabelRef(), 0x300 + 0);

  const zeb_Line* text = source->lineAt(5);
  EXPECT_EQ(text->getType(), zeb_TEXT);
  EXPECT_EQ(text->getCommentColumn(), 2);
  EXPECT_EQ(text->getComment(), "\"AB\" C");

  EXPECT_EQ(source->lineAt(6)->getType(), zeb_TEXT);
  EXPECT_EQ(source->lineAt(6)->getCommentColumn(), 5);
  EXPECT_EQ(source->lineAt(6)->getComment(), "AB");

  EXPECT_TRUE(source->lineAt(7)->isBlank());
  EXPECT_EQ(source->lineAt(7)->getCommentColumn(), -1);

  const zeb_Line* accumulator = source->lineAt(8);
  EXPECT_EQ(accumulator->getAddressing(), zeb_ACCUMULATOR);
  EXPECT_EQ(accumulator->getExpression(), nullptr);
  EXPECT_EQ(accumulator->getComment(), "ACC");

  const zeb_Line* bare = source->lineAt(9);
  EXPECT_EQ(bare->getOpcode(), 29);
  EXPECT_EQ(bare->getLabelRef(), 1);
  EXPECT_EQ(bare->getExpression(), nullptr);

  EXPECT_EQ(source->lineAt(10)->getType(), zeb_LABEL_ONLY);
  EXPECT_EQ(source->lineAt(10)->getLabelRef(), 0x101);
  EXPECT_EQ(source->lineAt(10)->getComment(), "");
  EXPECT_EQ(source->lineAt(10)->getCommentColumn(), 5);
}

TEST_F(DecoderTest, LineNumbersCountEveryLine) {
  auto source = decodeLines({emptyLine(), instruction(0xEA), emptyLine(), instruction(0x60)});
  for (unsigned long i = 0; i < source->numberOfLines(); ++i) {
    EXPECT_EQ(source->lineAt(i)->getLineNumber(), static_cast<int>(i) + 1);
  }
  EXPECT_EQ(source->lineAt(3)->getOpcode(), 42);  // rts
}

TEST_F(DecoderTest, NullOperandIsWarnedAboutOnStandardError) {
  const Captured c = decodeCapturingErr({emptyLine(), statement(1, {0x8A, 'Q'})});
  EXPECT_EQ(c.err, " warning: null expression; line 2\n");
  const zeb_Line* line = c.source->lineAt(1);
  EXPECT_EQ(line->getExpression(), nullptr);
  EXPECT_EQ(line->getComment(), "Q");
  EXPECT_EQ(line->getCommentColumn(), 10);
}

TEST_F(DecoderTest, ListEndsAtCommentHeaderOfAnyColumn) {
  StreamCapture out(std::cout);
  auto source = decodeLines({statement(3, cat({dec8(1), dec8(2)}), -1, comment(45, "Z"))});
  const zeb_Line* line = source->lineAt(0);
  EXPECT_EQ(dump(line->getExpression()), "list(dec:1|dec:2)");
  EXPECT_EQ(line->getCommentColumn(), 45);
  // A header of column 40 and up is no token: the list ends with the warning.
  EXPECT_NE(out.text().find("[1 / 173 at "), std::string::npos);
}

TEST_F(DecoderTest, ManyLinesDecode) {
  ImageSpec layout;
  layout.variant = zeb_PLAIN_A000;
  layout.lines.assign(65536, emptyLine());
  layout.lines[65535] = instruction(0xEA);
  auto source = decode(layout);
  ASSERT_EQ(source->numberOfLines(), 65536u);
  EXPECT_EQ(source->lineAt(65535)->getLineNumber(), 65536);
  EXPECT_TRUE(source->lineAt(65535)->hasOpcode());
}
