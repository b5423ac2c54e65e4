#include "driver/listing.h"

#include <cstdio>

#include "driver/option_table.h"
#include "driver/reports.h"
#include "source/zeb_source.h"
#include "support/kio_getopt.h"

namespace {

// Lines are gathered into blocks of about this size before they are written.
constexpr std::size_t kBlockSize = 1 << 16;

void writeBlock(std::ostream& out, std::string& block) {
  out.write(block.data(), static_cast<std::streamsize>(block.size()));
  block.clear();
}

}  // namespace

void writeListing(std::ostream& out, const zeb_Source& source, bool lineNumbers) {
  std::string block;
  block.reserve(kBlockSize + 1024);
  for (unsigned long i = 0; i < source.numberOfLines(); ++i) {
    if (lineNumbers) {
      char prefix[32];
      const int length = std::snprintf(prefix, sizeof prefix, "%4lu: ", i);
      block.append(prefix, static_cast<std::size_t>(length));
    }
    source.lineAt(i)->appendTo(block);
    block += '\n';
    if (block.size() >= kBlockSize) writeBlock(out, block);
  }
  writeBlock(out, block);
}

// Nothing reaches another stream while this runs, so one flush at the end
// orders the output as well as a flush per line would.
void writeParsedSource(std::ostream& out, const zeb_Source& source, const kio_Getopt& options,
                       const std::string& inputName) {
  if (options.isOptionSet(szOptStats)) writeSummary(out, source, inputName);
  if (!options.isOptionSet(szOptOmitSource)) {
    writeListing(out, source, options.isOptionSet(szOptLineNumbers));
  }
  if (options.isOptionSet(szOptListLabels)) writeLabelList(out, source);
  writeMnemonicStats(out, source, inputName, options.isOptionSet(szOptStatsDetail),
                     options.isOptionSet(szOptStatsWild));
  out.flush();
}
