#include "petscii/code_texts.h"

#include <algorithm>

#include "petscii/lorvex_global.h"

namespace Lorvex_global {

void CodeTexts::build(void (*append)(std::string&, unsigned char)) {
  append_ = append;
  for (Short& entry : shortTexts) entry.length = kUnmade;
}

void CodeTexts::make(unsigned char c) const {
  std::string text;
  append_(text, c);
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

namespace {

// One table per setting that changes the texts, made the first time it is
// asked for and kept for the process (plain pointers: no guard to test on
// each call); a conversion out of its range gets a table made afresh.
const CodeTexts& tableFor(CodeTexts* (&tables)[5], int key,
                          void (*append)(std::string&, unsigned char)) {
  const int slot = key >= 0 && key < 4 ? key : 4;
  CodeTexts*& table = tables[slot];
  if (table == nullptr || slot == 4) {
    if (table == nullptr) table = new CodeTexts;
    table->build(append);
  }
  return *table;
}

CodeTexts* commentTables[2][5];
CodeTexts* tokTables[2][5];

}  // namespace

const CodeTexts& commentTexts() {
  // Without utf8 a comment's text does not depend on the conversion.
  return tableFor(commentTables[utf8], utf8 ? bastextConversion : 0,
                  [](std::string& out, unsigned char c) { appendCommentChar(out, c); });
}

const CodeTexts& tokTexts() {
  return tableFor(tokTables[utf8], bastextConversion,
                  [](std::string& out, unsigned char c) { appendTokChar(out, c); });
}

}  // namespace Lorvex_global
