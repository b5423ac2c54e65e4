// Builds an exported source with its target assembler, by the fixed
// command the exported files promise, in a folder of its own.
#ifndef LORVEX_TESTS_EXPORT_ASSEMBLE_H
#define LORVEX_TESTS_EXPORT_ASSEMBLE_H

#include <string>

#include "export/source_export.h"
#include "testlib/image_builder.h"

namespace lorvex_test {

// The Debian package that holds the target's assembler.
const char* assemblerPackage(lorvex_Target target);

// True when the target's assembler can be run. When it cannot and the
// environment variable CI is "true", a test must fail rather than skip.
bool haveAssembler(lorvex_Target target);
bool mustRunTools();

// Writes `text` as NAME plus the target's extension (and ca65.cfg) into
// `dir`, runs the target's command there and reads NAME.prg into `prg`.
// False with `log` holding what the assembler said when it failed.
bool assembleIn(const std::string& dir, lorvex_Target target, const std::string& name,
                const std::string& text, Bytes& prg, std::string& log);

// The bytes written as hexadecimal pairs separated by spaces ("01 0a").
std::string hexText(const Bytes& bytes);

}  // namespace lorvex_test

#define LORVEX_NEED_ASSEMBLER(target)                                                     \
  do {                                                                                    \
    if (!lorvex_test::haveAssembler(target)) {                                            \
      if (lorvex_test::mustRunTools())                                                    \
        FAIL() << "CI needs the " << lorvex_test::assemblerPackage(target) << " package"; \
      GTEST_SKIP() << "needs the " << lorvex_test::assemblerPackage(target) << " package"; \
    }                                                                                     \
  } while (0)

#endif  // LORVEX_TESTS_EXPORT_ASSEMBLE_H
