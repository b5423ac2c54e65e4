#include "petscii/code_texts.h"

#include <algorithm>
#include <memory>

#include "petscii/lorvex_global.h"

namespace Lorvex_global {

void CodeTexts::build(void (*append)(std::string&, unsigned char)) {
  std::string text;
  for (int code = 0; code < 256; ++code) {
    const auto c = static_cast<unsigned char>(code);
    text.clear();
    append(text, c);
    Short& entry = shortTexts[c];
    entry = Short{};
    // No code's text is longer than kRoomPerByte: a bastext name in braces
    // is at most 13 bytes.
    entry.length = static_cast<unsigned char>(std::min(text.size(), kRoomPerByte));
    if (text.size() <= sizeof entry.text) {
      text.copy(entry.text, text.size());
    } else {
      text.copy(longTexts[c], std::min(text.size(), sizeof longTexts[c]));
    }
  }
}

namespace {

// One table per setting that changes the texts, made the first time it is
// asked for; a conversion out of its range gets a table made afresh.
const CodeTexts& tableFor(std::unique_ptr<CodeTexts> (&tables)[5], int key,
                          void (*append)(std::string&, unsigned char)) {
  const int slot = key >= 0 && key < 4 ? key : 4;
  std::unique_ptr<CodeTexts>& table = tables[slot];
  if (!table || slot == 4) {
    table = std::make_unique<CodeTexts>();
    table->build(append);
  }
  return *table;
}

}  // namespace

const CodeTexts& commentTexts() {
  static std::unique_ptr<CodeTexts> ascii[5];
  static std::unique_ptr<CodeTexts> glyphs[5];
  const auto append = [](std::string& out, unsigned char c) { appendCommentChar(out, c); };
  // Without utf8 a comment's text does not depend on the conversion.
  return utf8 ? tableFor(glyphs, bastextConversion, append) : tableFor(ascii, 0, append);
}

const CodeTexts& tokTexts() {
  static std::unique_ptr<CodeTexts> ascii[5];
  static std::unique_ptr<CodeTexts> glyphs[5];
  const auto append = [](std::string& out, unsigned char c) { appendTokChar(out, c); };
  return tableFor(utf8 ? glyphs : ascii, bastextConversion, append);
}

}  // namespace Lorvex_global
