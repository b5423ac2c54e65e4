#include "driver/output_position.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

bool standardOutputRewindable() {
#ifdef _WIN32
  return false;
#else
  if (lseek(STDOUT_FILENO, 0, SEEK_CUR) < 0) return false;
  const int flags = fcntl(STDOUT_FILENO, F_GETFL);
  return flags >= 0 && (flags & O_APPEND) == 0;
#endif
}

bool sharesStandardStreams(const std::string& path) {
#ifdef _WIN32
  (void)path;
  return true;
#else
  struct stat file {};
  if (stat(path.c_str(), &file) != 0) return true;
  for (const int fd : {STDOUT_FILENO, STDERR_FILENO}) {
    struct stat stream {};
    if (fstat(fd, &stream) == 0 && stream.st_dev == file.st_dev && stream.st_ino == file.st_ino) {
      return true;
    }
  }
  return false;
#endif
}
