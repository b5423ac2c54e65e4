#include "export/source_export.h"

#include "export/export_writer.h"
#include "petscii/lorvex_global.h"


bool lorvex_targetByName(std::string_view name, lorvex_Target& target) {
  if (name == "acme") {
    target = lorvex_Target::acme;
    return true;
  }
  if (name == "ca65") {
    target = lorvex_Target::ca65;
    return true;
  }
  return false;
}

std::string lorvex_defaultIncludedFile(std::string_view rawName, lorvex_Target target) {
  std::string name;
  for (unsigned char b : rawName) {
    char c = Lorvex_global::toASCII(b);
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    const bool keep = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
    name += keep ? c : '_';
  }
  if (name.empty()) name = "_";
  return name + lorvex_targetSyntax(target).extension;
}

bool lorvex_exportSource(const zeb_Source& source, const lorvex_ExportOptions& options,
                         std::string& out, std::string& error) {
  lorvex_ExportWriter writer(source, options);
  return writer.run(out, error);
}
