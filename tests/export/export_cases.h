// Small sources with the program each must build into, written out by hand
// from the notation's rules (load address first). The export tests build
// them one by one; the whole-program tests put them all on one disk.
#ifndef LORVEX_TESTS_EXPORT_EXPORT_CASES_H
#define LORVEX_TESTS_EXPORT_EXPORT_CASES_H

#include <string>
#include <vector>

#include "testlib/image_builder.h"

namespace lorvex_test {

struct ExportCase {
  const char* name;
  std::vector<std::string> labels;
  std::vector<Record> lines;
  const char* program;  // the PRG file as hexadecimal pairs, load address first
};

const std::vector<ExportCase>& exportCases();

// The image of a case, in the variant given.
BuiltImage exportCaseImage(const ExportCase& c, zeb_SourceType variant = zeb_MACRO_8000);

}  // namespace lorvex_test

#endif  // LORVEX_TESTS_EXPORT_EXPORT_CASES_H
