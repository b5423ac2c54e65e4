#include <iostream>

#include "driver/driver.h"

int main(int argc, char** argv) {
  // The listing goes through the C++ streams only.
  std::ios::sync_with_stdio(false);
  return lorvexMain(argc, argv);
}
