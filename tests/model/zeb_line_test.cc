#include "model/zeb_line.h"

#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "model/p6502_tables.h"
#include "testlib/stream_capture.h"

namespace {

// The parser hands opcode bytes over sign-extended from 8 bits.
int16_t signExtended(unsigned char b) {
  return static_cast<int16_t>(static_cast<signed char>(b));
}

TEST(ZebLine, NewLineIsBlank) {
  const zeb_Line line(7);
  EXPECT_TRUE(line.isBlank());
  EXPECT_FALSE(line.hasOpcode());
  EXPECT_FALSE(line.hasPseudo());
  EXPECT_EQ(line.getExpression(), nullptr);
}

TEST(ZebLine, InstructionFromSignExtendedOpcodeByte) {
  zeb_Line line(1);
  line.setType(zeb_INSTRUCTION);
  line.setOpcodeReal(signExtended(0xEA));
  EXPECT_FALSE(line.isBlank());
  EXPECT_TRUE(line.hasOpcode());
  EXPECT_EQ(line.getOpcode(), 33);
  EXPECT_EQ(line.getAddressing(), zeb_IMPLIED);
  line.setOpcodeReal(signExtended(0xA9));
  EXPECT_EQ(line.getOpcode(), 29);
  EXPECT_EQ(line.getAddressing(), zeb_IMMEDIATE);
  line.setOpcodeReal(signExtended(0x80));
  EXPECT_EQ(line.getOpcode(), p6502_BRK);
  EXPECT_EQ(line.getAddressing(), zeb_IMPLIED);
}

TEST(ZebLine, NullExpressionWarnsWithTheFullLineNumber) {
  zeb_Line line(40000);
  {
    lorvex_test::StreamCapture capture(std::cerr);
    line.setExpression(nullptr);
    EXPECT_EQ(capture.text(), " warning: null expression; line 40000\n");
  }
  EXPECT_EQ(line.getExpression(), nullptr);
}

TEST(ZebLine, RealExpressionIsKeptSilently) {
  zeb_Line line(12);
  auto expression = std::make_unique<zeb_Expression>();
  const zeb_Expression* raw = expression.get();
  lorvex_test::StreamCapture capture(std::cerr);
  line.setExpression(std::move(expression));
  EXPECT_EQ(capture.text(), "");
  EXPECT_EQ(line.getExpression(), raw);
}

}  // namespace
