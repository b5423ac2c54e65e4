// Text under construction, written through a raw cursor: putting a piece
// is a check for room and a copy. Rendering puts many small pieces, which
// a std::string makes several times dearer. Short texts stay in a buffer
// of the object's own; longer ones grow on the heap by doubling.
#ifndef LORVEX_MODEL_ZEB_TEXT_H
#define LORVEX_MODEL_ZEB_TEXT_H

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

// For the few small functions every record goes through: compiled into
// their callers whatever the inliner's budget says.
#if defined(__GNUC__)
#define ZEB_INLINE inline __attribute__((always_inline))
#define ZEB_LAMBDA_INLINE __attribute__((always_inline))
#else
#define ZEB_INLINE inline
#define ZEB_LAMBDA_INLINE
#endif

class zeb_Text {
 public:
  zeb_Text() = default;
  // Room for `capacity` bytes from the start.
  explicit zeb_Text(std::size_t capacity) { room(capacity); }
  ~zeb_Text() {
    if (begin != inPlace) delete[] begin;
  }
  zeb_Text(const zeb_Text&) = delete;
  zeb_Text& operator=(const zeb_Text&) = delete;

  void put(char c) {
    room(1);
    *end++ = c;
  }
  void put(const char* text, std::size_t length) {
    room(length);
    copy(end, text, length);
    end += length;
  }
  // Names and directives are a few characters long: copied one by one.
  void put(const char* text) {
    for (; *text != '\0'; ++text) put(*text);
  }
  void put(std::string_view text) { put(text.data(), text.size()); }
  // Puts the first `length` of the N bytes at `text`, all of which must be
  // readable: the whole array goes in one fixed-size move, where a call of
  // memcpy for one to three bytes would cost several times as much.
  template <std::size_t N>
  void putFirst(const char (&text)[N], std::size_t length) {
    room(N);
    std::memcpy(end, text, N);
    end += length;
  }
  // Puts `length` bytes of a text from which 16 may be read: up to 16 go
  // as one fixed-size move.
  void putPadded(const char* text, std::size_t length) {
    if (length > kShortRun) {
      put(text, length);
      return;
    }
    room(kShortRun);
    std::memcpy(end, text, kShortRun);
    end += length;
  }
  void fill(char c, std::size_t count) {
    // Padding to a tab stop is a few spaces: a fixed run of 16 compiles
    // inline, and the bytes past `count` are free room, overwritten later.
    if (count > kShortRun) {
      fillLong(c, count);
      return;
    }
    room(kShortRun);
    std::memset(end, c, kShortRun);
    end += count;
  }
  // Makes `count` more bytes part of the text and returns where they
  // start, for the caller to fill.
  char* extend(std::size_t count) {
    room(count);
    char* at = end;
    end += count;
    return at;
  }

  // Room for `count` more bytes, and where they start: the caller writes
  // at most that many through the pointer, then hands back with commit()
  // where it stopped. Nothing may be put in between.
  char* reserve(std::size_t count) {
    room(count);
    return end;
  }
  void commit(char* at) { end = at; }

  // Puts what `write(char* at)` writes at the end of the text, at most
  // `room` bytes; write returns where its text ends.
  template <typename Write>
  void putWritten(std::size_t room, Write&& write) {
    this->room(room);
    end = write(end);
  }

  // Puts what `convert` appends to a std::string: for the converters that
  // write to strings. The string is kept for the next call.
  template <typename Convert>
  void putAppended(Convert&& convert) {
    scratch.clear();
    convert(scratch);
    put(scratch.data(), scratch.size());
  }

  const char* data() const { return begin; }
  char* data() { return begin; }
  // Where the room made so far ends.
  char* roomEnd() { return limit; }
  std::size_t size() const { return static_cast<std::size_t>(end - begin); }
  std::string_view view() const { return std::string_view(begin, size()); }
  void clear() { end = begin; }
  // Drops everything after the first `length` bytes (length <= size()).
  void truncate(std::size_t length) { end = begin + length; }

 private:
  void room(std::size_t count) {
    if (count > static_cast<std::size_t>(limit - end)) grow(count);
  }
  void grow(std::size_t count);
  void fillLong(char c, std::size_t count);

  static constexpr std::size_t kInPlace = 240;
  static constexpr std::size_t kShortRun = 16;

  char inPlace[kInPlace];
  char* begin = inPlace;
  char* end = inPlace;
  char* limit = inPlace + kInPlace;
  std::string scratch;

 public:
  // Most pieces are a few bytes long: names, numbers, mnemonics. Up to 16
  // bytes are copied as two fixed-size moves that may overlap (or three
  // single bytes), which compile inline, where a call of memcpy would cost
  // several times as much.
  static void copy(char* to, const char* from, std::size_t count) {
    if (count > 16) {
      std::memcpy(to, from, count);
    } else if (count >= 8) {
      std::memcpy(to, from, 8);
      std::memcpy(to + count - 8, from + count - 8, 8);
    } else if (count >= 4) {
      std::memcpy(to, from, 4);
      std::memcpy(to + count - 4, from + count - 4, 4);
    } else if (count > 0) {
      to[0] = from[0];
      to[count / 2] = from[count / 2];
      to[count - 1] = from[count - 1];
    }
  }
};

#endif  // LORVEX_MODEL_ZEB_TEXT_H
