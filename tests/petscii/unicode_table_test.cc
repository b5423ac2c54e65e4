#include <iterator>
#include <set>

#include <gtest/gtest.h>

#include "petscii/unicode_table.h"

namespace LG = Lorvex_global;

namespace {

bool isControlCode(int c) { return c < 0x20 || (c >= 0x80 && c < 0xA0); }

TEST(UnicodeTable, FortyCodesEachWithItsOwnCharacter) {
  EXPECT_EQ(std::size(LG::kPetsciiGlyphs), 40u);
  std::set<int> codes;
  std::set<char32_t> characters;
  for (const LG::PetsciiGlyph& glyph : LG::kPetsciiGlyphs) {
    EXPECT_TRUE(codes.insert(glyph.code).second) << "code listed twice: " << int{glyph.code};
    EXPECT_TRUE(characters.insert(glyph.codePoint).second)
        << "character used twice: U+" << std::hex << glyph.codePoint;
  }
}

TEST(UnicodeTable, CharactersAreNonASCIIScalarValuesOfPrintableCodes) {
  for (const LG::PetsciiGlyph& glyph : LG::kPetsciiGlyphs) {
    const char32_t cp = glyph.codePoint;
    EXPECT_GE(cp, 0xA0u) << int{glyph.code};  // neither ASCII nor a C1 control
    EXPECT_LE(cp, 0x10FFFFu) << int{glyph.code};
    EXPECT_FALSE(cp >= 0xD800 && cp <= 0xDFFF) << int{glyph.code};
    EXPECT_FALSE(isControlCode(glyph.code)) << int{glyph.code};
  }
}

TEST(UnicodeTable, IndexByCodeHoldsExactlyTheListedCodes) {
  int withGlyph = 0;
  for (int c = 0; c < 256; ++c) withGlyph += LG::kGlyphByCode[c] != 0;
  EXPECT_EQ(withGlyph, 40);
  for (const LG::PetsciiGlyph& glyph : LG::kPetsciiGlyphs) {
    EXPECT_EQ(LG::kGlyphByCode[glyph.code], glyph.codePoint) << int{glyph.code};
  }
}

}  // namespace
