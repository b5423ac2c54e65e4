#include "driver/output_cap.h"

bool OutputBudget::take(std::size_t bytes) {
  const auto size = static_cast<long long>(bytes);
  if (full() || files_ + 1 > cap_.files || size > cap_.bytes - bytes_) {
    ++leftOut_;
    return false;
  }
  ++files_;
  bytes_ += size;
  return true;
}

std::string OutputBudget::leftOutText() const {
  return std::to_string(leftOut_) + (leftOut_ == 1 ? " file" : " files") +
         " left out: one image makes at most " + std::to_string(cap_.files) + " files and " +
         std::to_string(cap_.bytes / (1024 * 1024)) + " MiB";
}
