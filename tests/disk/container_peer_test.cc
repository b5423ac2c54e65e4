// Media written by other tools read back as those tools stored them, and
// as cbmconvert extracts them again.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "disk/container.h"
#include "disk/container_checks.h"
#include "disk/disk_writer.h"
#include "e2e/run_program.h"

namespace disk_test {
namespace {

using disk::Container;
using disk::FileType;
using disk::Kind;
using lorvex_test::TempDir;

bool have(const char* tool) {
  return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs `command` in `dir`; what it prints goes to dir/log.txt.
void run(const std::string& dir, const std::string& command) {
  const std::string line = "cd '" + dir + "' && " + command + " >log.txt 2>&1";
  ASSERT_EQ(std::system(line.c_str()), 0) << command << "\n"
                                          << lorvex_test::readFile(dir + "/log.txt");
}

void save(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

Bytes load(const std::string& path) {
  const std::string text = lorvex_test::readFile(path);
  return Bytes(text.begin(), text.end());
}

Container read(const std::string& path) {
  Container got;
  std::string error;
  EXPECT_TRUE(disk::readContainer(load(path), path, got, error)) << error;
  return got;
}

std::string upper(std::string name) {
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

std::string lower(std::string name) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

// What `cbmconvert -N -<input> image` extracts, by file name without extension.
std::map<std::string, Bytes> extracted(const std::string& dir, const char* input,
                                       const std::string& image) {
  const std::string out = dir + "/extracted";
  std::filesystem::remove_all(out);
  std::filesystem::create_directory(out);
  run(out, std::string("cbmconvert -N -") + input + " '" + image + "'");
  std::map<std::string, Bytes> files;
  for (const auto& entry : std::filesystem::directory_iterator(out)) {
    if (entry.path().filename() != "log.txt")
      files[entry.path().stem().string()] = load(entry.path().string());
  }
  return files;
}

// Every closed file as cbmconvert extracts it from the same media: the
// names written from lower-case ASCII come back in lower case.
void expectPeerExtracts(const Container& got, const std::map<std::string, Bytes>& peer) {
  std::size_t closed = 0;
  for (const disk::File& file : got.files) {
    if (!file.closed) continue;
    ++closed;
    const auto it = peer.find(lower(file.name));
    ASSERT_NE(it, peer.end()) << file.name;
    EXPECT_TRUE(it->second == file.data) << file.name;
  }
  EXPECT_EQ(peer.size(), closed);
}

// N of the "N blocks free." that ends a listing; -1 when there is none.
int listedFree(const std::string& listing) {
  const std::size_t end = listing.rfind(" blocks free");
  if (end == std::string::npos) return -1;
  const std::size_t start = listing.find_last_not_of("0123456789", end - 1) + 1;
  return start < end ? std::stoi(listing.substr(start, end - start)) : -1;
}

// Names of lower-case ASCII letters and digits, which both tools store as
// PETSCII $41-$5A and digits: the upper-case ASCII bytes.
std::vector<TestFile> peerFiles(bool withRel) {
  std::vector<TestFile> files = {
      {"one", FileType::prg, pattern(1, 1)},    {"s253", FileType::seq, pattern(253, 2)},
      {"u254", FileType::usr, pattern(254, 3)}, {"p255", FileType::prg, pattern(255, 4)},
      {"d508", FileType::del, pattern(508, 5)}, {"big", FileType::prg, pattern(5000, 6)},
  };
  if (withRel) files.push_back({"r509", FileType::rel, pattern(509, 7)});
  return files;
}

std::vector<TestFile> asStored(std::vector<TestFile> files) {
  for (TestFile& file : files) file.name = upper(file.name);
  return files;
}

TEST(DiskPeers, Cc1541DisksReadBack) {
  if (!have("cc1541")) GTEST_SKIP() << "needs the cc1541 package";
  const bool cbmconvert = have("cbmconvert");
  const struct {
    const char* image;
    const char* option;
    Kind kind;
    int uncountedFree;
  } kCases[] = {
      {"peer.d64", "", Kind::d64, 0},
      {"peer40.d64", "-4 ", Kind::d64, 5 * 17},  // tracks 36-40 stay free and are not counted
      {"peer.d71", "", Kind::d71, -1},
      {"peer.d81", "", Kind::d81, 0},
  };
  std::vector<TestFile> files = peerFiles(false);
  files[2].locked = true;
  files[3].closed = false;
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.image);
    TempDir dir;
    std::string command = std::string("cc1541 ") + c.option + "-n 'peer disk' -i 'ab 2x'";
    for (const TestFile& file : files) {
      save(dir / file.name, file.data);
      command += std::string(" -T ") + upper(disk::typeName(file.type)) +
                 (file.locked ? " -P" : "") + (file.closed ? "" : " -O") + " -f " + file.name +
                 " -w " + file.name;
    }
    run(dir.path(), command + " " + c.image);
    const Container got = read(dir / c.image);
    EXPECT_EQ(got.kind, c.kind);
    EXPECT_EQ(got.name, "PEER DISK");
    EXPECT_EQ(got.id, "AB 2X");
    EXPECT_EQ(problemsText(got), "");
    expectFiles(got, asStored(files));
    // cc1541 4.0 leaves the d71's free counts of side two at zero and counts
    // track 53 in its own listing, so there the listings part.
    const int listed = listedFree(lorvex_test::readFile(dir / "log.txt"));
    if (c.uncountedFree >= 0) {
      EXPECT_EQ(got.freeBlocks, listed - c.uncountedFree);
    }
    if (cbmconvert && c.uncountedFree == 0) {
      expectPeerExtracts(got, extracted(dir.path(), "d", dir / c.image));
    }
  }
}

TEST(DiskPeers, CbmconvertMediaReadBack) {
  if (!have("cbmconvert")) GTEST_SKIP() << "needs the cbmconvert package";
  const struct {
    const char* option;
    const char* image;
    Kind kind;
    int blankFree;
    const char* input;
  } kCases[] = {
      {"-D4", "peer.d64", Kind::d64, 664, "d"},
      {"-D7", "peer.d71", Kind::d71, 1328, "d"},
      {"-D8", "peer.d81", Kind::d81, 3160, "d"},
      {"-L", "peer.lnx", Kind::lnx, -1, "l"},
  };
  const char* const kExtensions[] = {"del", "seq", "prg", "usr", "rel"};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.image);
    TempDir dir;
    // cbmconvert 2.1.5 writes a REL file to a D81 without its type
    const std::vector<TestFile> files = peerFiles(c.kind != Kind::d81);
    std::string names;
    int used = 0;
    for (const TestFile& file : files) {
      const std::string name = file.name + "." + kExtensions[static_cast<int>(file.type)];
      save(dir / name, file.data);
      names += " " + name;
      used += statedBlocks(file, c.kind);
    }
    run(dir.path(), std::string("cbmconvert ") + c.option + " " + c.image + names);
    const Container got = read(dir / c.image);
    EXPECT_EQ(got.kind, c.kind);
    EXPECT_EQ(problemsText(got), "");
    expectFiles(got, asStored(files));
    if (c.blankFree >= 0) {
      EXPECT_EQ(got.freeBlocks, c.blankFree - used);
    }
    expectPeerExtracts(got, extracted(dir.path(), c.input, dir / c.image));
  }
}

TEST(DiskPeers, CbmconvertP00FilesReadBack) {
  if (!have("cbmconvert")) GTEST_SKIP() << "needs the cbmconvert package";
  TempDir dir;
  const struct {
    const char* name;
    FileType type;
    const char* written;
  } kFiles[] = {
      {"one.prg", FileType::prg, "one.p00"},   {"s253.seq", FileType::seq, "s253.s00"},
      {"u254.usr", FileType::usr, "u254.u00"}, {"d508.del", FileType::del, "d508.d00"},
      {"r509.rel", FileType::rel, "r509.r00"},
  };
  std::string names;
  int seed = 0;
  for (const auto& f : kFiles) {
    save(dir / f.name, pattern(250 * seed + 1, seed));
    ++seed;
    names += std::string(" ") + f.name;
  }
  run(dir.path(), "cbmconvert -P" + names);
  seed = 0;
  for (const auto& f : kFiles) {
    SCOPED_TRACE(f.written);
    const Container got = read(dir / f.written);
    EXPECT_EQ(got.kind, Kind::p00);
    EXPECT_EQ(problemsText(got), "");
    const std::string stem = std::string(f.name).substr(0, std::string(f.name).find('.'));
    expectFiles(got, {{upper(stem), f.type, pattern(250 * seed + 1, seed)}});
    ++seed;
    expectPeerExtracts(got, extracted(dir.path(), "p", dir / f.written));
  }
}

TEST(DiskPeers, T64ReadsAsCbmconvertExtractsIt) {
  if (!have("cbmconvert")) GTEST_SKIP() << "needs the cbmconvert package";
  TempDir dir;
  std::vector<TestFile> files = asStored(peerFiles(false));
  files.erase(files.begin());  // a T64 file holds at least its load address
  save(dir / "peer.t64", writeT64(files, "PEER TAPE"));
  const Container got = read(dir / "peer.t64");
  EXPECT_EQ(got.name, "PEER TAPE");
  expectFiles(got, files);
  expectPeerExtracts(got, extracted(dir.path(), "t", dir / "peer.t64"));
}

TEST(DiskPeers, EmptyFileOnACbmconvertDiskReadsAsItsPeerExtractsIt) {
  if (!have("cbmconvert")) GTEST_SKIP() << "needs the cbmconvert package";
  // cbmconvert gives an empty file 0 blocks and the sector the next file
  // then takes; reading follows that chain, as cbmconvert's extraction does.
  TempDir dir;
  save(dir / "empty.prg", {});
  save(dir / "next.prg", pattern(300, 1));
  run(dir.path(), "cbmconvert -D4 peer.d64 empty.prg next.prg");
  const Container got = read(dir / "peer.d64");
  ASSERT_EQ(got.files.size(), 2u);
  EXPECT_EQ(got.files[0].blocks, 0);
  EXPECT_TRUE(got.files[1].data == pattern(300, 1));
  EXPECT_NE(problemsText(got).find("0: directory says 0 blocks, chain has 2\n"), std::string::npos)
      << problemsText(got);
  expectPeerExtracts(got, extracted(dir.path(), "d", dir / "peer.d64"));
}

}  // namespace
}  // namespace disk_test
