// Whole-program runs of lorvex-disk against what a hostile medium or a
// shared folder can hold: links planted in DIR, host names made of control
// sequences, and directories whose entries all share one chain.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "disk/disk_writer.h"
#include "e2e/golden_cases.h"
#include "e2e/run_program.h"
#include "testlib/example_disk.h"
#include "testlib/image_builder.h"
#include "testlib/text_checks.h"

namespace lorvex_test {
namespace {

namespace fs = std::filesystem;
using disk::FileType;
using disk::Kind;
using disk_test::WrittenDisk;

class DiskHardening : public ::testing::Test {
 protected:
  ProgramResult disk(std::vector<std::string> args, std::string argv0 = "lorvex-disk") const {
    ProgramCall call;
    call.argv0 = std::move(argv0);
    call.args = std::move(args);
    call.workDir = dir.path();
    return runProgram(LORVEX_DISK_BINARY, call);
  }
  void put(const std::string& name, const Bytes& bytes) const {
    ASSERT_TRUE(writeFile(dir / name, bytes)) << name;
  }
  std::vector<std::string> namesIn(const std::string& sub) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir / sub)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir dir;
};

// The decoder's warnings for the damaged_operands golden image, each after
// `prefix`.
std::string damagedWarnings(const std::string& prefix) {
  std::string text;
  for (const char* what :
       {"null expression; line 1",
        "seeing this probably means a corrupt source code file. [1 / 170 at 24]",
        "seeing this probably means a corrupt source code file. [1 / 55 at 20]",
        "null expression; line 3"}) {
    text += prefix + "warning: " + what + "\n";
  }
  return text;
}

Bytes goldenImage(const std::string& name) {
  for (const GoldenCase& c : goldenCases()) {
    if (c.name == name) return c.image();
  }
  ADD_FAILURE() << "no golden case " << name;
  return {};
}

TEST_F(DiskHardening, LinkPlantedAsAnImageFolderIsNotEntered) {
  put("a.d64", exampleDisk().image);
  put("b.d64", exampleDisk().image);
  fs::create_directories(dir / "out");
  fs::create_directories(dir / "victim");
  put("victim.d64", raw("planted"));
  const struct {
    const char* planted;  // what out/a is before the run
    std::vector<std::string> options;
  } cases[] = {
      {"../victim", {}},
      {"../victim", {"-f", "-r"}},
      {"../victim.d64", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.planted);
    fs::remove_all(dir / "out");
    fs::create_directories(dir / "out");
    fs::create_symlink(c.planted, dir / "out/a");
    std::vector<std::string> args = {"-x", "out"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.insert(args.end(), {"a.d64", "b.d64"});
    const ProgramResult r = disk(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "error: out/a is a link or not a directory; the files of a.d64 are not written\n");
    EXPECT_TRUE(fs::is_empty(dir / "victim"));
    EXPECT_EQ(readFile(dir / "victim.d64"), "planted");
    EXPECT_TRUE(fs::is_symlink(dir / "out/a"));
    EXPECT_TRUE(fs::is_regular_file(dir / "out/b/hello.asm"));  // the other image is written
  }
}

// Every host name a run can show, with an escape sequence and a line break
// in it, comes out by the one rule: control bytes as "?".
TEST_F(DiskHardening, HostNamesAreShownWithoutControlBytes) {
  const std::string evil = "e\x1b[31m\nerror: fake";
  const std::string shown = "e?[31m?error: fake";
  put(evil + ".prg", goldenImage("damaged_operands"));
  put(evil + ".seq", raw("not a source"));
  put(evil + ".t64", {});
  put(evil + "file", raw("a file where DIR should be"));
  WrittenDisk looped = exampleDisk();
  const std::size_t first = looped.offset(looped.chains[0][0]);
  looped.image[first] = static_cast<std::uint8_t>(looped.chains[0][0].track);
  looped.image[first + 1] = static_cast<std::uint8_t>(looped.chains[0][0].sector);
  put(evil + ".d64", looped.image);
  put("a.d64", exampleDisk().image);
  const std::string warnings = damagedWarnings(shown + ".prg: " + shown + ": ");
  const struct {
    std::vector<std::string> args;
    std::string argv0;
    std::string out;  // its first line only
    std::string err;
  } cases[] = {
      {{evil + ".d81"}, "",  "", "error: " + shown + ".d81 does not exist or cannot be opened for reading\n"},
      {{evil + ".t64"}, "", "", "error: " + shown + ".t64: The file is empty.\n"},
      {{"-x", evil + "file", "a.d64"}, "", "",
       "error: cannot write " + shown + "file: cannot create the directory\n"},
      {{evil + ".seq"}, "", "",
       "error: " + shown + ".seq is neither a disk or archive image nor a source image\n"},
      {{evil + ".d64", "loader"}, "", "0 \"lorvex examples \" lx 2a",
       shown + ".d64: hello: warning: chain loops back to " + "track " +
           std::to_string(looped.chains[0][0].track) + " sector " +
           std::to_string(looped.chains[0][0].sector) + "\n"},
      {{evil + ".prg"}, "", "0 \"" + shown + ".prg\" plain", ""},
      {{"-p", evil + ".prg"}, "", ";; " + shown + ".prg: " + shown,
       warnings},
      {{"-p", "-u", evil + ".prg"}, "", ";; " + shown + ".prg: " + shown,
       warnings},
      {{"-x", evil, "a.d64", "hello"}, "", "", ""},
      {{"-x", evil, "a.d64", "hello"}, "", "",
       "error: " + shown + "/hello.asm already exists; left as it is (-f overwrites)\n"},
      {{"-\x1b", "a.d64"}, evil, "",
       shown + ": -? is not a valid option.\nusage: lorvex-disk [-options] IMAGE... [NAME...]\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.front());
    const ProgramResult r = disk(c.args, c.argv0.empty() ? "lorvex-disk" : c.argv0);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), c.out);
    EXPECT_EQ(r.err.substr(0, c.err.size()), c.err);
    EXPECT_TRUE(noControlBytes(r.out));
    EXPECT_TRUE(noControlBytes(r.err));
  }
}

// The statistics of a listing name the file as -r writes it, so that the
// listing is what lorvex writes for that file.
TEST_F(DiskHardening, ReportsNameTheFileByItsStoredType) {
  const std::vector<disk_test::TestFile> files = {
      {petscii("hello"), FileType::seq, exampleImage().bytes},
      {petscii("again"), FileType::usr, exampleImage().bytes},
      {petscii("third"), FileType::prg, exampleImage().bytes},
  };
  put("t.d64", disk_test::writeDisk(Kind::d64, files).image);
  ASSERT_EQ(disk({"-x", "raw", "-r", "t.d64"}).status, 0);
  const ProgramResult p = disk({"-p", "-s", "t.d64"});
  std::string expected;
  for (const char* name : {"hello.seq", "again.usr", "third.prg"}) {
    ProgramCall call;
    call.args = {"-s", name};
    call.workDir = dir / "raw";
    const ProgramResult lorvex = runProgram(LORVEX_BINARY, call);
    EXPECT_NE(lorvex.out.find(std::string("Statistics for ") + name + ":"), std::string::npos);
    expected += ";; t.d64: " + std::string(name).substr(0, 5) + "\n" + lorvex.out;
  }
  EXPECT_EQ(p.out, expected);
}

// A D64 whose directory chain runs through `sectors` more sectors, each of
// eight entries that all start at the first file's chain.
Bytes sharedChainDisk(int sectors) {
  WrittenDisk media = disk_test::writeDisk(
      Kind::d64, {{petscii("damaged"), FileType::prg, goldenImage("damaged_operands")}});
  const disk_test::TrackSector start = media.chains[0][0];
  disk_test::TrackSector previous = media.directory.back();
  for (int k = 0; k < sectors; ++k) {
    const disk_test::TrackSector at{20 + k / 17, k % 17};
    std::uint8_t* link = &media.image[media.offset(previous)];
    link[0] = static_cast<std::uint8_t>(at.track);
    link[1] = static_cast<std::uint8_t>(at.sector);
    std::uint8_t* sector = &media.image[media.offset(at)];
    std::fill(sector, sector + 256, 0);
    sector[1] = 0xFF;
    for (int slot = 0; slot < 8; ++slot) {
      std::uint8_t* entry = sector + 32 * slot;
      entry[2] = 0x82;
      entry[3] = static_cast<std::uint8_t>(start.track);
      entry[4] = static_cast<std::uint8_t>(start.sector);
      std::fill(entry + 5, entry + 21, 0xA0);
      entry[5] = 'S';
      entry[0x1E] = 1;
    }
    previous = at;
  }
  return media.image;
}

TEST_F(DiskHardening, SharedChainsWarnOnceAndOutputIsCapped) {
  put("big.d64", sharedChainDisk(150));  // 1 + 1200 entries on one chain
  const std::string warnings = "big.d64: damaged: warning: 1200 more entries share its data\n" +
                               damagedWarnings("big.d64: damaged: ");
  const std::string capped =
      "error: big.d64: 177 files left out: one image makes at most 1024 files and 64 MiB\n";
  const ProgramResult x = disk({"-x", "out", "big.d64"});
  EXPECT_EQ(x.status, 1);
  EXPECT_EQ(x.err, warnings + capped);
  EXPECT_EQ(namesIn("out").size(), 1024u);
  const ProgramResult p = disk({"-p", "big.d64"});
  EXPECT_EQ(p.status, 1);
  EXPECT_EQ(p.err, warnings + capped);
  const ProgramResult list = disk({"big.d64"});
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.err, "big.d64: damaged: warning: 1200 more entries share its data\n");
}

// The fullest directory a disk holds, every entry a source, extracted raw
// and listed, stays under the cap.
TEST_F(DiskHardening, AFullDiskStaysUnderTheCap) {
  std::vector<disk_test::TestFile> files;
  for (int k = 0; k < 296; ++k) {
    files.push_back({petscii("s" + std::to_string(k)), FileType::prg, exampleImage().bytes});
  }
  put("full.d81", disk_test::writeDisk(Kind::d81, files).image);
  const ProgramResult r = disk({"-x", "out", "-r", "full.d81"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(namesIn("out").size(), 592u);
}

}  // namespace
}  // namespace lorvex_test
