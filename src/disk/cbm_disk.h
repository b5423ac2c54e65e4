// D64, D71 and D81 images: header, free blocks, directory and the files'
// sector chains, read as far as a damaged image allows.
#ifndef LORVEX_DISK_CBM_DISK_H
#define LORVEX_DISK_CBM_DISK_H

#include <cstdint>
#include <vector>

#include "disk/container.h"
#include "disk/geometry.h"

namespace disk {

// The variant an image of no known size is, taken as one cut short: the
// smallest variant larger than the image whose whole header track the image
// holds and whose header looks as its DOS writes it (DOS version byte, a
// link from the header into the header track, and header byte 3 $80
// exactly on a double-sided D71). False when none fits.
bool cutDiskVariant(const std::vector<std::uint8_t>& bytes, ImageVariant& variant);

// Reads the image into `out` (kind, name, id, free blocks, files, problems).
// An image shorter than `variant.size()` is reported as cut short, and the
// sectors it lacks count as outside the disk.
void readCbmDisk(const std::vector<std::uint8_t>& bytes, const ImageVariant& variant,
                 Container& out);

}  // namespace disk

#endif  // LORVEX_DISK_CBM_DISK_H
