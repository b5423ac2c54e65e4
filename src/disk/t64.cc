#include "disk/t64.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

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

  // Entries with one data offset and load address read the same bytes; the
  // first one read stands for the others.
  std::map<std::pair<std::uint32_t, int>, int> firstAt;
  std::map<int, int> sharers;
  long held = 0;
  int leftOut = 0;  // sharers past kMaxBytesHeld: their load address only
  for (const Slot& slot : slots) {
    const int index = static_cast<int>(out.files.size());
    out.files.emplace_back();
    File& file = out.files.back();
    file.name = withoutPadding(slot.bytes + 0x10, 16, kTapePadding);
    const bool knownType = slot.bytes[1] == 0 || typeFromCode(slot.bytes[1], file.type);
    const auto first = firstAt.try_emplace({slot.offset, word16(slot.bytes + 2)}, index).first;
    if (first->second != index) {
      const File& earlier = out.files[static_cast<std::size_t>(first->second)];
      held += static_cast<long>(earlier.data.size());
      if (held > kMaxBytesHeld) {
        file.data = {slot.bytes[2], slot.bytes[3]};
        file.blocks = 1;
        ++leftOut;
        continue;
      }
      file.data = earlier.data;
      file.blocks = earlier.blocks;
      file.sameAs = first->second;
      ++sharers[first->second];
      continue;
    }
    if (!knownType) {
      out.problems.push_back(
          {index, "unknown file type " + std::to_string(slot.bytes[1] & 0x0F) + ", read as prg"});
    }
    file.data.assign(slot.bytes + 2, slot.bytes + 4);
    const auto next = std::upper_bound(offsets.begin(), offsets.end(), slot.offset);
    const std::size_t end =
        next == offsets.end() ? bytes.size() : std::min<std::size_t>(*next, bytes.size());
    if (slot.offset <= bytes.size()) held += static_cast<long>(end - slot.offset);
    if (slot.offset > bytes.size()) {
      out.problems.push_back({index, "data offset " + std::to_string(slot.offset) +
                                         " lies past the end of the archive (" +
                                         std::to_string(bytes.size()) + " bytes)"});
    } else {
      file.data.insert(file.data.end(), bytes.begin() + slot.offset, bytes.begin() + end);
    }
    file.blocks = blocksOf(file.data.size());
  }
  for (const auto& [file, count] : sharers) out.problems.push_back({file, sharedText(count)});
  if (leftOut > 0) {
    out.problems.push_back({-1, std::to_string(leftOut) +
                                    " entries read as their load address only: the files before "
                                    "them already hold 64 MiB"});
  }
}

}  // namespace disk
