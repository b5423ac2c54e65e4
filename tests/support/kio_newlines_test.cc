#include "support/kio_newlines.h"

#include <cstddef>
#include <string>

#include <gtest/gtest.h>

namespace {

// Line breaks at every place within and across eight-byte words, beside
// bytes one bit away from '\n' and bytes with the top bit set.
struct NewlinesCase {
  std::string text;
  std::size_t breaks;
};

const NewlinesCase kNewlinesCases[] = {
    {"", 0},
    {"\n", 1},
    {"abcdefg\n", 1},
    {"\nabcdefgh\n", 2},
    {"\n\n\n\n\n\n\n\n\n", 9},
    {"\x0b\x08\x0e\x8a\x0a\x2a\xff\x01\x0a", 2},
    {std::string(8, '\x8a') + "\n" + std::string(7, '\x0b'), 1},
    {"line one\nline two\n\xe2\x94\x80\xe2\x94\x80\nend", 3},
};

TEST(KioNewlines, CountsEveryBreakAtAnyAlignment) {
  for (const NewlinesCase& c : kNewlinesCases) {
    for (std::size_t shift = 0; shift < 8; ++shift) {
      const std::string padded = std::string(shift, 'x') + c.text;
      EXPECT_EQ(kio_newlines(padded.data() + shift, padded.data() + padded.size()), c.breaks)
          << c.text << " at " << shift;
    }
  }
  const char text[] = "a\n";
  EXPECT_EQ(kio_newlines(text + 2, text + 1), 0u);
}

}  // namespace
