// Whole-program cases whose listing and reports are kept as golden files
// under tests/e2e/golden: each case builds its own image and names the
// options it is run with.
#ifndef LORVEX_TESTS_E2E_GOLDEN_CASES_H
#define LORVEX_TESTS_E2E_GOLDEN_CASES_H

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "testlib/image_builder.h"

namespace lorvex_test {

struct GoldenCase {
  // Stem of the golden files (<name>.txt, <name>.err) and the test's name:
  // letters, digits and '_' only.
  std::string name;
  std::function<Bytes()> image;
  // Given before the input name. A case that writes with -o names its file
  // here as well as in outputFile.
  std::vector<std::string> options;
  // The image is written under this name in the run's working directory and
  // named on the command line, or piped to standard input instead.
  std::string inputName = "image.src";
  bool fromStdin = false;
  // Non-empty: the file the run writes its output to (relative to the run's
  // working directory); the golden text is that file's content.
  std::string outputFile;
};

const std::vector<GoldenCase>& goldenCases();

// For readable test names in failure messages.
inline void PrintTo(const GoldenCase& c, std::ostream* os) {
  *os << c.name;
}

}  // namespace lorvex_test

#endif  // LORVEX_TESTS_E2E_GOLDEN_CASES_H
