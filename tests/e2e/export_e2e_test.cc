// lorvex-disk --syntax on whole disks: the bundled example and a disk
// holding every export case, an included file and one source no target can
// say. Every file written builds with the fixed command in its folder, both
// targets build the same program, and a refusal names its line, writes
// nothing for that file and loses no other.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "disk/disk_writer.h"
#include "e2e/run_program.h"
#include "export/assemble.h"
#include "export/export_cases.h"
#include "testlib/image_builder.h"

namespace lorvex_test {
namespace {

namespace fs = std::filesystem;

constexpr lorvex_Target kTargets[] = {lorvex_Target::acme, lorvex_Target::ca65};

const char* syntaxName(lorvex_Target target) {
  return target == lorvex_Target::acme ? "acme" : "ca65";
}

ProgramResult disk(const std::vector<std::string>& args, const std::string& workDir) {
  ProgramCall call;
  call.argv0 = "lorvex-disk";
  call.args = args;
  call.workDir = workDir;
  return runProgram(LORVEX_DISK_BINARY, call);
}

// Builds dir/NAME with the target's fixed command; the program's bytes.
std::string build(const std::string& dir, lorvex_Target target, const std::string& name) {
  const std::string command = target == lorvex_Target::acme
                                  ? "acme -f cbm -o " + name + ".prg " + name + ".a"
                                  : "cl65 -C ca65.cfg -o " + name + ".prg " + name + ".s";
  const std::string line = "cd '" + dir + "' && " + command + " >" + name + ".log 2>&1";
  if (std::system(line.c_str()) != 0) return "build failed: " + readFile(dir + "/" + name + ".log");
  const std::string bytes = readFile(dir + "/" + name + ".prg");
  return hexText(Bytes(bytes.begin(), bytes.end()));
}

Record org(int address) { return statement(6, hex16(address)); }

// The cases as c0, c1, ...; "part" defines a label that "main" includes;
// "bad" jumps where no loop closes.
disk_test::Bytes casesDisk() {
  std::vector<disk_test::TestFile> files;
  const std::vector<ExportCase>& cases = exportCases();
  for (std::size_t k = 0; k < cases.size(); ++k)
    files.push_back({"C" + std::to_string(k), disk::FileType::prg, exportCaseImage(cases[k]).bytes});
  ImageSpec part;
  part.labels = {"v"};
  part.lines = {statement(5, dec8(7), 0)};
  files.push_back({"PART", disk::FileType::prg, buildImage(part).bytes});
  ImageSpec main;
  main.labels = {"v"};
  main.lines = {statement(16, stringOperand("PART")), org(0x1000), statement(3, label(0))};
  files.push_back({"MAIN", disk::FileType::prg, buildImage(main).bytes});
  ImageSpec bad;
  bad.labels = {"l"};
  bad.lines = {org(0x1000), statement(19, {}, 0), statement(31, label(0))};
  files.push_back({"BAD", disk::FileType::prg, buildImage(bad).bytes});
  return disk_test::writeDisk(disk::Kind::d64, files).image;
}

TEST(ExportE2E, ExampleDiskBuildsTheSameWithBothTargets) {
  for (lorvex_Target target : kTargets) LORVEX_NEED_ASSEMBLER(target);
  TempDir dir;
  const std::string image = std::string(LORVEX_SOURCE_DIR) + "/examples/example.d64";
  std::vector<std::string> programs[2];
  for (int t = 0; t < 2; ++t) {
    const std::string out = dir / syntaxName(kTargets[t]);
    const ProgramResult r = disk({"--syntax", syntaxName(kTargets[t]), "-x", out, image}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* name : {"hello", "colours"}) programs[t].push_back(build(out, kTargets[t], name));
  }
  EXPECT_EQ(programs[0], programs[1]);
  EXPECT_EQ(programs[0].size(), 2u);
  EXPECT_TRUE(fs::exists(dir / "ca65/ca65.cfg"));
  EXPECT_FALSE(fs::exists(dir / "acme/ca65.cfg"));
}

TEST(ExportE2E, CasesDiskBuildsEveryFileAndRefusesOne) {
  for (lorvex_Target target : kTargets) LORVEX_NEED_ASSEMBLER(target);
  TempDir dir;
  ASSERT_TRUE(writeFile(dir / "cases.d64", casesDisk()));
  const std::vector<ExportCase>& cases = exportCases();
  for (lorvex_Target target : kTargets) {
    SCOPED_TRACE(syntaxName(target));
    const std::string out = dir / syntaxName(target);
    const ProgramResult r = disk({"-x", out, "--syntax", syntaxName(target), "cases.d64"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "error: cases.d64: bad: line 3: .goto: a jump that is not the closing "
                     "\".if...\" / \".goto\" / \".endif\" of a loop\n");
    const std::string extension = lorvex_targetSyntax(target).extension;
    EXPECT_FALSE(fs::exists(out + "/bad" + extension));
    for (std::size_t k = 0; k < cases.size(); ++k) {
      SCOPED_TRACE(cases[k].name);
      EXPECT_EQ(build(out, target, "c" + std::to_string(k)), cases[k].program);
    }
    EXPECT_EQ(build(out, target, "main"), "00 10 07");
  }
}

TEST(ExportE2E, PrintingShowsWhatExtractingWrites) {
  TempDir dir;
  const Bytes image = exampleImage().bytes;
  ASSERT_TRUE(writeFile(dir / "hello.prg", image));
  for (lorvex_Target target : kTargets) {
    const ProgramResult written = disk({"--syntax", syntaxName(target), "-x", "out", "hello.prg"}, dir.path());
    ASSERT_EQ(written.status, 0) << written.err;
    const ProgramResult printed = disk({"-p", "--syntax", syntaxName(target), "hello.prg"}, dir.path());
    ASSERT_EQ(printed.status, 0) << printed.err;
    const std::string file = readFile(dir / ("out/hello" + std::string(lorvex_targetSyntax(target).extension)));
    EXPECT_EQ(printed.out, ";; hello.prg: hello\n" + file);
    fs::remove_all(dir / "out");
  }
  const ProgramResult native = disk({"-p", "--syntax", "native", "hello.prg"}, dir.path());
  const ProgramResult plain = disk({"-p", "hello.prg"}, dir.path());
  EXPECT_EQ(native.out, plain.out);
  const struct {
    std::vector<std::string> args;
    const char* err;
  } errors[] = {
      {{"-p", "--syntax", "plain", "hello.prg"}, "lorvex-disk: error: --syntax takes native, acme or ca65\n"},
      {{"--syntax", "acme", "hello.prg"}, "lorvex-disk: error: --syntax needs -x/--extract or -p/--print\n"},
  };
  for (const auto& e : errors) {
    const ProgramResult r = disk(e.args, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, e.err);
  }
}

}  // namespace
}  // namespace lorvex_test
