#include "disk/geometry.h"

#include <algorithm>

namespace disk {

namespace {

// The 1541's four speed zones; 40- and 42-track disks extend the last one.
constexpr Zone k1541Zones[] = {{17, 21}, {24, 19}, {30, 18}, {42, 17}};
constexpr Zone k1581Zones[] = {{80, 40}};
constexpr int k1541ZoneCount = sizeof k1541Zones / sizeof k1541Zones[0];

// D64 and D71 keep the header and the counts of side one in 18/0; the 40-
// and 42-track extensions keep theirs in places that vary by DOS, so only
// tracks 1-35 are counted. D71's second side has its counts at 18/0 $DD and
// its bitmaps in 53/0. D81 keeps its maps in 40/1 and 40/2.
// Columns: kind, tracks, tracks per side, zones, header, directory, DOS
// version, double-sided, name and id offsets, free counts, tracks left out
// of the free blocks, header and map sectors.
// clang-format off
const DiskLayout kLayouts[] = {
    {Kind::d64, 35, 35, k1541Zones, k1541ZoneCount, {18, 0}, {18, 1}, 0x41, false, 0x90, 0xA2,
     {{{18, 0}, 0x04, 4, 1, 35}, {}}, {18, 0}, {{18, 0}}},
    {Kind::d64, 40, 40, k1541Zones, k1541ZoneCount, {18, 0}, {18, 1}, 0x41, false, 0x90, 0xA2,
     {{{18, 0}, 0x04, 4, 1, 35}, {}}, {18, 0}, {{18, 0}}},
    {Kind::d64, 42, 42, k1541Zones, k1541ZoneCount, {18, 0}, {18, 1}, 0x41, false, 0x90, 0xA2,
     {{{18, 0}, 0x04, 4, 1, 35}, {}}, {18, 0}, {{18, 0}}},
    {Kind::d71, 70, 35, k1541Zones, k1541ZoneCount, {18, 0}, {18, 1}, 0x41, true, 0x90, 0xA2,
     {{{18, 0}, 0x04, 4, 1, 35}, {{18, 0}, 0xDD, 1, 36, 70}}, {18, 53}, {{18, 0}, {53, 0}}},
    {Kind::d81, 80, 80, k1581Zones, 1, {40, 0}, {40, 3}, 0x44, false, 0x04, 0x16,
     {{{40, 1}, 0x10, 6, 1, 40}, {{40, 2}, 0x10, 6, 41, 80}}, {40, 0},
     {{40, 0}, {40, 1}, {40, 2}}},
};
// clang-format on

}  // namespace

Geometry::Geometry(const DiskLayout& layout) : layout_(layout) {
  firstSector_.assign(layout_.tracks + 2, 0);
  for (int track = 1; track <= layout_.tracks; ++track)
    firstSector_[track + 1] = firstSector_[track] + sectorsOn(track);
}

int Geometry::sectorsOn(int track) const {
  if (track < 1 || track > layout_.tracks) return 0;
  const int onSide = (track - 1) % layout_.tracksPerSide + 1;
  for (int i = 0; i < layout_.zoneCount; ++i) {
    if (onSide <= layout_.zones[i].lastTrack) return layout_.zones[i].sectors;
  }
  return 0;
}

int Geometry::index(int track, int sector) const {
  if (sector < 0 || sector >= sectorsOn(track)) return -1;
  return firstSector_[track] + sector;
}

TrackSector Geometry::at(int index) const {
  // firstSector_[1..tracks+1] is ascending; find the track whose run holds index.
  auto next = std::upper_bound(firstSector_.begin() + 1, firstSector_.end(), index);
  const int track = static_cast<int>(next - firstSector_.begin()) - 1;
  return {track, index - firstSector_[track]};
}

std::size_t Geometry::imageSize(bool errorBytes) const {
  const std::size_t sectors = static_cast<std::size_t>(sectorCount());
  return sectors * kSectorSize + (errorBytes ? sectors : 0);
}

const std::vector<Geometry>& geometries() {
  static const std::vector<Geometry> all(std::begin(kLayouts), std::end(kLayouts));
  return all;
}

std::vector<ImageVariant> imageVariants() {
  std::vector<ImageVariant> variants;
  for (const Geometry& geometry : geometries()) {
    variants.push_back({&geometry, false});
    variants.push_back({&geometry, true});
  }
  std::sort(variants.begin(), variants.end(),
            [](const ImageVariant& a, const ImageVariant& b) { return a.size() < b.size(); });
  return variants;
}

}  // namespace disk
