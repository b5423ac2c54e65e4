#include "disk/disk_writer.h"

#include <algorithm>
#include <stdexcept>

namespace disk_test {

using disk::FileType;
using disk::Kind;

namespace {

constexpr int kSector = 256;
constexpr int kBlock = 254;
constexpr int kNameSize = 16;

[[noreturn]] void misuse(const std::string& what) {
  throw std::logic_error(what);
}

int typeCode(FileType type) {
  return static_cast<int>(type);
}

int headerTrack(Kind kind) {
  return kind == Kind::d81 ? 40 : 18;
}

int blocksFor(std::size_t length) {
  return static_cast<int>((length + kBlock - 1) / kBlock);
}

void putName(std::uint8_t* at, const std::string& name, std::uint8_t pad) {
  if (name.size() > kNameSize) misuse("name over 16 bytes: " + name);
  std::fill(at, at + kNameSize, pad);
  std::copy(name.begin(), name.end(), at);
}

// The five bytes of id, $A0, DOS type; a space between them goes as $A0.
void putId(std::uint8_t* at, const std::string& id) {
  if (id.size() != 5) misuse("id of other than 5 bytes: " + id);
  std::copy(id.begin(), id.end(), at);
  if (at[2] == ' ') at[2] = 0xA0;
}

void put(Bytes& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
}

class Allocator {
 public:
  explicit Allocator(WrittenDisk& disk) : disk_(disk), used_(disk.tracks + 1) {
    for (int track = 1; track <= disk.tracks; ++track)
      used_[track].assign(disk.sectorsOn(track), 0);
  }
  void use(TrackSector at) { used_[at.track][at.sector] = 1; }
  bool isUsed(int track, int sector) const { return used_[track][sector] != 0; }
  // The next `count` free sectors off the reserved tracks, in track order.
  std::vector<TrackSector> take(int count, int reserved1, int reserved2) {
    std::vector<TrackSector> sectors;
    for (int track = 1; track <= disk_.tracks && static_cast<int>(sectors.size()) < count;
         ++track) {
      if (track == reserved1 || track == reserved2) continue;
      for (int sector = 0; sector < disk_.sectorsOn(track); ++sector) {
        if (static_cast<int>(sectors.size()) == count) break;
        if (used_[track][sector]) continue;
        use({track, sector});
        sectors.push_back({track, sector});
      }
    }
    if (static_cast<int>(sectors.size()) < count) misuse("files do not fit on the disk");
    return sectors;
  }
  int freeOn(int track) const {
    return static_cast<int>(std::count(used_[track].begin(), used_[track].end(), 0));
  }

 private:
  WrittenDisk& disk_;
  std::vector<std::vector<char>> used_;
};

// Links each sector to the next; the last one carries `lastBytes`.
void linkChain(WrittenDisk& disk, const std::vector<TrackSector>& chain, int lastBytes) {
  for (std::size_t i = 0; i < chain.size(); ++i) {
    std::uint8_t* sector = &disk.image[disk.offset(chain[i])];
    const bool last = i + 1 == chain.size();
    sector[0] = static_cast<std::uint8_t>(last ? 0 : chain[i + 1].track);
    sector[1] = static_cast<std::uint8_t>(last ? lastBytes + 1 : chain[i + 1].sector);
  }
}

// Free count then bitmap (a set bit is a free sector) of `track`.
void putTrackMap(const WrittenDisk& disk, const Allocator& used, int track, std::uint8_t* count,
                 std::uint8_t* bitmap) {
  *count = static_cast<std::uint8_t>(used.freeOn(track));
  for (int sector = 0; sector < disk.sectorsOn(track); ++sector) {
    if (!used.isUsed(track, sector))
      bitmap[sector / 8] |= static_cast<std::uint8_t>(1 << sector % 8);
  }
}

void writeHeader(WrittenDisk& disk, const Allocator& used, const DiskOptions& options) {
  const int track = headerTrack(disk.kind);
  std::uint8_t* header = &disk.image[disk.offset({track, 0})];
  header[0] = static_cast<std::uint8_t>(track);
  header[1] = static_cast<std::uint8_t>(disk.directory.front().sector);
  if (disk.kind == Kind::d81) {
    header[2] = 0x44;
    putName(header + 0x04, options.name, 0xA0);
    std::fill(header + 0x14, header + 0x1D, 0xA0);
    putId(header + 0x16, options.id);
    for (int side = 0; side < 2; ++side) {
      std::uint8_t* bam = &disk.image[disk.offset({40, 1 + side})];
      bam[0] = side == 0 ? 40 : 0;
      bam[1] = side == 0 ? 2 : 0xFF;
      bam[2] = 0x44;
      bam[3] = 0xBB;
      bam[4] = header[0x16];
      bam[5] = header[0x17];
      bam[6] = 0xC0;
      for (int t = 1; t <= 40; ++t) {
        std::uint8_t* map = bam + 0x10 + 6 * (t - 1);
        putTrackMap(disk, used, t + 40 * side, map, map + 1);
      }
    }
    return;
  }
  header[2] = 0x41;
  header[3] = disk.kind == Kind::d71 ? 0x80 : 0x00;
  // 40- and 42-track extensions keep tracks 36 on where their DOS likes; none here.
  for (int t = 1; t <= 35; ++t) putTrackMap(disk, used, t, header + 4 * t, header + 4 * t + 1);
  putName(header + 0x90, options.name, 0xA0);
  std::fill(header + 0xA0, header + 0xAB, 0xA0);
  putId(header + 0xA2, options.id);
  if (disk.kind == Kind::d71) {
    std::uint8_t* maps = &disk.image[disk.offset({53, 0})];
    for (int t = 36; t <= 70; ++t)
      putTrackMap(disk, used, t, header + 0xDD + t - 36, maps + 3 * (t - 36));
  }
}

}  // namespace

Bytes pattern(std::size_t length, int seed) {
  Bytes bytes(length);
  for (std::size_t i = 0; i < length; ++i)
    bytes[i] = static_cast<std::uint8_t>((i % 251) * 3 + i / 251 + seed * 17);
  return bytes;
}

int WrittenDisk::sectorsOn(int track) const {
  if (track < 1 || track > tracks) return 0;
  if (kind == Kind::d81) return 40;
  const int onSide = kind == Kind::d71 && track > 35 ? track - 35 : track;
  return onSide <= 17 ? 21 : onSide <= 24 ? 19 : onSide <= 30 ? 18 : 17;
}

std::size_t WrittenDisk::offset(TrackSector at) const {
  std::size_t sectors = 0;
  for (int track = 1; track < at.track; ++track) sectors += sectorsOn(track);
  return (sectors + at.sector) * kSector;
}

std::size_t WrittenDisk::errorOffset(TrackSector at) const {
  return offset({tracks + 1, 0}) + offset(at) / kSector;
}

std::size_t WrittenDisk::entryOffset(int file) const {
  return offset(directory.at(file / 8)) + 32 * (file % 8);
}

WrittenDisk writeDisk(Kind kind, const std::vector<TestFile>& files, const DiskOptions& options) {
  WrittenDisk disk;
  disk.kind = kind;
  disk.errorBytes = options.errorBytes;
  if (kind == Kind::d64) {
    disk.tracks = options.tracks == 0 ? 35 : options.tracks;
    if (disk.tracks != 35 && disk.tracks != 40 && disk.tracks != 42) misuse("d64 track count");
  } else if (kind == Kind::d71 || kind == Kind::d81) {
    disk.tracks = kind == Kind::d71 ? 70 : 80;
    if (options.tracks != 0 && options.tracks != disk.tracks) misuse("track count");
  } else {
    misuse("not a disk kind");
  }
  const std::size_t sectors = disk.offset({disk.tracks + 1, 0}) / kSector;
  disk.image.assign(sectors * kSector, 0);
  if (options.errorBytes) disk.image.resize(sectors * (kSector + 1), 0x01);

  Allocator used(disk);
  const int header = headerTrack(kind);
  const int reserved = kind == Kind::d71 ? 53 : 0;
  used.use({header, 0});
  if (kind == Kind::d81) {
    used.use({40, 1});
    used.use({40, 2});
  }
  if (kind == Kind::d71) {
    for (int sector = 0; sector < disk.sectorsOn(53); ++sector) used.use({53, sector});
  }
  const int firstDirectory = kind == Kind::d81 ? 3 : 1;
  const int directorySectors = std::max<int>(1, static_cast<int>((files.size() + 7) / 8));
  if (firstDirectory + directorySectors > disk.sectorsOn(header)) misuse("too many files");
  for (int i = 0; i < directorySectors; ++i) {
    disk.directory.push_back({header, firstDirectory + i});
    used.use(disk.directory.back());
  }
  linkChain(disk, disk.directory, 0xFE);

  for (std::size_t i = 0; i < files.size(); ++i) {
    const TestFile& file = files[i];
    const int blocks = blocksFor(file.data.size());
    disk.chains.push_back(used.take(blocks, header, reserved));
    const std::vector<TrackSector>& chain = disk.chains.back();
    for (int b = 0; b < blocks; ++b) {
      const std::size_t from = static_cast<std::size_t>(b) * kBlock;
      const std::size_t to = std::min(file.data.size(), from + kBlock);
      std::copy(file.data.begin() + from, file.data.begin() + to,
                disk.image.begin() + disk.offset(chain[b]) + 2);
    }
    linkChain(disk, chain, static_cast<int>(file.data.size()) - (blocks - 1) * kBlock);
    int sides = 0;
    if (file.type == FileType::rel && blocks > 0)
      sides = (blocks + 119) / 120 + (kind == Kind::d81 ? 1 : 0);
    disk.sideSectors.push_back(used.take(sides, header, reserved));
    linkChain(disk, disk.sideSectors.back(), 0xFE);

    std::uint8_t* entry = &disk.image[disk.entryOffset(static_cast<int>(i))];
    entry[2] = static_cast<std::uint8_t>(typeCode(file.type) | (file.closed ? 0x80 : 0) |
                                         (file.locked ? 0x40 : 0));
    if (blocks > 0) {
      entry[3] = static_cast<std::uint8_t>(chain[0].track);
      entry[4] = static_cast<std::uint8_t>(chain[0].sector);
    }
    putName(entry + 5, file.name, 0xA0);
    if (sides > 0) {
      entry[0x15] = static_cast<std::uint8_t>(disk.sideSectors.back()[0].track);
      entry[0x16] = static_cast<std::uint8_t>(disk.sideSectors.back()[0].sector);
    }
    entry[0x1E] = static_cast<std::uint8_t>((blocks + sides) & 0xFF);
    entry[0x1F] = static_cast<std::uint8_t>((blocks + sides) >> 8);
  }
  writeHeader(disk, used, options);
  return disk;
}

Bytes writeT64(const std::vector<TestFile>& files, const std::string& tapeName) {
  Bytes out(64 + 32 * files.size(), 0);
  const std::string signature = "C64S tape image file";
  std::copy(signature.begin(), signature.end(), out.begin());
  out[0x21] = 0x01;
  out[0x22] = out[0x24] = static_cast<std::uint8_t>(files.size());
  std::fill(out.begin() + 0x28, out.begin() + 0x40, ' ');
  std::copy(tapeName.begin(), tapeName.end(), out.begin() + 0x28);
  for (std::size_t i = 0; i < files.size(); ++i) {
    const TestFile& file = files[i];
    if (file.data.size() < 2) misuse("a T64 file needs its load address");
    const std::size_t offset = out.size();
    const int load = file.data[0] | file.data[1] << 8;
    const int end = load + static_cast<int>(file.data.size()) - 2;
    std::uint8_t* slot = &out[64 + 32 * i];
    slot[0] = 1;
    slot[1] = static_cast<std::uint8_t>(0x80 | typeCode(file.type));
    slot[2] = file.data[0];
    slot[3] = file.data[1];
    slot[4] = static_cast<std::uint8_t>(end & 0xFF);
    slot[5] = static_cast<std::uint8_t>(end >> 8);
    for (int b = 0; b < 4; ++b) slot[8 + b] = static_cast<std::uint8_t>(offset >> (8 * b));
    putName(slot + 0x10, file.name, ' ');
    out.insert(out.end(), file.data.begin() + 2, file.data.end());
  }
  return out;
}

Bytes writeLnx(const std::vector<TestFile>& files) {
  // 10 PRINT"USE LYNX TO DISSOLVE THIS FILE" -- the stub names the format too.
  const std::string text = "USE LYNX TO DISSOLVE THIS FILE";
  const int lineEnd = 0x0801 + 4 + 3 + static_cast<int>(text.size()) + 1;
  Bytes stub = {0x01,
                0x08,
                static_cast<std::uint8_t>(lineEnd & 0xFF),
                static_cast<std::uint8_t>(lineEnd >> 8),
                10,
                0,
                0x99,
                '"'};
  put(stub, text + "\"");
  stub.insert(stub.end(), {0, 0, 0, 0x0D});

  Bytes entries;
  put(entries, " " + std::to_string(files.size()) + " \r");
  std::vector<int> sideBlocks;
  for (const TestFile& file : files) {
    const int blocks = blocksFor(file.data.size());
    sideBlocks.push_back(file.type == FileType::rel && blocks > 0 ? (blocks + 119) / 120 : 0);
    Bytes name(kNameSize);
    putName(name.data(), file.name, 0xA0);
    entries.insert(entries.end(), name.begin(), name.end());
    const char letter = "DSPURC"[typeCode(file.type)];
    put(entries, "\r " + std::to_string(blocks + sideBlocks.back()) + "\r" + letter + "\r");
    if (file.type == FileType::rel) put(entries, " 0 \r");
    const int last =
        blocks == 0 ? 0 : static_cast<int>(file.data.size()) - (blocks - 1) * kBlock + 1;
    put(entries, " " + std::to_string(last) + " \r");
  }
  // The first field counts the directory's own blocks, its digits included.
  const auto signature = [](int blocks) { return " " + std::to_string(blocks) + "  *LYNX TEST\r"; };
  int directoryBlocks = 1;
  while (blocksFor(stub.size() + signature(directoryBlocks).size() + entries.size()) !=
         directoryBlocks) {
    ++directoryBlocks;
  }
  Bytes out = stub;
  put(out, signature(directoryBlocks));
  out.insert(out.end(), entries.begin(), entries.end());
  out.resize(static_cast<std::size_t>(directoryBlocks) * kBlock, 0);
  for (std::size_t i = 0; i < files.size(); ++i) {
    out.resize(out.size() + static_cast<std::size_t>(sideBlocks[i]) * kBlock, 0);
    out.insert(out.end(), files[i].data.begin(), files[i].data.end());
    if (i + 1 < files.size())
      out.resize(static_cast<std::size_t>(blocksFor(out.size())) * kBlock, 0);
  }
  return out;
}

Bytes writeP00(const TestFile& file) {
  Bytes out = {'C', '6', '4', 'F', 'i', 'l', 'e', 0};
  out.resize(8 + kNameSize + 2, 0);
  putName(out.data() + 8, file.name, 0);
  out.insert(out.end(), file.data.begin(), file.data.end());
  return out;
}

}  // namespace disk_test
