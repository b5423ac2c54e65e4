// The images the benchmarks measure: the bundled example, a typical
// hand-written source, the largest image the layout can hold, and that
// layout packed with the shortest records. Every
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

// The same text area and line table filled to the last byte with the
// shortest record of every kind (about 12000 of them), every one of the
// 1536 labels used.
lorvex_test::BuiltImage denseImage();

struct NamedImage {
  std::string name;  // file stem: example, typical, maximal, dense
  lorvex_test::BuiltImage image;
};

// All of them, in the order above.
std::vector<NamedImage> allImages();

}  // namespace lorvex_bench

#endif  // LORVEX_BENCH_IMAGES_H
