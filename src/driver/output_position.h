// Where a run's output lands, as far as writing it as it is made is
// concerned: whether standard output can be written over again from where
// the run began, and whether an output file is where the standard streams
// go already.
#ifndef LORVEX_DRIVER_OUTPUT_POSITION_H
#define LORVEX_DRIVER_OUTPUT_POSITION_H

#include <string>

// True for a file or device that can be sought in and was not opened to
// append; false for a pipe, a terminal, a file opened to append, and
// wherever the platform cannot tell.
bool standardOutputRewindable();

// True when the file at `path` is the one standard output or standard
// error writes to (as /dev/stdout is), and wherever the platform cannot
// tell; false for a file of its own.
bool sharesStandardStreams(const std::string& path);

#endif  // LORVEX_DRIVER_OUTPUT_POSITION_H
