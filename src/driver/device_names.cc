#include "driver/device_names.h"

#include <algorithm>

#include "driver/disk_names.h"

const std::vector<std::string>& reservedDeviceNames() {
  // Windows reserves these in every folder; the ports with a superscript
  // digit count too. Other hosts reserve no plain file name.
  static const std::vector<std::string> kNames = {
      "con",  "prn",  "aux",  "nul",  "conin$", "conout$", "clock$",
      "com0", "com1", "com2", "com3", "com4",   "com5",    "com6",
      "com7", "com8", "com9", "com\xC2\xB9", "com\xC2\xB2", "com\xC2\xB3",
      "lpt0", "lpt1", "lpt2", "lpt3", "lpt4",   "lpt5",    "lpt6",
      "lpt7", "lpt8", "lpt9", "lpt\xC2\xB9", "lpt\xC2\xB2", "lpt\xC2\xB3",
  };
  return kNames;
}

bool isReservedDeviceName(const std::string& fileName) {
  const std::string base = lowered(fileName.substr(0, fileName.find('.')));
  const std::vector<std::string>& names = reservedDeviceNames();
  return std::find(names.begin(), names.end(), base) != names.end();
}
