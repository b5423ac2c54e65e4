#include "driver/disk_options.h"

#include <cstring>

#include "driver/option_table.h"
#include "support/kio_identity.h"

const char szOptExtract[] = "extract";
const char szOptRaw[] = "raw";
const char szOptForce[] = "force";
const char szOptPrint[] = "print";
const char szOptUtf8[] = "utf8";
const char szOptJson[] = "json";

namespace {

const OptionRow kOwnOptions[] = {
    {"h", szOptHelp, kNoArgument, "", "Show this help text, then exit"},
    {"", szOptVersion, kNoArgument, "", "Show version number with credits, then exit"},
    {"x", szOptExtract, kRequiredArgument, "dir",
     "Write the listing of every source image to dir/NAME.asm"},
    {"r", szOptRaw, kNoArgument, "", "With -x, also write every file's raw bytes"},
    {"f", szOptForce, kNoArgument, "", "With -x, overwrite files that already exist"},
    {"p", szOptPrint, kNoArgument, "", "Print the listings to standard output"},
    {"u", szOptUtf8, kNoArgument, "", "Write PETSCII graphics as UTF-8 characters"},
    {"", szOptJson, kNoArgument, "", "Print each image's directory as JSON"},
};

// lorvex's listing options that apply to every listing here.
const char* const kListingOptions[] = {
    szOptOmitSource, szOptByteDec,    szOptByteHex,   szOptByteColumns, szOptScreen,
    szOptUnnamedHex, szOptPetsciiDec, szOptPetsciiHex, szOptListLabels,  szOptLineNumbers,
    szOptTabWidth,   szOptStats,      szOptStatsDetail, szOptStatsWild,
};

void add(kio_Getopt& getopt, const OptionRow& row) {
  getopt.addOption(row.shortName, row.longName, row.helpText, row.argumentType, row.argumentName,
                   nullptr);
}

}  // namespace

void registerDiskOptions(kio_Getopt& getopt) {
  for (const OptionRow& row : kOwnOptions) add(getopt, row);
  for (const char* name : kListingOptions) {
    for (const OptionRow& row : kOptionTable) {
      if (std::strcmp(row.longName, name) == 0) add(getopt, row);
    }
  }
}

std::string diskVersion() { return "lorvex-disk, the disk tool of " + kio::getVersion(); }

std::string diskUsage() { return "usage: lorvex-disk [-options] IMAGE... [NAME...]"; }

std::string diskShortHelp() { return "lorvex-disk: try 'lorvex-disk --help' for more information"; }
