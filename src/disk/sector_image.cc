#include "disk/sector_image.h"

namespace disk {

SectorImage::SectorImage(const std::vector<std::uint8_t>& bytes, const ImageVariant& variant)
    : bytes_(bytes), geometry_(*variant.geometry), errorBytes_(variant.errorBytes) {}

int SectorImage::index(int track, int sector) const {
  const int at = geometry_.index(track, sector);
  if (at < 0) return -1;
  const std::size_t end = (static_cast<std::size_t>(at) + 1) * kSectorSize;
  return end <= bytes_.size() ? at : -1;
}

const std::uint8_t* SectorImage::sector(int index) const {
  return bytes_.data() + static_cast<std::size_t>(index) * kSectorSize;
}

int SectorImage::error(int index) const {
  if (!errorBytes_) return 0;
  const std::size_t at = geometry_.imageSize(false) + static_cast<std::size_t>(index);
  if (at >= bytes_.size()) return 0;
  const int code = bytes_[at];
  return code == 0x01 ? 0 : code;
}

std::string sectorText(TrackSector at) {
  return "track " + std::to_string(at.track) + " sector " + std::to_string(at.sector);
}

}  // namespace disk
