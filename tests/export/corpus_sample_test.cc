// The committed fuzz corpus as a sample of damaged and odd images: each one
// is refused, or both targets build it alike (the same program, or neither
// builds). A source that stores no byte has no program: there ACME writes a
// bare load address and ca65 stops, and that is all they may differ in.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e/run_program.h"
#include "export/assemble.h"
#include "export/source_export.h"
#include "source/zeb_source.h"
#include "testlib/global_state.h"

namespace lorvex_test {
namespace {

namespace fs = std::filesystem;

TEST(ExportCorpusSample, RefusedOrBuiltAlikeByBothTargets) {
  for (lorvex_Target target : {lorvex_Target::acme, lorvex_Target::ca65}) LORVEX_NEED_ASSEMBLER(target);
  std::vector<fs::path> images;
  for (const auto& entry : fs::directory_iterator(fs::path(LORVEX_SOURCE_DIR) / "tests/fuzz/corpus/image"))
    images.push_back(entry.path());
  std::sort(images.begin(), images.end());
  ASSERT_FALSE(images.empty());
  int built = 0;
  for (const fs::path& image : images) {
    SCOPED_TRACE(image.filename().string());
    GlobalStateGuard guard;
    const std::string bytes = readFile(image.string());
    std::string texts[2];
    bool exported = true;
    {
      testing::internal::CaptureStdout();  // the decoder's warnings
      testing::internal::CaptureStderr();
      const zeb_Source source(bytes.data(), static_cast<int>(bytes.size()));
      for (int t = 0; t < 2 && source.isParsed(); ++t) {
        lorvex_ExportOptions options;
        options.target = static_cast<lorvex_Target>(t);
        std::string error;
        exported = exported && lorvex_exportSource(source, options, texts[t], error);
      }
      exported = exported && source.isParsed();
      testing::internal::GetCapturedStdout();
      testing::internal::GetCapturedStderr();
    }
    if (!exported) continue;
    TempDir dir;
    Bytes programs[2];
    bool ok[2];
    for (int t = 0; t < 2; ++t) {
      std::string log;
      ok[t] = assembleIn(dir.path(), static_cast<lorvex_Target>(t), "x", texts[t], programs[t], log);
    }
    if (ok[0] && ok[1]) {
      EXPECT_EQ(hexText(programs[0]), hexText(programs[1]));
      ++built;
    } else if (ok[0] != ok[1]) {
      EXPECT_TRUE(ok[0] && programs[0].size() == 2) << "only one target builds it";
    }
  }
  EXPECT_GT(built, 0);
}

}  // namespace
}  // namespace lorvex_test
