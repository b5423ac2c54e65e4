#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "driver/listing.h"
#include "driver/listing_options.h"
#include "driver/option_table.h"
#include "driver/reports.h"
#include "source/decode_helpers.h"
#include "support/kio_getopt.h"
#include "testlib/global_state.h"

using namespace lorvex_test;

namespace {

class ListingTest : public ::testing::Test {
 private:
  lorvex_test::GlobalStateGuard guard;
};

std::string listingOf(const zeb_Source& source, bool lineNumbers) {
  std::ostringstream out;
  writeListing(out, source, lineNumbers);
  return out.str();
}

std::string rendered(const zeb_Source& source, unsigned long index) {
  return source.lineAt(index)->toString();
}

// A small program: a labelled instruction, an empty line, a label alone.
std::unique_ptr<zeb_Source> threeLines() {
  return decodeLines({instruction(0xA9, hex8(1), 0), emptyLine(), labelLine(1)},
                     {"start", "done", "spare"});
}

TEST_F(ListingTest, OneTextLinePerRecord) {
  auto source = threeLines();
  EXPECT_EQ(listingOf(*source, false),
            rendered(*source, 0) + "\n" + rendered(*source, 1) + "\n" + rendered(*source, 2) + "\n");
}

TEST_F(ListingTest, LineNumbersStartAtZeroInFourColumns) {
  auto source = threeLines();
  EXPECT_EQ(listingOf(*source, true), "   0: " + rendered(*source, 0) + "\n   1: " +
                                          rendered(*source, 1) + "\n   2: " +
                                          rendered(*source, 2) + "\n");
}

TEST_F(ListingTest, EmptyRecordWritesPrefixAlone) {
  auto source = decodeLines({emptyLine()});
  ASSERT_EQ(source->numberOfLines(), 1u);
  EXPECT_EQ(listingOf(*source, false), "\n");
  EXPECT_EQ(listingOf(*source, true), "   0: \n");
}

TEST_F(ListingTest, FiveDigitIndexWidensThePrefix) {
  auto source = decodeLines(std::vector<Record>(10001, emptyLine()));
  ASSERT_EQ(source->numberOfLines(), 10001u);
  const std::string listing = listingOf(*source, true);
  EXPECT_EQ(listing.rfind("   0: \n", 0), 0u);
  const std::string tail = "\n9999: \n10000: \n";
  ASSERT_GT(listing.size(), tail.size());
  EXPECT_EQ(listing.substr(listing.size() - tail.size()), tail);
}

TEST_F(ListingTest, ConvertedLiteralGetsOnePrefix) {
  Lorvex_global::translateToByte = true;
  Lorvex_global::byteColumns = 1;
  auto source = decodeLines({statement(2, stringOperand("\x01\x02\x03"))});
  const std::string text = rendered(*source, 0);
  ASSERT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;
  EXPECT_EQ(listingOf(*source, true), "   0: " + text + "\n");
}

// ---- The whole parsed-source output, as the options ask. ----

ListingOptions parsed(std::vector<const char*> words) {
  kio_Getopt parser;
  registerOptions(parser);
  words.insert(words.begin(), "lorvex");
  parser.parse(static_cast<int>(words.size()), words.data());
  EXPECT_TRUE(parser.errors().empty());
  ListingOptions options;
  std::string message;
  EXPECT_TRUE(readListingOptions(parser, options, message)) << message;
  return options;
}

std::string outputOf(const zeb_Source& source, const std::vector<const char*>& words) {
  std::ostringstream out;
  writeParsedSource(out, source, parsed(words), "prog.src");
  return out.str();
}

struct Parts {
  std::string summary;
  std::string listing;
  std::string numbered;
  std::string labels;
  std::string detail;
  std::string wild;
};

Parts partsOf(const zeb_Source& source) {
  std::ostringstream summary;
  std::ostringstream labels;
  std::ostringstream detail;
  std::ostringstream wild;
  writeSummary(summary, source, "prog.src");
  writeLabelList(labels, source);
  writeMnemonicStats(detail, source, "prog.src", true, false);
  writeMnemonicStats(wild, source, "prog.src", false, true);
  return {summary.str(), listingOf(source, false), listingOf(source, true), labels.str(),
          detail.str(), wild.str()};
}

TEST_F(ListingTest, ReportsSurroundTheListingInFixedOrder) {
  auto source = threeLines();
  const Parts parts = partsOf(*source);
  EXPECT_EQ(outputOf(*source, {"-z", "-l", "-n", "-s"}),
            parts.summary + parts.numbered + parts.labels + parts.detail);
  EXPECT_EQ(outputOf(*source, {"--stats-wild", "--list-labels"}),
            parts.listing + parts.labels + parts.wild);
}

TEST_F(ListingTest, OptionsSelectWhatIsWritten) {
  auto source = threeLines();
  const Parts parts = partsOf(*source);
  struct Case {
    std::vector<const char*> words;
    std::string output;
  };
  const std::vector<Case> cases = {
      {{}, parts.listing},
      {{"-n"}, parts.numbered},
      {{"-O"}, ""},
      {{"-O", "-n"}, ""},
      {{"-O", "-s", "-l", "-Z"}, parts.summary + parts.labels + parts.wild},
      {{"--omit-source", "--stats-detail"}, parts.detail},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(outputOf(*source, c.words), c.output) << c.words.size() << " words";
  }
}

}  // namespace
