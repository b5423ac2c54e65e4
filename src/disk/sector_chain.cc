#include "disk/sector_chain.h"

namespace disk {

void ChainReport::add(const std::string& what) const {
  if (problems != nullptr) problems->push_back({file, prefix + what});
}

Chain followChain(const SectorImage& image, TrackSector start, std::vector<std::uint8_t>* data,
                  long* budget, const ChainReport& report) {
  Chain chain;
  if (start.track == 0) return chain;
  int at = image.index(start);
  if (at < 0) {
    report.add("chain starts outside the disk at " + sectorText(start));
    chain.broken = true;
    return chain;
  }
  std::vector<bool> read(image.geometry().sectorCount(), false);
  TrackSector here = start;
  for (;;) {
    if (budget != nullptr && (*budget)-- <= 0) {
      chain.stopped = true;
      return chain;
    }
    read[at] = true;
    chain.sectors.push_back(at);
    if (const int code = image.error(at))
      report.add(sectorText(here) + " is marked bad (error " + std::to_string(code) + ")");
    const std::uint8_t* bytes = image.sector(at);
    const TrackSector next{bytes[0], bytes[1]};
    if (next.track == 0) {
      // bytes 2 to byte 1 inclusive; nothing when byte 1 is below 2
      if (data != nullptr && bytes[1] >= 2)
        data->insert(data->end(), bytes + 2, bytes + bytes[1] + 1);
      return chain;
    }
    if (data != nullptr) data->insert(data->end(), bytes + 2, bytes + kSectorSize);
    at = image.index(next);
    if (at < 0) {
      report.add("chain leaves the disk at " + sectorText(next));
      chain.broken = true;
      return chain;
    }
    if (read[at]) {
      report.add("chain loops back to " + sectorText(next));
      chain.broken = true;
      return chain;
    }
    here = next;
  }
}

}  // namespace disk
