#include "support/kio_itoa.h"

namespace {

char result[64];
const char* const hex = "0123456789abcdef";
constexpr int kEnd = 32;

// Writes the digits of magnitude leftwards from index 31; returns the first.
int putDigits(unsigned int magnitude, unsigned int base, int at) {
  do {
    result[--at] = hex[magnitude % base];
    magnitude /= base;
  } while (magnitude != 0);
  return at;
}

}  // namespace

const char* kio_itoa(int value, int base) {
  result[kEnd] = '\0';
  int at = kEnd;
  // Unsigned arithmetic keeps the most negative int and negative hex defined;
  // hex shows the 32-bit two's-complement digits.
  const unsigned int bits = static_cast<unsigned int>(value);
  switch (base) {
    case 10:
      at = putDigits(value < 0 ? 0u - bits : bits, 10, at);
      if (value < 0) result[--at] = '-';
      break;
    case 16:
      at = putDigits(bits, 16, at);
      break;
    case 2:
      for (unsigned int bit = 0; bit < 8; ++bit) result[--at] = (bits >> bit) & 1u ? '1' : '0';
      break;
    default:
      break;
  }
  return &result[at];
}
