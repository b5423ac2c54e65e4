#include "disk/container.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "disk/container_checks.h"
#include "disk/disk_writer.h"

namespace disk_test {
namespace {

using disk::Container;
using disk::FileType;
using disk::Kind;

Container read(const Bytes& bytes, const std::string& fileName = "image") {
  Container got;
  std::string error;
  EXPECT_TRUE(disk::readContainer(bytes, fileName, got, error)) << error;
  return got;
}

Bytes bytesOf(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

int usedBlocks(const std::vector<TestFile>& files, Kind kind) {
  int used = 0;
  for (const TestFile& file : files) used += statedBlocks(file, kind);
  return used;
}

struct DiskCase {
  Kind kind;
  int tracks;
  int blankFree;  // what a listing of the blank disk shows; tracks 1-35 on a d64
};

const DiskCase kDisks[] = {
    {Kind::d64, 35, 664},  {Kind::d64, 40, 664},  {Kind::d64, 42, 664},
    {Kind::d71, 70, 1328}, {Kind::d81, 80, 3160},
};

TEST(DiskContainer, DiskImagesOfEveryVariantReadBack) {
  const std::vector<TestFile> files = diskFiles();
  for (const DiskCase& c : kDisks) {
    for (const bool errorBytes : {false, true}) {
      SCOPED_TRACE(std::string(disk::kindName(c.kind)) + " " + std::to_string(c.tracks) +
                   (errorBytes ? " with error bytes" : ""));
      DiskOptions options;
      options.tracks = c.tracks;
      options.errorBytes = errorBytes;
      options.name = "DISK NAME";
      const Container got = read(writeDisk(c.kind, files, options).image, "image.bin");
      EXPECT_EQ(got.kind, c.kind);
      EXPECT_EQ(got.name, "DISK NAME");
      EXPECT_EQ(got.id, "lx 2a");
      EXPECT_TRUE(got.hasFreeBlocks);
      EXPECT_EQ(got.freeBlocks, c.blankFree - usedBlocks(files, c.kind));
      EXPECT_EQ(problemsText(got), "");
      expectFiles(got, files);
    }
  }
}

TEST(DiskContainer, ArchivesReadBack) {
  const std::vector<TestFile> files = archiveFiles();
  Container t64 = read(writeT64(files, "MY TAPE"));
  EXPECT_EQ(t64.kind, Kind::t64);
  EXPECT_EQ(t64.name, "MY TAPE");
  EXPECT_FALSE(t64.hasFreeBlocks);
  EXPECT_EQ(problemsText(t64), "");
  expectFiles(t64, files);

  Container lnx = read(writeLnx(files));
  EXPECT_EQ(lnx.kind, Kind::lnx);
  EXPECT_EQ(lnx.name, "");
  EXPECT_EQ(problemsText(lnx), "");
  expectFiles(lnx, files);
}

TEST(DiskContainer, P00TypeComesFromTheExtensionLetter) {
  const struct {
    const char* fileName;
    FileType type;
  } kCases[] = {
      {"dir/x.p00", FileType::prg}, {"x.S01", FileType::seq}, {"x.u00", FileType::usr},
      {"x.R99", FileType::rel},     {"x.d00", FileType::del}, {"x.q00", FileType::prg},
      {"x.bin", FileType::prg},     {"x.p0", FileType::prg},  {"p.00/x", FileType::prg},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.fileName);
    TestFile file{"ORIGINAL NAME", c.type, pattern(300, 1)};
    const Container got = read(writeP00(file), c.fileName);
    EXPECT_EQ(got.kind, Kind::p00);
    EXPECT_EQ(problemsText(got), "");
    expectFiles(got, {file});
  }
}

TEST(DiskContainer, AnythingElseIsOnePlainFile) {
  const struct {
    Bytes bytes;
    const char* fileName;
    const char* name;
  } kCases[] = {
      {pattern(1000, 1), "some/dir/hello.src", "hello"},
      {pattern(3, 2), "c:\\dir\\hello.tar.gz", "hello.tar"},
      {pattern(3, 2), ".hidden", ".hidden"},
      {pattern(3, 2), "", ""},
      {bytesOf("C64 text too short for a tape header"), "t.t64", "t"},
      {bytesOf("C64Fil"), "x.p00", "x"},
      {Bytes(174847, 0), "almost.d64", "almost"},  // no header where a cut d64 has one
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.fileName);
    const Container got = read(c.bytes, c.fileName);
    EXPECT_EQ(got.kind, Kind::plain);
    ASSERT_EQ(got.files.size(), 1u);
    EXPECT_EQ(got.files[0].name, c.name);
    EXPECT_EQ(got.files[0].type, FileType::prg);
    EXPECT_EQ(got.files[0].blocks, static_cast<int>((c.bytes.size() + 253) / 254));
    EXPECT_TRUE(got.files[0].data == c.bytes);
    EXPECT_EQ(problemsText(got), "");
  }
}

TEST(DiskContainer, EmptyInputIsTheOnlyError) {
  Container got;
  got.name = "stale";
  std::string error;
  EXPECT_FALSE(disk::readContainer({}, "empty.d64", got, error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(got.files.empty());
  EXPECT_EQ(got.name, "");
}

TEST(DiskContainer, T64LengthsComeFromTheSortedOffsetsNotTheCounts) {
  const std::vector<TestFile> files = {{"FIRST", FileType::prg, pattern(300, 1)},
                                       {"SECOND", FileType::prg, pattern(20, 2)},
                                       {"THIRD", FileType::seq, pattern(3, 3)},
                                       {"LAST", FileType::prg, pattern(700, 4)}};
  Bytes t64 = writeT64(files);
  t64[0x24] = 0;  // slots used: none
  std::swap_ranges(t64.begin() + 64, t64.begin() + 96, t64.begin() + 64 + 3 * 32);
  for (int slot = 0; slot < 4; ++slot) t64[64 + 32 * slot + 4] = t64[64 + 32 * slot + 5] = 0xFF;
  t64[0x22] = 5;  // one free slot more, lying over data offsets: never read
  const Container got = read(t64);
  EXPECT_EQ(problemsText(got), "");
  expectFiles(got, {files[3], files[1], files[2], files[0]});
}

TEST(DiskContainer, NamesLoseOnlyTheirTrailingPadding) {
  TestFile file{std::string("A\xA0 B  "), FileType::prg, pattern(10, 1)};
  EXPECT_EQ(read(writeDisk(Kind::d64, {file}).image).files.at(0).name, "A\xA0 B  ");
  EXPECT_EQ(read(writeT64({file})).files.at(0).name, "A\xA0 B");
  EXPECT_EQ(read(writeLnx({file})).files.at(0).name, "A\xA0 B  ");
}

}  // namespace
}  // namespace disk_test
