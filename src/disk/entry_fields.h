// Fields that directory entries of every format share: little-endian
// numbers, padded names and file types.
#ifndef LORVEX_DISK_ENTRY_FIELDS_H
#define LORVEX_DISK_ENTRY_FIELDS_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "disk/container.h"

namespace disk {

inline int word16(const std::uint8_t* p) {
  return p[0] | p[1] << 8;
}
inline std::uint32_t word32(const std::uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// The `size` bytes at `bytes` without the trailing bytes found in `padding`.
std::string withoutPadding(const std::uint8_t* bytes, std::size_t size, const std::string& padding);
// $A0, as disks pad; tapes and archives also use spaces and zeros.
extern const std::string kDiskPadding;
extern const std::string kTapePadding;

// The type in bits 0-3 of a directory entry's type byte. False (and prg)
// for the codes no DOS gives a type.
bool typeFromCode(int typeByte, FileType& type);
// The type a letter stands for (P, S, U, R, D, either case), as LNX
// directories and P00-family extensions give it. False (and prg) for
// any other letter.
bool typeFromLetter(int letter, FileType& type);

// Entries that share their data (directory art, loop entries) are each
// given the bytes whole; this caps what a crafted directory can make the
// reader hold from one image.
constexpr long kMaxBytesHeld = 64L * 1024 * 1024;

// (length + 253) / 254: the blocks a file of `length` bytes takes.
int blocksOf(std::size_t length);

// The one problem of a file whose chain or data `count` later entries
// share: "N more entries share its data".
std::string sharedText(int count);

}  // namespace disk

#endif  // LORVEX_DISK_ENTRY_FIELDS_H
