// Process-wide conversion settings and the PETSCII conversions the listing
// needs: to ASCII, to bastext token notation, and from screen codes.
#ifndef LORVEX_PETSCII_LORVEX_GLOBAL_H
#define LORVEX_PETSCII_LORVEX_GLOBAL_H

#include <string>

namespace Lorvex_global {

// Settings. Written by the driver from the command line (and tabWidth by the
// decoder from the image header); only read while rendering, except rawString,
// which string literal conversion raises around one inner rendering.
extern int bastextConversion;  // 0..3: how toTok writes codes without a one-character name
extern bool rawString;         // string tokens render their raw bytes
extern int byteColumns;        // values per converted .byte line
extern bool translateToByteHex;
extern bool translateToByte;   // wins over translateToByteHex
extern bool fScreen;           // strings whose bytes are all below 64 become .screen
extern int tabWidth;           // width of the label field
extern bool utf8;              // glyph codes as Unicode, no raw control bytes

// PETSCII to ASCII: 0xA0 is a space, 0xA4 an underscore, ASCII letters swap
// case, everything else loses bit 7.
char toASCII(unsigned char c);
std::string toASCII(const std::string& s);

// Appends one byte of a comment or of a text line outside quotes: toASCII's
// character. With utf8 set, a code that has a glyph (unicode_table.h) is
// appended as that character in UTF-8 instead, and a code whose ASCII
// character would be a control character (below $20, or $7F) as toTok
// writes it, so the text holds neither raw control bytes nor invalid UTF-8.
void appendCommentChar(std::string& out, unsigned char c);

// True when every byte is a screen code below 64 (true for "").
bool IsScreenText(const std::string& s);

// Bastext token notation of one byte or of every byte of a string. With utf8
// set, a code that has a glyph is written as that character in UTF-8, under
// every bastextConversion.
std::string toTok(unsigned char c);
std::string toTok(const std::string& s);

// Bastext text of a .screen string standing for the given screen codes. The
// flag is kept for callers that pass it; it changes nothing.
std::string toScreen(const std::string& s, bool flag);

// Restores every setting to its start value (tests and repeated runs).
void resetSettings();

}  // namespace Lorvex_global

// Names of the 256 PETSCII codes in bastext notation, indexed by code.
extern const char* const rgszbastext[256];

namespace Lorvex_global {

// toTok's text appended to out, for rendering straight into an output block:
// of one byte, and of `length` bytes.
void appendTokChar(std::string& out, unsigned char c);
void appendTokText(std::string& out, const char* bytes, std::size_t length);
// appendCommentChar of each of `length` bytes.
void appendCommentText(std::string& out, const char* bytes, std::size_t length);
// toASCII of each of `length` bytes, written to `to`.
void toASCII(const char* bytes, std::size_t length, char* to);

}  // namespace Lorvex_global

#endif  // LORVEX_PETSCII_LORVEX_GLOBAL_H
