// The PETSCII codes that have a glyph of their own, and the Unicode character
// showing the same picture in the character set the listing assumes for
// letters ($41-$5A lower case, $C1-$DA capitals). Codes that repeat a glyph
// listed here ($60-$7F, $E0-$FE), the shifted space and the control codes
// have none.
#ifndef LORVEX_PETSCII_UNICODE_TABLE_H
#define LORVEX_PETSCII_UNICODE_TABLE_H

#include <array>

namespace Lorvex_global {

struct PetsciiGlyph {
  unsigned char code;
  char32_t codePoint;
};

inline constexpr PetsciiGlyph kPetsciiGlyphs[] = {
    {0x5C, 0x00A3}, {0x5E, 0x2191}, {0x5F, 0x2190},
    {0xA1, 0x258C}, {0xA2, 0x2584}, {0xA3, 0x2594}, {0xA4, 0x2581},
    {0xA5, 0x258F}, {0xA6, 0x2592}, {0xA7, 0x2595}, {0xA8, 0x1FB8F},
    {0xA9, 0x1FB99}, {0xAA, 0x1FB87}, {0xAB, 0x251C}, {0xAC, 0x2597},
    {0xAD, 0x2514}, {0xAE, 0x2510}, {0xAF, 0x2582}, {0xB0, 0x250C},
    {0xB1, 0x2534}, {0xB2, 0x252C}, {0xB3, 0x2524}, {0xB4, 0x258E},
    {0xB5, 0x258D}, {0xB6, 0x1FB88}, {0xB7, 0x1FB82}, {0xB8, 0x1FB83},
    {0xB9, 0x2583}, {0xBA, 0x2713}, {0xBB, 0x2596}, {0xBC, 0x259D},
    {0xBD, 0x2518}, {0xBE, 0x2598}, {0xBF, 0x259A}, {0xC0, 0x2500},
    {0xDB, 0x253C}, {0xDC, 0x1FB8C}, {0xDD, 0x2502}, {0xDF, 0x1FB98},
    {0xFF, 0x03C0},
};

// The same table indexed by code; 0 where a code has no glyph.
inline constexpr std::array<char32_t, 256> kGlyphByCode = [] {
  std::array<char32_t, 256> byCode{};
  for (const PetsciiGlyph& glyph : kPetsciiGlyphs) byCode[glyph.code] = glyph.codePoint;
  return byCode;
}();

}  // namespace Lorvex_global

#endif  // LORVEX_PETSCII_UNICODE_TABLE_H
