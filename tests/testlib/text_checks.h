// What every text lorvex-disk shows must be: no control byte but the line
// break, and (for UTF-8 output) well-formed UTF-8.
#ifndef LORVEX_TESTS_TESTLIB_TEXT_CHECKS_H
#define LORVEX_TESTS_TESTLIB_TEXT_CHECKS_H

#include <string>

namespace lorvex_test {

// True when no byte is below $20 but the line break, and none is $7F.
inline bool noControlBytes(const std::string& text) {
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if ((b < 0x20 && b != '\n') || b == 0x7F) return false;
  }
  return true;
}

// Valid UTF-8 with no control byte but the line break.
inline bool cleanUtf8(const std::string& text) {
  if (!noControlBytes(text)) return false;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char b = byte(i);
    if (b < 0x80) continue;
    int more = b >= 0xF0 && b < 0xF5 ? 3 : b >= 0xE0 && b < 0xF0 ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : -1;
    if (more < 0) return false;
    for (; more > 0; --more) {
      if (++i == text.size() || (byte(i) & 0xC0) != 0x80) return false;
    }
  }
  return true;
}

}  // namespace lorvex_test

#endif  // LORVEX_TESTS_TESTLIB_TEXT_CHECKS_H
