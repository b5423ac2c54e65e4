// Tests start from the process state's start values and leave the
// process-wide label table as they found it.
#ifndef LORVEX_TESTS_TESTLIB_GLOBAL_STATE_H
#define LORVEX_TESTS_TESTLIB_GLOBAL_STATE_H

#include <string>
#include <utility>
#include <vector>

#include "petscii/lorvex_global.h"
#include "source/process_state.h"
#include "source/zeb_source.h"

namespace lorvex_test {

class GlobalStateGuard {
 public:
  explicit GlobalStateGuard(std::vector<std::string> labels = {})
      : saved(std::move(zeb_Source::globLabels)) {
    zeb_resetProcessState();
    zeb_Source::globLabels = std::move(labels);
  }
  ~GlobalStateGuard() {
    zeb_resetProcessState();
    zeb_Source::globLabels = std::move(saved);
  }
  GlobalStateGuard(const GlobalStateGuard&) = delete;
  GlobalStateGuard& operator=(const GlobalStateGuard&) = delete;

 private:
  std::vector<std::string> saved;
};

}  // namespace lorvex_test

#endif  // LORVEX_TESTS_TESTLIB_GLOBAL_STATE_H
