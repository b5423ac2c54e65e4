#include "petscii/lorvex_global.h"

#include <algorithm>

#include "petscii/code_texts.h"
#include "petscii/unicode_table.h"

namespace Lorvex_global {

namespace {

// Start values, kept in one place for the definitions and resetSettings().
constexpr int kStartBastextConversion = 0;
constexpr bool kStartRawString = false;
constexpr int kStartByteColumns = 6;
constexpr bool kStartTranslateToByteHex = false;
constexpr bool kStartTranslateToByte = false;
constexpr bool kStartFScreen = false;
constexpr int kStartTabWidth = 9;
constexpr bool kStartUtf8 = false;

}  // namespace

int bastextConversion = kStartBastextConversion;
bool rawString = kStartRawString;
int byteColumns = kStartByteColumns;
bool translateToByteHex = kStartTranslateToByteHex;
bool translateToByte = kStartTranslateToByte;
bool fScreen = kStartFScreen;
int tabWidth = kStartTabWidth;
bool utf8 = kStartUtf8;

void resetSettings() {
  bastextConversion = kStartBastextConversion;
  rawString = kStartRawString;
  byteColumns = kStartByteColumns;
  translateToByteHex = kStartTranslateToByteHex;
  translateToByte = kStartTranslateToByte;
  fScreen = kStartFScreen;
  tabWidth = kStartTabWidth;
  utf8 = kStartUtf8;
}

namespace {

bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }

// A code without a name carries its number as its name: exactly three
// characters, one of them a digit. Only called for names longer than one.
bool isUnnamed(const char* name) {
  if (name[2] == '\0' || name[3] != '\0') return false;
  return isDigit(name[0]) || isDigit(name[1]) || isDigit(name[2]);
}

void appendNumber(std::string& out, unsigned char c, bool hex) {
  if (hex) {
    static const char kHexDigits[] = "0123456789abcdef";
    out += '$';
    out += kHexDigits[c >> 4];
    out += kHexDigits[c & 0x0F];
  } else {
    out += static_cast<char>('0' + c / 100);
    out += static_cast<char>('0' + c / 10 % 10);
    out += static_cast<char>('0' + c % 10);
  }
}

void appendUTF8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The one place that writes a token; the settings are read once per call
// of the public functions, not once per byte.
void appendTok(std::string& out, unsigned char c, int conversion, bool glyphs) {
  if (glyphs && kGlyphByCode[c] != 0) {
    appendUTF8(out, kGlyphByCode[c]);
    return;
  }
  const char* name = rgszbastext[c];
  if (name[1] == '\0') {
    out += name[0];
    return;
  }
  out += '{';
  if ((conversion == 0 || conversion == 1) && !isUnnamed(name)) {
    out.append(name);
  } else {
    appendNumber(out, c, conversion == 1 || conversion == 3);
  }
  out += '}';
}

}  // namespace

char toASCII(unsigned char c) {
  if (c == 0xA0) return ' ';
  if (c == 0xA4) return '_';
  if ((c >= 0x41 && c <= 0x5A) || (c >= 0x61 && c <= 0x7A)) {
    return static_cast<char>(c ^ 0x20);
  }
  return static_cast<char>(c & 0x7F);
}

std::string toASCII(const std::string& s) {
  std::string out(s);
  for (char& ch : out) ch = toASCII(static_cast<unsigned char>(ch));
  return out;
}

void appendCommentChar(std::string& out, unsigned char c) {
  const char ascii = toASCII(c);
  if (!utf8) {
    out += ascii;
  } else if (kGlyphByCode[c] != 0) {
    appendUTF8(out, kGlyphByCode[c]);
  } else if (static_cast<unsigned char>(ascii) < 0x20 || ascii == 0x7F) {
    appendTok(out, c, bastextConversion, false);
  } else {
    out += ascii;
  }
}

bool IsScreenText(const std::string& s) {
  return std::all_of(s.begin(), s.end(),
                     [](char ch) { return static_cast<unsigned char>(ch) < 64; });
}

std::string toTok(unsigned char c) {
  std::string out;
  appendTok(out, c, bastextConversion, utf8);
  return out;
}

std::string toTok(const std::string& s) {
  const int conversion = bastextConversion;
  const bool glyphs = utf8;
  std::string out;
  out.reserve(s.size());
  for (char ch : s) appendTok(out, static_cast<unsigned char>(ch), conversion, glyphs);
  return out;
}

std::string toScreen(const std::string& s, bool /*flag*/) {
  const int conversion = bastextConversion;
  const bool glyphs = utf8;
  std::string out;
  out.reserve(s.size());
  for (char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    appendTok(out, static_cast<unsigned char>(c < 32 ? c + 64 : c), conversion, glyphs);
  }
  return out;
}

}  // namespace Lorvex_global

namespace Lorvex_global {

namespace {

// The texts of `length` bytes appended a piece at a time through a buffer:
// one append per piece instead of one or more per byte.
void appendCodeTexts(std::string& out, const CodeTexts& texts, const char* bytes,
                     std::size_t length) {
  constexpr std::size_t kPiece = 64;
  char buffer[kPiece * CodeTexts::kRoomPerByte];
  while (length > 0) {
    const std::size_t now = length < kPiece ? length : kPiece;
    out.append(buffer, static_cast<std::size_t>(texts.write(buffer, bytes, now) - buffer));
    bytes += now;
    length -= now;
  }
}

}  // namespace

void appendTokChar(std::string& out, unsigned char c) {
  appendTok(out, c, bastextConversion, utf8);
}

void appendTokText(std::string& out, const char* bytes, std::size_t length) {
  appendCodeTexts(out, tokTexts(), bytes, length);
}

void toASCII(const char* bytes, std::size_t length, char* to) {
  // toASCII of every code, so that a byte costs one look-up.
  struct Table {
    char byCode[256];
  };
  static const Table kASCII = [] {
    Table table{};
    for (int c = 0; c < 256; ++c) table.byCode[c] = toASCII(static_cast<unsigned char>(c));
    return table;
  }();
  for (std::size_t i = 0; i < length; ++i) {
    to[i] = kASCII.byCode[static_cast<unsigned char>(bytes[i])];
  }
}

void appendCommentText(std::string& out, const char* bytes, std::size_t length) {
  if (utf8) {
    appendCodeTexts(out, commentTexts(), bytes, length);
    return;
  }
  char converted[256];
  while (length > 0) {
    const std::size_t now = length < sizeof converted ? length : sizeof converted;
    toASCII(bytes, now, converted);
    out.append(converted, now);
    bytes += now;
    length -= now;
  }
}

}  // namespace Lorvex_global
