// The files lorvex-disk writes with -x: each created new, relative to a
// folder held open (driver/output_dir.h), and written whole; an existing
// one kept unless the run may replace it.
#ifndef LORVEX_DRIVER_OUTPUT_FILES_H
#define LORVEX_DRIVER_OUTPUT_FILES_H

#include <string>

#include "driver/output_dir.h"

// Writes `bytes` as the new file `name` in `dir`. An existing file (or
// link) is kept, unless `force`: then it is removed first, a link never
// followed. Returns false with `message` holding the error line when the
// file was not written: "error: PATH already exists; left as it is (-f
// overwrites)" or "error: cannot write PATH: " and the system's text, PATH
// shown by the host-name rule.
bool writeNewFile(const OutputDir& dir, const std::string& name, const std::string& bytes,
                  bool force, std::string& message);

#endif  // LORVEX_DRIVER_OUTPUT_FILES_H
