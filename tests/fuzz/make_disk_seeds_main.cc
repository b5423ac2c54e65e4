// Writes the disk fuzzer's seed corpus: lorvex_make_disk_seeds DIR
// One medium of each kind holding the files of the example disk (two source
// images of different variants, a text and a loader), and beside each a
// damaged copy: chains
// that loop or leave the disk, shared sectors, sectors marked bad, images
// and archives cut short, counts and offsets that point past the end.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "disk/container.h"
#include "disk/disk_writer.h"
#include "testlib/example_disk.h"
#include "testlib/image_builder.h"

namespace {

using disk::FileType;
using disk::Kind;
using disk_test::Bytes;
using disk_test::TestFile;
using disk_test::TrackSector;
using disk_test::WrittenDisk;

struct Seed {
  std::string name;
  Bytes bytes;
};

std::vector<TestFile> files() {
  return lorvex_test::exampleDiskFiles();
}

void link(WrittenDisk& d, TrackSector at, int track, int sector) {
  d.image[d.offset(at)] = static_cast<std::uint8_t>(track);
  d.image[d.offset(at) + 1] = static_cast<std::uint8_t>(sector);
}

void addDisks(std::vector<Seed>& seeds) {
  const WrittenDisk d64 = disk_test::writeDisk(Kind::d64, files());
  seeds.push_back({"d64", d64.image});

  WrittenDisk loop = d64;  // the example's last sector leads back to its first
  const TrackSector first = loop.chains[0].front();
  link(loop, loop.chains[0].back(), first.track, first.sector);
  seeds.push_back({"d64-loop", loop.image});

  // Cut short after the directory track, which still tells the kind.
  seeds.push_back({"d64-cut", Bytes(d64.image.begin(), d64.image.begin() + 120000)});

  disk_test::DiskOptions withErrors;
  withErrors.errorBytes = true;
  WrittenDisk bad = disk_test::writeDisk(Kind::d64, files(), withErrors);
  bad.image[bad.errorOffset(bad.chains[0][1])] = 0x05;
  bad.image[bad.errorOffset({18, 0})] = 0x02;
  seeds.push_back({"d64-errors", bad.image});

  const WrittenDisk d71 = disk_test::writeDisk(Kind::d71, files());
  seeds.push_back({"d71", d71.image});
  WrittenDisk away = d71;  // a link to a track the disk does not have
  link(away, away.chains[0][1], 99, 0);
  seeds.push_back({"d71-away", away.image});

  const WrittenDisk d81 = disk_test::writeDisk(Kind::d81, files());
  seeds.push_back({"d81", d81.image});
  WrittenDisk shared = d81;  // the text file starts on the example's sectors
  const std::size_t entry = shared.entryOffset(2);
  shared.image[entry + 3] = static_cast<std::uint8_t>(shared.chains[0][1].track);
  shared.image[entry + 4] = static_cast<std::uint8_t>(shared.chains[0][1].sector);
  shared.image[entry + 0x1E] = 0xFF;  // and states a size it does not have
  shared.image.resize(shared.offset({41, 0}));
  seeds.push_back({"d81-shared-cut", shared.image});
}

void addArchives(std::vector<Seed>& seeds) {
  const Bytes t64 = disk_test::writeT64(files(), "SEEDS");
  seeds.push_back({"t64", t64});
  Bytes t64Bad = t64;
  t64Bad[0x22] = 40;           // more slots than the directory has room for
  t64Bad[64 + 32 + 9] = 0x7F;  // the second file's data far past the end
  seeds.push_back({"t64-bad", t64Bad});

  const Bytes lnx = disk_test::writeLnx(files());
  seeds.push_back({"lnx", lnx});
  seeds.push_back({"lnx-cut", Bytes(lnx.begin(), lnx.end() - 300)});

  const std::vector<TestFile> all = files();
  const Bytes p00 = disk_test::writeP00(all[0]);
  seeds.push_back({"p00", p00});
  seeds.push_back({"p00-data", disk_test::writeP00(all[2])});
  seeds.push_back({"p00-header-cut", Bytes(p00.begin(), p00.begin() + 20)});
  seeds.push_back({"p00-image-cut", Bytes(p00.begin(), p00.begin() + 26 + 600)});
}

bool writeSeeds(const std::string& dir, const std::vector<Seed>& seeds) {
  for (const Seed& seed : seeds) {
    const std::string path = dir + "/" + seed.name;
    if (!lorvex_test::writeFile(path, seed.bytes)) {
      std::cerr << "lorvex_make_disk_seeds: cannot write " << path << "\n";
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: lorvex_make_disk_seeds DIR\n";
    return 1;
  }
  try {
    std::vector<Seed> seeds;
    addDisks(seeds);
    addArchives(seeds);
    if (!writeSeeds(argv[1], seeds)) return 1;
    std::cout << "lorvex_make_disk_seeds: " << seeds.size() << " seeds in " << argv[1] << "\n";
  } catch (const std::exception& e) {
    std::cerr << "lorvex_make_disk_seeds: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
