#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "source/decode_helpers.h"
#include "source/token_dump.h"
#include "testlib/stream_capture.h"

using namespace lorvex_test;

namespace {

struct Decoded {
  std::string tokens;
  int position;
  std::string printed;  // what went to standard output
};

// Runs the decoder over `bytes` as one record starting at offset `at`.
Decoded readOne(const Bytes& bytes, int at = 0) {
  zeb_Source source(nullptr, 0);
  StreamCapture captured(std::cout);
  int position = at;
  auto expression =
      source.readExpression(bytes.data(), 0, static_cast<int>(bytes.size()), &position);
  return {dump(expression), position, captured.text()};
}

const char kWarning[] = " warning: seeing this probably means a corrupt source code file. [1 / ";

}  // namespace

TEST_F(DecoderTest, TokenRuns) {
  const struct {
    Bytes bytes;
    const char* tokens;
    int position;
  } cases[] = {
      {{0x28, 0x0F}, "hex:15", 2},
      {{0x21, 0x34, 0x12, 0x40, 0x2A, 0x01}, "hex:4660 sym:64 dec:1", 6},
      {{0x29, 0x10, 0x00}, "hex:16", 3},
      {{0x2B, 0xFF, 0xFF}, "dec:65535", 3},
      {{0x2C, 0x05}, "bin:5", 2},
      {{0x25, 0x2D}, "pc:0 pc:0", 2},
      {{0x4F, 0x00}, "str:", 2},
      {{0x4F, 0x02, 'H', 'I', 0x99}, "str:HI", 4},
      {{0x2E, 0xC1, 0x99}, "chr:-63", 2},
      {{0x2F, 0x31}, "bs:49", 2},
      {{0x30, 0x05, 0x5B}, "label:5 sym:91", 3},
      {{0x3A, 0x10}, "label:528", 2},
      {{0x4A, 0x30, 0x01, 0x41, 0x28, 0x01, 0x5B}, "sym:74 label:1 sym:65 hex:1", 6},
      {{0x44, 0x30, 0x02, 0x4B, 0x42, 0x38, 0x00}, "sym:68 label:2 sym:75 sym:66 label:0", 7},
  };
  for (const auto& c : cases) {
    const Decoded d = readOne(c.bytes);
    EXPECT_EQ(d.tokens, c.tokens);
    EXPECT_EQ(d.position, c.position) << c.tokens;
    EXPECT_EQ(d.printed, "");
  }
}

TEST_F(DecoderTest, CommentHeaderEndsTheRunQuietly) {
  const Decoded d = readOne({0x8A, 0x41});
  EXPECT_EQ(d.tokens, "null");
  EXPECT_EQ(d.position, 0);
  EXPECT_EQ(d.printed, "");
  const Decoded afterToken = readOne({0x20, 0x01, 0xA7});
  EXPECT_EQ(afterToken.tokens, "null");
  EXPECT_EQ(afterToken.position, 2);
}

TEST_F(DecoderTest, NonTokenByteWarnsOnStandardOutput) {
  const Decoded d = readOne({0x99, 0x22, 0x07, 0x37}, 1);
  EXPECT_EQ(d.tokens, "null");
  EXPECT_EQ(d.position, 3);
  EXPECT_EQ(d.printed, std::string(kWarning) + "55 at 3]\n");

  for (int t : {0x00, 0x1F, 0x36, 0x37, 0x3E, 0x3F, 0x4C, 0x4E, 0x50, 0x5A, 0x5C, 0x7F, 0xA8, 0xFF}) {
    const Decoded bad = readOne({static_cast<unsigned char>(t)});
    EXPECT_EQ(bad.printed, std::string(kWarning) + std::to_string(t) + " at 0]\n") << t;
  }
}

TEST_F(DecoderTest, RunThatReachesTheRecordEndYieldsNothing) {
  for (const Bytes& bytes : {Bytes{}, Bytes{0x25}, Bytes{0x21, 0x01}, Bytes{0x30},
                             Bytes{0x4F, 0x03, 'A'}, Bytes{0x20, 0x01, 0x40}}) {
    const Decoded d = readOne(bytes);
    EXPECT_EQ(d.tokens, "null");
    EXPECT_EQ(d.printed, "");
  }
}

TEST_F(DecoderTest, LabelTokensMarkTheirLabelsUsed) {
  auto source = decodeLines({instruction(0xAD, cat({label(1, false), sym('+'), label(0)}))},
                            {"a", "b", "c"});
  EXPECT_TRUE(source->isLabelUsed(0));
  EXPECT_TRUE(source->isLabelUsed(1));
  EXPECT_FALSE(source->isLabelUsed(2));
}

TEST_F(DecoderTest, LabelTokenOutsideTheTableIsKeptButMarksNothing) {
  auto source = decodeLines({instruction(0xAD, label(1500))}, {"a"});
  EXPECT_EQ(dump(source->lineAt(0)->getExpression()), "label:1500");
  EXPECT_FALSE(source->isLabelUsed(0));
}
