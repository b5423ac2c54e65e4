#include "disk/p00.h"

#include <algorithm>
#include <cstring>

#include "disk/entry_fields.h"

namespace disk {

namespace {

constexpr std::size_t kMagicSize = 8;
constexpr std::size_t kHeaderSize = 26;
constexpr std::size_t kNameOffset = 8;
constexpr std::size_t kNameSize = 16;

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool isP00(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() >= kMagicSize && std::memcmp(bytes.data(), "C64File", kMagicSize) == 0;
}

void readP00(const std::vector<std::uint8_t>& bytes, const std::string& fileName, Container& out) {
  out.kind = Kind::p00;
  File file;
  const std::size_t dot = fileName.find_last_of('.');
  const std::size_t slash = fileName.find_last_of("/\\");
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash) &&
      fileName.size() == dot + 4 && isDigit(fileName[dot + 2]) && isDigit(fileName[dot + 3])) {
    typeFromLetter(static_cast<unsigned char>(fileName[dot + 1]), file.type);
  }
  // Zero padding as written; some writers pad with $A0 as on disk.
  const std::size_t nameEnd = std::min(bytes.size(), kNameOffset + kNameSize);
  const auto zero = std::find(bytes.begin() + kNameOffset, bytes.begin() + nameEnd, 0);
  file.name =
      withoutPadding(bytes.data() + kNameOffset,
                     static_cast<std::size_t>(zero - bytes.begin()) - kNameOffset, kDiskPadding);
  if (bytes.size() < kHeaderSize) {
    out.problems.push_back({-1, "header is cut short: " + std::to_string(bytes.size()) + " of " +
                                    std::to_string(kHeaderSize) + " bytes"});
  } else {
    file.data.assign(bytes.begin() + kHeaderSize, bytes.end());
  }
  file.blocks = blocksOf(file.data.size());
  out.files.push_back(std::move(file));
}

}  // namespace disk
