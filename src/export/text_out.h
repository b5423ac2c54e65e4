// The text an export writes, put together piece by piece: an exported line
// is a dozen short pieces, which a std::string takes at several times the
// cost of a check for room and a copy.
#ifndef LORVEX_EXPORT_TEXT_OUT_H
#define LORVEX_EXPORT_TEXT_OUT_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

// Copies a short piece to `at` and returns its end; the caller has made
// room. Most pieces are a few bytes: two overlapping copies of fixed size,
// which stay inside the piece, cost less than a call or a loop.
inline char* lorvex_putPiece(char* at, const char* text, std::size_t length) {
  if (length >= 4 && length <= 8) {
    uint32_t head;
    uint32_t tail;
    std::memcpy(&head, text, 4);
    std::memcpy(&tail, text + length - 4, 4);
    std::memcpy(at, &head, 4);
    std::memcpy(at + length - 4, &tail, 4);
  } else if (length > 0 && length < 4) {
    const char first = text[0];
    const char middle = text[length / 2];
    const char last = text[length - 1];
    at[0] = first;
    at[length / 2] = middle;
    at[length - 1] = last;
  } else if (length > 8) {
    std::memcpy(at, text, length);
  }
  return at + length;
}
inline char* lorvex_putPiece(char* at, std::string_view text) {
  return lorvex_putPiece(at, text.data(), text.size());
}

class lorvex_TextOut {
 public:
  // `expected`: room for the whole text, so that it is rarely moved.
  explicit lorvex_TextOut(std::size_t expected = 4096) { grow(expected); }

  lorvex_TextOut& operator+=(char c) {
    if (end == limit) grow(1);
    *end++ = c;
    return *this;
  }
  lorvex_TextOut& operator+=(std::string_view text) {
    append(text.data(), text.size());
    return *this;
  }
  lorvex_TextOut& operator+=(const char* text) { return *this += std::string_view(text); }
  lorvex_TextOut& operator+=(const std::string& text) { return *this += std::string_view(text); }

  void append(const char* text, std::size_t length) {
    if (length > static_cast<std::size_t>(limit - end)) grow(length);
    char* const at = end;
    end = at + length;
    lorvex_putPiece(at, text, length);
  }
  void append(std::size_t count, char c) {
    if (count > static_cast<std::size_t>(limit - end)) grow(count);
    std::memset(end, c, count);
    end += count;
  }
  // `count` spaces: up to 16 in one fixed move.
  void spaces(std::size_t count) {
    static const char kSpaces[] = "                ";
    if (16 > static_cast<std::size_t>(limit - end) || count > 16) {
      append(count, ' ');
      return;
    }
    std::memcpy(end, kSpaces, 16);
    end += count;
  }
  // `count` newlines: up to 16 in one fixed move.
  void newlines(std::size_t count) {
    static const char kNewlines[] = "\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n";
    if (16 > static_cast<std::size_t>(limit - end) || count > 16) {
      append(count, '\n');
      return;
    }
    std::memcpy(end, kNewlines, 16);
    end += count;
  }
  // Ends the line that starts at `start`: its trailing spaces dropped, then
  // a newline, which takes the first dropped space's place when there is one.
  void endLine(std::size_t start) {
    const char* const first = begin.get() + start;
    char* at = end;
    while (at > first && at[-1] == ' ') --at;
    if (at == limit) {
      grow(1);
      at = end;
    }
    *at = '\n';
    end = at + 1;
  }
  // Room for `count` bytes at the end, to be written there by the caller.
  char* extend(std::size_t count) {
    if (count > static_cast<std::size_t>(limit - end)) grow(count);
    char* at = end;
    end += count;
    return at;
  }

  // Puts `text` in at `at`, moving what follows.
  void insert(std::size_t at, std::string_view text) {
    const std::size_t tail = size() - at;
    extend(text.size());
    char* base = begin.get();
    std::memmove(base + at + text.size(), base + at, tail);
    std::memcpy(base + at, text.data(), text.size());
  }

  std::size_t size() const { return static_cast<std::size_t>(end - begin.get()); }
  const char* data() const { return begin.get(); }
  char back() const { return end[-1]; }
  // Keeps the first `length` bytes.
  void truncate(std::size_t length) { end = begin.get() + length; }

 private:
  // Apart and rarely taken: the callers stay small.
#if defined(__GNUC__)
  __attribute__((noinline, cold))
#endif
  void grow(std::size_t count) {
    const std::size_t used = begin ? size() : 0;
    const std::size_t capacity = begin ? static_cast<std::size_t>(limit - begin.get()) : 0;
    std::size_t larger = capacity == 0 ? count : capacity * 2;
    if (larger < used + count) larger = used + count;
    std::unique_ptr<char[]> moved(new char[larger]);
    if (used > 0) std::memcpy(moved.get(), begin.get(), used);
    begin = std::move(moved);
    end = begin.get() + used;
    limit = begin.get() + larger;
  }

  std::unique_ptr<char[]> begin;
  char* end = nullptr;
  char* limit = nullptr;
};

#endif  // LORVEX_EXPORT_TEXT_OUT_H
