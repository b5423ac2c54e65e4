#include "driver/input.h"

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
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr std::size_t kBlock = 65535;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// Reads blocks until end of input; errno tells why when it returns failed.
ReadStatus readAll(std::FILE* f, std::vector<char>& image) {
  image.clear();
  std::size_t used = 0;
  for (;;) {
    if (used > kMaxImageSize) return ReadStatus::tooLarge;
    image.resize(used + kBlock);
    const std::size_t got = std::fread(image.data() + used, 1, kBlock, f);
    used += got;
    if (got < kBlock) break;
  }
  image.resize(used);
  if (std::ferror(f)) return ReadStatus::failed;
  return used > kMaxImageSize ? ReadStatus::tooLarge : ReadStatus::ok;
}

}  // namespace

ReadStatus readImageFile(const std::string& name, std::vector<char>& image) {
  std::error_code ec;
  if (std::filesystem::is_directory(name, ec)) return ReadStatus::failed;
  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(name.c_str(), "rb"));
  if (!f) return ReadStatus::failed;
  return readAll(f.get(), image);
}

ReadStatus readImageStdin(std::vector<char>& image, std::string& problem) {
  errno = 0;
  const ReadStatus status = readAll(stdin, image);
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
