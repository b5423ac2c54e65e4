// Damaged media, each kind made from good media by changing bytes: the
// problem is reported on the right file with the right sector, and
// everything readable is still read.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "disk/container.h"
#include "disk/container_checks.h"
#include "disk/disk_writer.h"

namespace disk_test {
namespace {

using disk::Container;
using disk::FileType;
using disk::Kind;

Container read(const Bytes& bytes) {
  Container got;
  std::string error;
  EXPECT_TRUE(disk::readContainer(bytes, "damaged", got, error)) << error;
  return got;
}

std::string at(TrackSector ts) {
  return "track " + std::to_string(ts.track) + " sector " + std::to_string(ts.sector);
}

Bytes head(const Bytes& bytes, std::size_t length) {
  return Bytes(bytes.begin(), bytes.begin() + std::min(length, bytes.size()));
}

// Three files of 4, 2 and 3 blocks on a 35-track d64 with error bytes.
struct Media {
  std::vector<TestFile> files = {{"FOUR", FileType::prg, pattern(1000, 1)},
                                 {"TWO", FileType::seq, pattern(400, 2)},
                                 {"THREE", FileType::prg, pattern(600, 3)}};
  WrittenDisk disk = writeDisk(Kind::d64, files, errorOptions());

  static DiskOptions errorOptions() {
    DiskOptions options;
    options.errorBytes = true;
    return options;
  }
  TrackSector sector(int file, int block) const { return disk.chains[file][block]; }
  void link(TrackSector from, TrackSector to) {
    disk.image[disk.offset(from)] = static_cast<std::uint8_t>(to.track);
    disk.image[disk.offset(from) + 1] = static_cast<std::uint8_t>(to.sector);
  }
  void start(int file, TrackSector to) {
    disk.image[disk.entryOffset(file) + 3] = static_cast<std::uint8_t>(to.track);
    disk.image[disk.entryOffset(file) + 4] = static_cast<std::uint8_t>(to.sector);
  }
  // Reads the image and checks the files other than `damaged` are whole.
  Container readExpectingWhole(const std::vector<int>& damaged) const {
    const Container got = read(disk.image);
    EXPECT_EQ(got.files.size(), files.size());
    for (std::size_t i = 0; i < files.size() && i < got.files.size(); ++i) {
      bool isDamaged = false;
      for (int d : damaged) isDamaged = isDamaged || d == static_cast<int>(i);
      if (!isDamaged) {
        EXPECT_TRUE(got.files[i].data == files[i].data) << "file " << i;
      }
    }
    return got;
  }
};

// A chain that loops back, leaves the disk or starts outside it: the file
// keeps what was read before, the others stay whole.
TEST(DiskDamage, BrokenChainsKeepWhatWasRead) {
  const Media reference;
  const TrackSector second = reference.sector(0, 1);
  const struct {
    TrackSector from;  // a link; {0, 0}: file 1's start
    TrackSector to;
    int file;
    std::size_t kept;
    std::string problem;
  } kCases[] = {
      {second, reference.sector(0, 0), 0, 508, "chain loops back to " + at(reference.sector(0, 0))},
      {second, {36, 0}, 0, 508, "chain leaves the disk at track 36 sector 0"},
      {second, {1, 21}, 0, 508, "chain leaves the disk at track 1 sector 21"},
      {second, {18, 19}, 0, 508, "chain leaves the disk at track 18 sector 19"},
      {second, {255, 255}, 0, 508, "chain leaves the disk at track 255 sector 255"},
      {{0, 0}, {40, 0}, 1, 0, "chain starts outside the disk at track 40 sector 0"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.problem);
    Media media;
    if (c.from.track == 0) {
      media.start(c.file, c.to);
    } else {
      media.link(c.from, c.to);
    }
    const Container got = media.readExpectingWhole({c.file});
    EXPECT_EQ(problemsText(got), std::to_string(c.file) + ": " + c.problem + "\n");
    EXPECT_TRUE(got.files[static_cast<std::size_t>(c.file)].data ==
                head(media.files[static_cast<std::size_t>(c.file)].data, c.kept));
  }
}

TEST(DiskDamage, SectorsMarkedBadAreReadAndReported) {
  const struct {
    TrackSector sector;
    int code;
    const char* problem;
  } kCases[] = {
      {{1, 1}, 0x00, ""},
      {{1, 1}, 0x01, ""},
      {{1, 1}, 0x05, "0: track 1 sector 1 is marked bad (error 5)\n"},
      {{1, 5}, 0x0B, "1: track 1 sector 5 is marked bad (error 11)\n"},
      {{18, 0}, 0x09, "-1: header track 18 sector 0 is marked bad (error 9)\n"},
      {{18, 1}, 0x02, "-1: directory track 18 sector 1 is marked bad (error 2)\n"},
      {{30, 0}, 0x03, ""},  // no file uses it
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(at(c.sector));
    Media media;
    media.disk.image[media.disk.errorOffset(c.sector)] = static_cast<std::uint8_t>(c.code);
    const Container got = media.readExpectingWhole({});
    EXPECT_EQ(problemsText(got), c.problem);
  }
}

TEST(DiskDamage, SharedSectorsAreReportedOnTheSecondFile) {
  Media media;
  media.start(1, media.sector(0, 2));  // into the last two blocks of file 0
  Container got = media.readExpectingWhole({1});
  EXPECT_EQ(problemsText(got), "1: shares " + at(media.sector(0, 2)) + " with file 0\n");
  EXPECT_TRUE(got.files[1].data ==
              Bytes(media.files[0].data.begin() + 508, media.files[0].data.end()));

  Media intoDirectory;
  intoDirectory.link(intoDirectory.sector(2, 1), {18, 1});
  got = intoDirectory.readExpectingWhole({2});
  EXPECT_EQ(problemsText(got), "2: shares track 18 sector 1 with the directory\n");
  const std::size_t directory = intoDirectory.disk.offset({18, 1});
  Bytes expected = head(intoDirectory.files[2].data, 508);
  expected.insert(expected.end(), intoDirectory.disk.image.begin() + directory + 2,
                  intoDirectory.disk.image.begin() + directory + 256);
  EXPECT_TRUE(got.files[2].data == expected);
}

// Entries that start where an earlier one does (directory art, loop
// entries) read its bytes and are summed up in one problem on it.
TEST(DiskDamage, EntriesStartingAtOneChainShareItsData) {
  Media media;
  media.start(1, media.sector(0, 0));
  media.start(2, media.sector(0, 0));
  const std::vector<TestFile> files = {{"ONE", FileType::prg, pattern(600, 1)},
                                       {"TWO", FileType::prg, pattern(600, 1)},
                                       {"SIX", FileType::prg, pattern(600, 1)}};
  Bytes t64 = writeT64(files);
  for (const std::size_t slot : {64 + 32, 64 + 64}) {
    std::copy(t64.begin() + 64 + 8, t64.begin() + 64 + 12, t64.begin() + slot + 8);
  }
  for (const Bytes& image : {media.disk.image, t64}) {
    const Container got = read(image);
    ASSERT_EQ(got.files.size(), 3u);
    EXPECT_EQ(problemsText(got), "0: 2 more entries share its data\n");
    EXPECT_EQ(got.files[0].sameAs, -1);
    for (const int k : {1, 2}) {
      EXPECT_EQ(got.files[k].sameAs, 0);
      EXPECT_TRUE(got.files[k].data == got.files[0].data);
    }
  }
}

TEST(DiskDamage, StatedSizeThatDisagreesWithTheChain) {
  Media media;
  media.disk.image[media.disk.entryOffset(2) + 0x1E] = 12;
  const Container got = media.readExpectingWhole({});
  EXPECT_EQ(problemsText(got), "2: directory says 12 blocks, chain has 3\n");
  EXPECT_EQ(got.files[2].blocks, 12);
}

TEST(DiskDamage, UnknownFileTypeIsReadAsPrg) {
  Media media;
  media.disk.image[media.disk.entryOffset(1) + 2] = 0x87;
  const Container got = media.readExpectingWhole({});
  EXPECT_EQ(problemsText(got), "1: unknown file type 7, read as prg\n");
  EXPECT_EQ(got.files[1].type, FileType::prg);
}

TEST(DiskDamage, DirectoryChainThatLoopsOrLeaves) {
  const struct {
    TrackSector link;
    const char* problem;
  } kCases[] = {
      {{18, 1}, "-1: directory chain loops back to track 18 sector 1\n"},
      {{50, 1}, "-1: directory chain leaves the disk at track 50 sector 1\n"},
  };
  for (const auto& c : kCases) {
    Media media;
    media.link({18, 1}, c.link);
    const Container got = media.readExpectingWhole({});
    EXPECT_EQ(problemsText(got), c.problem);
  }
}

TEST(DiskDamage, CutImagesReadWhatTheyHold) {
  // One file long enough to run past track 18 on every kind.
  const TestFile big{"BIG", FileType::prg, pattern(480 * 254, 7)};
  const struct {
    Kind kind;
    bool errorBytes;
    std::size_t cutTo;
    std::size_t fullSize;
  } kCases[] = {
      {Kind::d64, false, 100000, 174848},
      {Kind::d64, true, 175000, 175531},  // only error bytes missing
      {Kind::d71, false, 200000, 349696},
      {Kind::d81, true, 500000, 819200},  // error bytes or not, the size cannot tell
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(disk::kindName(c.kind)) + " cut to " + std::to_string(c.cutTo));
    DiskOptions options;
    options.errorBytes = c.errorBytes;
    const WrittenDisk disk = writeDisk(c.kind, {big}, options);
    const Container got = read(head(disk.image, c.cutTo));
    EXPECT_EQ(got.kind, c.kind);
    std::string expected = "-1: image is cut short: " + std::to_string(c.cutTo) + " of " +
                           std::to_string(c.fullSize) + " bytes\n";
    std::size_t blocksHeld = 0;
    while (blocksHeld < disk.chains[0].size() &&
           disk.offset(disk.chains[0][blocksHeld]) + 256 <= c.cutTo)
      ++blocksHeld;
    if (blocksHeld < disk.chains[0].size())
      expected += "0: chain leaves the disk at " + at(disk.chains[0][blocksHeld]) + "\n";
    EXPECT_EQ(problemsText(got), expected);
    ASSERT_EQ(got.files.size(), 1u);
    EXPECT_TRUE(got.files[0].data == head(big.data, blocksHeld * 254));
  }
  // Without the whole header track it is no disk at all.
  const WrittenDisk disk = writeDisk(Kind::d64, {big});
  EXPECT_EQ(read(head(disk.image, disk.offset({19, 0}) - 1)).kind, Kind::plain);
  EXPECT_EQ(read(head(disk.image, disk.offset({19, 0}))).kind, Kind::d64);
}

TEST(DiskDamage, ArchiveDataPastTheEnd) {
  const std::vector<TestFile> files = {{"ONE", FileType::prg, pattern(600, 1)},
                                       {"TWO", FileType::prg, pattern(600, 2)},
                                       {"THREE", FileType::prg, pattern(600, 3)}};
  Bytes t64 = writeT64(files);
  const std::size_t size = t64.size();
  t64[64 + 32 + 9] = 0x40;  // file 1's data offset, well past the end
  Container got = read(t64);
  EXPECT_EQ(problemsText(got), "1: data offset " + std::to_string(0x4000 | t64[64 + 32 + 8]) +
                                   " lies past the end of the archive (" + std::to_string(size) +
                                   " bytes)\n");
  EXPECT_TRUE(got.files[1].data == head(files[1].data, 2));
  EXPECT_TRUE(got.files[2].data == files[2].data);

  const std::size_t threeAt = 64 + 3 * 32 + 2 * 598;
  got = read(head(writeT64(files), threeAt - 100));
  EXPECT_EQ(problemsText(got), "2: data offset " + std::to_string(threeAt) +
                                   " lies past the end of the archive (" +
                                   std::to_string(threeAt - 100) + " bytes)\n");
  EXPECT_TRUE(got.files[0].data == files[0].data);
  EXPECT_TRUE(got.files[1].data == head(files[1].data, 500));

  const Bytes lnx = writeLnx(files);
  const std::size_t twoAt = lnx.size() - 600 - 3 * 254;
  got = read(head(lnx, twoAt + 100));
  EXPECT_EQ(problemsText(got),
            "1: data at offset " + std::to_string(twoAt) + " runs past the end of the archive (" +
                std::to_string(twoAt + 100) +
                " bytes)\n"
                "2: data at offset " +
                std::to_string(twoAt + 3 * 254) + " runs past the end of the archive (" +
                std::to_string(twoAt + 100) + " bytes)\n");
  EXPECT_TRUE(got.files[0].data == files[0].data);
  EXPECT_TRUE(got.files[1].data == head(files[1].data, 100));
  EXPECT_TRUE(got.files[2].data.empty());
}

TEST(DiskDamage, LnxDirectoryCutShort) {
  const std::vector<TestFile> files = {{"ONE", FileType::prg, pattern(600, 1)},
                                       {"TWO", FileType::prg, pattern(600, 2)}};
  const Bytes lnx = writeLnx(files);
  const std::size_t cut =
      std::search(lnx.begin(), lnx.end(), files[1].name.begin(), files[1].name.end()) - lnx.begin();
  const Container got = read(head(lnx, cut + 3));
  EXPECT_EQ(got.kind, Kind::lnx);
  ASSERT_EQ(got.files.size(), 1u);
  EXPECT_EQ(got.files[0].name, "ONE");
  EXPECT_EQ(problemsText(got),
            "-1: directory ends after 1 of 2 files\n"
            "0: data at offset 254 runs past the end of the archive (" +
                std::to_string(cut + 3) + " bytes)\n");
}

TEST(DiskDamage, ChainsSharedWithoutEndAreBounded) {
  // Every slot of a D81 directory names one chain over nearly the whole disk.
  std::vector<TestFile> files(296, TestFile{"ART", FileType::del, {}});
  files[0] = {"BIG", FileType::prg, pattern(3100 * 254, 1)};
  WrittenDisk disk = writeDisk(Kind::d81, files);
  for (int i = 1; i < 296; ++i) {
    disk.image[disk.entryOffset(i) + 3] = static_cast<std::uint8_t>(disk.chains[0][0].track);
    disk.image[disk.entryOffset(i) + 4] = static_cast<std::uint8_t>(disk.chains[0][0].sector);
  }
  const Container got = read(disk.image);
  ASSERT_EQ(got.files.size(), 296u);
  std::size_t total = 0;
  for (const disk::File& file : got.files) total += file.data.size();
  EXPECT_LE(total, 64u * 1024 * 1024);
  EXPECT_TRUE(got.files[0].data == files[0].data);
  EXPECT_NE(problemsText(got).find(": stopped after "), std::string::npos);
}

TEST(DiskDamage, GarbageOfEveryKnownSizeIsReadWithoutHarm) {
  std::mt19937 random(1581);
  std::vector<Bytes> inputs;
  for (const std::size_t size : {174848, 175531, 196608, 197376, 205312, 206114, 349696, 351062,
                                 819200, 822400, 100000, 1, 64, 300}) {
    Bytes bytes(size);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    inputs.push_back(bytes);
  }
  // Good media with every 64th byte changed; a header kept so the format is found.
  std::vector<Bytes> good = {writeDisk(Kind::d64, diskFiles()).image,
                             writeDisk(Kind::d81, diskFiles()).image, writeT64(archiveFiles()),
                             writeLnx(archiveFiles()), writeP00(archiveFiles()[3])};
  for (int round = 0; round < 8; ++round) {
    for (Bytes bytes : good) {
      for (std::size_t i = 64 + random() % 64; i < bytes.size(); i += 64)
        bytes[i] = static_cast<std::uint8_t>(random());
      inputs.push_back(bytes);
    }
  }
  for (const Bytes& bytes : inputs) {
    Container got;
    std::string error;
    ASSERT_TRUE(disk::readContainer(bytes, "garbage.p00", got, error));
    for (const disk::Problem& p : got.problems) {
      EXPECT_GE(p.file, -1);
      EXPECT_LT(p.file, static_cast<int>(got.files.size()));
      for (const char c : p.what) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << p.what;
    }
  }
}

}  // namespace
}  // namespace disk_test
