// Checks the container tests share: what a reader gave back against the
// files a test wrote, and sample file lists.
#ifndef LORVEX_TESTS_DISK_CONTAINER_CHECKS_H
#define LORVEX_TESTS_DISK_CONTAINER_CHECKS_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "disk/container.h"
#include "disk/disk_writer.h"

namespace disk_test {

// The blocks a directory of `kind` states for `file`: its data blocks, and
// for a REL file its side sectors (one per 120 blocks; a D81 adds a super
// side sector). T64, P00 and plain files have no side sectors.
inline int statedBlocks(const TestFile& file, disk::Kind kind) {
  const int blocks = static_cast<int>((file.data.size() + 253) / 254);
  const bool sideSectors = kind == disk::Kind::d64 || kind == disk::Kind::d71 ||
                           kind == disk::Kind::d81 || kind == disk::Kind::lnx;
  if (file.type != disk::FileType::rel || blocks == 0 || !sideSectors) return blocks;
  return blocks + (blocks + 119) / 120 + (kind == disk::Kind::d81 ? 1 : 0);
}

inline void expectFiles(const disk::Container& got, const std::vector<TestFile>& want) {
  ASSERT_EQ(got.files.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE("file " + std::to_string(i) + " " + want[i].name);
    const disk::File& file = got.files[i];
    EXPECT_EQ(file.name, want[i].name);
    EXPECT_EQ(disk::typeName(file.type), std::string(disk::typeName(want[i].type)));
    EXPECT_EQ(file.closed, want[i].closed);
    EXPECT_EQ(file.locked, want[i].locked);
    EXPECT_EQ(file.blocks, statedBlocks(want[i], got.kind));
    EXPECT_TRUE(file.data == want[i].data)
        << file.data.size() << " bytes read, " << want[i].data.size() << " written";
  }
}

inline std::string problemsText(const disk::Container& got) {
  std::string text;
  for (const disk::Problem& p : got.problems) text += std::to_string(p.file) + ": " + p.what + "\n";
  return text;
}

// Files of the lengths where blocks begin and end, of every type; the
// archives hold no flags, and a T64 file needs its load address.
inline std::vector<TestFile> archiveFiles() {
  using disk::FileType;
  const struct {
    const char* name;
    FileType type;
    std::size_t length;
  } kFiles[] = {
      {"FIVE", FileType::prg, 5},         {"A3", FileType::seq, 3},
      {"BLOCK", FileType::prg, 254},      {"BLOCK+1", FileType::usr, 255},
      {"TWO BLOCKS", FileType::prg, 508}, {"RECORDS", FileType::rel, 509},
      {"GONE", FileType::del, 256},       {"LONGEST NAME 16C", FileType::prg, 5000},
  };
  std::vector<TestFile> files;
  int seed = 0;
  for (const auto& f : kFiles) files.push_back({f.name, f.type, pattern(f.length, ++seed)});
  return files;
}

// The archive files, plus what only disks hold: flags and an empty file.
inline std::vector<TestFile> diskFiles() {
  std::vector<TestFile> files = archiveFiles();
  files[1].locked = true;
  files[2].closed = false;
  files.push_back({"EMPTY", disk::FileType::del, {}});
  return files;
}

}  // namespace disk_test

#endif  // LORVEX_TESTS_DISK_CONTAINER_CHECKS_H
