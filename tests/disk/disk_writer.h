// Writes the container images the disk reader reads (D64, D71, D81, T64, LNX
// and P00), from a list of files, so that tests make good media and then
// damage it by changing bytes. The layouts are written out here apart from
// the reader's own tables, so that a test built with it checks the reader.
// Misuse (a name over 16 bytes, files that do not fit, a T64 file without
// its load address) throws std::logic_error.
#ifndef LORVEX_TESTS_DISK_DISK_WRITER_H
#define LORVEX_TESTS_DISK_DISK_WRITER_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "disk/container.h"

namespace disk_test {

using Bytes = std::vector<std::uint8_t>;

struct TrackSector {
  int track = 0;
  int sector = 0;
};

struct TestFile {
  std::string name;  // raw PETSCII, at most 16 bytes
  disk::FileType type = disk::FileType::prg;
  Bytes data;  // a PRG's load address included
  bool closed = true;
  bool locked = false;
};

// `length` bytes of a pattern that differs with `seed` and repeats only
// every 251 bytes, so that a misplaced block shows.
Bytes pattern(std::size_t length, int seed);

struct DiskOptions {
  int tracks = 0;               // 0: the kind's own; a d64 also has 40 or 42
  bool errorBytes = false;      // appended, all $01: every sector read fine
  std::string name = "LORVEX";  // raw PETSCII, at most 16 bytes
  std::string id = "lx 2a";     // 5 bytes; a space in the middle is written as $A0
};

struct WrittenDisk {
  Bytes image;
  disk::Kind kind = disk::Kind::d64;
  int tracks = 35;
  bool errorBytes = false;
  // Each file's data sectors in chain order (none for an empty file, whose
  // entry starts on track 0); a REL file's side sectors follow separately.
  std::vector<std::vector<TrackSector>> chains;
  std::vector<std::vector<TrackSector>> sideSectors;
  std::vector<TrackSector> directory;  // in chain order

  int sectorsOn(int track) const;
  std::size_t offset(TrackSector at) const;  // of the sector's first byte
  std::size_t errorOffset(TrackSector at) const;
  // Offset of the 32-byte directory entry of file `file`.
  std::size_t entryOffset(int file) const;
};

// Formats a disk (free counts and bitmaps as its DOS keeps them) and writes
// the files on the free sectors in order, the header track left out.
WrittenDisk writeDisk(disk::Kind kind, const std::vector<TestFile>& files,
                      const DiskOptions& options = {});

// A T64 with one slot per file, counts and end addresses right; each file's
// first two bytes are its load address and the rest its stored data.
Bytes writeT64(const std::vector<TestFile>& files, const std::string& tapeName = "LORVEX");
// An LNX laid out as cbmconvert writes it: stub, directory, then each file
// from a block boundary, a REL file behind its (zero) side-sector blocks.
Bytes writeLnx(const std::vector<TestFile>& files);
// A P00-family file; its type goes in the file name, not here.
Bytes writeP00(const TestFile& file);

}  // namespace disk_test

#endif  // LORVEX_TESTS_DISK_DISK_WRITER_H
