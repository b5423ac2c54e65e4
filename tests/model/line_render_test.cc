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

enum Label : int16_t { kLoop, kLong, kPrint, kEight, kSeven };

class LineRenderTest : public ::testing::Test {
 protected:
  LineRenderTest() { LG::tabWidth = 8; }

 private:
  lorvex_test::GlobalStateGuard guard{{"loop", "verylonglabel", "print", "eightchr", "sevench"}};
};

std::unique_ptr<zeb_Expression> single(std::unique_ptr<zeb_ExpressionToken> token) {
  auto expression = std::make_unique<zeb_Expression>();
  expression->addToken(std::move(token));
  return expression;
}

std::unique_ptr<zeb_Expression> hex(int32_t v) {
  return single(std::make_unique<zeb_ExpressionValue>(zeb_HEX, v));
}

std::unique_ptr<zeb_Expression> list12() {
  auto list = std::make_unique<zeb_ExpressionList>();
  list->addExpression(single(std::make_unique<zeb_ExpressionValue>(zeb_DECIMAL, 1)));
  list->addExpression(single(std::make_unique<zeb_ExpressionValue>(zeb_DECIMAL, 2)));
  return single(std::move(list));
}

std::unique_ptr<zeb_Line> instruction(int opcodeByte,
                                      std::unique_ptr<zeb_Expression> operand = nullptr,
                                      int16_t label = -1) {
  auto line = std::make_unique<zeb_Line>(1);
  line->setType(zeb_INSTRUCTION);
  line->setLabelRef(label);
  line->setOpcodeReal(static_cast<int16_t>(opcodeByte));
  if (operand) line->setExpression(std::move(operand));
  return line;
}

std::unique_ptr<zeb_Line> pseudoOp(int16_t code,
                                   std::unique_ptr<zeb_Expression> operand = nullptr) {
  auto line = std::make_unique<zeb_Line>(1);
  line->setType(zeb_PSEUDO);
  line->setPseudo(code);
  if (operand) line->setExpression(std::move(operand));
  return line;
}

std::unique_ptr<zeb_Line> textLine(int16_t kind, const std::string& text, int16_t column) {
  auto line = std::make_unique<zeb_Line>(1);
  line->setType(kind);
  line->setComment(text, column);
  return line;
}

const std::string kTab(8, ' ');

TEST_F(LineRenderTest, BlankLineIsEmpty) {
  EXPECT_EQ(zeb_Line(1).toString(), "");
}

TEST_F(LineRenderTest, LabelField) {
  EXPECT_EQ(instruction(0xA9, hex(1))->toString(), kTab + "lda #$01");
  EXPECT_EQ(instruction(0xCA, nullptr, kLoop)->toString(), "loop    dex");
  EXPECT_EQ(instruction(0xCA, nullptr, kLong)->toString(), "verylonglabel dex");
  EXPECT_EQ(instruction(0xCA, nullptr, kEight)->toString(), "eightchr dex");
  EXPECT_EQ(instruction(0xCA, nullptr, kSeven)->toString(), "sevench dex");
  EXPECT_EQ(instruction(0xCA, nullptr, 600)->toString(), "?label600 dex");
}

TEST_F(LineRenderTest, LabelFieldWithoutTabWidth) {
  for (int tab : {0, -3}) {
    LG::tabWidth = tab;
    EXPECT_EQ(instruction(0xCA)->toString(), "dex") << tab;
    EXPECT_EQ(instruction(0xCA, nullptr, kLoop)->toString(), "loop dex") << tab;
  }
}

struct ModeCase {
  int opcodeByte;
  int32_t operand;
  const char* text;
};

TEST_F(LineRenderTest, OperandSyntaxByAddressingMode) {
  const ModeCase cases[] = {
      {0x60, 0xfb, "rts"},          {0x0A, 0xfb, "asl a"},       {0xA9, 0xfb, "lda #$fb"},
      {0xA5, 0xfb, "lda $fb"},      {0xB5, 0xfb, "lda $fb,x"},   {0xB6, 0xfb, "ldx $fb,y"},
      {0xA1, 0xfb, "lda ($fb,x)"},  {0xB1, 0xfb, "lda ($fb),y"}, {0x9D, 0x400, "sta $0400,x"},
      {0xB9, 0x400, "lda $0400,y"}, {0xAD, 0x400, "lda $0400"},  {0x6C, 0xfffc, "jmp ($fffc)"},
      {0xD0, 0x1000, "bne $1000"},  {0x80, 0x1000, "brk"},
  };
  for (const ModeCase& c : cases) {
    EXPECT_EQ(instruction(c.opcodeByte, hex(c.operand))->toString(), kTab + c.text) << c.text;
  }
}

TEST_F(LineRenderTest, MissingOperands) {
  EXPECT_EQ(instruction(0x0A)->toString(), kTab + "asl a");
  EXPECT_EQ(instruction(0xAD)->toString(), kTab + "lda");
  // A cut record: no instruction was ever set.
  zeb_Line cut(1);
  cut.setType(zeb_INSTRUCTION);
  cut.setLabelRef(kLoop);
  EXPECT_EQ(cut.toString(), "loop    ");
}

TEST_F(LineRenderTest, Assignments) {
  zeb_Line assign(1);
  assign.setType(zeb_ASSIGN);
  assign.setLabelRef(kLoop);
  assign.setExpression(hex(0x1000));
  EXPECT_EQ(assign.toString(), "loop    = $1000");

  zeb_Line pc(1);
  pc.setType(zeb_PC_ASSIGN);
  pc.setExpression(hex(0x0801));
  EXPECT_EQ(pc.toString(), kTab + "*= $0801");

  zeb_Line bare(1);
  bare.setType(zeb_ASSIGN);
  EXPECT_EQ(bare.toString(), kTab + "= ");
}

struct PseudoCase {
  int16_t code;
  const char* text;
};

TEST_F(LineRenderTest, PseudoOpTexts) {
  const PseudoCase cases[] = {
      {1, ".offs $1000"},
      {3, ".byte $1000"},
      {4, ".word $1000"},
      {7, ".macro"},
      {8, ".endm"},
      {10, ".ifne $1000"},
      {11, ".endif"},
      {12, ".block"},
      {13, ".bend"},
      {14, ".pron"},
      {15, ".proff"},
      {16, ".include $1000"},
      {17, ".end"},
      {18, ".eor $1000"},
      {19, ".lbl"},
      {20, ".var $1000"},
      {21, ".hidemac"},
      {22, ".showmac"},
      {24, ".ifpl $1000"},
      {25, ".ifmi $1000"},
      {26, ".ifeq $1000"},
      {27, ".if $1000"},
      {28, ".rta $1000"},
      {30, ".segment"},
      {31, ".goto $1000"},
      {0, ""},
      {5, ""},
      {6, ""},
      {32, ""},
      {-1, ""},
  };
  for (const PseudoCase& c : cases) {
    EXPECT_EQ(pseudoOp(c.code, hex(0x1000))->toString(), kTab + c.text) << c.code;
  }
  EXPECT_EQ(pseudoOp(4)->toString(), kTab + ".word ");
}

TEST_F(LineRenderTest, StringPseudoOpsWithoutConversion) {
  const std::string abc = "ABC";
  const PseudoCase cases[] = {{2, ".text \"abc\""}, {23, ".shift \"abc\""}, {29, ".null \"abc\""}};
  for (const PseudoCase& c : cases) {
    EXPECT_EQ(pseudoOp(c.code, single(std::make_unique<zeb_ExpressionString>(abc)))->toString(),
              kTab + c.text);
  }
}

TEST_F(LineRenderTest, MacroCall) {
  const auto call = pseudoOp(9, list12());
  call->setMacroRef(kPrint);
  EXPECT_EQ(call->toString(), kTab + "#print 1,2");
  call->setMacroRef(99);
  EXPECT_EQ(call->toString(), kTab + "#?label99 1,2");
}

TEST_F(LineRenderTest, CommentTrailer) {
  const auto rts = instruction(0x60);
  rts->setComment("HI", 20);
  EXPECT_EQ(rts->toString(), kTab + "rts" + std::string(9, ' ') + ";hi");
  rts->setComment("HI", 11);
  EXPECT_EQ(rts->toString(), kTab + "rts;hi");
  rts->setComment("HI", 4);
  EXPECT_EQ(rts->toString(), kTab + "rts;hi");
  rts->setComment("", 12);
  EXPECT_EQ(rts->toString(), kTab + "rts ;");
}

TEST_F(LineRenderTest, CommentOnlyLines) {
  EXPECT_EQ(textLine(zeb_BLANK, "HELLO\xC1", 0)->toString(), ";helloA");
  EXPECT_EQ(textLine(zeb_BLANK, "X", 5)->toString(), "     ;x");
  EXPECT_EQ(textLine(7, "X", 2)->toString(), "  ;x");
}

TEST_F(LineRenderTest, CommentColumnCountsLineBreaksOfConvertedLiterals) {
  LG::translateToByte = true;
  const auto text = pseudoOp(2, single(std::make_unique<zeb_ExpressionString>(
                                    std::string("\x01\x02\x03\x04\x05\x06\x07\x08"))));
  const std::string body = kTab + ".byte 1,2,3,4,5,6\n" + kTab + ".byte 7,8";  // 43 characters
  text->setComment("X", 40);
  EXPECT_EQ(text->toString(), body + ";x");
  text->setComment("X", 50);
  EXPECT_EQ(text->toString(), body + std::string(7, ' ') + ";x");
}

TEST_F(LineRenderTest, LabelOnly) {
  zeb_Line line(1);
  line.setType(zeb_LABEL_ONLY);
  line.setLabelRef(kLoop);
  EXPECT_EQ(line.toString(), "loop");
  line.setComment("HI", 10);
  EXPECT_EQ(line.toString(), "loop      ;hi");
  line.setLabelRef(-1);
  line.setComment("", -1);
  EXPECT_EQ(line.toString(), "");
}

TEST_F(LineRenderTest, TextLineConvertsInsideQuotesToBastext) {
  const std::string text = std::string("LDA \"A\x0D\" ;X\x0D");
  EXPECT_EQ(textLine(zeb_TEXT, text, 2)->toString(), "  lda \"a{return}\" ;x\x0D");
  EXPECT_EQ(textLine(zeb_TEXT, "\"A", 0)->toString(), "\"a");
  EXPECT_EQ(textLine(zeb_TEXT, "A", -1)->toString(), "");
}

TEST_F(LineRenderTest, TextLineWithBreak) {
  EXPECT_EQ(textLine(zeb_TEXT_BREAK, "\"HI\x0D\"", 3)->toString(), "   \"hi\x0D\"\n");
  EXPECT_EQ(textLine(zeb_TEXT_BREAK, "HI", -1)->toString(), "\n");
}

}  // namespace
