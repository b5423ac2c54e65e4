// How both programs end a run: the two exit statuses, the one-line error
// message, the report of a command line the parser refused, and the check
// that what was written really reached its stream.
#ifndef LORVEX_DRIVER_RUN_STATUS_H
#define LORVEX_DRIVER_RUN_STATUS_H

#include <ostream>
#include <string>
#include <vector>

class kio_Getopt;

constexpr int kOk = 0;
constexpr int kError = 1;

extern const char kStandardOutput[];  // "standard output", as messages name it

// Writes the message as one flushed line to standard error; returns kError.
int fail(const std::string& message);

// Each parser error behind the invocation name, then the usage and the
// short help, to standard error; returns kError.
int reportParseErrors(const kio_Getopt& options, const char* invocation, const std::string& usage,
                      const std::string& shortHelp);
// The same for error texts already taken from the parser (lorvex-disk
// shows the words in them by the host-name rule first).
int reportParseErrors(const std::vector<std::string>& errors, const char* invocation,
                      const std::string& usage, const std::string& shortHelp);

// Flushes `out`. A stream that failed at any point, or whose last bytes
// cannot be flushed, lost output the user asked for: "error: cannot write
// NAME: " and the system's text for errno (the cause of the first failed
// write), and kError. kOk otherwise.
int checkWritten(std::ostream& out, const std::string& name);

#endif  // LORVEX_DRIVER_RUN_STATUS_H
