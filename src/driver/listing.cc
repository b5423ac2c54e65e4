#include "driver/listing.h"

#include <cstdio>

#include "driver/option_table.h"
#include "driver/reports.h"
#include "source/zeb_source.h"
#include "support/kio_getopt.h"

void writeListing(std::ostream& out, const zeb_Source& source, bool lineNumbers) {
  std::string text;
  for (unsigned long i = 0; i < source.numberOfLines(); ++i) {
    if (lineNumbers) {
      char prefix[32];
      std::snprintf(prefix, sizeof prefix, "%4lu: ", i);
      out << prefix;
    }
    text = source.lineAt(i)->toString();
    text += '\n';
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
  }
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
