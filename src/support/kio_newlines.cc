#include "support/kio_newlines.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
constexpr std::uint64_t kBreaks = 0x0A0A0A0A0A0A0A0AULL;

std::uint64_t wordAt(const char* at) {
  std::uint64_t word;
  std::memcpy(&word, at, sizeof word);
  return word;
}

// The top bit of each byte of the word that is '\n', exactly (no carries
// between bytes, unlike the shorter zero-byte test).
std::uint64_t breaksInWord(std::uint64_t word) {
  const std::uint64_t x = word ^ kBreaks;
  return ~(((x & kLow7) + kLow7) | x | kLow7);
}

}  // namespace

std::size_t kio_newlines(const char* from, const char* to) {
  std::size_t count = 0;
  // Four words' marks share one count: each word's marks moved to a bit of
  // each byte of its own.
  for (; to - from >= 32; from += 32) {
    const std::uint64_t marks = breaksInWord(wordAt(from)) >> 7 |
                                breaksInWord(wordAt(from + 8)) >> 6 |
                                breaksInWord(wordAt(from + 16)) >> 5 |
                                breaksInWord(wordAt(from + 24)) >> 4;
    count += static_cast<std::size_t>(__builtin_popcountll(marks));
  }
  for (; to - from >= 8; from += 8) {
    count += static_cast<std::size_t>(__builtin_popcountll(breaksInWord(wordAt(from))));
  }
  for (; from < to; ++from) count += *from == '\n' ? 1 : 0;
  return count;
}

kio_Breaks kio_breaks(const char* from, const char* to) {
  kio_Breaks breaks{0, from};
  // Counted as kio_newlines does, noting the last word that holds a break;
  // only that word is looked into afterwards.
  const char* lastWord = nullptr;
  const char* at = from;
  for (; to - at >= 32; at += 32) {
    const std::uint64_t marks = breaksInWord(wordAt(at)) >> 7 | breaksInWord(wordAt(at + 8)) >> 6 |
                                breaksInWord(wordAt(at + 16)) >> 5 |
                                breaksInWord(wordAt(at + 24)) >> 4;
    if (marks == 0) continue;
    breaks.count += static_cast<std::size_t>(__builtin_popcountll(marks));
    // Bit 3 of a byte stands for the fourth word, bit 0 for the first.
    const int word = marks & 0x0808080808080808ULL   ? 3
                     : marks & 0x0404040404040404ULL ? 2
                     : marks & 0x0202020202020202ULL ? 1
                                                     : 0;
    lastWord = at + 8 * word;
  }
  for (; to - at >= 8; at += 8) {
    const std::uint64_t marks = breaksInWord(wordAt(at));
    if (marks == 0) continue;
    breaks.count += static_cast<std::size_t>(__builtin_popcountll(marks));
    lastWord = at;
  }
  const char* lastBreak = nullptr;
  for (; at < to; ++at) {
    if (*at == '\n') {
      ++breaks.count;
      lastBreak = at;
    }
  }
  if (lastBreak == nullptr && lastWord != nullptr) {
    for (lastBreak = lastWord + 7; *lastBreak != '\n'; --lastBreak) {
    }
  }
  if (lastBreak != nullptr) breaks.lineStart = lastBreak + 1;
  return breaks;
}
