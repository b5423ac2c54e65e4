// The layouts of the disk images as data: how many sectors each track holds,
// where the header, directory and free counts live, and the image sizes that
// follow from them. Detection, offsets and free counts are all computed from
// the one table in geometry.cc.
#ifndef LORVEX_DISK_GEOMETRY_H
#define LORVEX_DISK_GEOMETRY_H

#include <cstddef>
#include <vector>

#include "disk/container.h"

namespace disk {

constexpr int kSectorSize = 256;

struct TrackSector {
  int track = 0;
  int sector = 0;
};

// A run of tracks, up to and including `lastTrack`, of `sectors` each.
struct Zone {
  int lastTrack;
  int sectors;
};

// Where the free count of each track in [firstTrack, lastTrack] lives: in
// sector `at`, from `offset`, one count every `stride` bytes.
struct FreeCountRun {
  TrackSector at;
  int offset;
  int stride;
  int firstTrack;
  int lastTrack;
};

// One disk layout, error bytes aside.
struct DiskLayout {
  Kind kind;
  int tracks;
  int tracksPerSide;  // a second side repeats the zones of the first
  const Zone* zones;  // of one side, in track order
  int zoneCount;
  TrackSector header;
  TrackSector directory;         // where the directory chain starts, whatever the header says
  int dosVersion;                // header byte 2 on a disk its DOS formatted
  bool doubleSided;              // header byte 3 is $80
  int nameOffset;                // 16 bytes of disk name in the header sector
  int idOffset;                  // 5 bytes: id, $A0, DOS type
  FreeCountRun freeCounts[2];    // unused entries have lastTrack 0
  int uncountedTracks[2];        // tracks a directory listing leaves out of the free blocks
  TrackSector systemSectors[3];  // header and block maps; unused entries have track 0
};

// A layout with its sector numbering worked out.
class Geometry {
 public:
  explicit Geometry(const DiskLayout& layout);

  const DiskLayout& layout() const { return layout_; }
  int tracks() const { return layout_.tracks; }
  int sectorCount() const { return firstSector_.back(); }
  // Sectors on `track`; 0 for a track the disk does not have.
  int sectorsOn(int track) const;
  // Index of the sector in image order; -1 outside the disk.
  int index(int track, int sector) const;
  int index(TrackSector at) const { return index(at.track, at.sector); }
  TrackSector at(int index) const;
  // Byte size of the whole image, with or without one error byte per sector.
  std::size_t imageSize(bool errorBytes) const;

 private:
  DiskLayout layout_;
  std::vector<int> firstSector_;  // [t] = index of track t's sector 0; [tracks + 1] = total
};

// Every layout: d64 with 35, 40 and 42 tracks, d71, d81; smallest first.
const std::vector<Geometry>& geometries();

// An image as its size suggests: a layout, with or without error bytes.
struct ImageVariant {
  const Geometry* geometry = nullptr;
  bool errorBytes = false;

  std::size_t size() const { return geometry->imageSize(errorBytes); }
};

// Every variant, smallest size first.
std::vector<ImageVariant> imageVariants();

}  // namespace disk

#endif  // LORVEX_DISK_GEOMETRY_H
