// Writes the benchmark images: lorvex_bench_images DIR
#include <exception>
#include <iostream>
#include <string>

#include "bench/images.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: lorvex_bench_images DIR\n";
    return 1;
  }
  try {
    for (const lorvex_bench::NamedImage& named : lorvex_bench::allImages()) {
      const std::string path = std::string(argv[1]) + "/" + named.name + ".src";
      if (!lorvex_test::writeFile(path, named.image.bytes)) {
        std::cerr << "lorvex_bench_images: cannot write " << path << "\n";
        return 1;
      }
    }
  } catch (const std::exception& e) {
    std::cerr << "lorvex_bench_images: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
