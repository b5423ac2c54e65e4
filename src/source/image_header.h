// The 256-byte header in front of every image, and the byte helpers the
// decoder reads it and the records with.
#ifndef LORVEX_SOURCE_IMAGE_HEADER_H
#define LORVEX_SOURCE_IMAGE_HEADER_H

int b2i(char c);            // byte as 0..255
int w2i(char lo, char hi);  // little-endian 16-bit value
// "0"-"9", "A"-"Z", "["
constexpr bool isLabelChar(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 0x30 && b <= 0x39) || (b >= 0x41 && b <= 0x5B);
}

constexpr int zeb_HEADER_SIZE = 256;

// Offsets of the header fields the decoder reads.
enum zeb_HeaderField : int {
  zeb_HEADER_TAB_COLUMN = 0,   // byte: width of the label field
  zeb_HEADER_LAST_LINE = 18,   // word: index of the last line-table byte
  zeb_HEADER_TEXT_START = 20,  // word: address of the text area's first byte
  zeb_HEADER_LABEL_END = 25,   // word: address just past the label names
};

struct zeb_ImageHeader {
  int tabColumn = 0;
  int lastLine = 0;
  int textStart = 0;
  int labelEnd = 0;
};

// The header of an image of `size` bytes; bytes a short image lacks read as 0.
zeb_ImageHeader zeb_readHeader(const char* image, int size);

#endif  // LORVEX_SOURCE_IMAGE_HEADER_H
