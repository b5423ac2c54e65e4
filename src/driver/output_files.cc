#include "driver/output_files.h"

#include <cerrno>
#include <cstring>

#include "driver/host_text.h"

bool writeNewFile(const OutputDir& dir, const std::string& name, const std::string& bytes,
                  bool force, std::string& message) {
  std::string error;
  const OutputDir::Status status = dir.writeFile(name, bytes, force, error);
  if (status == OutputDir::Status::ok) return true;
  const std::string path = shownHostName(dir.path() + "/" + name);
  if (status == OutputDir::Status::exists && !force) {
    message = "error: " + path + " already exists; left as it is (-f overwrites)";
  } else {
    // With -f only a folder standing at the name is left.
    if (status == OutputDir::Status::exists) error = std::strerror(EEXIST);
    message = "error: cannot write " + path + ": " + error;
  }
  return false;
}
