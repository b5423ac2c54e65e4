#include "driver/listing.h"

#include <sstream>

#include "driver/reports.h"
#include "model/decode_warnings.h"
#include "model/line_writer.h"
#include "model/stored_render.h"
#include "model/zeb_text.h"
#include "petscii/lorvex_global.h"
#include "source/zeb_source.h"

namespace {

// Span collection is compiled out of the plain listing: one instance of the
// loop per way. `spans` is null, and never looked at, when not kCollect.
template <bool kCollect>
void writeBlock(std::ostream& out, zeb_Text& block, LabelSpanCollector* spans) {
  out.write(block.data(), static_cast<std::streamsize>(block.size()));
  if constexpr (kCollect) spans->advance(block.size());
  block.clear();
}

// A listing's blocks written to a stream as they fill.
class StreamOut : public zeb_ListingOut {
 public:
  explicit StreamOut(std::ostream& out) : out_(out) {}
  void write(const char* data, std::size_t size) override {
    out_.write(data, static_cast<std::streamsize>(size));
  }

 private:
  std::ostream& out_;
};

// "%4lu: ": the index right-aligned in four columns, wider when it must be.
void putLineNumber(zeb_Text& block, unsigned long index) {
  char digits[24];
  int at = sizeof digits;
  do {
    digits[--at] = static_cast<char>('0' + index % 10);
    index /= 10;
  } while (index != 0);
  const int width = static_cast<int>(sizeof digits) - at;
  if (width < 4) block.fill(' ', static_cast<std::size_t>(4 - width));
  block.put(digits + at, static_cast<std::size_t>(width));
  block.put(": ", 2);
}

template <bool kCollect>
void writeLines(std::ostream& out, const zeb_Source& source, bool lineNumbers,
                LabelSpanCollector* spans) {
  zeb_Text block(zeb_BLOCK_ROOM);
  // Most lines of a big image are bare: their text is empty, so between
  // two occupied lines there are only line breaks (or numbers).
  const std::size_t count = source.occupiedCount();
  // The index of the k-th line that is not bare.
  const auto occupied = [&](std::size_t k) -> unsigned long {
    return static_cast<unsigned long>(source.occupiedRecord(k).lineNumber() - 1);
  };
  unsigned long next = 0;
  // The numbered lines before `end`.
  const auto linesBefore = [&](unsigned long end) {
    for (; next < end; ++next) {
      putLineNumber(block, next);
      block.put('\n');
      if (block.size() >= zeb_BLOCK_SIZE) writeBlock<kCollect>(out, block, spans);
    }
  };
  if (lineNumbers) {
    const zeb_LineContext context = zeb_listingContext();
    zeb_NoChecks none;
    for (std::size_t k = 0; k < count; ++k) {
      const unsigned long end = occupied(k);
      linesBefore(end);
      putLineNumber(block, end);
      if constexpr (kCollect) {
        spans->setLine(end);
        source.occupiedLine(k)->writeTo(block);
      } else {
        const zeb_StoredRecord& record = source.occupiedRecord(k);
        zeb_Cursor c(block);
        c.ensure(zeb_lineRoom(context.tab));
        zeb_PutStoredTokens<zeb_NoChecks> put(c, context, none);
        zeb_renderRecord(put, record.bytes(), record.length(), record.lineClass());
      }
      block.put('\n');
      if (block.size() >= zeb_BLOCK_SIZE) writeBlock<kCollect>(out, block, spans);
      next = end + 1;
    }
    linesBefore(source.numberOfLines());
  } else {
    const auto written = [&out, spans](zeb_Text& full) -> zeb_Text& {
      writeBlock<kCollect>(out, full, spans);
      return full;
    };
    const zeb_LineContext context = zeb_listingContext();
    zeb_LineWriter<decltype(written)> lines(block, written, zeb_lineRoom(context.tab));
    zeb_NoChecks none;
    zeb_PutStoredTokens<zeb_NoChecks> put(lines.cursor(), context, none);
    for (std::size_t k = 0; k < count; ++k) {
      const unsigned long end = occupied(k);
      zeb_Cursor& c = lines.startLine(end);
      if constexpr (kCollect) {
        spans->setLine(end);
        c.viaText([&source, k](zeb_Text& text) { source.occupiedLine(k)->writeTo(text); });
      } else {
        // Every occupied line reads from its record: rendered here, in line.
        const zeb_StoredRecord& record = source.occupiedRecord(k);
        zeb_renderRecord(put, record.bytes(), record.length(), record.lineClass());
      }
      lines.endLine();
    }
    lines.finish(source.numberOfLines());
  }
  writeBlock<kCollect>(out, block, spans);
}

}  // namespace

void writeListing(std::ostream& out, const zeb_Source& source, bool lineNumbers,
                  LabelSpanCollector* spans) {
  if (spans) {
    writeLines<true>(out, source, lineNumbers, spans);
  } else {
    writeLines<false>(out, source, lineNumbers, nullptr);
  }
}

// Nothing reaches another stream while this runs, so one flush at the end
// orders the output as well as a flush per line would.
bool listedWhileDecoded(const ListingOptions& options) {
  return !options.omitSource && !options.lineNumbers;
}

void writeParsedSource(std::ostream& out, const zeb_Source& source, const ListingOptions& options,
                       const std::string& inputName, std::vector<LabelSpan>* spans,
                       const zeb_HeldListing* held) {
  if (options.tabWidth) Lorvex_global::tabWidth = *options.tabWidth;
  std::size_t before = 0;
  if (options.stats) {
    if (spans) {
      // Spans count from the first byte written: the summary's length first.
      std::ostringstream summary;
      writeSummary(summary, source, inputName);
      before = summary.str().size();
      out << summary.str();
    } else {
      writeSummary(out, source, inputName);
    }
  }
  if (!options.omitSource) {
    if (held) {
      for (const auto& block : held->blocks) {
        out.write(block->data(), static_cast<std::streamsize>(block->size()));
      }
    } else if (spans) {
      LabelSpanCollector collector(*spans);
      collector.advance(before);
      writeListing(out, source, options.lineNumbers, &collector);
    } else {
      writeListing(out, source, options.lineNumbers);
    }
  }
  if (options.listLabels) writeLabelList(out, source);
  writeMnemonicStats(out, source, inputName, options.statsDetail, options.statsWild);
  out.flush();
}

void writePassedSource(std::ostream& out, zeb_Source& source, const ListingOptions& options,
                       const std::string& inputName, bool warningsInOut) {
  if (options.tabWidth) Lorvex_global::tabWidth = *options.tabWidth;
  const std::ostream::pos_type start = warningsInOut ? out.tellp() : std::ostream::pos_type(-1);
  zeb_WarningSink& told = zeb_warnings();
  zeb_KeptWarnings kept;
  if (warningsInOut) zeb_setWarningSink(&kept);
  if (options.stats) writeSummary(out, source, inputName);
  StreamOut passed(out);
  source.decodeListing(passed, options.stats || options.statsDetail || options.statsWild);
  if (warningsInOut) {
    zeb_setWarningSink(&told);
    // A damaged image: the warnings first, then the summary and the
    // listing once more, read again from the records.
    if (!kept.empty()) {
      out.seekp(start);
      kept.tellTo(told);
      if (options.stats) writeSummary(out, source, inputName);
      writeListing(out, source, false);
    }
  }
  if (options.listLabels) writeLabelList(out, source);
  writeMnemonicStats(out, source, inputName, options.statsDetail, options.statsWild);
  out.flush();
}
