// Runs the built program as a child process, the way a shell would, and
// gives back what it wrote and how it ended. POSIX only.
#ifndef LORVEX_TESTS_E2E_RUN_PROGRAM_H
#define LORVEX_TESTS_E2E_RUN_PROGRAM_H

#include <string>
#include <vector>

namespace lorvex_test {

// What the child finds on its standard input.
struct ProgramStdin {
  enum class Kind { null, bytes, file };
  Kind kind = Kind::null;  // null: /dev/null
  std::string data;        // bytes: written through a pipe; file: a path opened read-only
};

ProgramStdin stdinBytes(std::string bytes);
// A relative path is taken from the run's working directory.
ProgramStdin stdinFile(std::string path);

struct ProgramCall {
  std::string argv0 = "lorvex";   // the invocation name the program sees
  std::vector<std::string> args;  // argv[1] onwards
  ProgramStdin in;
  std::string workDir;  // empty: the caller's own
  std::string outFile;  // non-empty: standard output goes to this file, not captured
  bool appendOut = false;   // with outFile: opened to append (>>), not emptied
  bool errWithOut = false;  // standard error goes where standard output goes (2>&1)
};

struct ProgramResult {
  int status = -1;  // exit status, or minus the signal that ended the child
  std::string out;
  std::string err;
};

// Runs `binary` (an absolute path) as `call` says and waits for it to end.
// Throws std::runtime_error when the child cannot be started.
ProgramResult runProgram(const std::string& binary, const ProgramCall& call);

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// The whole content of a file, or the empty string when it cannot be read.
std::string readFile(const std::string& path);

}  // namespace lorvex_test

#endif  // LORVEX_TESTS_E2E_RUN_PROGRAM_H
