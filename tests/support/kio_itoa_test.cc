#include "support/kio_itoa.h"

#include <climits>
#include <string>

#include <gtest/gtest.h>

namespace {

struct ItoaCase {
  int value;
  int base;
  const char* expected;
};

const ItoaCase kItoaCases[] = {
    {0, 10, "0"},          {0, 16, "0"},
    {0, 2, "00000000"},    {65535, 10, "65535"},
    {-42, 10, "-42"},      {INT_MAX, 10, "2147483647"},
    {INT_MIN, 10, "-2147483648"},
    {65535, 16, "ffff"},   {255, 16, "ff"},
    {10, 16, "a"},         {-1, 16, "ffffffff"},
    {INT_MIN, 16, "80000000"},
    {5, 2, "00000101"},    {300, 2, "00101100"},
    {256, 2, "00000000"},  {-1, 2, "11111111"},
    {7, 8, ""},            {7, 0, ""},
    {7, 1, ""},            {7, -16, ""},
};

TEST(KioItoa, RendersEachBase) {
  for (const ItoaCase& c : kItoaCases) {
    EXPECT_EQ(std::string(kio_itoa(c.value, c.base)), c.expected)
        << "value " << c.value << " base " << c.base;
  }
}

TEST(KioItoa, NextCallOverwritesTheResult) {
  const char* first = kio_itoa(12, 10);
  const char* second = kio_itoa(0x34, 16);
  EXPECT_EQ(first, second);
  EXPECT_STREQ(first, "34");
}

}  // namespace
