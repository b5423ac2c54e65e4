// Invariants of the targets' spelling table that the writer relies on.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "export/export_syntax.h"
#include "model/p6502_tables.h"

namespace {

TEST(ExportSyntax, EveryTargetRowHoldsWhatTheWriterAssumes) {
  std::set<std::string> extensions;
  for (int t = 0; t < static_cast<int>(lorvex_Target::count); ++t) {
    const lorvex_TargetSyntax& s = lorvex_targetSyntax(static_cast<lorvex_Target>(t));
    SCOPED_TRACE(s.extension);
    EXPECT_EQ(s.extension[0], '.');
    EXPECT_TRUE(extensions.insert(s.extension).second) << "two targets write the same files";
    // Left-to-right chains are parenthesised from these levels alone.
    EXPECT_EQ(s.opPrecedence[op_add], s.opPrecedence[op_sub]);
    EXPECT_EQ(s.opPrecedence[op_mul], s.opPrecedence[op_div]);
    EXPECT_GT(s.opPrecedence[op_mul], s.opPrecedence[op_add]);
    for (int op = 0; op < op_COUNT; ++op) EXPECT_LT(s.opPrecedence[op], 100);
    // Mnemonics are written as three letters, and a label can never be one.
    for (const lorvex_Undocumented& u : s.undocumented) {
      if (!u.name) continue;
      EXPECT_EQ(std::strlen(u.name), 3u) << u.name;
      bool reserved = p6502_mnemonicIndex(u.name) >= 0;
      for (const char* const* word = s.reserved; *word; ++word) reserved = reserved || std::strcmp(*word, u.name) == 0;
      EXPECT_TRUE(reserved) << u.name << " is no reserved word";
    }
    for (const char* reg : {"a", "x", "y"}) {
      bool found = false;
      for (const char* const* word = s.reserved; *word; ++word) found = found || std::strcmp(*word, reg) == 0;
      EXPECT_TRUE(found) << reg;
    }
    // Either a block form or a variable for each of .eor and .offs.
    EXPECT_TRUE(s.xorOpen || *s.xorVariable);
    EXPECT_TRUE(s.offsetOpen || *s.offsetVariable);
    // Without a loop form of its own, loops are built from macros.
    EXPECT_EQ(s.loopOpen == nullptr, s.loopClose == nullptr);
  }
}

}  // namespace
