// Fuzz target over the container reader and what lorvex-disk does with its
// files: every input is a disk or archive image (or anything else, which
// reads as a plain file). The bytes are read under a few file names, the
// containers checked against each other and against the input, and the
// image opened as a disk session: its directory, and every file that is a
// source image decoded and its listing rendered with its label spans.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "null_streams.h"
#include "disk/container.h"
#include "driver/disk_session.h"
#include "source/process_state.h"

namespace {

// The name decides only a P00 file's type and a plain file's name; the
// rest must come out the same under each.
const char* const kNames[] = {"f.d64", "f.p00", "f.s01", "f"};

// A crafted disk may hand out the same sectors to thousands of entries (the
// reader caps them at 64 MiB); decoding all of those would only measure the
// decoder's speed, so an input decodes this much at most.
constexpr std::size_t kDecodeBudget = 1u << 20;

bool isDisk(disk::Kind kind) {
  return kind == disk::Kind::d64 || kind == disk::Kind::d71 || kind == disk::Kind::d81;
}

bool endsWithAny(const std::string& name, const std::string& padding) {
  return !name.empty() && padding.find(name.back()) != std::string::npos;
}

// What holds whatever the bytes are.
void check(const disk::Container& c, std::size_t inputSize) {
  if (c.files.empty() && (c.kind == disk::Kind::plain || c.kind == disk::Kind::p00)) std::abort();
  if (!isDisk(c.kind) && (c.hasFreeBlocks || c.freeBlocks != 0)) std::abort();
  for (const disk::Problem& p : c.problems) {
    if (p.file < -1 || p.file >= static_cast<int>(c.files.size())) std::abort();
    if (p.what.empty()) std::abort();
  }
  const std::string padding =
      c.kind == disk::Kind::t64 ? std::string("\xA0 \0", 3) : std::string("\xA0");
  for (const disk::File& f : c.files) {
    // A chain reads each sector once, an archive slices its own bytes; a
    // T64 entry adds the two load-address bytes from its slot.
    if (f.data.size() > inputSize + 2) std::abort();
    if (f.blocks < 0) std::abort();
    if (c.kind != disk::Kind::plain && endsWithAny(f.name, padding)) std::abort();
    if ((isDisk(c.kind) || c.kind == disk::Kind::t64 || c.kind == disk::Kind::p00) &&
        f.name.size() > 16) {
      std::abort();
    }
    if (static_cast<int>(f.type) < 0 || f.type >= disk::FileType::count) std::abort();
  }
  if (isDisk(c.kind) && (c.name.size() > 16 || endsWithAny(c.name, padding))) std::abort();
  // An entry that shares an earlier one's data holds exactly that data.
  for (std::size_t i = 0; i < c.files.size(); ++i) {
    const int sameAs = c.files[i].sameAs;
    if (sameAs < -1 || sameAs >= static_cast<int>(i)) std::abort();
    if (sameAs >= 0 && c.files[static_cast<std::size_t>(sameAs)].data != c.files[i].data) {
      std::abort();
    }
  }
}

void checkSameContent(const disk::Container& a, const disk::Container& b) {
  if (a.kind != b.kind || a.files.size() != b.files.size() || a.name != b.name) std::abort();
  for (std::size_t i = 0; i < a.files.size(); ++i) {
    if (a.files[i].data != b.files[i].data) std::abort();
  }
}

// Lists and decodes the image as lorvex-disk and the page do, through one
// disk session: the directory, and every source image's listing with its
// labels, whose spans must lie inside the text they point into, and its
// export to each target.
void convert(const std::vector<std::uint8_t>& bytes, const char* name, disk::Kind kind) {
  const DiskSession session(bytes, name);
  if (!session.isOpen()) {
    // Once the reader took the bytes, only a plain file that is no source is refused.
    if (kind != disk::Kind::plain || session.error().empty()) std::abort();
    return;
  }
  if (session.directory().empty()) std::abort();
  std::size_t budget = kDecodeBudget;
  EntryListing listing;
  for (std::size_t i = 0; i < session.entries().size(); ++i) {
    if (!session.entries()[i].isSource()) continue;
    const std::size_t size = session.bytes(i).size();
    if (size > budget) break;
    budget -= size;
    if (!session.listing(i, ListingOptions(), listing, ListingExtras::spansAndLabels)) {
      std::abort();
    }
    for (const LabelSpan& span : listing.spans) {
      if (span.offset > listing.text.size() || span.length > listing.text.size() - span.offset) {
        std::abort();
      }
    }
    // And as --syntax exports it: a text, or a line refused and no text.
    for (int t = 0; t < static_cast<int>(lorvex_Target::count); ++t) {
      std::string refusal;
      if (!session.exported(i, ListingOptions(), static_cast<lorvex_Target>(t), listing, refusal))
        std::abort();
      if (!refusal.empty() && !listing.text.empty()) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  lorvex_fuzz::silenceStandardStreams();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > static_cast<std::size_t>(std::numeric_limits<int>::max())) return 0;
  const std::vector<std::uint8_t> bytes(data, data + size);

  std::vector<disk::Container> read;
  for (const char* name : kNames) {
    disk::Container container;
    std::string error;
    const bool ok = disk::readContainer(bytes, name, container, error);
    if (ok == bytes.empty()) std::abort();  // only an empty input is refused
    if (!ok) {
      if (error.empty()) std::abort();
      return 0;
    }
    check(container, size);
    if (!read.empty()) checkSameContent(read.front(), container);
    read.push_back(std::move(container));
    // Only these two read the name at all; a second reading of a full disk
    // would only double the time of the slowest inputs.
    const disk::Kind kind = read.front().kind;
    if (kind != disk::Kind::p00 && kind != disk::Kind::plain) break;
  }

  // Each input stands alone: no labels or settings left by the last.
  zeb_resetProcessState();
  convert(bytes, kNames[0], read.front().kind);
  zeb_resetProcessState();
  return 0;
}
