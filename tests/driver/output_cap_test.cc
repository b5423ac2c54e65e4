#include "driver/output_cap.h"

#include <gtest/gtest.h>

#include <vector>

TEST(OutputCap, FilesPastTheCapAreLeftOutAndCounted) {
  const struct {
    std::vector<std::size_t> files;  // sizes, in order
    std::vector<bool> taken;
    const char* leftOut;
  } cases[] = {
      {{10, 20, 30}, {true, true, true}, ""},
      {{10, 20, 30, 1}, {true, true, true, false}, "1 file left out"},
      {{90, 11, 1}, {true, false, false}, "2 files left out"},  // none after the first
      {{100}, {true}, ""},
      {{101, 0}, {false, false}, "2 files left out"},
  };
  for (const auto& c : cases) {
    OutputBudget budget({3, 100});
    std::vector<bool> taken;
    for (const std::size_t size : c.files) taken.push_back(budget.take(size));
    EXPECT_EQ(taken, c.taken);
    const std::string text = budget.leftOut() > 0 ? budget.leftOutText() : "";
    EXPECT_EQ(text.substr(0, text.find(':')), c.leftOut);
  }
}

// The fullest directory of any disk (a D81's 296 entries, listing and raw
// file each) fits, and so does a listing of the largest source image.
TEST(OutputCap, NoRealImageComesNear) {
  EXPECT_GE(kImageOutputCap.files, 2 * 296);
  EXPECT_GE(kImageOutputCap.bytes, 296LL * 64 * 1024);
}
