#include "driver/listing_options.h"

#include <sstream>

#include "driver/disk_options.h"
#include "driver/option_table.h"
#include "petscii/lorvex_global.h"
#include "support/kio_getopt.h"

namespace {

// The largest tab column an image can hold; more would only pad lines
// with endless spaces.
constexpr int kMaxTabWidth = 255;

// Reads an int the way formatted stream input does: leading white space,
// a sign and digits; whatever follows the number is ignored.
bool readIntArgument(const std::string& text, int& value) {
  std::istringstream in(text);
  in >> value;
  return !in.fail();
}

int bastextConversionOf(const kio_Getopt& parser) {
  if (parser.isOptionSet(szOptUnnamedHex)) return 1;
  if (parser.isOptionSet(szOptPetsciiDec)) return 2;
  if (parser.isOptionSet(szOptPetsciiHex)) return 3;
  return 0;
}

}  // namespace

bool readListingOptions(const kio_Getopt& parser, ListingOptions& out, std::string& message) {
  out.omitSource = parser.isOptionSet(szOptOmitSource);
  out.byteDec = parser.isOptionSet(szOptByteDec);
  out.byteHex = parser.isOptionSet(szOptByteHex);
  out.screen = parser.isOptionSet(szOptScreen);
  out.bastextConversion = bastextConversionOf(parser);
  out.listLabels = parser.isOptionSet(szOptListLabels);
  out.lineNumbers = parser.isOptionSet(szOptLineNumbers);
  out.stats = parser.isOptionSet(szOptStats);
  out.statsDetail = parser.isOptionSet(szOptStatsDetail);
  out.statsWild = parser.isOptionSet(szOptStatsWild);
  out.utf8 = parser.isOptionSet(szOptUtf8);
  int value = 0;
  out.tabWidth.reset();
  if (parser.isOptionSet(szOptTabWidth)) {
    if (!readIntArgument(parser.getArgument(szOptTabWidth), value) || value > kMaxTabWidth) {
      message = "Lorvex: -w/--tab-width requires a valid integer argument";
      return false;
    }
    out.tabWidth = value;
  }
  out.byteColumns.reset();
  if (parser.isOptionSet(szOptByteColumns)) {
    if (!readIntArgument(parser.getArgument(szOptByteColumns), value)) {
      message = "Lorvex: -W/--byte-columns requires a valid integer argument";
      return false;
    }
    out.byteColumns = value;
  }
  return true;
}

void applyListingOptions(const ListingOptions& options) {
  Lorvex_global::resetSettings();
  Lorvex_global::translateToByte = options.byteDec;
  Lorvex_global::translateToByteHex = options.byteHex;
  Lorvex_global::fScreen = options.screen;
  Lorvex_global::bastextConversion = options.bastextConversion;
  if (options.byteColumns) Lorvex_global::byteColumns = *options.byteColumns;
  Lorvex_global::utf8 = options.utf8;
}
