#include "disk/geometry.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace disk {
namespace {

const Geometry& geometryOf(Kind kind, int tracks) {
  for (const Geometry& geometry : geometries()) {
    if (geometry.layout().kind == kind && geometry.tracks() == tracks) return geometry;
  }
  ADD_FAILURE() << "no layout " << kindName(kind) << " " << tracks;
  return geometries().front();
}

TEST(DiskGeometry, SectorsAndSizesAreTheKnownOnes) {
  const struct {
    Kind kind;
    int tracks;
    int sectors;
    std::size_t size;
    std::size_t withErrors;
  } kCases[] = {
      {Kind::d64, 35, 683, 174848, 175531},  {Kind::d64, 40, 768, 196608, 197376},
      {Kind::d64, 42, 802, 205312, 206114},  {Kind::d71, 70, 1366, 349696, 351062},
      {Kind::d81, 80, 3200, 819200, 822400},
  };
  ASSERT_EQ(geometries().size(), std::size(kCases));
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(kindName(c.kind)) + " " + std::to_string(c.tracks));
    const Geometry& geometry = geometryOf(c.kind, c.tracks);
    EXPECT_EQ(geometry.sectorCount(), c.sectors);
    EXPECT_EQ(geometry.imageSize(false), c.size);
    EXPECT_EQ(geometry.imageSize(true), c.withErrors);
  }
  // Detection takes the first variant of a size: no two may share one.
  std::set<std::size_t> sizes;
  std::size_t previous = 0;
  for (const ImageVariant& variant : imageVariants()) {
    EXPECT_GT(variant.size(), previous);
    previous = variant.size();
    sizes.insert(variant.size());
  }
  EXPECT_EQ(sizes.size(), 2 * geometries().size());
}

TEST(DiskGeometry, SectorIndexesFollowTheZones) {
  const Geometry& d64 = geometryOf(Kind::d64, 42);
  EXPECT_EQ(d64.index(18, 0) * kSectorSize, 0x16500);
  const struct {
    int track;
    int sectors;
  } kZones[] = {{1, 21},  {17, 21}, {18, 19}, {24, 19}, {25, 18},
                {30, 18}, {31, 17}, {42, 17}, {0, 0},   {43, 0}};
  for (const auto& z : kZones) EXPECT_EQ(d64.sectorsOn(z.track), z.sectors) << z.track;
  EXPECT_EQ(d64.index(1, 21), -1);
  EXPECT_EQ(d64.index(18, 19), -1);
  EXPECT_EQ(d64.index(0, 0), -1);
  EXPECT_EQ(d64.index(1, -1), -1);
  EXPECT_EQ(geometryOf(Kind::d64, 35).index(36, 0), -1);

  const Geometry& d71 = geometryOf(Kind::d71, 70);
  EXPECT_EQ(d71.index(36, 0), 683);
  EXPECT_EQ(d71.index(53, 0), 683 + 357);
  EXPECT_EQ(d71.sectorsOn(52), 21);
  EXPECT_EQ(d71.sectorsOn(70), 17);
  EXPECT_EQ(geometryOf(Kind::d81, 80).index(40, 3), 39 * 40 + 3);

  for (const Geometry& geometry : geometries()) {
    for (int i = 0; i < geometry.sectorCount(); ++i) {
      const TrackSector at = geometry.at(i);
      ASSERT_EQ(geometry.index(at), i) << kindName(geometry.layout().kind) << " " << i;
    }
  }
}

TEST(DiskGeometry, HeaderAndCountsLieInsideTheirSectors) {
  for (const Geometry& geometry : geometries()) {
    const DiskLayout& layout = geometry.layout();
    SCOPED_TRACE(std::string(kindName(layout.kind)) + " " + std::to_string(layout.tracks));
    EXPECT_GE(geometry.index(layout.header), 0);
    EXPECT_EQ(layout.directory.track, layout.header.track);
    EXPECT_LE(layout.nameOffset + 16, kSectorSize);
    EXPECT_LE(layout.idOffset + 5, kSectorSize);
    for (const FreeCountRun& run : layout.freeCounts) {
      if (run.lastTrack == 0) continue;
      EXPECT_GE(geometry.index(run.at), 0);
      EXPECT_LT(run.offset + (run.lastTrack - run.firstTrack) * run.stride, kSectorSize);
      EXPECT_LE(run.lastTrack, geometry.tracks());
    }
  }
}

}  // namespace
}  // namespace disk
