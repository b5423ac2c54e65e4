#include "driver/conversion_options.h"

#include <sstream>

#include "driver/option_table.h"
#include "petscii/lorvex_global.h"

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

}  // namespace

void applyConversionOptions(const kio_Getopt& options) {
  if (options.isOptionSet(szOptByteDec)) Lorvex_global::translateToByte = true;
  if (options.isOptionSet(szOptByteHex)) Lorvex_global::translateToByteHex = true;
  if (options.isOptionSet(szOptScreen)) Lorvex_global::fScreen = true;
  int conversion = 0;
  if (options.isOptionSet(szOptUnnamedHex)) {
    conversion = 1;
  } else if (options.isOptionSet(szOptPetsciiDec)) {
    conversion = 2;
  } else if (options.isOptionSet(szOptPetsciiHex)) {
    conversion = 3;
  }
  Lorvex_global::bastextConversion = conversion;
}

bool readNumberOptions(const kio_Getopt& options, int& tabWidth, bool& haveTabWidth,
                       std::string& message) {
  haveTabWidth = options.isOptionSet(szOptTabWidth);
  if (haveTabWidth && (!readIntArgument(options.getArgument(szOptTabWidth), tabWidth) ||
                       tabWidth > kMaxTabWidth)) {
    message = "Lorvex: -w/--tab-width requires a valid integer argument";
    return false;
  }
  if (options.isOptionSet(szOptByteColumns) &&
      !readIntArgument(options.getArgument(szOptByteColumns), Lorvex_global::byteColumns)) {
    message = "Lorvex: -W/--byte-columns requires a valid integer argument";
    return false;
  }
  return true;
}
