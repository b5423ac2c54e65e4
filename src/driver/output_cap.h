// How much one image may make in a lorvex-disk run: files written or
// listings printed, and their bytes. Past the cap the rest of the image's
// files are left out and counted, so a crafted directory of thousands of
// entries cannot fill the disk or the terminal.
#ifndef LORVEX_DRIVER_OUTPUT_CAP_H
#define LORVEX_DRIVER_OUTPUT_CAP_H

#include <cstddef>
#include <string>

struct OutputCap {
  int files;
  long long bytes;
};

// No real image comes near it: the largest directory (a D81's) holds 296
// entries, two files each with -r, and a full D81 of sources lists to a few
// MiB; a T64 holds no more than a tape does.
constexpr OutputCap kImageOutputCap = {1024, 64LL * 1024 * 1024};

class OutputBudget {
 public:
  explicit OutputBudget(OutputCap cap = kImageOutputCap) : cap_(cap) {}

  // True once a file did not fit: every later one is left out too.
  bool full() const { return leftOut_ > 0; }
  // True, and counted, when one more file of `bytes` fits and none was left
  // out before; otherwise the file is counted as left out.
  bool take(std::size_t bytes);
  // Counts a file left out without asking (the budget is full).
  void skip() { ++leftOut_; }

  int leftOut() const { return leftOut_; }
  // "N files left out: one image makes at most 1024 files and 64 MiB".
  std::string leftOutText() const;

 private:
  OutputCap cap_;
  int files_ = 0;
  long long bytes_ = 0;
  int leftOut_ = 0;
};

#endif  // LORVEX_DRIVER_OUTPUT_CAP_H
