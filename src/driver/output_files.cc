#include "driver/output_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#define LORVEX_POSIX_FILES 1
#endif

namespace fs = std::filesystem;

namespace {

#if defined(LORVEX_POSIX_FILES)
// Creates the file exclusively and writes it whole; false with errno set
// when it could not. The exclusive create fails on an existing name, a
// link included, so no separate look at the name is needed first.
bool createFile(const fs::path& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = true;
  const char* at = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, at, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      ok = false;
      break;
    }
    at += n;
    left -= static_cast<std::size_t>(n);
  }
  const int saved = errno;
  if (::close(fd) != 0 && ok) return false;
  errno = saved;
  return ok;
}
#else
bool createFile(const fs::path& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.string().c_str(), "wbx");
  if (f == nullptr) {
    // Exclusive opening may fail on an existing name without saying so.
    std::error_code ec;
    if (errno == 0 && fs::exists(fs::symlink_status(path, ec))) errno = EEXIST;
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (std::fclose(f) != 0) ok = false;
  return ok;
}
#endif

}  // namespace

bool writeNewFile(const fs::path& path, const std::string& bytes, bool force,
                  std::string& message) {
  std::error_code ec;
  // A link is replaced, never followed out of the directory.
  if (force) fs::remove(path, ec);
  errno = 0;
  if (createFile(path, bytes)) return true;
  if (errno == EEXIST && !force) {
    message = "error: " + path.string() + " already exists; left as it is (-f overwrites)";
  } else {
    message = "error: cannot write " + path.string() + ": " + std::strerror(errno != 0 ? errno : EIO);
  }
  return false;
}
