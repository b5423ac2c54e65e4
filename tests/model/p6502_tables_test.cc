#include "model/p6502_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <string>

namespace {

constexpr int kCells = p6502_MNEMONICS * p6502_MODES;

// The plain scan the inverse must reproduce: first cell holding the byte.
p6502_Decoded scan(unsigned char b) {
  if (b != 0) {
    for (int cell = 0; cell < kCells; ++cell) {
      if (p6502_MACHINE[cell] == b) {
        return {static_cast<int16_t>(cell / p6502_MODES),
                static_cast<int16_t>(1 << (cell % p6502_MODES))};
      }
    }
  }
  return {p6502_BRK, 1};
}

TEST(P6502Tables, MnemonicsAreDistinctLowerCaseTriples) {
  std::set<std::string> seen;
  for (const char* name : p6502_TLA) {
    ASSERT_NE(name, nullptr);
    ASSERT_EQ(std::strlen(name), 3u) << name;
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(std::islower(static_cast<unsigned char>(name[i])));
    seen.insert(name);
  }
  EXPECT_EQ(seen.size(), 79u);
  EXPECT_STREQ(p6502_TLA[p6502_BRK], "brk");
}

TEST(P6502Tables, MnemonicGroupsKeepTheirOrder) {
  // Documented instructions alphabetically, then the undocumented ones.
  EXPECT_TRUE(std::is_sorted(p6502_TLA, p6502_TLA + 56,
                             [](const char* a, const char* b) { return std::strcmp(a, b) < 0; }));
  EXPECT_STREQ(p6502_TLA[55], "tya");
  EXPECT_STREQ(p6502_TLA[56], "ahx");
  EXPECT_STREQ(p6502_TLA[73], "xaa");
  const char* const tail[] = {"cln", "bra", "rtd", "sac", "sir"};
  for (int i = 0; i < 5; ++i) EXPECT_STREQ(p6502_TLA[74 + i], tail[i]);
}

TEST(P6502Tables, NonZeroCellsAreDistinct) {
  std::set<int> bytes;
  int nonZero = 0;
  for (int cell = 0; cell < kCells; ++cell) {
    if (p6502_MACHINE[cell] == 0) continue;
    ++nonZero;
    bytes.insert(p6502_MACHINE[cell]);
  }
  EXPECT_EQ(nonZero, 219);
  EXPECT_EQ(bytes.size(), 219u);
  for (int column = 0; column < p6502_MODES; ++column) {
    EXPECT_EQ(p6502_MACHINE[p6502_BRK * p6502_MODES + column], 0) << column;
  }
}

TEST(P6502Tables, ExactlyTheListedBytesReadAsBrk) {
  const std::set<int> expected = {0x00, 0x04, 0x0B, 0x0C, 0x14, 0x1A, 0x1C, 0x34, 0x3A, 0x3C,
                                  0x44, 0x52, 0x54, 0x5A, 0x5C, 0x62, 0x64, 0x72, 0x74, 0x7A,
                                  0x7C, 0x80, 0x82, 0x89, 0x92, 0xB2, 0xC2, 0xD2, 0xD4, 0xDA,
                                  0xDC, 0xE2, 0xEB, 0xF2, 0xF4, 0xFA, 0xFC};
  std::set<int> brk;
  for (int b = 0; b < 256; ++b) {
    const p6502_Decoded d = p6502_decode(static_cast<unsigned char>(b));
    if (d.opcode == p6502_BRK) {
      EXPECT_EQ(d.addressing, 1) << b;
      brk.insert(b);
    }
  }
  EXPECT_EQ(brk, expected);
}

TEST(P6502Tables, DecodeAgreesWithScanForEveryByte) {
  for (int b = 0; b < 256; ++b) {
    const p6502_Decoded expected = scan(static_cast<unsigned char>(b));
    const p6502_Decoded actual = p6502_decode(static_cast<unsigned char>(b));
    EXPECT_EQ(actual.opcode, expected.opcode) << b;
    EXPECT_EQ(actual.addressing, expected.addressing) << b;
  }
}

struct Example {
  unsigned char byte;
  const char* mnemonic;
  int16_t addressing;
};

TEST(P6502Tables, WorkedExamples) {
  const Example examples[] = {
      {0xA9, "lda", 4},  {0x6C, "jmp", 2048}, {0x90, "bcc", 4096}, {0x0A, "asl", 2},
      {0xB6, "ldx", 32}, {0xA3, "lax", 64},   {0x12, "bra", 4096}, {0x32, "sac", 4},
      {0xEA, "nop", 1},  {0xFF, "isc", 256},  {0x00, "brk", 1},    {0xF2, "brk", 1},
  };
  for (const Example& e : examples) {
    const p6502_Decoded d = p6502_decode(e.byte);
    ASSERT_GE(d.opcode, 0);
    ASSERT_LT(d.opcode, p6502_MNEMONICS);
    EXPECT_STREQ(p6502_TLA[d.opcode], e.mnemonic) << int(e.byte);
    EXPECT_EQ(d.addressing, e.addressing) << int(e.byte);
  }
}

}  // namespace
