// The bundled example disk: the committed file is what the maker writes
// now, and lorvex-disk lists it and converts its source images exactly as
// lorvex converts the same images.
#include "testlib/example_disk.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "e2e/run_program.h"
#include "testlib/image_builder.h"

namespace lorvex_test {
namespace {

namespace fs = std::filesystem;

const std::string kExamples = std::string(LORVEX_SOURCE_DIR) + "/examples";
const std::string kDisk = kExamples + "/example.d64";

ProgramResult run(const char* binary, std::vector<std::string> args, const std::string& dir) {
  ProgramCall call;
  call.argv0 = fs::path(binary).filename().string();
  call.args = std::move(args);
  call.workDir = dir;
  return runProgram(binary, call);
}

TEST(BundledExampleDisk, CommittedDiskMatchesTheMaker) {
  const std::string stored = readFile(kDisk);
  const Bytes made = exampleDisk().image;
  EXPECT_TRUE(stored == std::string(made.begin(), made.end()))
      << kDisk << " differs from exampleDisk(); regenerate it with: lorvex_make_example "
      << kExamples << "/hello.src " << kDisk;
}

TEST(BundledExampleDisk, Listing) {
  const ProgramResult r = run(LORVEX_DISK_BINARY, {"example.d64"}, kExamples);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "0 \"lorvex examples \" lx 2a\n"
            "3    \"hello\"             prg  Vorda Assembler (macro; $8000)\n"
            "2    \"colours\"           prg  Vorda Assembler (plain; $9000)\n"
            "1    \"readme\"            seq\n"
            "1    \"loader\"            prg\n"
            "657 blocks free; 4 files, 2 source images.\n");
}

// Each source image's listing is byte for byte what lorvex writes for the
// image alone; the other files get none.
TEST(BundledExampleDisk, ExtractedListingsAreThoseOfLorvex) {
  TempDir dir;
  ASSERT_TRUE(writeFile(dir / "colours.prg", coloursImage().bytes));
  const ProgramResult x = run(LORVEX_DISK_BINARY, {"-x", "out", kDisk}, dir.path());
  ASSERT_EQ(x.status, 0) << x.err;
  EXPECT_EQ(x.err, "");

  const struct {
    std::string listing;
    std::string image;
  } sources[] = {{"hello.asm", kExamples + "/hello.src"}, {"colours.asm", dir / "colours.prg"}};
  for (const auto& s : sources) {
    SCOPED_TRACE(s.listing);
    const ProgramResult ref = run(LORVEX_BINARY, {"-o", "ref.asm", s.image}, dir.path());
    ASSERT_EQ(ref.status, 0) << ref.err;
    const std::string want = readFile(dir / "ref.asm");
    EXPECT_NE(want, "");
    EXPECT_EQ(readFile(dir / ("out/" + s.listing)), want);
  }
  for (const char* other : {"readme.asm", "loader.asm", "readme.seq", "loader.prg"}) {
    EXPECT_FALSE(fs::exists(dir / ("out/" + std::string(other)))) << other;
  }
}

// The JSON of a disk, a damaged disk, a loose source image and a name that
// is no file, side by side.
TEST(BundledExampleDisk, Json) {
  TempDir dir;
  disk_test::WrittenDisk damaged = exampleDisk();
  // hello's first sector links back to itself.
  const disk_test::TrackSector first = damaged.chains[0][0];
  damaged.image[damaged.offset(first)] = static_cast<unsigned char>(first.track);
  damaged.image[damaged.offset(first) + 1] = static_cast<unsigned char>(first.sector);
  ASSERT_TRUE(writeFile(dir / "example.d64", exampleDisk().image));
  ASSERT_TRUE(writeFile(dir / "damaged.d64", damaged.image));
  ASSERT_TRUE(writeFile(dir / "hello.src", exampleImage().bytes));
  const ProgramResult r = run(
      LORVEX_DISK_BINARY, {"--json", "example.d64", "damaged.d64", "hello.src", "missing.d64"},
      dir.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "");
  const fs::path golden =
      fs::path(LORVEX_SOURCE_DIR) / "tests" / "e2e" / "disk_golden" / "example.json";
  const char* update = std::getenv("LORVEX_UPDATE_GOLDEN");
  if (update != nullptr && *update != '\0') {
    ASSERT_TRUE(writeFile(golden.string(), raw(r.out)));
  }
  EXPECT_EQ(r.out, readFile(golden.string()));
}

}  // namespace
}  // namespace lorvex_test
