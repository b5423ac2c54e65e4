#include "petscii/lorvex_global.h"

#include <algorithm>

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

}  // namespace

int bastextConversion = kStartBastextConversion;
bool rawString = kStartRawString;
int byteColumns = kStartByteColumns;
bool translateToByteHex = kStartTranslateToByteHex;
bool translateToByte = kStartTranslateToByte;
bool fScreen = kStartFScreen;
int tabWidth = kStartTabWidth;

void resetSettings() {
  bastextConversion = kStartBastextConversion;
  rawString = kStartRawString;
  byteColumns = kStartByteColumns;
  translateToByteHex = kStartTranslateToByteHex;
  translateToByte = kStartTranslateToByte;
  fScreen = kStartFScreen;
  tabWidth = kStartTabWidth;
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

// The one place that writes a token; the conversion is read once per call
// of the public functions, not once per byte.
void appendTok(std::string& out, unsigned char c, int conversion) {
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

bool IsScreenText(const std::string& s) {
  return std::all_of(s.begin(), s.end(),
                     [](char ch) { return static_cast<unsigned char>(ch) < 64; });
}

std::string toTok(unsigned char c) {
  std::string out;
  appendTok(out, c, bastextConversion);
  return out;
}

std::string toTok(const std::string& s) {
  const int conversion = bastextConversion;
  std::string out;
  out.reserve(s.size());
  for (char ch : s) appendTok(out, static_cast<unsigned char>(ch), conversion);
  return out;
}

std::string toScreen(const std::string& s, bool /*flag*/) {
  const int conversion = bastextConversion;
  std::string out;
  out.reserve(s.size());
  for (char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    appendTok(out, static_cast<unsigned char>(c < 32 ? c + 64 : c), conversion);
  }
  return out;
}

}  // namespace Lorvex_global
