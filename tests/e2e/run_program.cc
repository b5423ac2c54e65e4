#include "e2e/run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace lorvex_test {

namespace {

// Owns one file descriptor.
class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { reset(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Fd& operator=(Fd&& other) noexcept {
    if (this != &other) {
      reset();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }

  int get() const { return fd_; }
  bool open() const { return fd_ >= 0; }
  void reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

[[noreturn]] void fail(const std::string& what) {
  throw std::runtime_error(what + ": " + std::strerror(errno));
}

// Both ends close on exec; dup2 gives the child its own inheritable copies.
std::pair<Fd, Fd> makePipe() {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) fail("pipe2");
  return {Fd(ends[0]), Fd(ends[1])};
}

Fd openForWriting(const std::string& path, bool append) {
  Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC), 0644));
  if (!fd.open()) fail("open " + path);
  return fd;
}

Fd openForReading(const std::string& path) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.open()) fail("open " + path);
  return fd;
}

std::string inWorkDir(const std::string& path, const std::string& workDir) {
  if (workDir.empty() || path.empty() || path.front() == '/') return path;
  return workDir + "/" + path;
}

// A child that stops reading its input must not kill the test with SIGPIPE;
// the write then fails with EPIPE, which is handled.
void ignoreSigpipe() {
  static const bool done = [] {
    struct sigaction action {};
    action.sa_handler = SIG_IGN;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGPIPE, &action, nullptr);
    return true;
  }();
  (void)done;
}

// Only async-signal-safe calls between fork and exec.
[[noreturn]] void execChild(const std::string& binary, char* const* argv, int in, int out, int err,
                            const char* workDir) {
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGPIPE, &action, nullptr);
  if (::dup2(in, STDIN_FILENO) < 0 || ::dup2(out, STDOUT_FILENO) < 0 ||
      ::dup2(err, STDERR_FILENO) < 0) {
    ::_exit(127);
  }
  if (workDir != nullptr && ::chdir(workDir) != 0) ::_exit(127);
  ::execv(binary.c_str(), argv);
  ::_exit(127);
}

// Feeds `input` to the child through `toChild` (when open) and gathers both
// of its outputs, whichever is ready, so that no pipe fills up while another
// is waited on.
void exchange(Fd& toChild, const std::string& input, Fd& fromOut, Fd& fromErr,
              ProgramResult& result) {
  if (toChild.open()) ::fcntl(toChild.get(), F_SETFL, O_NONBLOCK);
  std::size_t written = 0;
  if (written == input.size()) toChild.reset();
  char buffer[65536];
  while (toChild.open() || fromOut.open() || fromErr.open()) {
    pollfd fds[3] = {
        {toChild.get(), POLLOUT, 0}, {fromOut.get(), POLLIN, 0}, {fromErr.get(), POLLIN, 0}};
    if (::poll(fds, 3, -1) < 0) {
      if (errno == EINTR) continue;
      fail("poll");
    }
    if (fds[0].revents != 0) {
      const ssize_t n = ::write(toChild.get(), input.data() + written, input.size() - written);
      if (n > 0) written += static_cast<std::size_t>(n);
      if ((n < 0 && errno != EAGAIN && errno != EINTR) || written == input.size()) {
        toChild.reset();
      }
    }
    Fd* sources[2] = {&fromOut, &fromErr};
    std::string* sinks[2] = {&result.out, &result.err};
    for (int i = 0; i < 2; ++i) {
      if (fds[i + 1].revents == 0) continue;
      const ssize_t n = ::read(sources[i]->get(), buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        sources[i]->reset();
      }
    }
  }
}

int waitFor(pid_t child) {
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) fail("waitpid");
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return WIFSIGNALED(status) ? -WTERMSIG(status) : -1;
}

}  // namespace

ProgramStdin stdinBytes(std::string bytes) {
  return {ProgramStdin::Kind::bytes, std::move(bytes)};
}

ProgramStdin stdinFile(std::string path) {
  return {ProgramStdin::Kind::file, std::move(path)};
}

ProgramResult runProgram(const std::string& binary, const ProgramCall& call) {
  ignoreSigpipe();
  std::vector<std::string> words{call.argv0};
  words.insert(words.end(), call.args.begin(), call.args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(&word[0]);
  argv.push_back(nullptr);

  Fd childIn;
  Fd toChild;
  switch (call.in.kind) {
    case ProgramStdin::Kind::null:
      childIn = openForReading("/dev/null");
      break;
    case ProgramStdin::Kind::file:
      childIn = openForReading(inWorkDir(call.in.data, call.workDir));
      break;
    case ProgramStdin::Kind::bytes:
      std::tie(childIn, toChild) = makePipe();
      break;
  }
  auto [fromOut, childOut] = makePipe();
  if (!call.outFile.empty()) {
    fromOut.reset();
    childOut = openForWriting(inWorkDir(call.outFile, call.workDir), call.appendOut);
  }
  auto [fromErr, childErr] = makePipe();
  if (call.errWithOut) {
    fromErr.reset();
    childErr.reset();
  }

  const pid_t child = ::fork();
  if (child < 0) fail("fork");
  if (child == 0) {
    execChild(binary, argv.data(), childIn.get(), childOut.get(),
              call.errWithOut ? childOut.get() : childErr.get(),
              call.workDir.empty() ? nullptr : call.workDir.c_str());
  }
  childIn.reset();
  childOut.reset();
  childErr.reset();

  ProgramResult result;
  exchange(toChild, call.in.data, fromOut, fromErr, result);
  result.status = waitFor(child);
  return result;
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "lorvex-e2e-XXXXXX").string();
  if (::mkdtemp(&pattern[0]) == nullptr) fail("mkdtemp");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace lorvex_test
