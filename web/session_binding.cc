// The page's binding: C functions over disk sessions, for the script that
// drives the module. Images are opened from bytes and kept by a handle; a
// text returned stays valid until the next call for the same handle (or
// lw_error's until the next failing call). Every text is what lorvex-disk
// prints for the same bytes and options.
#include <algorithm>
#include <cstring>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "driver/disk_json.h"
#include "driver/disk_options.h"
#include "driver/disk_session.h"
#include "driver/input.h"
#include "driver/listing_options.h"
#include "driver/reports.h"
#include "model/decode_warnings.h"
#include "source/zeb_source.h"
#include "support/kio_getopt.h"
#include "support/kio_newlines.h"

namespace {

struct Opened {
  Opened(std::vector<std::uint8_t> bytes, std::string name)
      : session(std::move(bytes), std::move(name), true) {}
  DiskSession session;
  std::string directory;
  std::string entries;
  std::string warnings;
  EntryListing listing;
  std::string listingWarnings;
  std::vector<std::int32_t> spans;
  unsigned long firstLine = 0;
  unsigned long sourceLines = 0;
};

std::vector<std::unique_ptr<Opened>> opened;
std::string lastError;

Opened* find(int handle) {
  if (handle < 0 || static_cast<std::size_t>(handle) >= opened.size()) return nullptr;
  return opened[static_cast<std::size_t>(handle)].get();
}

std::string joinedLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  return text;
}

std::string entriesJson(const DiskSession& session) {
  std::string json = "[";
  for (const SessionEntry& e : session.entries()) {
    if (json.size() > 1) json += ',';
    json += "{\"name\":" + jsonString(e.name) + ",\"hostName\":" + jsonString(e.hostName) +
            ",\"rawName\":" + jsonString(e.rawName) + ",\"type\":" + jsonString(e.type) +
            ",\"blocks\":" + std::to_string(e.blocks) +
            ",\"closed\":" + (e.closed ? "true" : "false") +
            ",\"locked\":" + (e.locked ? "true" : "false") +
            ",\"variant\":" + (e.isSource() ? jsonString(e.variant) : "null") + "}";
  }
  return json + "]";
}

// UTF-16 units of the UTF-8 text [from, to): one for each byte but a
// continuation byte (10xxxxxx), two for a byte from $F0 up (a four-byte
// character's lead), eight bytes at a time.
std::int32_t utf16Units(const char* from, const char* to) {
  constexpr std::uint64_t kTop = 0x8080808080808080ULL;
  constexpr std::uint64_t kSumBytes = 0x0101010101010101ULL;  // sums the bytes into the top one
  std::size_t units = static_cast<std::size_t>(to - from);
  for (; to - from >= 8; from += 8) {
    std::uint64_t w;
    std::memcpy(&w, from, sizeof w);
    const std::uint64_t continuation = (w & ~(w << 1) & kTop) >> 7;
    const std::uint64_t lead4 = (w & (w << 1) & (w << 2) & (w << 3) & kTop) >> 7;
    units += static_cast<std::size_t>((lead4 * kSumBytes) >> 56);
    units -= static_cast<std::size_t>((continuation * kSumBytes) >> 56);
  }
  for (; from < to; ++from) {
    const auto b = static_cast<unsigned char>(*from);
    if ((b & 0xC0) == 0x80) --units;
    if (b >= 0xF0) ++units;
  }
  return static_cast<std::int32_t>(units);
}

// Spans as (text line, start, length, label, definition) with start and
// length in the UTF-16 units the script's strings count, start within its
// line. Text lines count from the listing text's first line. The text is
// walked once, from span to span; `lines`, when given, gets the count of
// its line breaks on the way.
std::vector<std::int32_t> scriptSpans(const std::string& text, const std::vector<LabelSpan>& spans,
                                      std::size_t* lines) {
  std::vector<LabelSpan> sorted;
  const std::vector<LabelSpan>* inOrder = &spans;
  const auto byOffset = [](const LabelSpan& a, const LabelSpan& b) { return a.offset < b.offset; };
  if (!std::is_sorted(spans.begin(), spans.end(), byOffset)) {
    sorted = spans;
    std::sort(sorted.begin(), sorted.end(), byOffset);
    inOrder = &sorted;
  }
  std::vector<std::int32_t> out(inOrder->size() * 5);
  std::int32_t* put = out.data();
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* at = begin;         // counted up to here
  std::size_t line = 0;
  std::int32_t unitsInLine = 0;  // from the line's start to `at`
  for (const LabelSpan& span : *inOrder) {
    if (span.offset > text.size() || span.length > text.size() - span.offset) continue;
    const char* const start = begin + span.offset;
    if (start < at) continue;
    const kio_Breaks breaks = kio_breaks(at, start);
    if (breaks.count != 0) {
      line += breaks.count;
      at = breaks.lineStart;
      unitsInLine = 0;
    }
    unitsInLine += utf16Units(at, start);
    at = start;
    const std::int32_t length = utf16Units(start, std::min(start + span.length, end));
    put[0] = static_cast<std::int32_t>(line);
    put[1] = unitsInLine;
    put[2] = length;
    put[3] = span.label;
    put[4] = span.definition ? 1 : 0;
    put += 5;
  }
  out.resize(static_cast<std::size_t>(put - out.data()));
  if (lines != nullptr) *lines = line + kio_newlines(at, end);
  return out;
}

class SilentWarnings : public zeb_WarningSink {
 public:
  void nullExpression(int) override {}
  void corruptOperand(int, int) override {}
};

bool hasReports(const ListingOptions& options) {
  return options.stats || options.listLabels || options.statsDetail || options.statsWild;
}

// Where the source's lines lie in the text: after the summary (-s), and
// up to the reports (-l, -z, -Z). Only the reports need a look at the
// decoded source, made before the listing so that the listing's settings
// and labels are the ones left in force.
void placeSourceLines(Opened& o, std::size_t i, const ListingOptions& options) {
  o.firstLine = 0;
  o.sourceLines = 0;
  if (!hasReports(options) || (options.omitSource && !options.stats)) return;
  const std::vector<std::uint8_t>& data = o.session.bytes(i);
  SilentWarnings silent;
  zeb_setWarningSink(&silent);
  {
    const zeb_Source source(reinterpret_cast<const char*>(data.data()),
                            static_cast<int>(data.size()));
    if (source.isParsed()) {
      if (options.stats) {
        std::ostringstream summary;
        writeSummary(summary, source, o.session.entries()[i].listedAs);
        const std::string s = summary.str();
        o.firstLine = static_cast<unsigned long>(std::count(s.begin(), s.end(), '\n'));
      }
      if (!options.omitSource) o.sourceLines = source.numberOfLines();
    } else {
      o.sourceLines = 0;
    }
  }
  zeb_setWarningSink(nullptr);
}

}  // namespace

extern "C" {

int lw_max_image_size() { return static_cast<int>(kMaxImageSize); }

const char* lw_error() { return lastError.c_str(); }

// A handle, or -1 with lw_error() holding the line lorvex-disk prints.
int lw_open(const std::uint8_t* bytes, int size, const char* fileName) {
  std::vector<std::uint8_t> data(bytes, bytes + std::max(size, 0));
  auto o = std::make_unique<Opened>(std::move(data), fileName);
  if (!o->session.isOpen()) {
    lastError = o->session.error();
    return -1;
  }
  o->directory = o->session.directory();
  o->entries = entriesJson(o->session);
  o->warnings = joinedLines(o->session.warnings());
  opened.push_back(std::move(o));
  return static_cast<int>(opened.size() - 1);
}

void lw_close(int handle) {
  if (find(handle) != nullptr) opened[static_cast<std::size_t>(handle)].reset();
}

const char* lw_directory(int handle) {
  Opened* o = find(handle);
  return o ? o->directory.c_str() : "";
}

const char* lw_entries(int handle) {
  Opened* o = find(handle);
  return o ? o->entries.c_str() : "[]";
}

const char* lw_image_warnings(int handle) {
  Opened* o = find(handle);
  return o ? o->warnings.c_str() : "";
}

// The listing of entry i under lorvex-disk's words (one per line), or null
// with lw_error() holding lorvex-disk's message for words it refuses or the
// reason there is no listing. With `withSpans`, lw_spans() then gives
// where the label names lie.
const char* lw_listing(int handle, int i, const char* words, int withSpans) {
  Opened* o = find(handle);
  if (o == nullptr || i < 0) {
    lastError = "no such image or file";
    return nullptr;
  }
  std::vector<std::string> split{"lorvex-disk"};
  std::istringstream in(words);
  for (std::string word; std::getline(in, word);) split.push_back(word);
  std::vector<const char*> argv;
  for (const std::string& word : split) argv.push_back(word.c_str());
  kio_Getopt parser;
  registerDiskOptions(parser);
  parser.parse(static_cast<int>(argv.size()), argv.data());
  if (!parser.errors().empty()) {
    lastError = parser.errors().front();
    return nullptr;
  }
  ListingOptions options;
  if (!readListingOptions(parser, options, lastError)) return nullptr;
  options.utf8 = parser.isOptionSet(szOptUtf8);
  const auto entry = static_cast<std::size_t>(i);
  placeSourceLines(*o, entry, options);
  // The page gathers the labels from the spans: no second pass for them.
  const ListingExtras extras = withSpans != 0 ? ListingExtras::spans : ListingExtras::none;
  if (!o->session.listing(entry, options, o->listing, extras)) {
    lastError = "not a source image";
    return nullptr;
  }
  const std::string& text = o->listing.text;
  const bool countLines = !hasReports(options) && !options.omitSource;
  std::size_t lines = 0;
  o->spans.clear();
  if (withSpans != 0) {
    o->spans = scriptSpans(text, o->listing.spans, countLines ? &lines : nullptr);
  } else if (countLines) {
    lines = kio_newlines(text.data(), text.data() + text.size());
  }
  if (countLines) o->sourceLines = lines;
  o->listingWarnings = joinedLines(o->listing.warnings);
  return o->listing.text.c_str();
}

int lw_listing_size(int handle) {
  Opened* o = find(handle);
  return o ? static_cast<int>(o->listing.text.size()) : 0;
}
int lw_listing_first_line(int handle) {
  Opened* o = find(handle);
  return o ? static_cast<int>(o->firstLine) : 0;
}
int lw_listing_lines(int handle) {
  Opened* o = find(handle);
  return o ? static_cast<int>(o->sourceLines) : 0;
}
const char* lw_warnings(int handle) {
  Opened* o = find(handle);
  return o ? o->listingWarnings.c_str() : "";
}
const std::int32_t* lw_spans(int handle) {
  Opened* o = find(handle);
  return o && !o->spans.empty() ? o->spans.data() : nullptr;
}
int lw_span_count(int handle) {
  Opened* o = find(handle);
  return o ? static_cast<int>(o->spans.size() / 5) : 0;
}

const std::uint8_t* lw_raw(int handle, int i) {
  Opened* o = find(handle);
  return o && i >= 0 ? o->session.bytes(static_cast<std::size_t>(i)).data() : nullptr;
}
int lw_raw_size(int handle, int i) {
  Opened* o = find(handle);
  return o && i >= 0 ? static_cast<int>(o->session.bytes(static_cast<std::size_t>(i)).size()) : 0;
}

}  // extern "C"
