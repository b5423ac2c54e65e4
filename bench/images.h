// The three images the benchmarks measure: the bundled example, a typical
// hand-written source, and the largest image the layout can hold. Every
// builder is deterministic, so runs on different machines compare.
#ifndef LORVEX_BENCH_IMAGES_H
#define LORVEX_BENCH_IMAGES_H

#include <string>
#include <vector>

#include "testlib/image_builder.h"

namespace lorvex_bench {

// The bundled example program (a few dozen lines).
lorvex_test::BuiltImage exampleImage();

// About 2000 lines and 200 labels: constants, subroutines of instructions
// in every addressing mode, labels and comments, data tables and strings,
// with blank and comment lines between them.
lorvex_test::BuiltImage typicalImage();

// 65536 line-table entries, the full 40945-byte text area of the highest
// variant filled with records of every kind spread over the lines (most
// entries are empty lines), and 1536 labels in 48 blocks.
lorvex_test::BuiltImage maximalImage();

struct NamedImage {
  std::string name;  // file stem: example, typical, maximal
  lorvex_test::BuiltImage image;
};

// All three, in the order above.
std::vector<NamedImage> allImages();

}  // namespace lorvex_bench

#endif  // LORVEX_BENCH_IMAGES_H
