// Where a run's output lands, as far as writing it as it is made is
// concerned: whether standard output can be written over again from where
// the run began, and whether an output file is one where nothing else the
// run writes can land.
#ifndef LORVEX_DRIVER_OUTPUT_POSITION_H
#define LORVEX_DRIVER_OUTPUT_POSITION_H

#include <string>

// True for a regular file not opened to append, and for the null device;
// false for a pipe, a terminal, any other device, a file opened to append,
// and wherever the platform cannot tell.
bool standardOutputRewindable();

// True for a regular file that neither standard output nor standard error
// writes to; false for one they write to (as /dev/stdout may be), for a
// device or a pipe (a terminal may be named for the one they write to), and
// wherever the platform cannot tell.
bool outputFileOfItsOwn(const std::string& path);

#endif  // LORVEX_DRIVER_OUTPUT_POSITION_H
