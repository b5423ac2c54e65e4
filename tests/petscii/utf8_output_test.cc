#include <cstddef>
#include <string>

#include <gtest/gtest.h>

#include "model/zeb_line.h"
#include "petscii/lorvex_global.h"
#include "petscii/unicode_table.h"
#include "testlib/global_state.h"

namespace LG = Lorvex_global;

namespace {

// Read during dynamic initialisation, before any test can have set it.
const bool kUtf8BeforeMain = LG::utf8;

// Decodes strictly (no overlong forms, surrogates or values past U+10FFFF);
// false when the text is not valid UTF-8.
bool decodeUTF8(const std::string& text, std::u32string& out) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t extra = 0;
    char32_t cp = lead;
    char32_t least = 0;
    if (lead >= 0x80) {
      if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1Fu, least = 0x80;
      } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0Fu, least = 0x800;
      } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07u, least = 0x10000;
      } else {
        return false;
      }
    }
    if (text.size() - i <= extra) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto b = static_cast<unsigned char>(text[i + k]);
      if ((b & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (b & 0x3Fu);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    out += cp;
    i += extra + 1;
  }
  return true;
}

std::string comment(unsigned char c) {
  std::string out;
  LG::appendCommentChar(out, c);
  return out;
}

class Utf8OutputTest : public ::testing::Test {
 private:
  lorvex_test::GlobalStateGuard guard;
};

TEST_F(Utf8OutputTest, StartsOffAndIsReset) {
  EXPECT_FALSE(kUtf8BeforeMain);
  LG::utf8 = true;
  LG::resetSettings();
  EXPECT_FALSE(LG::utf8);
}

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

// Glyph codes become their one character, codes whose ASCII character is a
// control character what toTok writes, and every other code stays as it was.
TEST_F(Utf8OutputTest, EveryByteUnderEveryConversion) {
  for (int conversion = 0; conversion < 4; ++conversion) {
    LG::bastextConversion = conversion;
    for (int c = 0; c < 256; ++c) {
      const auto code = static_cast<unsigned char>(c);
      LG::utf8 = false;
      const std::string tokOff = LG::toTok(code);
      const char ascii = LG::toASCII(code);
      LG::utf8 = true;
      const std::string tokOn = LG::toTok(code);
      const std::string text = comment(code);
      const char32_t glyph = LG::kGlyphByCode[code];

      std::u32string decoded;
      ASSERT_TRUE(decodeUTF8(text, decoded)) << c;
      for (const char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        EXPECT_TRUE(b >= 0x20 && b != 0x7F) << "code " << c << " conversion " << conversion;
      }
      if (glyph != 0) {
        EXPECT_EQ(decoded, std::u32string(1, glyph)) << c;
        EXPECT_EQ(tokOn, text) << c;
      } else if (static_cast<unsigned char>(ascii) < 0x20 || ascii == 0x7F) {
        EXPECT_EQ(text, tokOff) << c;
        EXPECT_EQ(tokOn, tokOff) << c;
      } else {
        EXPECT_EQ(text, std::string(1, ascii)) << c;
        EXPECT_EQ(tokOn, tokOff) << c;
      }
    }
  }
}

TEST_F(Utf8OutputTest, OffCommentsAreToASCII) {
  for (int conversion = 0; conversion < 4; ++conversion) {
    LG::bastextConversion = conversion;
    for (int c = 0; c < 256; ++c) {
      const auto code = static_cast<unsigned char>(c);
      EXPECT_EQ(comment(code), std::string(1, LG::toASCII(code))) << c;
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
