// What a target cannot say stops the export at the line that says it; the
// text already in the output stays as it was.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "export/source_export.h"
#include "source/zeb_source.h"
#include "testlib/global_state.h"
#include "testlib/image_builder.h"

namespace {

using namespace lorvex_test;

struct Refusal {
  const char* name;
  std::optional<lorvex_Target> only;  // refused by this target alone; both when empty
  std::vector<std::string> labels;
  std::vector<Record> lines;
  const char* error;
};

Record pseudo(int code, int label = -1) { return statement(code, {}, label); }
Record bytes(const Bytes& list) { return statement(3, list); }

const std::vector<Refusal>& refusals() {
  static const std::vector<Refusal> table = {
      {"a jump that closes no loop", {}, {"l"}, {pseudo(19, 0), statement(31, label(0))},
       "line 2: .goto: a jump that is not the closing \".if...\" / \".goto\" / \".endif\" of a loop"},
      {"a loop mark read as a value", {}, {"l"}, {pseudo(19, 0), bytes(label(0))},
       "line 2: .byte: the loop mark \"l\" used as a value"},
      {"force outside an instruction", {}, {}, {bytes(cat({sym('!'), dec8(1)}))},
       "line 1: .byte: \"!\" outside an instruction's operand"},
      {"force where no absolute form exists", {}, {}, {instruction(0xA9, cat({sym('!'), dec8(5)}))},
       "line 1: lda: \"!\" on an operand that has no absolute form"},
      {"a prefix inside", {}, {}, {bytes(cat({dec8(1, false), sym('+'), sym('<'), dec8(2)}))},
       "line 1: .byte: a prefix inside an operand"},
      {"a string inside arithmetic", {}, {}, {bytes(cat({dec8(1, false), sym('+'), str("AB")}))},
       "line 1: .byte: a string inside an expression"},
      {"an unclosed parenthesis", {}, {}, {bytes(cat({sym('('), dec8(1)}))},
       "line 1: .byte: a \"(\" without its \")\""},
      {"a macro argument outside a macro", {}, {}, {bytes(backslash('1'))},
       "line 1: .byte: a macro argument outside a macro"},
      {"a call with too many arguments", {}, {"m"},
       {pseudo(7, 0), bytes(backslash('1')), pseudo(8),
        statement(9, macroOperand(0, cat({dec8(1), dec8(2)})))},
       "line 4: #m: 2 arguments to a macro that takes 1"},
      {"a call above the macro", {}, {"m"},
       {statement(9, macroOperand(0, {})), pseudo(7, 0), pseudo(8)},
       "line 1: #m: a call of a macro not defined above it"},
      {"a label on a new address", {}, {"l"}, {statement(6, hex16(0x1000), 0)},
       "line 1: *=: a label on a program counter assignment"},
      {"a scope closed twice", {}, {}, {pseudo(12), pseudo(13), pseudo(13)},
       "line 3: .bend: nothing open that it closes"},
      {"a scope never closed", {}, {}, {pseudo(12), bytes(dec8(1))},
       "line 1: .block: never closed"},
      {"the end inside a scope", {}, {}, {pseudo(12), pseudo(17)},
       "line 2: .end: the end of the source inside an open .block"},
      {"an empty shifted string", {}, {}, {statement(23, stringOperand(""))},
       "line 1: .shift: an empty string, which has no last byte to mark"},
      {"a label outside the label table", {}, {}, {instruction(0xEA, {}, 5)},
       "line 1: nop: a label the image's label table does not hold"},
      {"a branch only bytes could give", {}, {"l"}, {instruction(0x12, label(0), 0)},
       "line 1: bra: a branch the target has no mnemonic for"},
      {"a scope in a macro", lorvex_Target::acme, {"m"}, {pseudo(7, 0), pseudo(12), pseudo(13), pseudo(8)},
       "line 2: .block: a scope inside a macro, which the target cannot nest"},
      {"an instruction under .eor", lorvex_Target::ca65, {},
       {statement(18, hex8(0xff)), instruction(0xEA)},
       "line 2: nop: an instruction while .eor is in force, which the target applies to data only"},
      {"a loop in a macro", lorvex_Target::ca65, {"m", "l"},
       {pseudo(7, 0), pseudo(19, 1), statement(10, dec8(0)), statement(31, label(1)), pseudo(11),
        pseudo(8)},
       "line 4: .goto: a loop inside a macro, which the target builds from a macro of its own"},
  };
  return table;
}

TEST(ExportRefusals, NameTheLineAndLeaveTheOutput) {
  for (const Refusal& r : refusals()) {
    for (int t = 0; t < static_cast<int>(lorvex_Target::count); ++t) {
      const auto target = static_cast<lorvex_Target>(t);
      SCOPED_TRACE(std::string(r.name) + " / " + lorvex_targetSyntax(target).extension);
      GlobalStateGuard guard;
      ImageSpec layout;
      layout.lines = r.lines;
      layout.labels = r.labels;
      const BuiltImage image = buildImage(layout);
      const zeb_Source source(reinterpret_cast<const char*>(image.bytes.data()),
                              static_cast<int>(image.bytes.size()));
      lorvex_ExportOptions options;
      options.target = target;
      std::string out = "kept";
      std::string error;
      const bool refused = !lorvex_exportSource(source, options, out, error);
      const bool expected = !r.only || *r.only == target;
      EXPECT_EQ(refused, expected) << out;
      if (refused) {
        EXPECT_EQ(error, r.error);
        EXPECT_EQ(out, "kept");
      }
    }
  }
}

}  // namespace
