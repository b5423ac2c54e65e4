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

// Where standard output goes: a pipe the test reads, or a file, emptied
// first or opened to append to what it holds.
struct Destination {
  bool file = false;
  bool append = false;
  bool errWithOut = false;  // standard error goes there too
};

Output runCase(const GoldenCase& c, Destination to = {}) {
  TempDir dir;
  const std::string stdoutFile = "standard-output.txt";
  const std::string before = "written earlier\n";
  if (to.append && !writeFile(dir / stdoutFile, Bytes(before.begin(), before.end())))
    throw std::runtime_error("cannot write the earlier output");
  if (!writeFile(dir / c.inputName, c.image())) throw std::runtime_error("cannot write the image");
  ProgramCall call;
  call.args = c.options;
  call.workDir = dir.path();
  if (to.file) {
    call.outFile = stdoutFile;
    call.appendOut = to.append;
  }
  call.errWithOut = to.errWithOut;
  if (c.fromStdin)
    call.in = stdinFile(dir / c.inputName);
  else
    call.args.push_back(c.inputName);

  const ProgramResult result = runProgram(LORVEX_BINARY, call);
  EXPECT_EQ(result.status, 0) << result.err;
  Output out;
  out.err = result.err;
  if (to.file) {
    out.listing = readFile(dir / stdoutFile);
    if (to.append && out.listing.compare(0, before.size(), before) == 0)
      out.listing.erase(0, before.size());
    out.strayStdout = result.out;
  } else if (c.outputFile.empty()) {
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

// Standard output a file: the listing is written there as it is made, and
// where a damaged image's warnings must come first, written over again
// after them. The bytes are those written to a pipe, where it is held.
TEST_P(GoldenTest, SameWhenStandardOutputIsAFile) {
  const GoldenCase& c = GetParam();
  if (!c.outputFile.empty() || updating()) GTEST_SKIP() << "writes to a file of its own";
  const Output out = runCase(c, {true});
  EXPECT_EQ(out.strayStdout, "");
  EXPECT_EQ(out.listing, readFile((goldenDir() / (c.name + ".txt")).string()));
  const fs::path errPath = goldenDir() / (c.name + ".err");
  EXPECT_EQ(out.err, fs::exists(errPath) ? readFile(errPath.string()) : "");
}

// A damaged record after a listing longer than one written block.
Bytes longDamagedImage() {
  ImageSpec layout;
  layout.lines.assign(6000, instruction(0xA9, hex8(1)));
  layout.lines.push_back(instruction(0xA9, {0x22, 0x07, 0x37}));
  return buildImage(layout).bytes;
}

// The warnings of a damaged image come before everything else, and in the
// order they were raised on both streams, wherever the output goes: a file
// both streams share (the listing written over again after them), a file
// opened to append (the listing held, as no writing over is possible), a
// file named with -o (the warnings stay on standard output), and one that
// is standard output itself (held as well).
TEST(GoldenDestinations, DamagedImageReadsTheSameEverywhere) {
  GoldenCase damaged;
  for (const GoldenCase& c : goldenCases())
    if (c.name == "damaged_operands") damaged = c;
  ASSERT_TRUE(damaged.image);
  GoldenCase long_ = damaged;
  long_.image = longDamagedImage;
  for (GoldenCase c : {damaged, long_}) {
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{}, std::vector<std::string>{"-s", "-l", "-z"}}) {
      c.options = options;
      const Output merged = runCase(c, {false, false, true});
      ASSERT_NE(merged.listing.find("warning: null expression"), std::string::npos);
      EXPECT_EQ(runCase(c, {true, false, true}).listing, merged.listing);
      const Output piped = runCase(c);
      const Output appended = runCase(c, {true, true, false});
      EXPECT_EQ(appended.listing, piped.listing);
      EXPECT_EQ(appended.err, piped.err);
      // A file of its own: the warnings stay on standard output.
      GoldenCase toFile = c;
      toFile.options.insert(toFile.options.begin(), {"-o", "listing.txt"});
      toFile.outputFile = "listing.txt";
      const Output separate = runCase(toFile);
      EXPECT_EQ(separate.strayStdout + separate.listing, piped.listing);
      EXPECT_EQ(separate.err, piped.err);
      if (fs::exists("/dev/stdout")) {
        c.options.insert(c.options.begin(), {"-o", "/dev/stdout"});
        EXPECT_EQ(runCase(c, {false, false, true}).listing, merged.listing);
      }
    }
  }
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
