// Each case exported to both targets and built there: both programs must
// be the bytes the notation's rules give.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/run_program.h"
#include "export/assemble.h"
#include "export/export_cases.h"
#include "export/source_export.h"
#include "source/zeb_source.h"
#include "testlib/global_state.h"
#include "testlib/image_builder.h"

namespace {

using namespace lorvex_test;

class AssembledBytes : public testing::TestWithParam<lorvex_Target> {};

TEST_P(AssembledBytes, BothTargetsBuildTheNotationsBytes) {
  const lorvex_Target target = GetParam();
  LORVEX_NEED_ASSEMBLER(target);
  for (const ExportCase& c : exportCases()) {
    SCOPED_TRACE(c.name);
    GlobalStateGuard guard;
    const BuiltImage image = exportCaseImage(c);
    const zeb_Source source(reinterpret_cast<const char*>(image.bytes.data()),
                            static_cast<int>(image.bytes.size()));
    ASSERT_TRUE(source.isParsed());
    lorvex_ExportOptions options;
    options.target = target;
    std::string text;
    std::string error;
    if (!lorvex_exportSource(source, options, text, error)) {
      ADD_FAILURE() << error;
      continue;
    }
    TempDir dir;
    Bytes prg;
    std::string log;
    if (!assembleIn(dir.path(), target, "case", text, prg, log)) {
      ADD_FAILURE() << log << "\n" << text;
      continue;
    }
    EXPECT_EQ(hexText(prg), c.program) << text;
  }
}

INSTANTIATE_TEST_SUITE_P(Targets, AssembledBytes,
                         testing::Values(lorvex_Target::acme, lorvex_Target::ca65),
                         [](const testing::TestParamInfo<lorvex_Target>& target) {
                           return std::string(lorvex_targetSyntax(target.param).extension + 1);
                         });

}  // namespace
