// The sectors of a disk image as its bytes hold them: a cut image holds
// fewer, and an image with error bytes says which ones the drive could
// not read when it was made.
#ifndef LORVEX_DISK_SECTOR_IMAGE_H
#define LORVEX_DISK_SECTOR_IMAGE_H

#include <cstdint>
#include <string>
#include <vector>

#include "disk/geometry.h"

namespace disk {

class SectorImage {
 public:
  // Keeps references to both; they must outlive this object.
  SectorImage(const std::vector<std::uint8_t>& bytes, const ImageVariant& variant);

  const Geometry& geometry() const { return geometry_; }
  // Index of the sector, or -1 where the disk has no such sector or the
  // image ends before the sector does.
  int index(int track, int sector) const;
  int index(TrackSector at) const { return index(at.track, at.sector); }
  // The 256 bytes of a sector that index() accepted.
  const std::uint8_t* sector(int index) const;
  // The error code recorded for the sector, or 0 when it read fine ($00 and
  // $01) or the image records none for it.
  int error(int index) const;

 private:
  const std::vector<std::uint8_t>& bytes_;
  const Geometry& geometry_;
  bool errorBytes_;
};

// "track 17 sector 3", the way every problem names a sector.
std::string sectorText(TrackSector at);

}  // namespace disk

#endif  // LORVEX_DISK_SECTOR_IMAGE_H
