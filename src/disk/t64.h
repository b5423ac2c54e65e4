// T64 tape archives: a 64-byte header, 32-byte directory slots, then the
// files' data without their load addresses.
#ifndef LORVEX_DISK_T64_H
#define LORVEX_DISK_T64_H

#include <cstdint>
#include <vector>

#include "disk/container.h"

namespace disk {

// A whole header whose text begins with "C64".
bool isT64(const std::vector<std::uint8_t>& bytes);

// Reads the archive into `out`. Each file is its load address followed by
// its stored bytes, which run from its data offset to the next larger
// offset of any entry, or to the end of the archive: the used-entry count
// and the end addresses are often wrong and are not consulted.
void readT64(const std::vector<std::uint8_t>& bytes, Container& out);

}  // namespace disk

#endif  // LORVEX_DISK_T64_H
