// The files lorvex-disk writes with -x: each created new and written whole,
// an existing one kept unless the run may replace it.
#ifndef LORVEX_DRIVER_OUTPUT_FILES_H
#define LORVEX_DRIVER_OUTPUT_FILES_H

#include <filesystem>
#include <string>

// Writes `bytes` as a new file at `path`. An existing file (or link) is
// kept, unless `force`: then it is removed first, a link never followed.
// Returns false with `message` holding the error line when the file was not
// written: "error: PATH already exists; left as it is (-f overwrites)" or
// "error: cannot write PATH: " and the system's text.
bool writeNewFile(const std::filesystem::path& path, const std::string& bytes, bool force,
                  std::string& message);

#endif  // LORVEX_DRIVER_OUTPUT_FILES_H
