// A source keeps only the lines a record was decoded into; the rest are
// bare and made when first asked for.
#include <gtest/gtest.h>

#include <vector>

#include "source/decode_helpers.h"

using namespace lorvex_test;

namespace {

TEST_F(DecoderTest, OccupiedLinesAreTheLinesWithRecords) {
  std::vector<Record> lines(70, emptyLine());
  const std::vector<uint32_t> withRecords = {0, 1, 8, 9, 15, 16, 17, 63, 69};
  for (const uint32_t index : withRecords) lines[index] = instruction(0xEA);
  auto source = decodeLines(lines);
  ASSERT_EQ(source->numberOfLines(), 70u);
  EXPECT_EQ(source->occupiedLines(), withRecords);
  for (std::size_t k = 0; k < withRecords.size(); ++k) {
    EXPECT_EQ(source->occupiedLine(k), source->lineAt(withRecords[k]));
    EXPECT_EQ(source->occupiedLine(k)->getLineNumber(), static_cast<int>(withRecords[k]) + 1);
    EXPECT_TRUE(source->occupiedLine(k)->hasOpcode());
  }
}

TEST_F(DecoderTest, BareLinesKeepTheirNumbersAndPlaces) {
  auto source = decodeLines({emptyLine(), instruction(0xEA), emptyLine(), emptyLine()});
  const zeb_Line* second = source->lineAt(2);
  const zeb_Line* first = source->lineAt(0);
  const zeb_Line* third = source->lineAt(3);
  EXPECT_EQ(source->lineAt(2), second);
  const struct {
    const zeb_Line* line;
    int number;
  } bare[] = {{first, 1}, {second, 3}, {third, 4}};
  for (const auto& b : bare) {
    EXPECT_TRUE(b.line->isBare());
    EXPECT_EQ(b.line->getLineNumber(), b.number);
    EXPECT_EQ(b.line->toString(), "");
  }
  EXPECT_FALSE(source->lineAt(1)->isBare());
}

}  // namespace
