#include "support/kio_newlines.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
constexpr std::uint64_t kBreaks = 0x0A0A0A0A0A0A0A0AULL;

// One bit for each byte of the word that is '\n', exactly (no carries
// between bytes, unlike the shorter zero-byte test).
int breaksInWord(std::uint64_t word) {
  const std::uint64_t x = word ^ kBreaks;
  const std::uint64_t zero = ~(((x & kLow7) + kLow7) | x | kLow7);
  return __builtin_popcountll(zero);
}

}  // namespace

std::size_t kio_newlines(const char* from, const char* to) {
  std::size_t count = 0;
  for (; to - from >= 8; from += 8) {
    std::uint64_t word;
    std::memcpy(&word, from, sizeof word);
    count += static_cast<std::size_t>(breaksInWord(word));
  }
  for (; from < to; ++from) count += *from == '\n' ? 1 : 0;
  return count;
}

const char* kio_lineStart(const char* from, const char* at) {
  while (at > from && at[-1] != '\n') --at;
  return at;
}
