#include <string>

#include <gtest/gtest.h>

#include "model/zeb_line.h"
#include "petscii/lorvex_global.h"
#include "testlib/global_state.h"

namespace LG = Lorvex_global;

namespace {

std::string comment(unsigned char c) {
  std::string out;
  LG::appendCommentChar(out, c);
  return out;
}

class Utf8OutputTest : public ::testing::Test {
 private:
  lorvex_test::GlobalStateGuard guard;
};

TEST_F(Utf8OutputTest, StringAndCommentExamplesOffAndOn) {
  const struct {
    unsigned char code;
    int conversion;
    const char* tokOff;
    const char* tokOn;
    const char* commentOff;
    const char* commentOn;
  } cases[] = {
      {0x5C, 0, "{pound}", "\xc2\xa3", "\\", "\xc2\xa3"},                   // U+00A3
      {0x5E, 0, "^", "\xe2\x86\x91", "^", "\xe2\x86\x91"},                  // U+2191
      {0xA6, 0, "{cm +}", "\xe2\x96\x92", "&", "\xe2\x96\x92"},             // U+2592
      {0xA6, 3, "{$a6}", "\xe2\x96\x92", "&", "\xe2\x96\x92"},              // under -T too
      {0xA4, 0, "{cm @}", "\xe2\x96\x81", "_", "\xe2\x96\x81"},             // U+2581
      {0xA8, 2, "{168}", "\xf0\x9f\xae\x8f", "(", "\xf0\x9f\xae\x8f"},      // U+1FB8F
      {0xFF, 0, "{pi}", "\xcf\x80", "\x7f", "\xcf\x80"},                    // U+03C0
      {0xA0, 0, "{sh space}", "{sh space}", " ", " "},
      {0xDE, 1, "{$de}", "{$de}", "^", "^"},  // repeats $BE's glyph: none of its own
      {0x0D, 0, "{return}", "{return}", "\r", "{return}"},
      {0x0D, 3, "{$0d}", "{$0d}", "\r", "{$0d}"},
      {0x93, 0, "{clear}", "{clear}", "\x13", "{clear}"},
      {0x1B, 1, "{$1b}", "{$1b}", "\x1b", "{$1b}"},
      {0x7F, 2, "{127}", "{127}", "\x7f", "{127}"},
      {0x41, 0, "a", "a", "a", "a"},
      {0xC1, 3, "A", "A", "A", "A"},
  };
  for (const auto& tc : cases) {
    LG::bastextConversion = tc.conversion;
    for (const bool on : {false, true}) {
      LG::utf8 = on;
      EXPECT_EQ(LG::toTok(tc.code), on ? tc.tokOn : tc.tokOff)
          << "code " << int{tc.code} << " conversion " << tc.conversion << " utf8 " << on;
      EXPECT_EQ(comment(tc.code), on ? tc.commentOn : tc.commentOff)
          << "code " << int{tc.code} << " conversion " << tc.conversion << " utf8 " << on;
    }
  }
}

TEST_F(Utf8OutputTest, ScreenStringsShowGlyphsAfterTheScreenCodeMapping) {
  LG::utf8 = true;
  EXPECT_EQ(LG::toScreen(std::string("\x1c\x1e\x1f\x01\x1b", 5), true),
            "\xc2\xa3\xe2\x86\x91\xe2\x86\x90" "a[");
}

// Comments and text lines go through appendCommentChar, quotes through toTok.
TEST_F(Utf8OutputTest, ListingLinesUseIt) {
  LG::utf8 = true;
  const auto line = [](int16_t kind, const std::string& text, int16_t column) {
    zeb_Line l(1);
    l.setType(kind);
    l.setComment(text, column);
    return l.toString();
  };
  EXPECT_EQ(line(zeb_BLANK, "\xa6\x93HI", 0), ";\xe2\x96\x92{clear}hi");
  EXPECT_EQ(line(zeb_TEXT, "\"\xa6\x0d\" \xa6\x0d", 1),
            " \"\xe2\x96\x92{return}\" \xe2\x96\x92{return}");
  EXPECT_EQ(line(zeb_TEXT_BREAK, "\xa6\x0d", 0), "\xe2\x96\x92{return}\n");
}

}  // namespace
