#include "disk/cbm_disk.h"

#include <map>
#include <string>

#include "disk/entry_fields.h"
#include "disk/sector_chain.h"
#include "disk/sector_image.h"

namespace disk {

namespace {

constexpr int kEntrySize = 32;
constexpr int kEntriesPerSector = kSectorSize / kEntrySize;
constexpr int kNameSize = 16;
constexpr int kIdSize = 5;

constexpr long kSectorBudget = kMaxBytesHeld / 254;

// Who read a sector first; files own theirs by index.
constexpr int kNoOwner = -1;
constexpr int kHeaderOwner = -2;
constexpr int kDirectoryOwner = -3;

std::string ownerText(int owner) {
  if (owner == kHeaderOwner) return "the header";
  if (owner == kDirectoryOwner) return "the directory";
  return "file " + std::to_string(owner);
}

bool headerLooksRight(const std::vector<std::uint8_t>& bytes, const ImageVariant& variant) {
  const Geometry& geometry = *variant.geometry;
  const DiskLayout& layout = geometry.layout();
  const int track = layout.header.track;
  const std::size_t trackEnd =
      static_cast<std::size_t>(geometry.index(track, 0) + geometry.sectorsOn(track)) * kSectorSize;
  if (bytes.size() < trackEnd) return false;
  const std::uint8_t* header =
      bytes.data() + static_cast<std::size_t>(geometry.index(layout.header)) * kSectorSize;
  return header[2] == layout.dosVersion && header[0] == track &&
         header[1] < geometry.sectorsOn(track) && (header[3] == 0x80) == layout.doubleSided;
}

void readHeader(const SectorImage& image, std::vector<int>& owner, Container& out) {
  const Geometry& geometry = image.geometry();
  const DiskLayout& layout = geometry.layout();
  const ChainReport report{&out.problems, -1, "header "};
  for (const TrackSector& at : layout.systemSectors) {
    const int index = image.index(at);
    if (at.track == 0 || index < 0) continue;
    owner[index] = kHeaderOwner;
    if (const int code = image.error(index))
      report.add(sectorText(at) + " is marked bad (error " + std::to_string(code) + ")");
  }
  const int header = image.index(layout.header);
  if (header < 0) return;
  const std::uint8_t* bytes = image.sector(header);
  out.name = withoutPadding(bytes + layout.nameOffset, kNameSize, kDiskPadding);
  out.id.assign(bytes + layout.idOffset, bytes + layout.idOffset + kIdSize);
  if (out.id[2] == '\xA0') out.id[2] = ' ';

  int free = 0;
  for (const FreeCountRun& run : layout.freeCounts) {
    if (run.lastTrack == 0) continue;
    const int at = image.index(run.at);
    if (at < 0) return;
    const std::uint8_t* counts = image.sector(at) + run.offset;
    for (int track = run.firstTrack; track <= run.lastTrack; ++track) {
      if (track == layout.uncountedTracks[0] || track == layout.uncountedTracks[1]) continue;
      free += counts[(track - run.firstTrack) * run.stride];
    }
  }
  out.hasFreeBlocks = true;
  out.freeBlocks = free;
}

// Marks the chain's sectors as `file`'s; the first one another reader
// already had is reported.
void claimSectors(const Chain& chain, int file, const SectorImage& image, std::vector<int>& owner,
                  const ChainReport& report) {
  bool reported = false;
  for (const int index : chain.sectors) {
    if (owner[index] == kNoOwner) {
      owner[index] = file;
    } else if (owner[index] != file && !reported) {
      report.add("shares " + sectorText(image.geometry().at(index)) + " with " +
                 ownerText(owner[index]));
      reported = true;
    }
  }
}

// The files read so far by the sector their chain starts at, and how many
// later entries start there too.
struct ChainStarts {
  std::map<int, int> fileAt;  // start sector index -> file index
  std::map<int, int> sharers;  // file index -> entries sharing its chain
};

// An entry whose chain starts where an earlier file's does gets that file's
// bytes without reading (or reporting) the chain again: a crafted directory
// of thousands of such entries costs no more than one.
bool readSharedStart(const SectorImage& image, const std::uint8_t* entry, ChainStarts& starts,
                     long& budget, Container& out) {
  const int start = entry[3] == 0 ? -1 : image.index({entry[3], entry[4]});
  if (start < 0) return false;
  const auto first = starts.fileAt.find(start);
  if (first == starts.fileAt.end()) {
    starts.fileAt.emplace(start, static_cast<int>(out.files.size()) - 1);
    return false;
  }
  File& file = out.files.back();
  const File& earlier = out.files[static_cast<std::size_t>(first->second)];
  const long sectors = static_cast<long>((earlier.data.size() + 253) / 254);
  if (sectors > budget) return false;  // read as any other, and stopped
  budget -= sectors;
  file.data = earlier.data;
  file.sameAs = first->second;
  ++starts.sharers[first->second];
  return true;
}

void readFile(const SectorImage& image, const std::uint8_t* entry, std::vector<int>& owner,
              long& budget, ChainStarts& starts, Container& out) {
  const int index = static_cast<int>(out.files.size());
  const ChainReport report{&out.problems, index, ""};
  out.files.emplace_back();
  File& file = out.files.back();
  const int typeByte = entry[2];
  const bool knownType = typeFromCode(typeByte, file.type);
  file.name = withoutPadding(entry + 5, kNameSize, kDiskPadding);
  file.closed = (typeByte & 0x80) != 0;
  file.locked = (typeByte & 0x40) != 0;
  file.blocks = word16(entry + 0x1E);
  // A partition is an area of whole sectors holding a disk of its own, not a chain.
  if (file.type != FileType::cbm && readSharedStart(image, entry, starts, budget, out)) return;
  if (!knownType)
    report.add("unknown file type " + std::to_string(typeByte & 0x0F) + ", read as prg");
  if (file.type == FileType::cbm) return;

  const Chain chain = followChain(image, {entry[3], entry[4]}, &file.data, &budget, report);
  if (chain.stopped) {
    report.add("stopped after " + std::to_string(chain.sectors.size()) +
               " blocks: the files before it already hold 64 MiB");
  }
  claimSectors(chain, index, image, owner, report);
  int blocks = static_cast<int>(chain.sectors.size());
  if (file.type == FileType::rel && entry[0x15] != 0) {
    // The side sectors are counted in the stated size, and claimed, but not read.
    const Chain side =
        followChain(image, {entry[0x15], entry[0x16]}, nullptr, &budget, ChainReport{});
    claimSectors(side, index, image, owner, ChainReport{});
    blocks += static_cast<int>(side.sectors.size());
  }
  if (!chain.broken && !chain.stopped && blocks != file.blocks) {
    report.add("directory says " + std::to_string(file.blocks) + " blocks, chain has " +
               std::to_string(blocks));
  }
}

}  // namespace

bool cutDiskVariant(const std::vector<std::uint8_t>& bytes, ImageVariant& variant) {
  for (const ImageVariant& candidate : imageVariants()) {
    if (candidate.size() > bytes.size() && headerLooksRight(bytes, candidate)) {
      variant = candidate;
      return true;
    }
  }
  return false;
}

void readCbmDisk(const std::vector<std::uint8_t>& bytes, const ImageVariant& variant,
                 Container& out) {
  const SectorImage image(bytes, variant);
  const Geometry& geometry = image.geometry();
  out.kind = geometry.layout().kind;
  if (bytes.size() < variant.size()) {
    out.problems.push_back({-1, "image is cut short: " + std::to_string(bytes.size()) + " of " +
                                    std::to_string(variant.size()) + " bytes"});
  }
  std::vector<int> owner(geometry.sectorCount(), kNoOwner);
  readHeader(image, owner, out);

  const Chain directory = followChain(image, geometry.layout().directory, nullptr, nullptr,
                                      ChainReport{&out.problems, -1, "directory "});
  for (const int index : directory.sectors) {
    if (owner[index] == kNoOwner) owner[index] = kDirectoryOwner;
  }
  long budget = kSectorBudget;
  ChainStarts starts;
  for (const int index : directory.sectors) {
    const std::uint8_t* sector = image.sector(index);
    for (int slot = 0; slot < kEntriesPerSector; ++slot) {
      const std::uint8_t* entry = sector + slot * kEntrySize;
      if (entry[2] != 0) readFile(image, entry, owner, budget, starts, out);
    }
  }
  for (const auto& [file, count] : starts.sharers) {
    out.problems.push_back({file, sharedText(count)});
  }
}

}  // namespace disk
