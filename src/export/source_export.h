// A decoded source written as the source text of a modern cross-assembler,
// built there into the same bytes as by the family's own assembler: the
// same program file, load address included.
#ifndef LORVEX_EXPORT_SOURCE_EXPORT_H
#define LORVEX_EXPORT_SOURCE_EXPORT_H

#include <functional>
#include <string>
#include <string_view>

#include "export/export_syntax.h"

class zeb_Source;

// The target named `name` ("acme", "ca65"); false for any other name.
bool lorvex_targetByName(std::string_view name, lorvex_Target& target);

struct lorvex_ExportOptions {
  lorvex_Target target = lorvex_Target::acme;
  // The file an `.include` of the raw PETSCII name `rawName` reads, as the
  // exported source names it (extension included). Unset:
  // lorvex_defaultIncludedFile.
  std::function<std::string(std::string_view rawName)> includedFile;
};

// The file an `.include` of `rawName` reads when the caller knows no better:
// the name in lower case, every character but letters, digits, "." "_"
// "-" made "_", and the target's extension.
std::string lorvex_defaultIncludedFile(std::string_view rawName, lorvex_Target target);

// Appends the export of `source` to `out` and returns true. When the target
// cannot say what a line says, returns false with `error` set to
// "line N: STATEMENT: WHY"; `out` is then left as it was.
bool lorvex_exportSource(const zeb_Source& source, const lorvex_ExportOptions& options,
                         std::string& out, std::string& error);

#endif  // LORVEX_EXPORT_SOURCE_EXPORT_H
