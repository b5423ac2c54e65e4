#include <gtest/gtest.h>

#include "source/decode_helpers.h"

using namespace lorvex_test;

namespace {

std::vector<std::string> labelsOf(const zeb_Source& source) {
  std::vector<std::string> out;
  for (unsigned long i = 0; i < source.numberOfLabels(); ++i) out.push_back(source.labelAt(i));
  return out;
}

// Three-character names, so that 1536 of them fit below $FFFF.
std::vector<std::string> names(int count) {
  const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::vector<std::string> out;
  for (int i = 0; i < count; ++i) out.push_back({digits[10 + i / 1296], digits[i / 36 % 36], digits[i % 36]});
  return out;
}

BuiltImage build(std::vector<std::string> labels, int padding = 0) {
  ImageSpec layout;
  layout.lines = {instruction(0xEA)};
  layout.labels = std::move(labels);
  layout.padding = padding;
  return buildImage(layout);
}

}  // namespace

TEST_F(DecoderTest, NamesReadBackInAscii) {
  auto source = decode(build({"start", "loop_2", "x"}).bytes);
  EXPECT_EQ(labelsOf(*source), (std::vector<std::string>{"start", "loop_2", "x"}));
  EXPECT_EQ(zeb_Source::globLabels, labelsOf(*source));
  EXPECT_FALSE(source->isLabelUsed(0));
}

TEST_F(DecoderTest, PaddingBetweenNamesIsSkipped) {
  auto source = decode(build({"a", "bb", "ccc"}, 3).bytes);
  EXPECT_EQ(labelsOf(*source), (std::vector<std::string>{"a", "bb", "ccc"}));
}

TEST_F(DecoderTest, BlocksFollowTheirPointers) {
  auto source = decode(build(names(70)).bytes);
  EXPECT_EQ(labelsOf(*source), names(70));
}

TEST_F(DecoderTest, ThirtyThirdNameComesFromPointerOne) {
  BuiltImage image = build(names(33));
  // Move block 1 two bytes further: the decoder must follow the pointer,
  // not read on from the 32nd name.
  Bytes& b = image.bytes;
  const int area = image.labelOffset;
  const int pointer1 = b[area + 1] | b[area + 49] << 8;
  const int at = area + pointer1 - 0xEC00;
  const Bytes name33(b.begin() + at, b.begin() + at + 3);
  b.insert(b.begin() + at, {'Q' | 0x80, 'Q' | 0x80});
  b[area + 1] = static_cast<unsigned char>((pointer1 + 2) & 0xFF);
  b[area + 49] = static_cast<unsigned char>((pointer1 + 2) >> 8);
  const int end = (b[25] | b[26] << 8) + 2;
  b[25] = static_cast<unsigned char>(end & 0xFF);
  b[26] = static_cast<unsigned char>(end >> 8);
  auto source = decode(b);
  ASSERT_EQ(source->numberOfLabels(), 33u);
  EXPECT_EQ(source->labelAt(32), names(33)[32]);
}

TEST_F(DecoderTest, OddEndingsMakeShortOrEmptyNames) {
  BuiltImage image = build({"ab", "cd"});
  Bytes& b = image.bytes;
  const int names = image.labelOffset + 96;
  b[names + 1] = 0xA0;  // "a" ended by bit 7 on a byte that is no label character
  b.insert(b.begin() + names + 2, 0x80);  // then an empty name
  auto source = decode(b);
  EXPECT_EQ(labelsOf(*source), (std::vector<std::string>{"a", "", "cd"}));
}

TEST_F(DecoderTest, NoNamesWithoutRoom) {
  BuiltImage image = build({"ab"});
  Bytes b = image.bytes;
  b.resize(static_cast<std::size_t>(image.labelOffset + 96));
  EXPECT_EQ(decode(b)->numberOfLabels(), 0u);

  // A label end of $EC60 reads no pointers, and the first name that ends
  // beyond it is the last one read.
  ImageSpec layout;
  layout.lines = {instruction(0xEA)};
  layout.labels = names(40);
  layout.labelEnd = 0xEC60;
  EXPECT_EQ(labelsOf(*decode(layout)), names(1));
}

TEST_F(DecoderTest, NamesPastTheLabelEndStopTheWalk) {
  ImageSpec layout;
  layout.lines = {instruction(0xEA)};
  layout.labels = {"aa", "bb", "cc", "dd"};
  layout.labelEnd = 0xEC60 + 3;  // the last byte of the second name
  auto source = decode(layout);
  EXPECT_EQ(labelsOf(*source), (std::vector<std::string>{"aa", "bb", "cc"}));
}

TEST_F(DecoderTest, AtMostFortyEightBlocks) {
  auto source = decode(build(names(1536)).bytes);
  EXPECT_EQ(source->numberOfLabels(), 1536u);
  EXPECT_EQ(source->labelAt(1535), names(1536)[1535]);
}

TEST_F(DecoderTest, UnidentifiedImageKeepsThePreviousLabels) {
  decode(build({"keep"}).bytes);
  ImageSpec other;
  other.variant = zeb_UNIDENTIFIED;
  decode(other);
  EXPECT_EQ(zeb_Source::globLabels, (std::vector<std::string>{"keep"}));
}
