// Lays out whole source images: header, text area packed down from the
// variant's top, line table and label area. Kept apart from the program's
// own tables so that a test built with it checks the decoder.
#include "testlib/image_builder.h"

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <stdexcept>
#include <string>

#include "source/image_header.h"

namespace lorvex_test {
namespace {

struct Variant {
  int top;
  const char* signature;
};

// Indexed by source type; written apart from the program's own table so
// that identification is checked against a second reading of the format.
constexpr Variant kVariants[zeb_SOURCE_TYPES] = {
    /* zeb_UNIDENTIFIED */ {0, ""},
    /* zeb_MACRO_8000 */ {0x7FF0, "VORDA"},
    /* zeb_PLAIN_9000 */ {0x8FF0, "VORDA"},
    /* zeb_ALT_9000 */ {0x8FF0, "DANRO"},
    /* zeb_PLAIN_A000 */ {0x9FF0, "VORDA"},
    /* zeb_CROSS_87FF */ {0x87FF, "ZELQA"},
    /* zeb_PRO_8A00 */ {0x89F0, "VORDA"},
};

constexpr int kReservedBelowTop = 6;  // the unused byte at top-5 and the signature
constexpr int kSignatureLength = 5;
constexpr int kSlackBelowRecords = 16;
constexpr std::size_t kMaxLines = 65536;
constexpr int kLabelAreaAddress = 0xEC00;
constexpr int kBlockCount = 48;
constexpr int kBlockSize = 32;
constexpr int kNamesAddress = kLabelAreaAddress + 2 * kBlockCount;  // $EC60

void require(bool ok, const std::string& what) {
  if (!ok) throw std::logic_error("image builder: " + what);
}

void putWord(Bytes& bytes, std::size_t at, int value) {
  bytes[at] = static_cast<unsigned char>(value & 0xFF);
  bytes[at + 1] = static_cast<unsigned char>((value >> 8) & 0xFF);
}

unsigned char nameByte(char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 'a' + 'A');
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<unsigned char>(c);
  require(c == '_', std::string("no label character for '") + c + "'");
  return '[';
}

Bytes encodeName(const std::string& name) {
  require(!name.empty(), "empty label name");
  Bytes out;
  for (char c : name) out.push_back(nameByte(c));
  out.back() |= 0x80;
  return out;
}

struct LabelArea {
  Bytes bytes;
  int end = 0;  // label end address for the header
};

LabelArea buildLabelArea(const ImageSpec& layout) {
  require(layout.labels.size() <= static_cast<std::size_t>(kBlockCount * kBlockSize),
          "more than 1536 label names");
  require(layout.padding >= 0, "negative padding");
  Bytes area(kNamesAddress - kLabelAreaAddress, 0);
  int pointers[kBlockCount] = {};
  for (std::size_t i = 0; i < layout.labels.size(); ++i) {
    if (i > 0) area.insert(area.end(), static_cast<std::size_t>(layout.padding), 0);
    if (i % kBlockSize == 0)
      pointers[i / kBlockSize] = kLabelAreaAddress + static_cast<int>(area.size());
    const Bytes name = encodeName(layout.labels[i]);
    area.insert(area.end(), name.begin(), name.end());
  }
  const int namesEnd = kLabelAreaAddress + static_cast<int>(area.size());
  require(namesEnd <= 0xFFFF, "label names run past $FFFF");
  require(layout.labelEnd >= -1 && layout.labelEnd <= 0xFFFF, "label end address out of range");
  const int end = layout.labelEnd < 0 ? namesEnd : layout.labelEnd;
  const std::size_t usedBlocks = (layout.labels.size() + kBlockSize - 1) / kBlockSize;
  for (std::size_t k = 0; k < kBlockCount; ++k) {
    const int pointer = k < usedBlocks ? pointers[k] : end;
    area[k] = static_cast<unsigned char>(pointer & 0xFF);
    area[k + kBlockCount] = static_cast<unsigned char>(pointer >> 8);
  }
  area.insert(area.end(), layout.trailing.begin(), layout.trailing.end());
  return LabelArea{area, end};
}

int textStart(const ImageSpec& layout, int top, std::size_t recordBytes) {
  const int needed = kReservedBelowTop + static_cast<int>(recordBytes);
  const int start = layout.start == -1 ? top - needed - kSlackBelowRecords : layout.start;
  require(start >= 0 && start <= top + 1 - needed,
          "records need " + std::to_string(recordBytes) + " bytes; text start " +
              std::to_string(start) + " leaves too little room below the top");
  return start;
}

bool known(zeb_SourceType variant) {
  return variant >= zeb_UNIDENTIFIED && variant < zeb_SOURCE_TYPES;
}

}  // namespace

int variantTop(zeb_SourceType variant) { return known(variant) ? kVariants[variant].top : 0; }

std::string variantSignature(zeb_SourceType variant) {
  return known(variant) ? kVariants[variant].signature : "";
}

BuiltImage buildImage(const ImageSpec& layout) {
  require(known(layout.variant),
          "variant " + std::to_string(layout.variant));
  require(layout.tab >= 0 && layout.tab <= 0xFF, "tab column " + std::to_string(layout.tab));
  std::vector<Record> lines = layout.lines;
  if (lines.empty()) lines.push_back(emptyLine());
  require(lines.size() <= kMaxLines, "more than 65536 lines");

  std::size_t recordBytes = 0;
  for (const Record& line : lines) recordBytes += line.empty ? 0 : line.bytes.size();

  BuiltImage image;
  image.top = variantTop(layout.variant == zeb_UNIDENTIFIED ? zeb_MACRO_8000 : layout.variant);
  image.start = textStart(layout, image.top, recordBytes);

  Bytes text(static_cast<std::size_t>(image.top - image.start + 1), 0);
  std::size_t p = text.size() - kReservedBelowTop;
  for (const Record& line : lines) {
    if (line.empty) {
      image.recordOffsets.push_back(-1);
      continue;
    }
    p -= line.bytes.size();
    std::copy(line.bytes.begin(), line.bytes.end(), text.begin() + static_cast<std::ptrdiff_t>(p));
    image.recordOffsets.push_back(image.textOffset + static_cast<int>(p));
  }
  const std::string signature = variantSignature(layout.variant);
  std::copy(signature.begin(), signature.end(), text.end() - kSignatureLength);

  Bytes table;
  for (const Record& line : lines) table.push_back(line.empty ? 0 : line.tableByte);

  const LabelArea labels = buildLabelArea(layout);

  Bytes header(zeb_HEADER_SIZE, 0);
  header[zeb_HEADER_TAB_COLUMN] = static_cast<unsigned char>(layout.tab);
  putWord(header, zeb_HEADER_LAST_LINE, static_cast<int>(lines.size() - 1));
  putWord(header, zeb_HEADER_TEXT_START, image.start);
  putWord(header, zeb_HEADER_LABEL_END, labels.end);

  image.tableOffset = image.textOffset + static_cast<int>(text.size());
  image.labelOffset = image.tableOffset + static_cast<int>(table.size());
  image.bytes = cat({header, text, table, labels.bytes});
  return image;
}

BuiltImage exampleImage() {
  enum Label { kChrout, kBorder, kColor, kSetcol, kStart, kLoop, kDone, kMessage };
  constexpr int kColumn = 24;  // where the trailing comments start
  const auto note = [](const std::string& text) { return comment(kColumn, petscii(text)); };

  ImageSpec layout;
  layout.variant = zeb_MACRO_8000;
  layout.tab = 9;
  layout.labels = {"chrout", "border", "color", "setcol", "start", "loop", "done", "message"};
  layout.lines = {
      commentLine(0, petscii("hello - prints a greeting on the c64")),
      commentLine(0, petscii("start it with sys 49152")),
      emptyLine(),
      statement(5, hex16(0xFFD2), kChrout, note("kernal: print a character")),
      statement(5, hex16(0xD020), kBorder, note("border colour")),
      statement(5, hex16(0x0286), kColor, note("text colour")),
      emptyLine(),
      statement(6, hex16(0xC000)),
      emptyLine(),
      statement(7, {}, kSetcol, note("text colour from \\1")),
      instruction(0xA9, backslash('1')),  // lda #\1
      instruction(0x8D, label(kColor)),   // sta color
      statement(8),
      emptyLine(),
      instruction(0xA9, dec8(0), kStart),  // lda #0
      instruction(0x8D, label(kBorder), -1, note("black border")),
      statement(9, macroOperand(kSetcol, dec8(1)), -1, note("white text")),
      instruction(0xA2, dec8(0)),  // ldx #0
      instruction(0xBD, label(kMessage), kLoop, note("next character")),
      instruction(0xF0, label(kDone), -1, note("zero ends the text")),
      instruction(0x20, label(kChrout)),  // jsr chrout
      instruction(0xE8),                  // inx
      instruction(0xD0, label(kLoop)),    // bne loop
      labelLine(kDone),
      instruction(0x60),  // rts
      emptyLine(),
      statement(2, stringOperand(petscii("\rHello, C64 World!")), kMessage),
      statement(3, cat({hex8(0x0D), dec8(0)}), -1, note("new line, end mark")),
  };
  return buildImage(layout);
}

bool writeFile(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace lorvex_test
