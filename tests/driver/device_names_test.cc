#include "driver/device_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "driver/disk_names.h"

namespace {

std::string upperCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

}  // namespace

// No name made safe is ever a device, whatever its case or extension.
TEST(DeviceNames, NoSafeNameIsReserved) {
  for (const std::string& device : reservedDeviceNames()) {
    ASSERT_EQ(device, lowered(device));
    for (const char* extension : {"", ".asm", ".tar.gz"}) {
      for (const std::string& name : {device, upperCase(device)}) {
        EXPECT_TRUE(isReservedDeviceName(name + extension)) << name << extension;
        EXPECT_FALSE(isReservedDeviceName(safeFileName(name + extension))) << name << extension;
      }
    }
  }
}

TEST(DeviceNames, WhatIsAndIsNotReserved) {
  const struct {
    const char* name;
    const char* safe;
  } cases[] = {
      {"com0", "_com0"},   {"LPT0.asm", "_LPT0.asm"}, {"Nul.tar.gz", "_Nul.tar.gz"},
      {"com9", "_com9"},   {"aux.", "aux_"},          {"com10", "com10"},
      {"lpt", "lpt"},      {"cons", "cons"},           {"con_", "con_"},
      {"xcon", "xcon"},    {"conin$", "conin_"},       {"a.con", "a.con"},
  };
  for (const auto& c : cases) EXPECT_EQ(safeFileName(c.name), c.safe) << c.name;
}
