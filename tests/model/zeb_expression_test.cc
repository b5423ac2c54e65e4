#include "model/zeb_expression.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "petscii/lorvex_global.h"
#include "source/zeb_source.h"
#include "testlib/global_state.h"

namespace LG = Lorvex_global;

namespace {

class ExpressionTest : public ::testing::Test {
 private:
  lorvex_test::GlobalStateGuard guard{{"start", "label", "x"}};
};

std::string value(int16_t kind, int32_t v) {
  return zeb_ExpressionValue(kind, v).toString();
}

std::unique_ptr<zeb_Expression> single(std::unique_ptr<zeb_ExpressionToken> token) {
  auto expression = std::make_unique<zeb_Expression>();
  expression->addToken(std::move(token));
  return expression;
}

struct ValueCase {
  int32_t value;
  const char* text;
};

TEST_F(ExpressionTest, HexDigitsComeInPairs) {
  const ValueCase cases[] = {{0, "$00"},     {15, "$0f"},     {16, "$10"},     {255, "$ff"},
                             {256, "$0100"}, {4095, "$0fff"}, {4096, "$1000"}, {65535, "$ffff"}};
  for (const ValueCase& c : cases) EXPECT_EQ(value(zeb_HEX, c.value), c.text) << c.value;
}

TEST_F(ExpressionTest, NegativeHexShowsSixteenBitTwosComplement) {
  const ValueCase cases[] = {
      {-1, "$ffff"}, {-256, "$ff00"}, {-4096, "$f000"}, {-65535, "$0001"}, {-65536, "$0000"}};
  for (const ValueCase& c : cases) EXPECT_EQ(value(zeb_HEX, c.value), c.text) << c.value;
}

TEST_F(ExpressionTest, OtherNumberFormats) {
  EXPECT_EQ(value(zeb_DECIMAL, 0), "0");
  EXPECT_EQ(value(zeb_DECIMAL, 65535), "65535");
  EXPECT_EQ(value(zeb_DECIMAL, -5), "-5");
  EXPECT_EQ(value(zeb_BINARY, 5), "%00000101");
  EXPECT_EQ(value(zeb_BINARY, 0), "%00000000");
  EXPECT_EQ(value(zeb_BINARY, 0x1FF), "%11111111");
  EXPECT_EQ(value(zeb_PROGRAM_COUNTER, 0), "*");
  EXPECT_EQ(value(0, 7), "");
  EXPECT_EQ(value(7, 7), "");
  EXPECT_EQ(value(-1, 7), "");
}

struct CharacterCase {
  bool toByte;
  bool toByteHex;
  int32_t value;
  const char* text;
};

TEST_F(ExpressionTest, CharacterConstantFollowsSettings) {
  const CharacterCase cases[] = {
      {true, false, 0x41, "65"},      {false, true, 0x41, "$41"},
      {true, true, 0x41, "65"},       {false, false, 0x41, "\"a\""},
      {false, true, 0x0D, "$d"},      {false, false, 0x0D, "\"{return}\""},
      {true, false, -63, "193"},      {false, false, -63, "\"A\""},
      {false, false, 0x22, "\"\"\""}, {false, true, -1, "$ff"},
  };
  for (const CharacterCase& c : cases) {
    LG::translateToByte = c.toByte;
    LG::translateToByteHex = c.toByteHex;
    EXPECT_EQ(value(zeb_CHARACTER, c.value), c.text) << c.value << c.toByte << c.toByteHex;
  }
}

TEST_F(ExpressionTest, CharacterConstantUsesBastextSetting) {
  LG::bastextConversion = 3;
  EXPECT_EQ(value(zeb_CHARACTER, 0x0D), "\"{$0d}\"");
}

TEST_F(ExpressionTest, BackslashWritesTheRawByte) {
  EXPECT_EQ(value(zeb_BACKSLASH, 0x31), "\\1");
  EXPECT_EQ(value(zeb_BACKSLASH, -1), std::string("\\\xff"));
  LG::translateToByte = true;
  EXPECT_EQ(value(zeb_BACKSLASH, 0x31), "\\1");
}

TEST_F(ExpressionTest, SymbolTexts) {
  const char* const texts[] = {"+", "-", "*", "/", ">", "<", "!", "&", ".", ":", "(", ")"};
  for (int code = 64; code <= 75; ++code) {
    EXPECT_EQ(zeb_ExpressionSymbol(static_cast<int16_t>(code)).toString(), texts[code - 64]);
  }
  EXPECT_EQ(zeb_ExpressionSymbol(91).toString(), ")");
  for (int16_t code : {0, 63, 76, 79, 90, 92, -1}) {
    EXPECT_EQ(zeb_ExpressionSymbol(code).toString(), "X") << code;
  }
}

TEST_F(ExpressionTest, StringIsQuotedBastextUnlessRaw) {
  const zeb_ExpressionString hello("HELLO");
  EXPECT_EQ(hello.toString(), "\"hello\"");
  LG::rawString = true;
  EXPECT_EQ(hello.toString(), "HELLO");
  LG::rawString = false;
  EXPECT_EQ(zeb_ExpressionString("").toString(), "\"\"");
  EXPECT_EQ(zeb_ExpressionString(std::string("\x0D\xC1", 2)).toString(), "\"{return}A\"");
}

TEST_F(ExpressionTest, LabelsResolveThroughTheTable) {
  EXPECT_EQ(zeb_ExpressionLabel(0).toString(), "start");
  EXPECT_EQ(zeb_ExpressionLabel(2).toString(), "x");
  EXPECT_EQ(zeb_ExpressionLabel(3).toString(), "?label3");
  EXPECT_EQ(zeb_ExpressionLabel(522).toString(), "?label522");
  EXPECT_EQ(zeb_ExpressionLabel(-1).toString(), "?label-1");
  zeb_Source::globLabels.clear();
  EXPECT_EQ(zeb_ExpressionLabel(0).toString(), "?label0");
}

TEST_F(ExpressionTest, ExpressionConcatenatesTokens) {
  zeb_Expression expression;
  EXPECT_EQ(expression.toString(), "");
  expression.addToken(std::make_unique<zeb_ExpressionSymbol>(69));
  expression.addToken(std::make_unique<zeb_ExpressionLabel>(0));
  expression.addToken(std::make_unique<zeb_ExpressionSymbol>(64));
  expression.addToken(std::make_unique<zeb_ExpressionValue>(zeb_DECIMAL, 1));
  EXPECT_EQ(expression.toString(), "<start+1");
  std::string out = "lda #";
  expression.appendTo(out);
  EXPECT_EQ(out, "lda #<start+1");
}

TEST_F(ExpressionTest, ListSeparatesWithCommas) {
  zeb_ExpressionList empty;
  EXPECT_EQ(empty.toString(), "");
  zeb_ExpressionList list;
  list.addExpression(single(std::make_unique<zeb_ExpressionValue>(zeb_DECIMAL, 1)));
  list.addExpression(single(std::make_unique<zeb_ExpressionValue>(zeb_HEX, 2)));
  list.addExpression(single(std::make_unique<zeb_ExpressionLabel>(1)));
  EXPECT_EQ(list.toString(), "1,$02,label");
  EXPECT_EQ(list.numberOfExpressions(), 3u);
}

TEST_F(ExpressionTest, AppendToAddsToWhatIsThere) {
  std::string out = "x";
  zeb_ExpressionValue(zeb_HEX, 1).appendTo(out);
  zeb_ExpressionString("A").appendTo(out);
  zeb_ExpressionLabel(9).appendTo(out);
  EXPECT_EQ(out, "x$01\"a\"?label9");
}

}  // namespace
