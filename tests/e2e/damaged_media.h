// Hostile media made by seed for the damaged-media property test: a disk
// or archive from the test disk writer (or, when they are installed, from
// the peer tools), holding source images under hostile names, then damaged
// by a list of patches. The patches are kept apart from the medium so that
// a failing case can be shrunk by leaving patches out.
#ifndef LORVEX_TESTS_E2E_DAMAGED_MEDIA_H
#define LORVEX_TESTS_E2E_DAMAGED_MEDIA_H

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "disk/disk_writer.h"

namespace lorvex_test {

// One change to a medium's bytes.
struct Patch {
  enum class Kind { write, truncate, append };
  Kind kind = Kind::write;
  std::size_t offset = 0;  // write: where; truncate: the new size
  std::vector<std::uint8_t> bytes;  // write, append
};

struct Medium {
  std::string extension;  // ".d64", ".t64", ".p00", ".prg", ...
  std::vector<std::uint8_t> bytes;
  std::vector<Patch> damage;
  std::string describe;  // what it is and how it was damaged, for a failure message
};

// The medium with the given patches applied, in order; patches past the
// end are clipped.
std::vector<std::uint8_t> damaged(const std::vector<std::uint8_t>& bytes,
                                  const std::vector<Patch>& patches);

// Media the peer tools make from our own source images, once per process;
// empty where a tool is missing.
const std::vector<Medium>& peerMedia();

// A medium and its damage, drawn from `random`.
Medium drawMedium(std::mt19937_64& random);

}  // namespace lorvex_test

#endif  // LORVEX_TESTS_E2E_DAMAGED_MEDIA_H
