// The outcomes chosen for damaged images: each kind of damage decodes to
// something definite, inside the image's bytes.
#include <gtest/gtest.h>

#include "source/decode_helpers.h"
#include "source/token_dump.h"

using namespace lorvex_test;

namespace {

void setWord(Bytes& b, int at, int value) {
  b[at] = static_cast<unsigned char>(value & 0xFF);
  b[at + 1] = static_cast<unsigned char>(value >> 8);
}

}  // namespace

TEST_F(DecoderTest, RecordsThatDoNotFitTheTextAreaStayEmpty) {
  ImageSpec layout;
  layout.start = 0x7FF0 - 17;  // room for exactly the 12 record bytes
  layout.lines = {instruction(0xA9, hex8(1)), rawRecord(0x08, Bytes(8, 0x85)), instruction(0xEA)};
  BuiltImage built = buildImage(layout);
  built.bytes[built.tableOffset + 1] = 0x0A;  // the second record now claims 10 bytes
  auto source = decode(built.bytes);
  ASSERT_EQ(source->numberOfLines(), 3u);
  EXPECT_TRUE(source->lineAt(0)->hasOpcode());
  EXPECT_TRUE(source->lineAt(1)->isBlank());
  EXPECT_EQ(source->lineAt(1)->getCommentColumn(), -1);
  // Once past the start of the area, later records are left out too.
  EXPECT_FALSE(source->lineAt(2)->hasOpcode());
}

TEST_F(DecoderTest, TextAreaShorterThanSixBytesHoldsNoRecord) {
  Bytes image(300, 0);
  setWord(image, zeb_HEADER_TEXT_START, 0x7FF0);
  std::copy_n("VORDA", 5, image.begin() + 252);
  image[257] = 0x81;  // a one-byte instruction record in the line table
  auto source = decode(image);
  ASSERT_TRUE(source->isParsed());
  ASSERT_EQ(source->numberOfLines(), 1u);
  EXPECT_TRUE(source->lineAt(0)->isBlank());
}

TEST_F(DecoderTest, LineTableCutShortKeepsTheLinesPresent) {
  ImageSpec layout;
  layout.lines = {instruction(0xEA), instruction(0x60)};
  BuiltImage built = buildImage(layout);
  setWord(built.bytes, zeb_HEADER_LAST_LINE, 9);  // claims ten lines
  built.bytes.resize(static_cast<std::size_t>(built.tableOffset + 2));
  auto source = decode(built.bytes);
  ASSERT_EQ(source->numberOfLines(), 2u);
  EXPECT_EQ(source->lineAt(1)->getOpcode(), 42);
  EXPECT_EQ(source->numberOfLabels(), 0u);
}

TEST_F(DecoderTest, CutFieldsAreLeftOut) {
  auto source = decodeLines({
      rawRecord(0xC1, {0x30}),                    // label reference cut
      rawRecord(0xC2, {0x30, 0x00}),              // opcode cut
      rawRecord(0x02, {0x09, 0x30}),              // macro reference cut
      statement(2, {0x05, 'A', 'B'}),             // string longer than the record
      statement(1, {0x21, 0x01}),                 // operand cut by the record's end
  }, {"a"});
  EXPECT_EQ(source->lineAt(0)->getLabelRef(), -1);
  EXPECT_FALSE(source->lineAt(0)->hasOpcode());
  EXPECT_EQ(source->lineAt(1)->getLabelRef(), 0);
  EXPECT_FALSE(source->lineAt(1)->hasOpcode());
  EXPECT_EQ(source->lineAt(2)->getPseudo(), 9);
  EXPECT_EQ(source->lineAt(2)->getMacroRef(), -1);
  EXPECT_EQ(dump(source->lineAt(3)->getExpression()), "str:AB");
  EXPECT_EQ(source->lineAt(4)->getExpression(), nullptr);
}

TEST_F(DecoderTest, LengthBitsZeroWithClassBitsIsAnEmptyLine) {
  auto source = decodeLines({rawRecord(0xC0, {}), rawRecord(0x80, {}), instruction(0xEA)});
  EXPECT_TRUE(source->lineAt(0)->isBlank());
  EXPECT_TRUE(source->lineAt(1)->isBlank());
  EXPECT_TRUE(source->lineAt(2)->hasOpcode());
}

TEST_F(DecoderTest, LabelReferencesOutsideTheTableMarkNothing) {
  auto source = decodeLines({labelLine(2000), instruction(0xEA, {}, 1999),
                             statement(9, macroOperand(1500, {}))},
                            {"only"});
  EXPECT_EQ(source->lineAt(0)->getLabelRef(), 2000);
  EXPECT_EQ(source->lineAt(1)->getLabelRef(), 1999);
  EXPECT_FALSE(source->isLabelUsed(0));
}

TEST_F(DecoderTest, BlockPointersOutsideTheAreaEndTheNames) {
  ImageSpec layout;
  layout.lines = {instruction(0xEA)};
  for (int i = 0; i < 40; ++i) layout.labels.push_back("x" + std::to_string(i));
  BuiltImage built = buildImage(layout);
  Bytes& b = built.bytes;
  setWord(b, built.labelOffset + 1, 0);  // pointer 1 low byte...
  b[built.labelOffset + 1 + 48] = 0xEB;  // ...and high byte: below $EC00
  auto source = decode(b);
  EXPECT_EQ(source->numberOfLabels(), 32u);

  b.resize(static_cast<std::size_t>(built.labelOffset + 40));  // pointers cut
  EXPECT_EQ(decode(b)->numberOfLabels(), 0u);
}
