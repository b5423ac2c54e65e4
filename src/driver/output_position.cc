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
  struct stat out {};
  if (fstat(STDOUT_FILENO, &out) != 0) return false;
  if (S_ISREG(out.st_mode)) {
    const int flags = fcntl(STDOUT_FILENO, F_GETFL);
    return flags >= 0 && (flags & O_APPEND) == 0 && lseek(STDOUT_FILENO, 0, SEEK_CUR) >= 0;
  }
  // Of the devices, only the one that keeps nothing: others that accept a
  // seek may still keep every byte written to them.
  struct stat null {};
  return S_ISCHR(out.st_mode) && stat("/dev/null", &null) == 0 && S_ISCHR(null.st_mode) &&
         out.st_rdev == null.st_rdev;
#endif
}

bool outputFileOfItsOwn(const std::string& path) {
#ifdef _WIN32
  (void)path;
  return false;
#else
  struct stat file {};
  if (stat(path.c_str(), &file) != 0 || !S_ISREG(file.st_mode)) return false;
  for (const int fd : {STDOUT_FILENO, STDERR_FILENO}) {
    struct stat stream {};
    if (fstat(fd, &stream) == 0 && stream.st_dev == file.st_dev && stream.st_ino == file.st_ino) {
      return false;
    }
  }
  return true;
#endif
}
