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

// kio_breaks counts the same and finds the start of the last line, wherever
// the last break lies: in a whole word, in the tail, or nowhere.
struct LastLineCase {
  std::string text;
  std::size_t lineStart;
};

const LastLineCase kLastLineCases[] = {
    {"", 0},
    {"abcdefghijklmnop", 0},
    {"\n", 1},
    {"ab\ncdefghijklmnopq", 3},
    {"abcdefg\nhijklmnopq", 8},
    {"abcdefgh\n\nij", 10},
    {"\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\x8a", 15},
    {std::string(40, '\n') + std::string(30, '\x8a'), 40},
    {"ab\n" + std::string(70, 'x'), 3},
};

TEST(KioNewlines, BreaksFindsTheLastLine) {
  for (const LastLineCase& c : kLastLineCases) {
    for (std::size_t shift = 0; shift < 8; ++shift) {
      const std::string padded = std::string(shift, '\n') + c.text;
      const char* from = padded.data() + shift;
      const kio_Breaks breaks = kio_breaks(from, from + c.text.size());
      EXPECT_EQ(breaks.count, kio_newlines(from, from + c.text.size())) << c.text;
      EXPECT_EQ(breaks.lineStart - from, static_cast<std::ptrdiff_t>(c.lineStart))
          << c.text << " at " << shift;
    }
  }
}

}  // namespace
