// LNX (Lynx) archives: a BASIC stub, a directory written as CR-ended text
// fields, then each file's data from a 254-byte block boundary.
#ifndef LORVEX_DISK_LNX_H
#define LORVEX_DISK_LNX_H

#include <cstdint>
#include <vector>

#include "disk/container.h"

namespace disk {

// Whether the first kilobyte holds the directory's first field: a number,
// then a signature containing "LYNX", in a field of its own.
bool isLnx(const std::vector<std::uint8_t>& bytes);

// Reads the archive into `out`. The data begin at the block the first
// field names; each file takes its stated blocks, of which a REL file's
// first ones are side sectors (one per 120 data blocks), skipped; its last
// block holds the stated count minus one bytes.
void readLnx(const std::vector<std::uint8_t>& bytes, Container& out);

}  // namespace disk

#endif  // LORVEX_DISK_LNX_H
