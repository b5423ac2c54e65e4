// Writes the bundled example image: lorvex_make_example examples/hello.src
#include <exception>
#include <iostream>

#include "testlib/image_builder.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: lorvex_make_example PATH\n";
    return 1;
  }
  try {
    if (!lorvex_test::writeFile(argv[1], lorvex_test::exampleImage().bytes)) {
      std::cerr << "lorvex_make_example: cannot write " << argv[1] << "\n";
      return 1;
    }
  } catch (const std::exception& e) {
    std::cerr << "lorvex_make_example: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
