// Runs the program on every golden case and compares what it writes, byte
// for byte, with tests/e2e/golden/<name>.txt (standard output, or the file
// named with -o) and <name>.err (standard error; absent means empty).
//
// Regenerating the golden files after an intended change of output:
//
//   LORVEX_UPDATE_GOLDEN=1 ./build/tests/lorvex_tests --gtest_filter='Golden*'
//   git diff tests/e2e/golden
//
// then review every changed file by eye before committing it: the update
// run writes whatever the program prints and passes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>
#include <string>

#include "e2e/golden_cases.h"
#include "e2e/run_program.h"

namespace lorvex_test {
namespace {

namespace fs = std::filesystem;

const fs::path& goldenDir() {
  static const fs::path dir = fs::path(LORVEX_SOURCE_DIR) / "tests" / "e2e" / "golden";
  return dir;
}

bool updating() {
  const char* flag = std::getenv("LORVEX_UPDATE_GOLDEN");
  return flag != nullptr && std::string(flag) == "1";
}

bool writeText(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  return static_cast<bool>(out);
}

struct Output {
  std::string listing;  // standard output, or the -o file
  std::string err;
  std::string strayStdout;  // what a run writing to a file still put on standard output
};

Output runCase(const GoldenCase& c) {
  TempDir dir;
  if (!writeFile(dir / c.inputName, c.image())) throw std::runtime_error("cannot write the image");
  ProgramCall call;
  call.args = c.options;
  call.workDir = dir.path();
  if (c.fromStdin)
    call.in = stdinFile(dir / c.inputName);
  else
    call.args.push_back(c.inputName);

  const ProgramResult result = runProgram(LORVEX_BINARY, call);
  EXPECT_EQ(result.status, 0) << result.err;
  Output out;
  out.err = result.err;
  if (c.outputFile.empty()) {
    out.listing = result.out;
  } else {
    out.listing = readFile(dir / c.outputFile);
    out.strayStdout = result.out;
  }
  return out;
}

void update(const GoldenCase& c, const Output& out) {
  fs::create_directories(goldenDir());
  ASSERT_TRUE(writeText(goldenDir() / (c.name + ".txt"), out.listing));
  const fs::path errPath = goldenDir() / (c.name + ".err");
  if (out.err.empty())
    fs::remove(errPath);
  else
    ASSERT_TRUE(writeText(errPath, out.err));
}

class GoldenTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenTest, OutputMatchesGoldenFiles) {
  const GoldenCase& c = GetParam();
  const Output out = runCase(c);
  EXPECT_EQ(out.strayStdout, "");
  if (updating()) {
    update(c, out);
    return;
  }
  const fs::path txtPath = goldenDir() / (c.name + ".txt");
  ASSERT_TRUE(fs::exists(txtPath))
      << txtPath << " is missing; regenerate with LORVEX_UPDATE_GOLDEN=1";
  EXPECT_EQ(out.listing, readFile(txtPath.string())) << "against " << txtPath;
  const fs::path errPath = goldenDir() / (c.name + ".err");
  const std::string expectedErr = fs::exists(errPath) ? readFile(errPath.string()) : "";
  EXPECT_EQ(out.err, expectedErr) << "against " << errPath;
}

INSTANTIATE_TEST_SUITE_P(Golden, GoldenTest, ::testing::ValuesIn(goldenCases()),
                         [](const ::testing::TestParamInfo<GoldenCase>& param) {
                           return param.param.name;
                         });

bool isTestName(const std::string& name) {
  if (name.empty()) return false;
  for (char ch : name) {
    const bool ok = (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '_';
    if (!ok) return false;
  }
  return true;
}

TEST(GoldenCases, NamesAreUniqueLowerCaseTestNames) {
  std::set<std::string> seen;
  for (const GoldenCase& c : goldenCases()) {
    EXPECT_TRUE(isTestName(c.name)) << c.name;
    EXPECT_TRUE(seen.insert(c.name).second) << "duplicate " << c.name;
    EXPECT_TRUE(c.image) << c.name;
  }
}

// A golden file without its case would never be compared again.
TEST(GoldenCases, EveryGoldenFileBelongsToACase) {
  std::set<std::string> names;
  for (const GoldenCase& c : goldenCases()) names.insert(c.name);
  if (!fs::exists(goldenDir())) GTEST_SKIP() << "no golden files yet";
  for (const fs::directory_entry& entry : fs::directory_iterator(goldenDir())) {
    const fs::path file = entry.path().filename();
    const std::string ext = file.extension().string();
    EXPECT_TRUE(ext == ".txt" || ext == ".err") << file;
    EXPECT_EQ(names.count(file.stem().string()), 1u) << file << " has no golden case";
  }
}

}  // namespace
}  // namespace lorvex_test
