// The listing options both programs take (-b -B -W -S -t --petscii-dec -T
// -w), read from a parser that registered them by the option table's names,
// and put into the process-wide settings the same way by both.
#ifndef LORVEX_DRIVER_CONVERSION_OPTIONS_H
#define LORVEX_DRIVER_CONVERSION_OPTIONS_H

#include <string>

class kio_Getopt;

// Sets translateToByte, translateToByteHex, fScreen and bastextConversion.
void applyConversionOptions(const kio_Getopt& options);

// Reads -w and -W. On a bad value returns false with `message` holding the
// option's error text; otherwise stores -W in byteColumns and gives -w (to
// be applied after each image is decoded) in tabWidth/haveTabWidth.
bool readNumberOptions(const kio_Getopt& options, int& tabWidth, bool& haveTabWidth,
                       std::string& message);

#endif  // LORVEX_DRIVER_CONVERSION_OPTIONS_H
