// Following a chain of linked sectors (a file, or the directory) on an
// image that may be damaged: every sector is read at most once, so a chain
// ends after at most as many steps as the disk has sectors.
#ifndef LORVEX_DISK_SECTOR_CHAIN_H
#define LORVEX_DISK_SECTOR_CHAIN_H

#include <cstdint>
#include <string>
#include <vector>

#include "disk/container.h"
#include "disk/sector_image.h"

namespace disk {

// Where a chain's problems go: `problems` (none when null) with the index of
// the file they concern and a text that starts with `prefix` ("" for a
// file, "directory " for the directory).
struct ChainReport {
  std::vector<Problem>* problems = nullptr;
  int file = -1;
  const char* prefix = "";

  void add(const std::string& what) const;
};

struct Chain {
  std::vector<int> sectors;  // sector indexes, in chain order
  bool broken = false;       // it ended at a loop or a link outside the disk
  bool stopped = false;      // the budget ran out before its end
};

// Follows the chain from `start`; a start on track 0 is an empty chain.
// Track 0 as a link ends the chain, and then its byte 1 is the last byte the
// sector carries. A link back to a sector already read, or to one outside
// the disk, ends the chain keeping what was read, with one problem; a sector
// the error bytes mark bad is read and reported. When `data` is not null the
// bytes each sector carries are appended to it. `budget` (when not null)
// counts down one per sector read; the chain stops when it reaches 0.
Chain followChain(const SectorImage& image, TrackSector start, std::vector<std::uint8_t>* data,
                  long* budget, const ChainReport& report);

}  // namespace disk

#endif  // LORVEX_DISK_SECTOR_CHAIN_H
