#include "disk/container.h"

#include <iterator>

#include "disk/cbm_disk.h"
#include "disk/entry_fields.h"
#include "disk/geometry.h"
#include "disk/lnx.h"
#include "disk/p00.h"
#include "disk/t64.h"

namespace disk {

namespace {

const char* const kKindNames[] = {"d64", "d71", "d81", "t64", "lnx", "p00", "plain"};
const char* const kTypeNames[] = {"del", "seq", "prg", "usr", "rel", "cbm"};
static_assert(std::size(kKindNames) == static_cast<std::size_t>(Kind::count), "one name per kind");
static_assert(std::size(kTypeNames) == static_cast<std::size_t>(FileType::count),
              "one name per type");

// The file name without its directory and its last extension.
std::string baseName(const std::string& fileName) {
  const std::size_t slash = fileName.find_last_of("/\\");
  std::string name = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

void readPlain(const std::vector<std::uint8_t>& bytes, const std::string& fileName,
               Container& out) {
  out.kind = Kind::plain;
  File file;
  file.name = baseName(fileName);
  file.data = bytes;
  file.blocks = blocksOf(bytes.size());
  out.files.push_back(std::move(file));
}

bool exactDiskVariant(std::size_t size, ImageVariant& variant) {
  for (const ImageVariant& candidate : imageVariants()) {
    if (candidate.size() == size) {
      variant = candidate;
      return true;
    }
  }
  return false;
}

}  // namespace

const char* kindName(Kind kind) {
  const int i = static_cast<int>(kind);
  return i >= 0 && i < static_cast<int>(Kind::count) ? kKindNames[i] : "?";
}

const char* typeName(FileType type) {
  const int i = static_cast<int>(type);
  return i >= 0 && i < static_cast<int>(FileType::count) ? kTypeNames[i] : "?";
}

bool readContainer(const std::vector<std::uint8_t>& bytes, const std::string& fileName,
                   Container& out, std::string& error) {
  out = Container();
  if (bytes.empty()) {
    error = "The file is empty.";
    return false;
  }
  // A known disk size first: a disk's first sector may hold anything. Then
  // the archives by their signatures, then a disk cut short.
  ImageVariant variant;
  if (exactDiskVariant(bytes.size(), variant)) {
    readCbmDisk(bytes, variant, out);
  } else if (isP00(bytes)) {
    readP00(bytes, fileName, out);
  } else if (isT64(bytes)) {
    readT64(bytes, out);
  } else if (isLnx(bytes)) {
    readLnx(bytes, out);
  } else if (cutDiskVariant(bytes, variant)) {
    readCbmDisk(bytes, variant, out);
  } else {
    readPlain(bytes, fileName, out);
  }
  return true;
}

}  // namespace disk
