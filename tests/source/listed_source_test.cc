// A source that writes its listing while it decodes says what one decoded
// whole and then listed says: the same text, the same warnings in the same
// order, the same labels used and the same line counts.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "driver/listing.h"
#include "model/decode_warnings.h"
#include "model/line_writer.h"
#include "source/decode_helpers.h"

using namespace lorvex_test;

namespace {

class Warnings : public zeb_WarningSink {
 public:
  void nullExpression(int line) override { said.push_back("null " + std::to_string(line)); }
  void corruptOperand(int byte, int at) override {
    said.push_back("corrupt " + std::to_string(byte) + " at " + std::to_string(at));
  }
  std::vector<std::string> said;
};

struct Decoded {
  std::string listing;
  std::vector<std::string> warnings;
  std::vector<bool> used;
  zeb_LineTally tally;
};

void readBack(const zeb_Source& source, Decoded& out) {
  for (unsigned long i = 0; i < source.numberOfLabels(); ++i) out.used.push_back(source.isLabelUsed(i));
  out.tally = source.lineTally();
}

Decoded whole(const Bytes& image, int tab) {
  Decoded out;
  Warnings warnings;
  zeb_setWarningSink(&warnings);
  const auto source = decode(image);
  zeb_setWarningSink(nullptr);
  if (tab >= 0) Lorvex_global::tabWidth = tab;
  std::ostringstream text;
  writeListing(text, *source, false);
  out.listing = text.str();
  out.warnings = warnings.said;
  readBack(*source, out);
  return out;
}

Decoded listedWhileDecoded(const Bytes& image, int tab, bool countLines) {
  Decoded out;
  Warnings warnings;
  zeb_setWarningSink(&warnings);
  zeb_HeldListing held;
  if (tab >= 0) held.tabWidth = tab;
  held.countLines = countLines;
  const zeb_Source source(kio_Bytes(image.begin(), image.end()), held);
  zeb_setWarningSink(nullptr);
  for (const auto& block : held.blocks) out.listing.append(block->data(), block->size());
  out.warnings = warnings.said;
  readBack(source, out);
  return out;
}

struct Case {
  const char* what;
  std::vector<Record> lines;
  int tab;  // -1: the image's own
  bool warns;
};

}  // namespace

TEST_F(DecoderTest, ListingWhileDecodingSaysWhatDecodingThenListingSays) {
  const std::vector<Case> cases = {
      {"every kind of record",
       {instruction(0xA9, hex8(1), 0, comment(20, "x")), instruction(0x0A), emptyLine(),
        statement(3, cat({dec8(7, false), label(1)})), statement(5, hex16(0x1234), 1),
        statement(2, stringOperand(petscii("hi"))), statement(9, macroOperand(1, chr(0x41))),
        textLine(4, petscii("a \"b\"")), commentLine(10, "c"), labelLine(1), emptyLine()},
       -1, false},
      {"a wide tab column",
       {instruction(0xBD, label(0), 1), statement(6, pc()), statement(27, bin8(5))},
       40, false},
      {"damage the decoder warns of",
       {rawRecord(0x83, {0xA9, 0x50, 0x20}), rawRecord(0x03, {0x01, 0x60, 0x90}),
        rawRecord(0x05, {0x03, 0x20, 0x05, 0x5F, 0x01}), instruction(0xEA)},
       -1, true},
      {"labels outside the table",
       {instruction(0x20, label(300), 2), statement(4, label(5))},
       -1, false},
  };
  for (const Case& c : cases) {
    ImageSpec layout;
    layout.lines = c.lines;
    layout.labels = {"start", "loop", "a_very_long_label_name_indeed"};
    const Bytes image = buildImage(layout).bytes;
    for (bool countLines : {false, true}) {
      zeb_resetProcessState();
      const Decoded expected = whole(image, c.tab);
      zeb_resetProcessState();
      const Decoded got = listedWhileDecoded(image, c.tab, countLines);
      EXPECT_EQ(!expected.warnings.empty(), c.warns) << c.what;
      EXPECT_EQ(got.listing, expected.listing) << c.what;
      EXPECT_EQ(got.warnings, expected.warnings) << c.what;
      EXPECT_EQ(got.used, expected.used) << c.what;
      EXPECT_EQ(got.tally.records, expected.tally.records) << c.what;
      EXPECT_EQ(got.tally.opcodes, expected.tally.opcodes) << c.what;
      EXPECT_EQ(got.tally.pseudos, expected.tally.pseudos) << c.what;
      EXPECT_EQ(got.tally.blank, expected.tally.blank) << c.what;
      for (int m = 0; m < p6502_MNEMONICS; ++m) {
        EXPECT_EQ(got.tally.byMnemonic[m], expected.tally.byMnemonic[m]) << c.what << " " << m;
      }
    }
  }
}
