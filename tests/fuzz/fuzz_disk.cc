// Fuzz target over the container reader and what lorvex-disk does with its
// files: every input is a disk or archive image (or anything else, which
// reads as a plain file). The bytes are read under a few file names, the
// containers checked against each other and against the input, and every
// file that is a source image decoded and its listing rendered.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "export/source_export.h"
#include "null_streams.h"
#include "disk/container.h"
#include "driver/listing.h"
#include "model/decode_warnings.h"
#include "source/image_header.h"
#include "source/process_state.h"
#include "source/source_id.h"
#include "source/zeb_source.h"

namespace {

class DiscardWarnings : public zeb_WarningSink {
 public:
  void nullExpression(int) override {}
  void corruptOperand(int, int) override {}
};

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
}

void checkSameContent(const disk::Container& a, const disk::Container& b) {
  if (a.kind != b.kind || a.files.size() != b.files.size() || a.name != b.name) std::abort();
  for (std::size_t i = 0; i < a.files.size(); ++i) {
    if (a.files[i].data != b.files[i].data) std::abort();
  }
}

zeb_SourceType identify(const std::vector<std::uint8_t>& data) {
  const auto* bytes = reinterpret_cast<const char*>(data.data());
  const int size = static_cast<int>(data.size());
  return zeb_identify(bytes, size, zeb_readHeader(bytes, size).textStart);
}

// Decodes and renders the container's source images as lorvex-disk does:
// one after the other in one process, without a reset between them.
void convert(const disk::Container& c, std::ostream& out) {
  std::size_t budget = kDecodeBudget;
  for (const disk::File& f : c.files) {
    if (identify(f.data) == zeb_UNIDENTIFIED) continue;
    if (f.data.size() > budget) break;
    budget -= f.data.size();
    const zeb_Source source(reinterpret_cast<const char*>(f.data.data()),
                            static_cast<int>(f.data.size()));
    if (source.isParsed()) {
      writeListing(out, source, false);
      // And as lorvex-disk --syntax exports it: a text, or a line refused.
      for (int t = 0; t < static_cast<int>(lorvex_Target::count); ++t) {
        lorvex_ExportOptions options;
        options.target = static_cast<lorvex_Target>(t);
        std::string text;
        std::string error;
        if (!lorvex_exportSource(source, options, text, error) && error.compare(0, 5, "line ") != 0)
          std::abort();
      }
    } else if (source.numberOfLines() != 0) {
      std::abort();  // an image that was not decoded holds nothing
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
  DiscardWarnings warnings;
  zeb_setWarningSink(&warnings);
  {
    static lorvex_fuzz::NullBuffer discard;
    std::ostream out(&discard);
    convert(read.front(), out);
  }
  zeb_resetProcessState();
  return 0;
}
