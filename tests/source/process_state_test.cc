// The warning sink and the one reset of everything process-wide.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "model/decode_warnings.h"
#include "source/decode_helpers.h"

using namespace lorvex_test;

namespace {

struct Collected : zeb_WarningSink {
  std::vector<int> nullLines;
  std::vector<std::pair<int, int>> corrupt;  // token byte, offset
  void nullExpression(int lineNumber) override { nullLines.push_back(lineNumber); }
  void corruptOperand(int tokenByte, int offset) override {
    corrupt.emplace_back(tokenByte, offset);
  }
};

}  // namespace

TEST_F(DecoderTest, WarningsGoToTheInstalledSink) {
  Collected sink;
  zeb_setWarningSink(&sink);
  // Line 2: .offs with no operand; line 3: lda abs with the stray byte $37.
  const BuiltImage built = buildImage([] {
    ImageSpec layout;
    layout.lines = {emptyLine(), statement(1, {0x8A, 'Q'}), rawRecord(0x83, {0xAD, 0x37, 0x01})};
    return layout;
  }());
  decode(built.bytes);
  zeb_setWarningSink(nullptr);
  EXPECT_EQ(sink.nullLines, (std::vector<int>{2, 3}));
  const int offset = built.recordOffsets[2] - built.textOffset + 1;
  EXPECT_EQ(sink.corrupt, (std::vector<std::pair<int, int>>{{0x37, offset}}));
}

TEST_F(DecoderTest, ResetRestoresEverythingProcessWide) {
  Collected sink;
  zeb_setWarningSink(&sink);
  Lorvex_global::translateToByte = true;
  Lorvex_global::utf8 = true;
  Lorvex_global::tabWidth = 3;
  decodeLines({instruction(0xEA)}, {"loop"});
  ASSERT_EQ(zeb_Source::globLabels.size(), 1u);

  zeb_resetProcessState();
  EXPECT_FALSE(Lorvex_global::translateToByte);
  EXPECT_FALSE(Lorvex_global::utf8);
  EXPECT_EQ(Lorvex_global::tabWidth, 9);
  EXPECT_TRUE(zeb_Source::globLabels.empty());
  EXPECT_NE(&zeb_warnings(), &sink);
}
