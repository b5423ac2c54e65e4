// The bundled example disk (examples/example.d64): the example program as
// "hello", a smaller program of another variant as "colours", a SEQ text
// "readme" and a BASIC loader that is no source image. Made here, from the
// image builder and the disk writer, so that the maker and the test that
// holds the committed file to it build the same bytes.
#ifndef LORVEX_TESTS_TESTLIB_EXAMPLE_DISK_H
#define LORVEX_TESTS_TESTLIB_EXAMPLE_DISK_H

#include <vector>

#include "disk/disk_writer.h"
#include "testlib/image_builder.h"

namespace lorvex_test {

// Cycles the border through the sixteen colours; the plain $9000 variant.
inline BuiltImage coloursImage() {
  enum Label { kBorder, kStart, kLoop };
  ImageSpec layout;
  layout.variant = zeb_PLAIN_9000;
  layout.labels = {"border", "start", "loop"};
  layout.lines = {
      commentLine(0, petscii("colours - every border colour in turn")),
      emptyLine(),
      statement(5, hex16(0xD020), kBorder),
      statement(6, hex16(0xC100)),
      instruction(0xA2, dec8(0), kStart),  // ldx #0
      instruction(0x8E, label(kBorder), kLoop, comment(24, petscii("set it"))),
      instruction(0xE8),                // inx
      instruction(0xE0, dec8(16)),      // cpx #16
      instruction(0xD0, label(kLoop)),  // bne loop
      instruction(0x60),                // rts
  };
  return buildImage(layout);
}

// 10 SYS49152, loaded at $0801.
inline Bytes loaderProgram() {
  return {0x01, 0x08, 0x0C, 0x08, 0x0A, 0x00, 0x9E, '4', '9', '1', '5', '2', 0x00, 0x00, 0x00};
}

inline std::vector<disk_test::TestFile> exampleDiskFiles() {
  using disk::FileType;
  return {
      {petscii("hello"), FileType::prg, exampleImage().bytes},
      {petscii("colours"), FileType::prg, coloursImage().bytes},
      {petscii("readme"), FileType::seq,
       raw(petscii("hello and colours are source images; list them with lorvex-disk.\r"
                   "loader starts hello after it is assembled.\r"))},
      {petscii("loader"), FileType::prg, loaderProgram()},
  };
}

inline disk_test::WrittenDisk exampleDisk() {
  disk_test::DiskOptions options;
  options.name = petscii("lorvex examples");
  options.id = petscii("lx 2a");
  return disk_test::writeDisk(disk::Kind::d64, exampleDiskFiles(), options);
}

}  // namespace lorvex_test

#endif  // LORVEX_TESTS_TESTLIB_EXAMPLE_DISK_H
