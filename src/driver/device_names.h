// The names a host system reserves for devices. A file given one of them,
// in any case and with any extension ("con.asm", "Lpt0.tar.gz"), would
// open the device instead of a file.
#ifndef LORVEX_DRIVER_DEVICE_NAMES_H
#define LORVEX_DRIVER_DEVICE_NAMES_H

#include <string>
#include <vector>

// The reserved names, in lower case, without extension.
const std::vector<std::string>& reservedDeviceNames();

// True when the part of `fileName` before its first "." is a reserved name,
// whatever its case.
bool isReservedDeviceName(const std::string& fileName);

#endif  // LORVEX_DRIVER_DEVICE_NAMES_H
