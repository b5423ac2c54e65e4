// The program's twenty options, in the order the help text lists them.
#ifndef LORVEX_DRIVER_OPTION_TABLE_H
#define LORVEX_DRIVER_OPTION_TABLE_H

#include "support/kio_getopt.h"

extern const char szOptHelp[];
extern const char szOptUsage[];
extern const char szOptVersion[];
extern const char szOptInFile[];
extern const char szOptOutFile[];
extern const char szOptOmitSource[];
extern const char szOptByteDec[];
extern const char szOptByteHex[];
extern const char szOptByteColumns[];
extern const char szOptScreen[];
extern const char szOptUnnamedHex[];
extern const char szOptPetsciiDec[];
extern const char szOptPetsciiHex[];
extern const char szOptID[];
extern const char szOptListLabels[];
extern const char szOptLineNumbers[];
extern const char szOptTabWidth[];
extern const char szOptStats[];
extern const char szOptStatsDetail[];
extern const char szOptStatsWild[];

constexpr int kNoArgument = 0;
constexpr int kRequiredArgument = 2;

// One option as the parser registers it and the help text lists it.
struct OptionRow {
  const char* shortName;     // "" for none
  const char* longName;
  int argumentType;          // kNoArgument or kRequiredArgument
  const char* argumentName;  // "" for none; "file" for a file name
  const char* helpText;
};

constexpr int kOptionCount = 20;
extern const OptionRow kOptionTable[kOptionCount];

// Registers all twenty options with the parser, in table order.
void registerOptions(kio_Getopt& getopt);

#endif  // LORVEX_DRIVER_OPTION_TABLE_H
