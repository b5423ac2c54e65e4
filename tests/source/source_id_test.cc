#include <gtest/gtest.h>

#include <cstring>

#include "petscii/lorvex_global.h"
#include "source/source_id.h"
#include "source/zeb_source.h"
#include "testlib/global_state.h"
#include "testlib/image_builder.h"

using namespace lorvex_test;

namespace {

class SourceIdTest : public ::testing::Test {
 private:
  GlobalStateGuard guard;
};

int identify(const Bytes& image) {
  zeb_Source source(reinterpret_cast<const char*>(image.data()), static_cast<int>(image.size()));
  return source.getSourceType();
}

// A header naming `start`, then zeros, with `sig` ending at address `top`,
// and `after` bytes following it.
Bytes signatureAt(int start, int top, const char* sig, int after) {
  Bytes image(static_cast<std::size_t>(256 + top - start + 1 + after), 0);
  image[zeb_HEADER_TEXT_START] = static_cast<unsigned char>(start & 0xFF);
  image[zeb_HEADER_TEXT_START + 1] = static_cast<unsigned char>(start >> 8);
  std::memcpy(image.data() + 256 + (top - start) - 4, sig, 5);
  return image;
}

}  // namespace

TEST_F(SourceIdTest, EveryVariantIsIdentifiedAndNamed) {
  const struct {
    zeb_SourceType variant;
    const char* name;
    bool parsed;
  } cases[] = {
      {zeb_MACRO_8000, "Vorda Assembler (macro; $8000)", true},
      {zeb_PLAIN_9000, "Vorda Assembler (plain; $9000)", true},
      {zeb_ALT_9000, "Grenfal Assembler (plain variant; $9000)", true},
      {zeb_PLAIN_A000, "Vantler's Assembler (plain variant; $a000)", true},
      {zeb_CROSS_87FF, "Vorda Macro Cross Assembler v1.0 by Dunmere/Ostravel (plain variant; $87ff)", false},
      {zeb_PRO_8A00, "Vorda Assembler Professional v1.1lm by Korrim/Druvel (plain variant; $8a00)", true},
  };
  for (const auto& c : cases) {
    ImageSpec layout;
    layout.variant = c.variant;
    layout.lines = {instruction(0xEA)};
    const Bytes image = buildImage(layout).bytes;
    zeb_Source source(reinterpret_cast<const char*>(image.data()), static_cast<int>(image.size()));
    EXPECT_EQ(source.getSourceType(), c.variant);
    EXPECT_EQ(source.type(), c.name);
    EXPECT_EQ(source.isParsed(), c.parsed) << c.variant;
    EXPECT_EQ(source.numberOfLines(), c.parsed ? 1u : 0u);
  }
}

TEST_F(SourceIdTest, UnidentifiedImages) {
  ImageSpec layout;
  layout.variant = zeb_UNIDENTIFIED;
  const Bytes image = buildImage(layout).bytes;
  zeb_Source source(reinterpret_cast<const char*>(image.data()), static_cast<int>(image.size()));
  EXPECT_EQ(source.type(), "Unidentified.");
  EXPECT_FALSE(source.isParsed());
  EXPECT_EQ(source.numberOfLines(), 0u);
  EXPECT_EQ(identify(Bytes{}), zeb_UNIDENTIFIED);
  EXPECT_EQ(identify(Bytes(257, 'V')), 0);
}

TEST_F(SourceIdTest, SignatureNeedsOneByteAfterIt) {
  EXPECT_EQ(identify(signatureAt(0x7000, 0x7FF0, "VORDA", 0)), 0);
  EXPECT_EQ(identify(signatureAt(0x7000, 0x7FF0, "VORDA", 1)), 1);
}

TEST_F(SourceIdTest, NearMissesDoNotMatch) {
  EXPECT_EQ(identify(signatureAt(0x7000, 0x7FF0, "vorda", 8)), 0);
  EXPECT_EQ(identify(signatureAt(0x7000, 0x7FF0, "\xd6\xcf\xd2\xc4\xc1", 8)), 0);
  EXPECT_EQ(identify(signatureAt(0x7000, 0x7FF1, "VORDA", 8)), 0);
  // Only "ZELQA" is looked for at $87FF.
  EXPECT_EQ(identify(signatureAt(0x8000, 0x87FF, "VORDA", 8)), 0);
  EXPECT_EQ(identify(signatureAt(0x8000, 0x87FF, "ZELQA", 8)), 5);
  EXPECT_EQ(identify(signatureAt(0x8000, 0x8FF0, "DANRO", 8)), 3);
}

TEST_F(SourceIdTest, FirstMatchInTheFixedOrderWins) {
  Bytes both = signatureAt(0x7000, 0x8FF0, "VORDA", 8);
  std::memcpy(both.data() + 256 + (0x7FF0 - 0x7000) - 4, "VORDA", 5);
  EXPECT_EQ(identify(both), 1);

  Bytes pro = signatureAt(0x8000, 0x8FF0, "VORDA", 8);
  std::memcpy(pro.data() + 256 + (0x89F0 - 0x8000) - 4, "VORDA", 5);
  EXPECT_EQ(identify(pro), 6);
}

TEST_F(SourceIdTest, StartAboveATopSkipsThatCandidate) {
  EXPECT_EQ(identify(signatureAt(0x8000, 0x8FF0, "VORDA", 8)), zeb_PLAIN_9000);
  EXPECT_EQ(identify(signatureAt(0x9000, 0x9FF0, "VORDA", 8)), zeb_PLAIN_A000);
}

TEST_F(SourceIdTest, StartEqualToTopComparesHeaderBytes) {
  Bytes image(300, 0);
  image[zeb_HEADER_TEXT_START] = 0xF0;
  image[zeb_HEADER_TEXT_START + 1] = 0x7F;
  std::memcpy(image.data() + 252, "VORDA", 5);  // four letters inside the header
  zeb_Source source(reinterpret_cast<const char*>(image.data()), static_cast<int>(image.size()));
  EXPECT_EQ(source.getSourceType(), zeb_MACRO_8000);
  EXPECT_TRUE(source.isParsed());
}

TEST_F(SourceIdTest, TabColumnComesFromTheHeaderWhateverTheVariant) {
  Bytes image = signatureAt(0x7000, 0x7FF0, "XXXXX", 8);
  image[zeb_HEADER_TAB_COLUMN] = 0;
  identify(image);
  EXPECT_EQ(Lorvex_global::tabWidth, 0);
  image[zeb_HEADER_TAB_COLUMN] = 200;
  identify(image);
  EXPECT_EQ(Lorvex_global::tabWidth, 200);
}

TEST_F(SourceIdTest, ShortImagesStayInsideTheirBytes) {
  // Missing header bytes read as zero; nothing is read past the end.
  for (int size : {0, 1, 20, 255, 256}) {
    Bytes image(static_cast<std::size_t>(size), 0x41);
    if (size > 0) image[zeb_HEADER_TAB_COLUMN] = 7;
    EXPECT_EQ(identify(image), zeb_UNIDENTIFIED) << size;
    EXPECT_EQ(Lorvex_global::tabWidth, size > 0 ? 7 : 0) << size;
  }
}

TEST_F(SourceIdTest, FMatchIDBounds) {
  const char image[] = "0123456789";
  EXPECT_FALSE(FMatchID("", 0, image, 10, -1));
  EXPECT_FALSE(FMatchID("", 0, image, 257, 0));
  EXPECT_TRUE(FMatchID("", 0, image, 258, 0));
}
