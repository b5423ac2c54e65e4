// lorvex-disk's options: its own, then the listing options of lorvex with
// the same letters, names and help texts (taken from lorvex's table).
#ifndef LORVEX_DRIVER_DISK_OPTIONS_H
#define LORVEX_DRIVER_DISK_OPTIONS_H

#include <string>

#include "support/kio_getopt.h"

extern const char szOptExtract[];
extern const char szOptRaw[];
extern const char szOptForce[];
extern const char szOptPrint[];
extern const char szOptUtf8[];
extern const char szOptJson[];

// Registers every option, in the order the help text lists them.
void registerDiskOptions(kio_Getopt& getopt);

// The program's identity texts; none ends with a newline.
std::string diskVersion();
std::string diskUsage();
std::string diskShortHelp();

#endif  // LORVEX_DRIVER_DISK_OPTIONS_H
