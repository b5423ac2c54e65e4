#include "disk/t64.h"

#include <algorithm>
#include <cstring>

#include "disk/entry_fields.h"

namespace disk {

namespace {

constexpr std::size_t kHeaderSize = 64;
constexpr std::size_t kSlotSize = 32;

struct Slot {
  const std::uint8_t* bytes;
  std::uint32_t offset;
};

}  // namespace

bool isT64(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() >= kHeaderSize && std::memcmp(bytes.data(), "C64", 3) == 0;
}

void readT64(const std::vector<std::uint8_t>& bytes, Container& out) {
  out.kind = Kind::t64;
  out.name = withoutPadding(bytes.data() + 0x28, 24, kTapePadding);

  // Slots as many as either count says (one when both say none), but never
  // past the first data offset seen nor the end of the archive.
  const int stated = std::max(std::max(word16(&bytes[0x22]), word16(&bytes[0x24])), 1);
  std::vector<Slot> slots;
  std::size_t directoryEnd = bytes.size();
  for (int i = 0; i < stated; ++i) {
    const std::size_t at = kHeaderSize + i * kSlotSize;
    if (at + kSlotSize > directoryEnd) break;
    const std::uint8_t* slot = &bytes[at];
    if (slot[0] == 0) continue;
    const std::uint32_t offset = word32(slot + 8);
    slots.push_back({slot, offset});
    directoryEnd =
        std::min<std::size_t>(directoryEnd, std::max<std::size_t>(offset, at + kSlotSize));
  }

  std::vector<std::uint32_t> offsets;
  for (const Slot& slot : slots) offsets.push_back(slot.offset);
  std::sort(offsets.begin(), offsets.end());

  for (const Slot& slot : slots) {
    const int index = static_cast<int>(out.files.size());
    out.files.emplace_back();
    File& file = out.files.back();
    file.name = withoutPadding(slot.bytes + 0x10, 16, kTapePadding);
    if (slot.bytes[1] != 0 && !typeFromCode(slot.bytes[1], file.type)) {
      out.problems.push_back(
          {index, "unknown file type " + std::to_string(slot.bytes[1] & 0x0F) + ", read as prg"});
    }
    file.data.assign(slot.bytes + 2, slot.bytes + 4);
    const auto next = std::upper_bound(offsets.begin(), offsets.end(), slot.offset);
    const std::size_t end =
        next == offsets.end() ? bytes.size() : std::min<std::size_t>(*next, bytes.size());
    if (slot.offset > bytes.size()) {
      out.problems.push_back({index, "data offset " + std::to_string(slot.offset) +
                                         " lies past the end of the archive (" +
                                         std::to_string(bytes.size()) + " bytes)"});
    } else {
      file.data.insert(file.data.end(), bytes.begin() + slot.offset, bytes.begin() + end);
    }
    file.blocks = blocksOf(file.data.size());
  }
}

}  // namespace disk
