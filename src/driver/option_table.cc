#include "driver/option_table.h"

const char szOptHelp[] = "help";
const char szOptUsage[] = "usage";
const char szOptVersion[] = "version";
const char szOptInFile[] = "in";
const char szOptOutFile[] = "out";
const char szOptOmitSource[] = "omit-source";
const char szOptByteDec[] = "byte-dec";
const char szOptByteHex[] = "byte-hex";
const char szOptByteColumns[] = "byte-columns";
const char szOptScreen[] = "screen";
const char szOptUnnamedHex[] = "unnamed-hex";
const char szOptPetsciiDec[] = "petscii-dec";
const char szOptPetsciiHex[] = "petscii-hex";
const char szOptID[] = "id";
const char szOptListLabels[] = "list-labels";
const char szOptLineNumbers[] = "line-numbers";
const char szOptTabWidth[] = "tab-width";
const char szOptStats[] = "stats";
const char szOptStatsDetail[] = "stats-detail";
const char szOptStatsWild[] = "stats-wild";

const OptionRow kOptionTable[kOptionCount] = {
    {"h", szOptHelp, kNoArgument, "", "Show this help text, then exit"},
    {"?", szOptUsage, kNoArgument, "", "Show a short usage message, then exit"},
    {"", szOptVersion, kNoArgument, "", "Show version number with credits, then exit"},
    {"i", szOptInFile, kRequiredArgument, "file", "Input is read from the file"},
    {"o", szOptOutFile, kRequiredArgument, "file", "Output is written to the file"},
    {"O", szOptOmitSource, kNoArgument, "", "Suppress source listing in output"},
    {"b", szOptByteDec, kNoArgument, "", "Convert string/char literals to .byte decimal notation"},
    {"B", szOptByteHex, kNoArgument, "", "Convert string/char literals to .byte hex notation"},
    {"W", szOptByteColumns, kRequiredArgument, "c", "Set columns for converted .byte lines (default 6)"},
    {"S", szOptScreen, kNoArgument, "", "Convert strings w/ all values less than 64 to .screen"},
    {"t", szOptUnnamedHex, kNoArgument, "", "Output un-named bastext tokens using hex notation"},
    {"", szOptPetsciiDec, kNoArgument, "",
     "Convert all petscii-only characters to bastext decimal notation"},
    {"T", szOptPetsciiHex, kNoArgument, "",
     "Convert all petscii-only characters to bastext hex notation"},
    {"I", szOptID, kNoArgument, "", "Suppress all output except binary identifier"},
    {"l", szOptListLabels, kNoArgument, "", "List all labels after the source listing"},
    {"n", szOptLineNumbers, kNoArgument, "", "Preceed each source line with a line number"},
    {"w", szOptTabWidth, kRequiredArgument, "w", "Set source tab column (default to setting in input file)"},
    {"s", szOptStats, kNoArgument, "", "Display summarized statistics before the source listing"},
    {"z", szOptStatsDetail, kNoArgument, "", "Display detailed statistics after the source listing"},
    {"Z", szOptStatsWild, kNoArgument, "", "Display wild statistics after the source listing"},
};

void registerOptions(kio_Getopt& getopt) {
  for (const OptionRow& row : kOptionTable) {
    getopt.addOption(row.shortName, row.longName, row.helpText, row.argumentType,
                     row.argumentName, nullptr);
  }
}
