#include <iostream>

#include "driver/disk_driver.h"

int main(int argc, char** argv) {
  // Everything goes through the C++ streams only.
  std::ios::sync_with_stdio(false);
  return lorvexDiskMain(argc, argv);
}
