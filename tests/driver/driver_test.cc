#include "driver/driver.h"

#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

#include "e2e/run_program.h"
#include "testlib/global_state.h"
#include "testlib/image_builder.h"
#include "testlib/stream_capture.h"

namespace lorvex_test {
namespace {

std::string runLorvex(std::vector<std::string> words) {
  words.insert(words.begin(), "lorvex");
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  StreamCapture out(std::cout);
  EXPECT_EQ(lorvexMain(static_cast<int>(argv.size()), argv.data()), 0);
  return out.text();
}

// An embedding runs the program many times in one process: a run's options
// must not leak into the next.
TEST(LorvexMain, EachRunStartsFromTheStartSettings) {
  GlobalStateGuard guard;
  TempDir dir;
  ASSERT_TRUE(writeFile(dir / "hello.src", exampleImage().bytes));
  const std::string plain = runLorvex({dir / "hello.src"});
  const std::string bytes = runLorvex({"-b", "-w", "3", dir / "hello.src"});
  ASSERT_NE(bytes, plain);
  EXPECT_EQ(runLorvex({dir / "hello.src"}), plain);
}

}  // namespace
}  // namespace lorvex_test
