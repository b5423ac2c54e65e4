#include "testlib/image_builder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace {

using lorvex_test::BuiltImage;
using lorvex_test::Bytes;
using lorvex_test::ImageSpec;
using lorvex_test::Record;
namespace lt = lorvex_test;

int word(const Bytes& bytes, int offset) {
  return bytes[offset] | (bytes[offset + 1] << 8);
}

// File offset of a text-area address.
int at(const BuiltImage& image, int address) {
  return image.textOffset + address - image.start;
}

Bytes slice(const Bytes& bytes, int offset, int length) {
  return Bytes(bytes.begin() + offset, bytes.begin() + offset + length);
}

int blockPointer(const BuiltImage& image, int k) {
  return image.bytes[image.labelOffset + k] | (image.bytes[image.labelOffset + 48 + k] << 8);
}

TEST(ImageBuilder, HeaderHoldsTabLineIndexStartAndLabelEnd) {
  ImageSpec layout;
  layout.tab = 7;
  layout.start = 0x7000;
  layout.lines = {lt::emptyLine(), lt::instruction(0xEA), lt::emptyLine()};
  layout.labels = {"ab"};
  const Bytes header = slice(lt::buildImage(layout).bytes, 0, 256);
  EXPECT_EQ(header[0], 7);
  EXPECT_EQ(word(header, 18), 2);
  EXPECT_EQ(word(header, 20), 0x7000);
  EXPECT_EQ(word(header, 25), 0xEC62);
  for (int i : {1, 17, 22, 23, 24, 27, 255}) EXPECT_EQ(header[i], 0) << "header byte " << i;
}

TEST(ImageBuilder, NoLinesStillWritesOneEmptyLine) {
  const BuiltImage image = lt::buildImage(ImageSpec{});
  EXPECT_EQ(word(image.bytes, 18), 0);
  EXPECT_EQ(image.labelOffset - image.tableOffset, 1);
  EXPECT_EQ(image.bytes[image.tableOffset], 0);
}

TEST(ImageBuilder, RecordsPackDownwardFromBelowTheSignature) {
  ImageSpec layout;
  layout.lines = {lt::instruction(0xEA), lt::emptyLine(), lt::statement(3, lt::dec8(1))};
  const BuiltImage image = lt::buildImage(layout);
  const int top = image.top;
  EXPECT_EQ(image.start, top - (6 + 4) - 16);
  EXPECT_EQ(image.tableOffset, 256 + top - image.start + 1);
  EXPECT_EQ(image.bytes[at(image, top - 5)], 0);
  EXPECT_EQ(image.bytes[at(image, top - 6)], 0xEA);
  EXPECT_EQ(slice(image.bytes, at(image, top - 9), 3), (Bytes{0x03, 0x2A, 0x01}));
  EXPECT_EQ(image.recordOffsets, (std::vector<int>{at(image, top - 6), -1, at(image, top - 9)}));
  EXPECT_EQ(slice(image.bytes, image.tableOffset, 3), (Bytes{0x81, 0x00, 0x03}));
  for (int a = image.start; a < top - 9; ++a)
    EXPECT_EQ(image.bytes[at(image, a)], 0) << "address " << a;
}

TEST(ImageBuilder, SignatureEndsAtTheVariantTop) {
  struct Case {
    zeb_SourceType variant;
    int top;
    const char* signature;
  };
  const Case cases[] = {{zeb_MACRO_8000, 0x7FF0, "VORDA"}, {zeb_PLAIN_9000, 0x8FF0, "VORDA"},
                        {zeb_ALT_9000, 0x8FF0, "DANRO"},   {zeb_PLAIN_A000, 0x9FF0, "VORDA"},
                        {zeb_CROSS_87FF, 0x87FF, "ZELQA"}, {zeb_PRO_8A00, 0x89F0, "VORDA"}};
  for (const Case& c : cases) {
    ImageSpec layout;
    layout.variant = c.variant;
    const BuiltImage image = lt::buildImage(layout);
    EXPECT_EQ(lt::variantTop(c.variant), c.top);
    EXPECT_EQ(image.top, c.top);
    EXPECT_EQ(slice(image.bytes, at(image, c.top - 4), 5), lt::raw(c.signature))
        << "variant " << c.variant;
    EXPECT_EQ(at(image, c.top) + 1, image.tableOffset);
  }
}

TEST(ImageBuilder, VariantZeroWritesNoSignature) {
  ImageSpec layout;
  layout.variant = zeb_UNIDENTIFIED;
  const BuiltImage image = lt::buildImage(layout);
  EXPECT_EQ(lt::variantTop(zeb_UNIDENTIFIED), 0);
  EXPECT_EQ(lt::variantSignature(zeb_UNIDENTIFIED), "");
  EXPECT_EQ(slice(image.bytes, at(image, image.top - 4), 5), Bytes(5, 0));
}

TEST(ImageBuilder, EncodesTheDocumentedRecords) {
  struct Case {
    Record record;
    unsigned char tableByte;
    Bytes bytes;
  };
  const Case cases[] = {
      {lt::instruction(0xA9, lt::hex8(0x10)), 0x83, {0xA9, 0x28, 0x10}},
      {lt::statement(3, lt::dec8(1), 522, lt::comment(12, "A")),
       0x07,
       {0x32, 0x0A, 0x03, 0x2A, 0x01, 0x8C, 0x41}},
      {lt::instruction(0x60, {}, 3), 0xC3, {0x30, 0x03, 0x60}},
      {lt::statement(9, lt::macroOperand(1, lt::dec8(2))), 0x05, {0x09, 0x30, 0x01, 0x2A, 0x02}},
      {lt::statement(2, lt::stringOperand("AB")), 0x04, {0x02, 0x02, 0x41, 0x42}},
      {lt::labelLine(0x123, lt::comment(1, "")), 0x03, {0x31, 0x23, 0x81}},
      {lt::textLine(2, "X"), 0x02, {0x42, 'X'}},
      {lt::commentLine(47, "X"), 0x02, {0xAF, 'X'}},
      {lt::rawRecord(0xC0, {}), 0xC0, {}},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(c.record.empty);
    EXPECT_EQ(c.record.tableByte, c.tableByte);
    EXPECT_EQ(c.record.bytes, c.bytes);
  }
  EXPECT_TRUE(lt::emptyLine().empty);
}

TEST(ImageBuilder, EncodesOperandTokens) {
  struct Case {
    Bytes token, bytes;
  };
  const Case cases[] = {
      {lt::hex16(0x1234, false), {0x21, 0x34, 0x12}},
      {lt::dec16(513), {0x2B, 0x01, 0x02}},
      {lt::bin8(5, false), {0x24, 0x05}},
      {lt::pc(), {0x2D}},
      {lt::chr(0xC1), {0x2E, 0xC1}},
      {lt::backslash('1', false), {0x27, 0x31}},
      {lt::label(1535), {0x3D, 0xFF}},
      {lt::label(5, false), {0x30, 0x05}},
      {lt::labelRef(2047), {0x37, 0xFF}},
      {lt::sym('('), {0x4A}},
      {lt::sym(')'), {0x4B}},
      {lt::closeParen(), {0x5B}},
      {lt::str("HI"), {0x4F, 0x02, 'H', 'I'}},
      {lt::raw(lt::petscii("aZ1")), {0x41, 0xDA, '1'}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.token, c.bytes);
}

TEST(ImageBuilder, RejectsWhatTheLayoutCannotHold) {
  ImageSpec tooHigh;
  tooHigh.lines = {lt::instruction(0xEA)};
  tooHigh.start = lt::variantTop(zeb_MACRO_8000) - 5;
  EXPECT_THROW(lt::buildImage(tooHigh), std::logic_error);
  tooHigh.start = lt::variantTop(zeb_MACRO_8000) - 6;
  EXPECT_NO_THROW(lt::buildImage(tooHigh));

  ImageSpec tooManyNames;
  tooManyNames.labels.assign(1537, "x");
  EXPECT_THROW(lt::buildImage(tooManyNames), std::logic_error);
  ImageSpec badName;
  badName.labels = {"a-b"};
  EXPECT_THROW(lt::buildImage(badName), std::logic_error);

  EXPECT_THROW(lt::commentLine(48, ""), std::logic_error);
  EXPECT_THROW(lt::statement(1, Bytes(63, 0x20)), std::logic_error);
  EXPECT_NO_THROW(lt::statement(1, Bytes(62, 0x20)));
  EXPECT_THROW(lt::label(1536), std::logic_error);
  EXPECT_THROW(lt::hex8(256), std::logic_error);
  EXPECT_THROW(lt::sym('?'), std::logic_error);
}

TEST(ImageBuilder, EncodesNamesWithPaddingAndTrailingBytes) {
  ImageSpec layout;
  layout.labels = {"a_9", "z"};
  layout.padding = 2;
  layout.trailing = {0xEE};
  const BuiltImage image = lt::buildImage(layout);
  const Bytes names(image.bytes.begin() + image.labelOffset + 96, image.bytes.end());
  EXPECT_EQ(names, (Bytes{'A', '[', '9' | 0x80, 0, 0, 'Z' | 0x80, 0xEE}));
  EXPECT_EQ(word(image.bytes, 25), 0xEC66);
}

TEST(ImageBuilder, BlockPointersLocateEachBlockOfThirtyTwoNames) {
  ImageSpec layout;
  for (int i = 0; i < 33; ++i) layout.labels.push_back("n" + std::to_string(i));
  layout.padding = 1;
  const BuiltImage image = lt::buildImage(layout);
  const int end = word(image.bytes, 25);
  // n0..n9 take 2 bytes, n10..n32 3, one padding byte before each name but the first.
  EXPECT_EQ(end, 0xEC60 + 10 * 2 + 23 * 3 + 32);
  EXPECT_EQ(blockPointer(image, 0), 0xEC60);
  EXPECT_EQ(blockPointer(image, 1), end - 3);
  const int name33 = image.labelOffset + (blockPointer(image, 1) - 0xEC00);
  EXPECT_EQ(slice(image.bytes, name33, 3), (Bytes{'N', '3', '2' | 0x80}));
  for (int k = 2; k < 48; ++k) EXPECT_EQ(blockPointer(image, k), end) << "pointer " << k;
}

TEST(ImageBuilder, UnusedBlockPointersFollowTheLabelEndAddress) {
  ImageSpec none;
  const BuiltImage empty = lt::buildImage(none);
  EXPECT_EQ(empty.bytes.size(), static_cast<std::size_t>(empty.labelOffset + 96));
  EXPECT_EQ(word(empty.bytes, 25), 0xEC60);
  EXPECT_EQ(blockPointer(empty, 0), 0xEC60);

  ImageSpec given;
  given.labels = {"a"};
  given.labelEnd = 0xF000;
  const BuiltImage image = lt::buildImage(given);
  EXPECT_EQ(word(image.bytes, 25), 0xF000);
  EXPECT_EQ(blockPointer(image, 0), 0xEC60);
  EXPECT_EQ(blockPointer(image, 1), 0xF000);
  EXPECT_EQ(blockPointer(image, 47), 0xF000);
}

TEST(ImageBuilder, CommittedExampleMatchesTheBuilder) {
  const std::string path = std::string(LORVEX_SOURCE_DIR) + "/examples/hello.src";
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "cannot read " << path;
  const Bytes stored((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_TRUE(stored == lt::exampleImage().bytes)
      << path << " differs from exampleImage(); regenerate it with: lorvex_make_example " << path;
}

}  // namespace
