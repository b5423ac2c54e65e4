// The text each PETSCII code becomes in a comment (appendCommentChar) or as
// a token (appendTokChar), under the settings in force, as a table of 256
// entries. Converting a byte is then one fixed-size copy and a length, with
// no branch on the kind of code and no string growing byte by byte: what
// the listing's comments and text lines cost most, and the page (wasm)
// more than native code.
#ifndef LORVEX_PETSCII_CODE_TEXTS_H
#define LORVEX_PETSCII_CODE_TEXTS_H

#include <cstddef>
#include <cstring>
#include <string>

namespace Lorvex_global {

class CodeTexts {
 public:
  // Room a caller gives `write` per byte converted: an entry is written
  // whole, up to this many bytes past where its text starts.
  static constexpr std::size_t kRoomPerByte = 16;

  // The text of `length` bytes written at `to`, which has room for
  // length * kRoomPerByte bytes; returns the end of the text.
  char* write(char* to, const char* bytes, std::size_t length) const {
    for (std::size_t i = 0; i < length; ++i) to = put(to, static_cast<unsigned char>(bytes[i]));
    return to;
  }
  // The text of one code at `to` (room: kRoomPerByte); returns its end.
  char* put(char* to, unsigned char c) const {
    const Short& entry = shortTexts[c];
    if (entry.length == kUnmade) make(c);
    std::memcpy(to, &entry, sizeof entry);
    if (entry.length > sizeof entry.text) std::memcpy(to, longTexts[c], sizeof longTexts[c]);
    return to + entry.length;
  }
  // Makes the table tell `append`'s texts, which appends one code's text
  // (at most kRoomPerByte bytes) to a string. Each code's entry is made
  // the first time it is put: a listing meets few of the 256 codes, and
  // making all of them would cost a short run more than it saves.
  void build(void (*append)(std::string&, unsigned char));

 private:
  static constexpr unsigned char kUnmade = 0xFF;
  void make(unsigned char c) const;

  // Most texts are one to four bytes: the entry fits one 8-byte move, its
  // length in the last byte (written too, and overwritten by what follows).
  struct Short {
    char text[7];
    unsigned char length;
  };
  mutable Short shortTexts[256] = {};
  // Bastext names in braces, longer than 7 bytes.
  mutable char longTexts[256][kRoomPerByte] = {};
  void (*append_)(std::string&, unsigned char) = nullptr;
};

// appendCommentChar's text of every code under the current settings.
const CodeTexts& commentTexts();
// appendTokChar's text of every code under the current settings.
const CodeTexts& tokTexts();

}  // namespace Lorvex_global

#endif  // LORVEX_PETSCII_CODE_TEXTS_H
