#include "model/zeb_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ZebText, PiecesInOrder) {
  zeb_Text text;
  text.put('l');
  text.put("da");
  text.put(" #$0", 3);
  text.fill(' ', 2);
  text.put(std::string_view("x"));
  text.fill('-', 0);
  EXPECT_EQ(text.view(), "lda #$  x");
  EXPECT_EQ(text.size(), 9u);
}

// Past its own buffer the text moves to the heap and keeps what it had.
TEST(ZebText, GrowsWithoutLosingText) {
  zeb_Text text;
  std::string expected;
  for (int i = 0; i < 3000; ++i) {
    const std::string piece = std::to_string(i) + ",";
    text.put(piece);
    expected += piece;
  }
  text.fill('.', 5000);
  expected.append(5000, '.');
  EXPECT_EQ(text.view(), expected);
}

}  // namespace
