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

TEST(ZebText, ExtendHandsOutRoomToFill) {
  zeb_Text text;
  text.put("ab");
  char* room = text.extend(300);
  for (int i = 0; i < 300; ++i) room[i] = 'z';
  text.put('!');
  EXPECT_EQ(text.view(), "ab" + std::string(300, 'z') + "!");
}

TEST(ZebText, PutAppendedTakesWhatAStringGot) {
  zeb_Text text;
  text.put('[');
  text.putAppended([](std::string& s) { s += "first"; });
  text.putAppended([](std::string& s) {
    EXPECT_TRUE(s.empty());
    s += "second";
  });
  text.put(']');
  EXPECT_EQ(text.view(), "[firstsecond]");
}

TEST(ZebText, ClearStartsOver) {
  zeb_Text text(10);
  text.put("old text");
  text.clear();
  text.put("new");
  EXPECT_EQ(text.view(), "new");
}

}  // namespace
