#include "driver/output_dir.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#define LORVEX_POSIX_FILES 1
#elif defined(_WIN32)
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

std::string systemText(int code) { return std::strerror(code != 0 ? code : EIO); }

std::string joined(const std::string& parent, const std::string& name) {
  if (parent.empty() || parent.back() == '/') return parent + name;
  return parent + "/" + name;
}

#if defined(LORVEX_POSIX_FILES)
// Writes all of `bytes` to `fd`; false with errno set when it cannot.
bool writeAll(int fd, const std::string& bytes) {
  const char* at = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, at, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    at += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}
#elif defined(_WIN32)
// A junction or symbolic link is a reparse point; a folder is trusted only
// when it is none.
bool isRealFolder(const fs::path& path) {
  const DWORD attributes = GetFileAttributesW(path.wstring().c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
         (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}
#endif

}  // namespace

OutputDir::~OutputDir() { close(); }

OutputDir::OutputDir(OutputDir&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

OutputDir& OutputDir::operator=(OutputDir&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
  }
  return *this;
}

void OutputDir::close() {
#if defined(LORVEX_POSIX_FILES)
  if (fd_ >= 0) ::close(fd_);
#endif
  fd_ = -1;
}

OutputDir::Status OutputDir::openGiven(const std::string& path, std::string& error) {
  close();
  path_ = path;
  std::error_code ec;
  fs::create_directories(path, ec);
#if defined(LORVEX_POSIX_FILES)
  fd_ = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ >= 0) return Status::ok;
  error = ec ? ec.message() : systemText(errno);
  return errno == ENOTDIR ? Status::notAFolder : Status::failed;
#else
  if (fs::is_directory(path, ec)) return Status::ok;
  error = ec ? ec.message() : "cannot create the directory";
  return fs::exists(path, ec) ? Status::notAFolder : Status::failed;
#endif
}

OutputDir::Status OutputDir::openBelow(const OutputDir& parent, const std::string& name,
                                       std::string& error) {
  close();
  path_ = joined(parent.path_, name);
#if defined(LORVEX_POSIX_FILES)
  if (::mkdirat(parent.fd_, name.c_str(), 0777) != 0 && errno != EEXIST) {
    error = systemText(errno);
    return Status::failed;
  }
  fd_ = ::openat(parent.fd_, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd_ >= 0) return Status::ok;
  error = systemText(errno);
  return errno == ELOOP || errno == ENOTDIR ? Status::notAFolder : Status::failed;
#else
  // Without folder handles the check and the use are two steps: a link
  // planted between them is not seen.
  const fs::path at(path_);
  std::error_code ec;
  fs::create_directory(at, ec);
  if (ec && !fs::exists(fs::symlink_status(at, ec))) {
    error = ec.message();
    return Status::failed;
  }
#if defined(_WIN32)
  if (!isRealFolder(at)) return Status::notAFolder;
#else
  if (fs::is_symlink(fs::symlink_status(at, ec)) || !fs::is_directory(at, ec))
    return Status::notAFolder;
#endif
  return Status::ok;
#endif
}

OutputDir::Status OutputDir::writeFile(const std::string& name, const std::string& bytes,
                                       bool replace, std::string& error) const {
#if defined(LORVEX_POSIX_FILES)
  if (replace) ::unlinkat(fd_, name.c_str(), 0);
  // O_EXCL fails on any existing name, a link included, so nothing is
  // ever written through one.
  const int fd = ::openat(fd_, name.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) {
    const int cause = errno;
    error = systemText(cause);
    return cause == EEXIST ? Status::exists : Status::failed;
  }
  bool ok = writeAll(fd, bytes);
  int cause = ok ? 0 : errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    cause = errno;
  }
  if (ok) return Status::ok;
  error = systemText(cause);
  return Status::failed;
#else
  const fs::path at = fs::path(path_) / name;
  std::error_code ec;
  const bool existed = fs::exists(fs::symlink_status(at, ec));
  if (existed && !replace) return Status::exists;
  if (existed) fs::remove(at, ec);
  errno = 0;
  std::FILE* f = std::fopen(at.string().c_str(), "wbx");
  if (f == nullptr) {
    const int cause = errno;
    if (cause == EEXIST || (cause == 0 && fs::exists(fs::symlink_status(at, ec))))
      return Status::exists;
    error = systemText(cause);
    return Status::failed;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  int cause = ok ? 0 : errno;
  if (std::fclose(f) != 0 && ok) {
    ok = false;
    cause = errno;
  }
  if (ok) return Status::ok;
  error = systemText(cause);
  return Status::failed;
#endif
}
