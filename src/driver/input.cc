#include "driver/input.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr std::size_t kBlock = 65535;

// Reads until end of input into a buffer that starts at `expected` + 1
// bytes (so a known size is read in one go) and doubles when it fills.
// readSome(at, count) returns how many bytes it put at `at`, 0 at the
// end, or less than 0 on failure, with errno telling why.
template <typename Bytes, typename ReadSome>
ReadStatus readAll(Bytes& image, std::size_t expected, ReadSome readSome) {
  image.clear();
  image.resize(std::min(expected, kMaxImageSize) + 1);
  std::size_t used = 0;
  for (;;) {
    const long got = readSome(reinterpret_cast<char*>(image.data()) + used, image.size() - used);
    if (got < 0) return ReadStatus::failed;
    if (got == 0) break;
    used += static_cast<std::size_t>(got);
    if (used < image.size()) continue;
    if (used > kMaxImageSize) return ReadStatus::tooLarge;
    image.resize(std::max(image.size() * 2, kBlock));
  }
  image.resize(used);
  return used > kMaxImageSize ? ReadStatus::tooLarge : ReadStatus::ok;
}

template <typename Bytes>
ReadStatus readStream(std::FILE* f, Bytes& image, std::size_t expected) {
  return readAll(image, expected, [f](char* at, std::size_t count) -> long {
    const std::size_t got = std::fread(at, 1, count, f);
    if (got == 0 && std::ferror(f)) return -1;
    return static_cast<long>(got);
  });
}

#ifdef _WIN32
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// The size a regular file says it has, as a first guess; 0 when unknown.
std::size_t expectedSize(std::FILE* f) {
  if (std::fseek(f, 0, SEEK_END) != 0) return 0;
  const long size = std::ftell(f);
  std::rewind(f);
  return size > 0 ? static_cast<std::size_t>(size) : 0;
}

template <typename Bytes>
ReadStatus readFile(const std::string& name, Bytes& image) {
  std::error_code ec;
  if (std::filesystem::is_directory(name, ec)) return ReadStatus::failed;
  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(name.c_str(), "rb"));
  if (!f) return ReadStatus::failed;
  return readStream(f.get(), image, expectedSize(f.get()));
}
#else
// Straight into the image's room: the open file's status gives its kind
// and size, and no stream buffer stands between.
template <typename Bytes>
ReadStatus readFile(const std::string& name, Bytes& image) {
  const int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return ReadStatus::failed;
  struct stat status {};
  ReadStatus result = ReadStatus::failed;
  if (fstat(fd, &status) == 0 && !S_ISDIR(status.st_mode)) {
    const std::size_t expected = S_ISREG(status.st_mode) && status.st_size > 0
                                     ? static_cast<std::size_t>(status.st_size)
                                     : 0;
    result = readAll(image, expected, [fd](char* at, std::size_t count) -> long {
      for (;;) {
        const ssize_t got = read(fd, at, count);
        if (got >= 0 || errno != EINTR) return static_cast<long>(got);
      }
    });
  }
  close(fd);
  return result;
}
#endif

}  // namespace

ReadStatus readImageFile(const std::string& name, ImageBytes& image) {
  return readFile(name, image);
}

ReadStatus readImageFile(const std::string& name, std::vector<unsigned char>& image) {
  return readFile(name, image);
}

ReadStatus readImageStdin(ImageBytes& image, std::string& problem) {
  errno = 0;
  const ReadStatus status = readStream(stdin, image, kBlock);
  if (status == ReadStatus::failed) problem = std::strerror(errno != 0 ? errno : EIO);
  return status;
}

bool setStdinBinary(std::string& problem) {
#ifdef _WIN32
  if (_setmode(_fileno(stdin), _O_BINARY) == -1) {
    problem = std::strerror(errno);
    return false;
  }
#else
  (void)problem;
#endif
  return true;
}

bool isSameFileAsInput(const std::string& input, const std::string& output) {
  std::error_code ec;
  if (!input.empty()) return std::filesystem::equivalent(input, output, ec);
#ifdef _WIN32
  return false;
#else
  struct stat in {};
  struct stat out {};
  if (fstat(STDIN_FILENO, &in) != 0 || !S_ISREG(in.st_mode)) return false;
  if (stat(output.c_str(), &out) != 0) return false;
  return in.st_dev == out.st_dev && in.st_ino == out.st_ino;
#endif
}
