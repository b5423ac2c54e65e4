#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/zeb_line.h"
#include "petscii/lorvex_global.h"
#include "source/zeb_source.h"
#include "testlib/global_state.h"

namespace LG = Lorvex_global;

namespace {

class StringLiteralTest : public ::testing::Test {
 protected:
  StringLiteralTest() { LG::tabWidth = 8; }

 private:
  lorvex_test::GlobalStateGuard guard{{"loop"}};
};

// Pseudo-op codes of the three literal directives.
constexpr int16_t kText = 2;
constexpr int16_t kNull = 29;
constexpr int16_t kShift = 23;
const std::string kTab(8, ' ');

std::unique_ptr<zeb_Line> literal(const std::string& bytes) {
  auto line = std::make_unique<zeb_Line>(1);
  line->setType(zeb_PSEUDO);
  auto expression = std::make_unique<zeb_Expression>();
  expression->addToken(std::make_unique<zeb_ExpressionString>(bytes));
  line->setExpression(std::move(expression));
  return line;
}

std::string format(const std::string& bytes, int16_t pseudoCode) {
  return literal(bytes)->formatStringLiteral(pseudoCode);
}

struct Case {
  int16_t pseudoCode;
  std::string bytes;
  std::string text;
};

void expectAll(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(format(c.bytes, c.pseudoCode), c.text) << c.pseudoCode << "|" << c.bytes << "|";
    EXPECT_FALSE(LG::rawString);
  }
}

TEST_F(StringLiteralTest, DecimalBytes) {
  LG::translateToByte = true;
  expectAll({
      {kText, "ABC", ".byte 65,66,67"},
      {kNull, "AB", ".byte 65,66,0"},
      {kNull, "", ".byte 0"},
      {kShift, "AB", ".byte 65,194"},
      {kShift, "\xC1", ".byte 193"},
      {kText, "", ".byte "},
      {kShift, "", ".byte "},
  });
}

TEST_F(StringLiteralTest, HexBytesWithoutLeadingZeros) {
  LG::translateToByteHex = true;
  expectAll({
      {kText, "ABC", ".byte $41,$42,$43"},
      {kShift, "AB", ".byte $41,$c2"},
      {kText, "\x05\xA0", ".byte $5,$a0"},
      {kNull, "\x01", ".byte $1,$0"},
  });
  LG::translateToByte = true;  // decimal wins
  expectAll({{kText, "ABC", ".byte 65,66,67"}});
}

TEST_F(StringLiteralTest, ByteLinesBreakAfterByteColumnsValues) {
  LG::translateToByte = true;
  const std::string eight = "\x01\x02\x03\x04\x05\x06\x07\x08";
  expectAll({
      {kText, eight, ".byte 1,2,3,4,5,6\n" + kTab + ".byte 7,8"},
      {kText, eight.substr(0, 6), ".byte 1,2,3,4,5,6"},
      {kNull, eight.substr(0, 6), ".byte 1,2,3,4,5,6\n" + kTab + ".byte 0"},
      {kShift, eight.substr(0, 7), ".byte 1,2,3,4,5,6\n" + kTab + ".byte 135"},
  });
  LG::byteColumns = 1;
  expectAll({{kText, "\x01\x02\x03", ".byte 1\n" + kTab + ".byte 2\n" + kTab + ".byte 3"}});
  for (int columns : {0, -1}) {
    LG::byteColumns = columns;
    expectAll({{kText, eight, ".byte 1,2,3,4,5,6,7,8"}});
  }
  LG::translateToByte = false;
  LG::translateToByteHex = true;
  LG::byteColumns = 6;
  expectAll({{kText, eight, ".byte $1,$2,$3,$4,$5,$6\n" + kTab + ".byte $7,$8"}});
}

TEST_F(StringLiteralTest, ContinuationLinesWithoutTabWidth) {
  LG::translateToByte = true;
  LG::byteColumns = 1;
  for (int tab : {0, -4}) {
    LG::tabWidth = tab;
    expectAll({{kText, "\x01\x02", ".byte 1\n.byte 2"}});
  }
}

TEST_F(StringLiteralTest, ScreenCodes) {
  LG::fScreen = true;
  const std::string hello = "\x08\x05\x0C\x0C\x0F";
  expectAll({
      {kText, hello, ".screen \"hello\""},
      {kNull, hello, ".screen \"hello\"\n" + kTab + ".byte 0"},
      {kShift, "\x01\x02\x03", ".screen \"ab\"\n" + kTab + ".shift \"{ct c}\""},
      {kShift, "\x01", ".shift \"{ct a}\""},
      {kText, "", ".screen \"\""},
      {kNull, "", ".screen \"\"\n" + kTab + ".byte 0"},
      {kShift, "", ".shift \"\""},
  });
}

TEST_F(StringLiteralTest, ScreenFallsBackForBytesFromSixtyFour) {
  LG::fScreen = true;
  expectAll({
      {kText, "\x08\x40", ".text \"{ct h}@\""},
      {kNull, "\x08\x41", ".null \"{ct h}a\""},
      {kShift, "\x01\xFF", ".shift \"{ct a}{pi}\""},
  });
}

TEST_F(StringLiteralTest, ByteConversionWinsOverScreen) {
  LG::fScreen = true;
  LG::translateToByte = true;
  expectAll({{kText, "\x01", ".byte 1"}});
}

TEST_F(StringLiteralTest, NoConversionQuotesBastext) {
  expectAll({
      {kText, "HI\x0D", ".text \"hi{return}\""},
      {kNull, "HI", ".null \"hi\""},
      {kShift, "HI", ".shift \"hi\""},
      {kText, "", ".text \"\""},
  });
}

TEST_F(StringLiteralTest, OperandThatIsNoStringIsRenderedAsItIs) {
  LG::translateToByte = true;
  zeb_Line none(1);
  none.setType(zeb_PSEUDO);
  EXPECT_EQ(none.formatStringLiteral(kText), ".text ");

  zeb_Line number(1);
  auto expression = std::make_unique<zeb_Expression>();
  expression->addToken(std::make_unique<zeb_ExpressionValue>(zeb_HEX, 1));
  number.setExpression(std::move(expression));
  EXPECT_EQ(number.formatStringLiteral(kNull), ".null $01");
}

// .include carries a string operand too, but names a file: never converted.
TEST_F(StringLiteralTest, IncludeNameIsNeverConverted) {
  LG::translateToByte = true;
  LG::fScreen = true;
  const auto line = literal("AB");
  line->setPseudo(16);
  EXPECT_EQ(line->formatStringLiteral(16), ".include \"ab\"");
  EXPECT_EQ(line->toString(), "        .include \"ab\"");
}

TEST_F(StringLiteralTest, LineRenderingUsesTheConversion) {
  LG::translateToByte = true;
  const auto line = literal("A");
  line->setPseudo(29);
  line->setLabelRef(0);
  EXPECT_EQ(line->toString(), "loop    .byte 65,0");
}

}  // namespace
