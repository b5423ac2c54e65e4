#include "source/image_header.h"

#include <algorithm>
#include <cstring>

int b2i(char c) {
  return static_cast<unsigned char>(c);
}

int w2i(char lo, char hi) {
  return b2i(hi) * 256 + b2i(lo);
}

zeb_ImageHeader zeb_readHeader(const char* image, int size) {
  char bytes[zeb_HEADER_SIZE] = {};
  if (size > 0) {
    std::memcpy(bytes, image, static_cast<std::size_t>(std::min(size, zeb_HEADER_SIZE)));
  }
  const auto word = [&](int at) { return w2i(bytes[at], bytes[at + 1]); };
  zeb_ImageHeader header;
  header.tabColumn = b2i(bytes[zeb_HEADER_TAB_COLUMN]);
  header.lastLine = word(zeb_HEADER_LAST_LINE);
  header.textStart = word(zeb_HEADER_TEXT_START);
  header.labelEnd = word(zeb_HEADER_LABEL_END);
  return header;
}
