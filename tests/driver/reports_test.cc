#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "driver/reports.h"
#include "source/decode_helpers.h"
#include "support/kio_identity.h"
#include "testlib/global_state.h"

using namespace lorvex_test;

namespace {

class ReportsTest : public ::testing::Test {
 private:
  lorvex_test::GlobalStateGuard guard;
};

Record lda() { return instruction(0xA9, hex8(1)); }        // lda #$01
Record sta() { return instruction(0x8D, hex16(0x0400)); }  // sta $0400
Record jsr() { return instruction(0x20, hex16(0xFFD2)); }  // jsr $ffd2
Record inx() { return instruction(0xE8); }
Record rts() { return instruction(0x60); }
Record byteLine() { return statement(3, dec8(7)); }        // .byte 7

std::vector<Record> times(int count, const Record& record) {
  return std::vector<Record>(static_cast<std::size_t>(count), record);
}

std::vector<Record> join(std::initializer_list<std::vector<Record>> parts) {
  std::vector<Record> out;
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

std::string summaryOf(const zeb_Source& source, const std::string& name) {
  std::ostringstream out;
  writeSummary(out, source, name);
  return out.str();
}

std::string labelListOf(const zeb_Source& source) {
  std::ostringstream out;
  writeLabelList(out, source);
  return out.str();
}

std::string statsOf(std::vector<Record> lines, bool detail, bool wild,
                    const std::string& name = "prog") {
  auto source = decodeLines(std::move(lines));
  std::ostringstream out;
  writeMnemonicStats(out, *source, name, detail, wild);
  return out.str();
}

const char kRemark[] = "\n `I noticed alot of LDA and STA and JSR usage.`\n";

bool endsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// ---- Statistics summary. ----

struct LineClassCase {
  const char* what;
  Record record;
  int blank;
  int opcodes;
  int pseudos;
};

TEST_F(ReportsTest, EachLineFallsIntoAtMostOneClass) {
  const std::vector<LineClassCase> cases = {
      {"instruction", inx(), 0, 1, 0},
      {"labelled instruction", instruction(0xA9, hex8(1), 0), 0, 1, 0},
      {"pseudo-op", statement(7), 0, 0, 1},
      {"labelled pseudo-op", statement(3, dec8(1), 0), 0, 0, 1},
      {"macro call", statement(9, macroOperand(0, dec8(1))), 0, 0, 1},
      {"empty line", emptyLine(), 1, 0, 0},
      {"comment only", commentLine(4, petscii("note")), 1, 0, 0},
      {"statement byte 0 alone", rawRecord(0x01, {0x00}), 1, 0, 0},
      {"label only", labelLine(0), 0, 0, 0},
      {"label and comment", labelLine(0, comment(20, petscii("note"))), 0, 0, 0},
      {"label then statement byte 0", statement(0, {}, 0), 0, 0, 0},
      {"label assignment", statement(5, hex16(0xFFD2), 0), 0, 0, 0},
      {"pc assignment", statement(6, hex16(0xC000)), 0, 0, 0},
      {"text line", textLine(4, petscii("text")), 0, 0, 0},
  };
  for (const LineClassCase& c : cases) {
    auto source = decodeLines({c.record}, {"start"});
    ASSERT_TRUE(source->isParsed()) << c.what;
    const std::string expected = "    Total lines: 1\n        (blank): " + std::to_string(c.blank) +
                                 "\n      (opcodes): " + std::to_string(c.opcodes) +
                                 "\n      (pseudos): " + std::to_string(c.pseudos) + "\n\n";
    EXPECT_NE(summaryOf(*source, "x").find(expected), std::string::npos) << c.what;
  }
}

TEST_F(ReportsTest, SummaryOfMixedSourceWithEmptyInputName) {
  auto source = decodeLines(
      {commentLine(0, petscii("head")), emptyLine(), labelLine(0), lda(), sta(), byteLine(),
       textLine(2, petscii("t"))},
      {"start", "spare"});
  const std::string expected = kio::getVersion() +
                               "\n"
                               "Statistics for :\n"
                               "\n"
                               " Source type is: " +
                               source->type() +
                               "\n"
                               "\n"
                               "    Total lines: 7\n"
                               "        (blank): 2\n"
                               "      (opcodes): 2\n"
                               "      (pseudos): 1\n"
                               "\n"
                               "   Total labels: 2\n"
                               "\n";
  EXPECT_EQ(summaryOf(*source, ""), expected);
}

TEST_F(ReportsTest, SummaryOfLabelOnlyLinesCountsThemInTheTotalOnly) {
  auto source = decodeLines(times(5, labelLine(0)), {"start"});
  const std::string summary = summaryOf(*source, "prog.src");
  EXPECT_NE(summary.find("Statistics for prog.src:\n\n"), std::string::npos);
  EXPECT_NE(summary.find("    Total lines: 5\n        (blank): 0\n      (opcodes): 0\n"
                         "      (pseudos): 0\n\n   Total labels: 1\n\n"),
            std::string::npos);
}

TEST_F(ReportsTest, SummaryCaptionsPutColonInColumn16AndValueInColumn18) {
  auto source = decodeLines({lda(), emptyLine()}, {"start"});
  std::istringstream lines(summaryOf(*source, "prog"));
  std::string line;
  std::getline(lines, line);  // the version text
  std::getline(lines, line);  // the heading
  int captions = 0;
  while (std::getline(lines, line)) {
    if (line.empty()) continue;
    const std::size_t colon = line.find(": ");
    ++captions;
    EXPECT_EQ(colon, 15u) << line;
    ASSERT_GT(line.size(), 17u) << line;
    EXPECT_NE(line[17], ' ') << line;
  }
  EXPECT_EQ(captions, 6);
}

// ---- Label list. ----

TEST_F(ReportsTest, LabelListWithoutLabelsIsHeadingOnly) {
  auto source = decodeLines({lda()});
  EXPECT_EQ(labelListOf(*source), "\nLabels (* denotes unreferenced):\n");
}

TEST_F(ReportsTest, LabelListMarksUnreferencedLabelsInTableOrder) {
  enum { kZeta, kAlpha, kMid, kMac, kSpare };
  auto source = decodeLines(
      {
          labelLine(kZeta),
          instruction(0xAD, label(kAlpha)),  // lda alpha
          instruction(0xE8, {}, kMid),       // mid inx
          statement(9, macroOperand(kMac, dec8(1))),
      },
      {"zeta", "alpha", "mid", "mac", "spare"});
  EXPECT_EQ(labelListOf(*source),
            "\nLabels (* denotes unreferenced):\n"
            "    zeta\n"
            "    alpha\n"
            "    mid\n"
            "  * mac\n"
            "  * spare\n");
}

// ---- Percentages. ----

struct PercentCase {
  int count;
  int total;
  const char* text;
};

TEST_F(ReportsTest, FormatPercentRoundsTheSinglePrecisionShare) {
  const std::vector<PercentCase> cases = {
      {1, 3, " 33.33"}, {2, 3, " 66.67"}, {1, 8, " 12.50"}, {1, 1, "100.00"},
      {12, 48, " 25.00"}, {0, 5, "  0.00"}, {0, 0, "  0.00"}, {23, 160, " 14.38"},
      {1, 40000, "  0.00"},  // a tiny share still takes the printed path
      {1, 32, "  3.12"}, {3, 32, "  9.38"},  // exact ties go to the even digit
  };
  for (const PercentCase& c : cases) {
    EXPECT_EQ(formatPercent(c.count, c.total), c.text) << c.count << "/" << c.total;
  }
}

std::string printed(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%6.2f", value);
  return text;
}

TEST_F(ReportsTest, FormatPercentWritesWhatPrintfWritesForEveryShareOfSmallTotals) {
  for (int total = 1; total <= 300; ++total) {
    for (int count = 1; count <= total; ++count) {
      const float share = static_cast<float>(count) / static_cast<float>(total) * 100.0f;
      ASSERT_EQ(formatPercent(count, total), printed(static_cast<double>(share)))
          << count << "/" << total;
    }
  }
}

TEST_F(ReportsTest, FormatPercentFollowsFloatWhereDoubleWouldRoundOtherwise) {
  int found = 0;
  for (int total = 1; total <= 2000 && found < 20; ++total) {
    for (int count = 1; count <= total && found < 20; ++count) {
      const float share = static_cast<float>(count) / static_cast<float>(total) * 100.0f;
      const std::string viaFloat = printed(static_cast<double>(share));
      const std::string viaDouble = printed(static_cast<double>(count) / total * 100.0);
      if (viaFloat == viaDouble) continue;
      ++found;
      EXPECT_EQ(formatPercent(count, total), viaFloat) << count << "/" << total;
    }
  }
  EXPECT_EQ(found, 20);
}

// ---- Detailed and wild statistics. ----

TEST_F(ReportsTest, DetailedRowsInMnemonicOrderIgnoringLinesWithoutOpcode) {
  const std::string stats =
      statsOf(join({times(12, lda()), times(36, inx()), times(5, byteLine()),
                    {emptyLine(), commentLine(0, petscii("c"))}}),
              true, false);
  EXPECT_EQ(stats,
            "\nDetailed statistics for prog:\n\n"
            "  inx :   36 /  75.00%\n"
            "  lda :   12 /  25.00%\n");
}

TEST_F(ReportsTest, DetailedRowsDoNotSortByCount) {
  EXPECT_EQ(statsOf({sta(), sta(), sta(), jsr(), lda(), lda(), rts(), sta()}, true, false),
            "\nDetailed statistics for prog:\n\n"
            "  jsr :    1 /  12.50%\n"
            "  lda :    2 /  25.00%\n"
            "  rts :    1 /  12.50%\n"
            "  sta :    4 /  50.00%\n");
}

TEST_F(ReportsTest, SoleMnemonicFillsThePercentField) {
  EXPECT_EQ(statsOf({rts()}, true, false, ""),
            "\nDetailed statistics for :\n\n"
            "  rts :    1 / 100.00%\n");
}

TEST_F(ReportsTest, WildAloneShowsExactlyJsrLdaSta) {
  EXPECT_EQ(statsOf({inx(), rts(), lda()}, false, true),
            "\nWild statistics for prog:\n\n"
            "  jsr :    0 /   0.00%\n"
            "  lda :    1 /  33.33%\n"
            "  sta :    0 /   0.00%\n"
            + std::string(kRemark));
}

TEST_F(ReportsTest, DetailAndWildTogether) {
  EXPECT_EQ(statsOf(join({times(3, lda()), {inx()}}), true, true),
            "\nDetailed statistics for prog:\n\n"
            "  inx :    1 /  25.00%\n"
            "  jsr :    0 /   0.00%\n"
            "  lda :    3 /  75.00%\n"
            "  sta :    0 /   0.00%\n");
}

struct RemarkCase {
  const char* what;
  std::vector<Record> lines;
  bool remark;
};

TEST_F(ReportsTest, WildRemarkAboveThirtyPercentInSinglePrecision) {
  const std::vector<RemarkCase> cases = {
      {"3 of 10", join({{lda(), sta(), jsr()}, times(7, inx())}), true},
      {"29 of 100", join({times(29, lda()), times(71, inx())}), false},
      {"31 of 100", join({times(31, sta()), times(69, inx())}), true},
      {"all", times(4, jsr()), true},
      {"none of 5", times(5, inx()), false},
      {"pseudo-ops do not dilute", join({{lda()}, times(9, byteLine())}), true},
  };
  for (const RemarkCase& c : cases) {
    EXPECT_EQ(endsWith(statsOf(c.lines, false, true), kRemark), c.remark) << c.what;
    EXPECT_EQ(statsOf(c.lines, true, true).find("I noticed"), std::string::npos) << c.what;
    EXPECT_EQ(statsOf(c.lines, true, false).find("I noticed"), std::string::npos) << c.what;
  }
}

TEST_F(ReportsTest, NoOpcodeLines) {
  const std::vector<Record> lines = {byteLine(), emptyLine(), textLine(0, petscii("t"))};
  EXPECT_EQ(statsOf(lines, true, false), "\nDetailed statistics for prog:\n\n");
  EXPECT_EQ(statsOf(lines, false, true),
            "\nWild statistics for prog:\n\n"
            "  jsr :    0 /   0.00%\n"
            "  lda :    0 /   0.00%\n"
            "  sta :    0 /   0.00%\n");
}

TEST_F(ReportsTest, NeitherStatisticsOptionWritesNothing) {
  EXPECT_EQ(statsOf({lda(), sta()}, false, false), "");
}

// The count field widens past five digits, but a source cannot hold 100000
// opcode lines (the text area is at most 40945 bytes), so that case is not
// reachable through a decoded source.

}  // namespace
