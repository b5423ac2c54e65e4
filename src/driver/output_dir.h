// A folder lorvex-disk writes into. It is held open, and every folder and
// file below it is created or entered relative to that handle, never by
// following a link: a link planted in the folder by someone else cannot
// lead a write outside it. Nothing here prints; each call returns a status
// and fills `error` with the system's text for the failure.
#ifndef LORVEX_DRIVER_OUTPUT_DIR_H
#define LORVEX_DRIVER_OUTPUT_DIR_H

#include <string>

class OutputDir {
 public:
  enum class Status {
    ok,
    notAFolder,  // a link, a file or anything else but a real folder stands at the name
    exists,      // a file exists at the name and was left as it is
    failed,      // the system refused; `error` says why
  };

  OutputDir() = default;
  ~OutputDir();
  OutputDir(OutputDir&& other) noexcept;
  OutputDir& operator=(OutputDir&& other) noexcept;
  OutputDir(const OutputDir&) = delete;
  OutputDir& operator=(const OutputDir&) = delete;

  // Creates the folder the user named (and its parents) where missing, and
  // opens it. The user's own path is taken as given, links included.
  Status openGiven(const std::string& path, std::string& error);

  // Creates the folder `name` (one component, no separator) in this one, or
  // opens it when it already exists, never following a link: notAFolder
  // when anything but a real folder is there.
  Status openBelow(const OutputDir& parent, const std::string& name, std::string& error);

  // Creates the file `name` in this folder, exclusively, and writes `bytes`
  // whole. An existing file or link is left as it is (exists) unless
  // `replace`: then it is removed first and a new file made in its place,
  // so a link is replaced, never written through.
  Status writeFile(const std::string& name, const std::string& bytes, bool replace,
                   std::string& error) const;

  // The folder's path as the user would name it: the given path and the
  // names below it, joined by "/".
  const std::string& path() const { return path_; }

 private:
  void close();

  int fd_ = -1;  // the open folder; POSIX hosts only
  std::string path_;
};

#endif  // LORVEX_DRIVER_OUTPUT_DIR_H
