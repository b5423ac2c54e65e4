// Writes the bundled examples:
//   lorvex_make_example examples/hello.src [examples/example.d64]
// the example image, and with a second path the example disk too.
#include <exception>
#include <iostream>

#include "testlib/example_disk.h"
#include "testlib/image_builder.h"

namespace {

bool write(const char* path, const lorvex_test::Bytes& bytes) {
  if (lorvex_test::writeFile(path, bytes)) return true;
  std::cerr << "lorvex_make_example: cannot write " << path << "\n";
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::cerr << "usage: lorvex_make_example IMAGE_PATH [DISK_PATH]\n";
    return 1;
  }
  try {
    if (!write(argv[1], lorvex_test::exampleImage().bytes)) return 1;
    if (argc == 3 && !write(argv[2], lorvex_test::exampleDisk().image)) return 1;
  } catch (const std::exception& e) {
    std::cerr << "lorvex_make_example: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
