#include "disk/lnx.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "disk/entry_fields.h"

namespace disk {

namespace {

constexpr std::uint64_t kBlockSize = 254;
constexpr std::size_t kSignatureReach = 1024;
constexpr int kMaxNumber = 999999;  // larger counts are damage; keeps offsets in range
constexpr std::uint8_t kCr = 0x0D;

bool isDigit(std::uint8_t c) {
  return c >= '0' && c <= '9';
}

std::size_t findSignatureField(const std::vector<std::uint8_t>& bytes) {
  const std::size_t reach = std::min(bytes.size(), kSignatureReach);
  for (std::size_t at = 0; at + 4 <= reach; ++at) {
    if (std::memcmp(&bytes[at], "LYNX", 4) != 0) continue;
    // The stub's own text mentions the name too; the field starts after a
    // CR (or the stub's end) and with the directory's size.
    std::size_t start = at;
    while (start > 0 && bytes[start - 1] != kCr && bytes[start - 1] != 0) --start;
    std::size_t digit = start;
    while (digit < at && bytes[digit] == ' ') ++digit;
    if (digit < at && isDigit(bytes[digit])) return start;
  }
  return std::string::npos;
}

// CR-ended fields from a position on.
class Fields {
 public:
  Fields(const std::vector<std::uint8_t>& bytes, std::size_t at) : bytes_(bytes), at_(at) {}

  std::size_t position() const { return at_; }

  // The next field, without its CR; false when the bytes end first.
  bool next(std::string& field) {
    const auto begin = bytes_.begin() + at_;
    const auto end = std::find(begin, bytes_.end(), kCr);
    if (end == bytes_.end()) return false;
    field.assign(begin, end);
    at_ = static_cast<std::size_t>(end - bytes_.begin()) + 1;
    return true;
  }

  // A field that starts with a number, spaces around it; what follows the
  // digits (the signature, in the first field) is ignored.
  bool number(int& value) {
    std::string field;
    if (!next(field)) return false;
    std::size_t i = field.find_first_not_of(' ');
    if (i == std::string::npos || !isDigit(field[i])) return false;
    value = 0;
    for (; i < field.size() && isDigit(field[i]); ++i)
      value = std::min(value * 10 + (field[i] - '0'), kMaxNumber);
    return true;
  }

 private:
  const std::vector<std::uint8_t>& bytes_;
  std::size_t at_;
};

struct Entry {
  int blocks = 0;
  int lastBytes = 0;  // bytes used in the last block, plus one
};

}  // namespace

bool isLnx(const std::vector<std::uint8_t>& bytes) {
  return findSignatureField(bytes) != std::string::npos;
}

void readLnx(const std::vector<std::uint8_t>& bytes, Container& out) {
  out.kind = Kind::lnx;
  Fields fields(bytes, findSignatureField(bytes));
  int directoryBlocks = 0;
  int count = 0;
  fields.number(directoryBlocks);
  if (!fields.number(count)) {
    out.problems.push_back({-1, "directory ends before its file count"});
    return;
  }

  std::vector<Entry> entries;
  for (int i = 0; i < count; ++i) {
    std::string name;
    std::string letter;
    Entry entry;
    int recordLength = 0;
    if (!fields.next(name) || !fields.number(entry.blocks) || !fields.next(letter)) break;
    File file;
    file.name = withoutPadding(reinterpret_cast<const std::uint8_t*>(name.data()), name.size(),
                               kDiskPadding);
    file.blocks = entry.blocks;
    const int letterByte = letter.empty() ? 0 : static_cast<std::uint8_t>(letter[0]);
    const bool known = typeFromLetter(letterByte, file.type);
    if (file.type == FileType::rel && !fields.number(recordLength)) break;
    if (!fields.number(entry.lastBytes)) break;
    if (!known) {
      out.problems.push_back(
          {i, "unknown file type letter " + std::to_string(letterByte) + ", read as prg"});
    }
    out.files.push_back(std::move(file));
    entries.push_back(entry);
  }
  if (static_cast<int>(entries.size()) < count) {
    out.problems.push_back({-1, "directory ends after " + std::to_string(entries.size()) + " of " +
                                    std::to_string(count) + " files"});
  }

  std::uint64_t offset = static_cast<std::uint64_t>(directoryBlocks) * kBlockSize;
  if (offset < fields.position()) {
    out.problems.push_back({-1, "directory says " + std::to_string(directoryBlocks) +
                                    " blocks but runs to byte " +
                                    std::to_string(fields.position())});
    offset = (fields.position() + kBlockSize - 1) / kBlockSize * kBlockSize;
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    File& file = out.files[i];
    const Entry& entry = entries[i];
    const int sideSectors = file.type == FileType::rel ? (entry.blocks + 120) / 121 : 0;
    const int dataBlocks = entry.blocks - sideSectors;
    int lastBytes = entry.lastBytes;
    if (dataBlocks > 0 && (lastBytes < 1 || lastBytes > 255)) {
      out.problems.push_back({static_cast<int>(i), "last block size " + std::to_string(lastBytes) +
                                                       " is out of range, read as 254 bytes"});
      lastBytes = 255;
    }
    const std::uint64_t start = offset + static_cast<std::uint64_t>(sideSectors) * kBlockSize;
    const std::uint64_t length =
        dataBlocks > 0 ? (dataBlocks - 1) * kBlockSize + (lastBytes - 1) : 0;
    offset += static_cast<std::uint64_t>(entry.blocks) * kBlockSize;
    const std::uint64_t end = std::min<std::uint64_t>(start + length, bytes.size());
    if (start < end) file.data.assign(bytes.begin() + start, bytes.begin() + end);
    if (start + length > bytes.size()) {
      out.problems.push_back({static_cast<int>(i), "data at offset " + std::to_string(start) +
                                                       " runs past the end of the archive (" +
                                                       std::to_string(bytes.size()) + " bytes)"});
    }
  }
}

}  // namespace disk
