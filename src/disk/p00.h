// The P00 family: one file behind a 26-byte header ("C64File", a zero, the
// original name, a REL record length), its type in the extension's letter.
#ifndef LORVEX_DISK_P00_H
#define LORVEX_DISK_P00_H

#include <cstdint>
#include <string>
#include <vector>

#include "disk/container.h"

namespace disk {

// Whether the bytes begin with "C64File" and a zero byte.
bool isP00(const std::vector<std::uint8_t>& bytes);

// Reads the one file into `out`; its type comes from an extension of a
// letter and two digits (".p00", ".S01", ...), prg for any other name.
// A header cut short gives the part of the name there is and no data.
void readP00(const std::vector<std::uint8_t>& bytes, const std::string& fileName, Container& out);

}  // namespace disk

#endif  // LORVEX_DISK_P00_H
