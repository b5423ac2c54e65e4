#include "e2e/damaged_media.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "e2e/golden_cases.h"
#include "e2e/run_program.h"
#include "testlib/example_disk.h"
#include "testlib/image_builder.h"

namespace lorvex_test {
namespace {

using disk::FileType;
using disk_test::TestFile;
using disk_test::TrackSector;
using disk_test::WrittenDisk;
using Random = std::mt19937_64;

// Names a hostile or merely odd disk holds, as raw PETSCII: control codes,
// separators, dots, device names, 16 shifted spaces, nothing at all.
const std::vector<std::string>& hostileNames() {
  static const std::vector<std::string> kNames = {
      "HELLO", "HELLO", "COLOURS", "../../EVIL", "A/B\\C:D*?", ".", "..", "CON", "COM0",
      "LPT9.TXT", "AUX.ASM", "\x0D\x1B\x07\x93X", std::string(16, '\xA0'), "", ".HIDDEN.",
      "\x14\x9D\x11\x0A", "\xFF\xDE\x7F\x8D", "hello", "HeLLo", std::string(16, 'Z'),
  };
  return kNames;
}

const std::vector<Bytes>& sources() {
  static const std::vector<Bytes> kSources = [] {
    std::vector<Bytes> all = {exampleImage().bytes, coloursImage().bytes};
    for (const GoldenCase& c : goldenCases()) {
      if (c.name == "damaged_operands" || c.name == "outside_label_table") all.push_back(c.image());
    }
    return all;
  }();
  return kSources;
}

std::size_t pick(Random& random, std::size_t count) {
  return static_cast<std::size_t>(random() % count);
}
bool chance(Random& random, int percent) { return static_cast<int>(random() % 100) < percent; }
std::uint8_t byte(Random& random) { return static_cast<std::uint8_t>(random()); }

Bytes fileData(Random& random) {
  if (chance(random, 70)) return sources()[pick(random, sources().size())];
  Bytes text = {0x01, 0x08};
  for (std::size_t n = pick(random, 600); n > 0; --n) text.push_back(byte(random));
  return text;
}

std::vector<TestFile> drawFiles(Random& random, std::size_t most) {
  std::vector<TestFile> files;
  const std::size_t count = 1 + pick(random, most);
  for (std::size_t k = 0; k < count; ++k) {
    TestFile file;
    file.name = hostileNames()[pick(random, hostileNames().size())];
    const FileType types[] = {FileType::prg, FileType::prg, FileType::seq, FileType::usr,
                              FileType::rel};
    file.type = types[pick(random, 5)];
    file.data = fileData(random);
    file.closed = !chance(random, 5);
    file.locked = chance(random, 5);
    files.push_back(std::move(file));
  }
  return files;
}

Patch write(std::size_t offset, Bytes bytes) { return {Patch::Kind::write, offset, std::move(bytes)}; }
Bytes link(TrackSector at) {
  return {static_cast<std::uint8_t>(at.track), static_cast<std::uint8_t>(at.sector)};
}

// Damage that knows where a disk's chains and entries lie.
void damageDisk(Random& random, const WrittenDisk& disk, std::vector<Patch>& out) {
  std::vector<TrackSector> sectors = disk.directory;
  for (const auto& chain : disk.chains) sectors.insert(sectors.end(), chain.begin(), chain.end());
  const std::size_t files = disk.chains.size();
  for (std::size_t n = 1 + pick(random, 4); n > 0; --n) {
    const TrackSector from = sectors[pick(random, sectors.size())];
    const int file = static_cast<int>(pick(random, files));
    switch (pick(random, 8)) {
      case 0:  // a loop or a cross-link
        out.push_back(write(disk.offset(from), link(sectors[pick(random, sectors.size())])));
        break;
      case 1:  // a link off the disk
        out.push_back(write(disk.offset(from), {byte(random), byte(random)}));
        break;
      case 2:  // an entry started inside another chain
        out.push_back(write(disk.entryOffset(file) + 3, link(sectors[pick(random, sectors.size())])));
        break;
      case 3:  // a stated size past anything
        out.push_back(write(disk.entryOffset(file) + 0x1E, {byte(random), byte(random)}));
        break;
      case 4:  // an odd type byte
        out.push_back(write(disk.entryOffset(file) + 2, {byte(random)}));
        break;
      case 5:  // a last sector carrying too few or too many bytes
        out.push_back(write(disk.offset(from), {0, byte(random)}));
        break;
      case 6:  // sectors marked bad
        if (disk.errorBytes) out.push_back(write(disk.errorOffset(from), {byte(random)}));
        break;
      default:  // the header: name, id, DOS version
        out.push_back(write(disk.offset(disk.directory.front()) - 256 + pick(random, 256),
                            {byte(random)}));
        break;
    }
  }
}

// Damage that knows only the bytes: flips, counts and offsets past the
// end, a cut, a garbage tail.
// Flips hit the `hotLength` bytes from `hotStart` (headers, directories)
// most.
void damageBytes(Random& random, const Medium& medium, std::size_t hotStart, std::size_t hotLength,
                 std::vector<Patch>& out) {
  const std::size_t size = medium.bytes.size();
  for (std::size_t n = pick(random, 6); n > 0; --n) {
    const std::size_t at = chance(random, 60) ? hotStart + pick(random, hotLength) : pick(random, size);
    out.push_back(write(at, {byte(random)}));
  }
  if (medium.extension == ".t64" && chance(random, 40)) {
    const std::size_t slot = 64 + 32 * pick(random, 4);
    const std::size_t fields[] = {0x22, 0x24, slot + 2, slot + 4, slot + 8, slot + 10};
    out.push_back(write(fields[pick(random, 6)], {0xFF, byte(random)}));
  }
  if (medium.extension == ".lnx" && chance(random, 40)) {
    out.push_back(write(pick(random, std::min<std::size_t>(size, 400)), raw("99999")));
  }
  if (chance(random, 20)) out.push_back({Patch::Kind::truncate, pick(random, size + 1), {}});
  if (chance(random, 15)) {
    Bytes tail(1 + pick(random, 3000));
    for (auto& b : tail) b = byte(random);
    out.push_back({Patch::Kind::append, 0, tail});
  }
}

// Thousands of entries of one name, most sharing one file's data.
Medium equalNames(Random& random) {
  const std::size_t count = 1000 + pick(random, 2000);
  const bool listed = chance(random, 30);
  std::vector<TestFile> files(count, TestFile{"A", FileType::prg,
                                              listed ? sources()[1] : Bytes{0x00, 0x10, 'x'}});
  Medium m{".t64", disk_test::writeT64(files), {}, "t64 of " + std::to_string(count) + " \"A\""};
  if (chance(random, 50)) {
    // Every slot at the first slot's data.
    for (std::size_t k = 1; k < count; ++k) {
      std::copy(m.bytes.begin() + 64 + 8, m.bytes.begin() + 64 + 12,
                m.bytes.begin() + static_cast<std::ptrdiff_t>(64 + 32 * k + 8));
    }
    m.describe += ", one data offset";
  }
  return m;
}

}  // namespace

Bytes damaged(const Bytes& bytes, const std::vector<Patch>& patches) {
  Bytes out = bytes;
  for (const Patch& p : patches) {
    if (p.kind == Patch::Kind::truncate) {
      out.resize(std::min(out.size(), p.offset));
    } else if (p.kind == Patch::Kind::append) {
      out.insert(out.end(), p.bytes.begin(), p.bytes.end());
    } else {
      for (std::size_t k = 0; k < p.bytes.size() && p.offset + k < out.size(); ++k) {
        out[p.offset + k] = p.bytes[k];
      }
    }
  }
  return out;
}

const std::vector<Medium>& peerMedia() {
  static const std::vector<Medium> kMedia = [] {
    std::vector<Medium> media;
    TempDir dir;
    std::string files;
    for (std::size_t k = 0; k < sources().size(); ++k) {
      const std::string name = "s" + std::to_string(k) + ".prg";
      writeFile(dir / name, sources()[k]);
      files += " " + name;
    }
    const struct {
      const char* tool;
      const char* file;
      std::string command;
    } peers[] = {
        {"cc1541", "c.d64", "cc1541 -n peer -f s0 -w s0.prg -f s1 -w s1.prg -f s2 -w s2.prg c.d64"},
        {"cc1541", "c.d81", "cc1541 -n peer -f s0 -w s0.prg -f s1 -w s1.prg c.d81"},
        {"cbmconvert", "b.d64", "cbmconvert -n -D4 b.d64" + files},
        {"cbmconvert", "b.lnx", "cbmconvert -n -L b.lnx" + files},
    };
    for (const auto& p : peers) {
      const std::string shell = "command -v " + std::string(p.tool) + " >/dev/null 2>&1 && cd '" +
                                dir.path() + "' && " + p.command + " >/dev/null 2>&1";
      if (std::system(shell.c_str()) != 0) continue;
      const std::string bytes = readFile(dir / p.file);
      media.push_back({std::filesystem::path(p.file).extension().string(),
                       Bytes(bytes.begin(), bytes.end()), {}, std::string(p.tool) + " " + p.file});
    }
    return media;
  }();
  return kMedia;
}

Medium drawMedium(Random& random) {
  const std::size_t kind = pick(random, 100);
  Medium m;
  std::size_t hotStart = 0;  // where flips hit most: headers and directories
  std::size_t hotLength = 1024;
  bool damage = true;
  if (kind < 2) {
    m = equalNames(random);
  } else if (kind < 10 && !peerMedia().empty()) {
    m = peerMedia()[pick(random, peerMedia().size())];
    if (m.extension == ".d64") {
      hotStart = 0x16500;  // track 18
      hotLength = 0x1300;
    }
  } else if (kind < 55) {
    // The larger kinds less often: they cost more and add little.
    const disk::Kind kinds[] = {disk::Kind::d64, disk::Kind::d64, disk::Kind::d64, disk::Kind::d64,
                                disk::Kind::d64, disk::Kind::d64, disk::Kind::d71, disk::Kind::d81};
    const disk::Kind diskKind = kinds[pick(random, 8)];
    disk_test::DiskOptions options;
    if (diskKind == disk::Kind::d64) options.tracks = std::vector<int>{35, 40, 42}[pick(random, 3)];
    options.errorBytes = chance(random, 30);
    options.name = hostileNames()[pick(random, hostileNames().size())];
    const WrittenDisk disk = disk_test::writeDisk(diskKind, drawFiles(random, 10), options);
    m = {"." + std::string(disk::kindName(diskKind)), disk.image, {}, disk::kindName(diskKind)};
    if (chance(random, 80)) damageDisk(random, disk, m.damage);
    hotStart = disk.offset(disk.directory.front()) - 256;
    hotLength = 256 * (disk.directory.size() + 1);
    damage = chance(random, 30);
  } else if (kind < 70) {
    m = {".t64", disk_test::writeT64(drawFiles(random, 8), "TAPE"), {}, "t64"};
  } else if (kind < 82) {
    m = {".lnx", disk_test::writeLnx(drawFiles(random, 8)), {}, "lnx"};
  } else if (kind < 92) {
    const std::vector<TestFile> one = drawFiles(random, 1);
    const char* extensions[] = {".p00", ".s01", ".u02", ".r03", ".P00"};
    m = {extensions[pick(random, 5)], disk_test::writeP00(one.front()), {}, "p00"};
  } else {
    m = {".prg", fileData(random), {}, "plain file"};
  }
  hotLength = std::min(hotLength, m.bytes.size() - std::min(hotStart, m.bytes.size()));
  if (damage && hotLength > 0) damageBytes(random, m, hotStart, hotLength, m.damage);
  m.describe += ", " + std::to_string(m.damage.size()) + " patches";
  return m;
}

}  // namespace lorvex_test
