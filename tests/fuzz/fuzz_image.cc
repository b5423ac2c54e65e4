// Fuzz target over the decoder, the rendering and the export: every input
// is a source image. A parsed image is rendered line by line, whole and label by label
// under a few conversion settings picked from its first byte, and listed
// again while it is decoded.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>

#include "driver/listing.h"
#include "export/source_export.h"
#include "model/line_writer.h"
#include "null_streams.h"
#include "petscii/lorvex_global.h"
#include "source/process_state.h"
#include "source/zeb_source.h"

namespace {

// Swallows the decoder's warnings so that the fuzzer's own output stays
// readable.
struct Settings {
  bool translateToByte = false;
  bool translateToByteHex = false;
  bool fScreen = false;
  int bastextConversion = 0;
  int byteColumns = 6;
  int tabWidth = 9;
};

constexpr int kPasses = 3;  // pass 0 renders with the start values and the image's tab

// Spreads one byte over all settings, differently for each pass, so that
// the fuzzer reaches every combination by changing that byte alone.
Settings settingsFor(unsigned char selector, int pass) {
  std::uint32_t h = (selector + 1u) * 2654435761u + static_cast<std::uint32_t>(pass) * 40503u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  Settings s;
  s.translateToByte = (h & 1u) != 0;
  s.translateToByteHex = (h & 2u) != 0;
  s.fScreen = (h & 4u) != 0;
  s.bastextConversion = static_cast<int>((h >> 3) & 3u);
  s.byteColumns = -1 + static_cast<int>((h >> 5) % 10u);  // -1..8
  s.tabWidth = -3 + static_cast<int>((h >> 9) % 74u);     // -3..70
  return s;
}

void apply(const Settings& s) {
  Lorvex_global::translateToByte = s.translateToByte;
  Lorvex_global::translateToByteHex = s.translateToByteHex;
  Lorvex_global::fScreen = s.fScreen;
  Lorvex_global::bastextConversion = s.bastextConversion;
  Lorvex_global::byteColumns = s.byteColumns;
  Lorvex_global::tabWidth = s.tabWidth;
}

bool unchanged(const Settings& s) {
  return Lorvex_global::translateToByte == s.translateToByte &&
         Lorvex_global::translateToByteHex == s.translateToByteHex &&
         Lorvex_global::fScreen == s.fScreen &&
         Lorvex_global::bastextConversion == s.bastextConversion &&
         Lorvex_global::byteColumns == s.byteColumns && Lorvex_global::tabWidth == s.tabWidth &&
         !Lorvex_global::rawString;
}

Settings current() {
  Settings s;
  s.translateToByte = Lorvex_global::translateToByte;
  s.translateToByteHex = Lorvex_global::translateToByteHex;
  s.fScreen = Lorvex_global::fScreen;
  s.bastextConversion = Lorvex_global::bastextConversion;
  s.byteColumns = Lorvex_global::byteColumns;
  s.tabWidth = Lorvex_global::tabWidth;
  return s;
}

// Rendering changes nothing, so the whole text is the lines' texts joined,
// and the settings are as they were, rawString lowered again.
void render(const zeb_Source& source) {
  const Settings before = current();
  std::string joined;
  for (unsigned long i = 0; i < source.numberOfLines(); ++i) {
    joined += source.lineAt(i)->toString();
  }
  if (source.toString() != joined || !unchanged(before)) std::abort();
}

// Each target's export either succeeds or names the line it refuses, and
// a refusal leaves the output as it was.
void exportToEveryTarget(const zeb_Source& source) {
  for (int t = 0; t < static_cast<int>(lorvex_Target::count); ++t) {
    lorvex_ExportOptions options;
    options.target = static_cast<lorvex_Target>(t);
    std::string out = "x";
    std::string error;
    if (lorvex_exportSource(source, options, out, error)) {
      if (out.compare(0, 1, "x") != 0) std::abort();
    } else if (out != "x" || error.compare(0, 5, "line ") != 0) {
      std::abort();
    }
  }
}

void sameCounts(const zeb_LineTally& counted, const zeb_LineTally& read) {
  if (counted.records != read.records || counted.opcodes != read.opcodes ||
      counted.pseudos != read.pseudos || counted.blank != read.blank ||
      !std::equal(std::begin(counted.byMnemonic), std::end(counted.byMnemonic),
                  std::begin(read.byMnemonic))) {
    std::abort();
  }
}

// A source that lists itself while it decodes writes what the source
// decoded whole writes, under the settings in force, and uses the same
// labels; its own destruction leaves the names to the whole one's table.
void listWhileDecoding(const std::uint8_t* data, std::size_t size, const zeb_Source& whole) {
  std::ostringstream expected;
  writeListing(expected, whole, false);
  zeb_HeldListing held;
  held.tabWidth = Lorvex_global::tabWidth;
  held.countLines = (size & 1) != 0;
  const zeb_Source listed(kio_Bytes(data, data + size), held);
  std::string got;
  for (const auto& block : held.blocks) got.append(block->data(), block->size());
  if (got != expected.str() || listed.numberOfLabels() != whole.numberOfLabels()) std::abort();
  for (unsigned long i = 0; i < whole.numberOfLabels(); ++i) {
    if (listed.isLabelUsed(i) != whole.isLabelUsed(i)) std::abort();
  }
  sameCounts(listed.lineTally(), whole.lineTally());
  // The same once more, the records decoded while the listing is written out.
  struct TextOut : zeb_ListingOut {
    void write(const char* bytes, std::size_t length) override { text.append(bytes, length); }
    std::string text;
  } passed;
  zeb_Source later(kio_Bytes(data, data + size));
  Lorvex_global::tabWidth = held.tabWidth.value_or(Lorvex_global::tabWidth);
  later.decodeListing(passed, held.countLines);
  if (passed.text != expected.str()) std::abort();
  for (unsigned long i = 0; i < whole.numberOfLabels(); ++i) {
    if (later.isLabelUsed(i) != whole.isLabelUsed(i)) std::abort();
  }
  sameCounts(later.lineTally(), whole.lineTally());
}

void checkLabels(const zeb_Source& source) {
  if (zeb_Source::globLabels.size() != source.numberOfLabels()) std::abort();
  for (unsigned long i = 0; i < source.numberOfLabels(); ++i) {
    if (source.labelAt(i) != zeb_Source::globLabels[i]) std::abort();
    (void)source.isLabelUsed(i);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  lorvex_fuzz::silenceStandardStreams();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > static_cast<std::size_t>(std::numeric_limits<int>::max())) return 0;
  const unsigned char selector = size > 0 ? data[0] : 0;  // a copy: the input stays as given

  // Each input stands alone: no label names or settings left by the last.
  zeb_resetProcessState();
  {
    const zeb_Source source(reinterpret_cast<const char*>(data), static_cast<int>(size));
    (void)source.type();
    if (source.isParsed()) {
      checkLabels(source);
      for (int pass = 0; pass < kPasses; ++pass) {
        if (pass > 0) apply(settingsFor(selector, pass));
        render(source);
      }
      exportToEveryTarget(source);
      listWhileDecoding(data, size, source);
    } else if (source.numberOfLines() != 0 || source.numberOfLabels() != 0) {
      std::abort();  // an image that was not decoded holds nothing
    }
  }
  zeb_resetProcessState();
  return 0;
}
