// Byte forms of operand tokens and line records, written from the record
// layout alone so that they can check the decoder rather than mirror it.
#include <cstddef>
#include <stdexcept>
#include <string>

#include "testlib/image_builder.h"

namespace lorvex_test {
namespace {

constexpr std::size_t kMaxRecordLength = 63;  // six length bits in the line table
constexpr int kMaxTokenLabel = 1535;          // $35/$3D carry the highest index bits
constexpr int kMaxRecordLabel = 2047;         // records keep three index bits

void require(bool ok, const std::string& what) {
  if (!ok) throw std::logic_error("image builder: " + what);
}

unsigned char byteOf(int value, const char* what) {
  require(value >= 0 && value <= 0xFF,
          std::string(what) + " out of range: " + std::to_string(value));
  return static_cast<unsigned char>(value);
}

Bytes oneByteToken(int token, bool last, int value, const char* what) {
  return {static_cast<unsigned char>(last ? token + 8 : token), byteOf(value, what)};
}

Bytes twoByteToken(int token, bool last, int value) {
  require(value >= 0 && value <= 0xFFFF, "16-bit value out of range: " + std::to_string(value));
  return {static_cast<unsigned char>(last ? token + 8 : token),
          static_cast<unsigned char>(value & 0xFF), static_cast<unsigned char>(value >> 8)};
}

Bytes lengthPrefixed(const std::string& rawBytes) {
  require(rawBytes.size() <= 0xFF, "string longer than 255 bytes");
  return cat({{static_cast<unsigned char>(rawBytes.size())}, raw(rawBytes)});
}

Record makeRecord(unsigned char classBits, const Bytes& bytes) {
  require(!bytes.empty() && bytes.size() <= kMaxRecordLength,
          "record length " + std::to_string(bytes.size()) + " not in 1..63");
  return Record{false, static_cast<unsigned char>(classBits | bytes.size()), bytes};
}

Bytes optionalLabel(int label) {
  return label < 0 ? Bytes{} : labelRef(label);
}

}  // namespace

Bytes cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

Bytes raw(const std::string& s) {
  return Bytes(s.begin(), s.end());
}

std::string petscii(const std::string& ascii) {
  std::string out = ascii;
  for (char& c : out) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 0x41);
    else if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 0xC1);
  }
  return out;
}

Bytes hex8(int value, bool last) {
  return oneByteToken(0x20, last, value, "8-bit value");
}
Bytes hex16(int value, bool last) {
  return twoByteToken(0x21, last, value);
}
Bytes dec8(int value, bool last) {
  return oneByteToken(0x22, last, value, "8-bit value");
}
Bytes dec16(int value, bool last) {
  return twoByteToken(0x23, last, value);
}
Bytes bin8(int value, bool last) {
  return oneByteToken(0x24, last, value, "8-bit value");
}
Bytes pc(bool last) {
  return {static_cast<unsigned char>(last ? 0x2D : 0x25)};
}
Bytes chr(int petsciiByte, bool last) {
  return oneByteToken(0x26, last, petsciiByte, "character");
}
Bytes backslash(int byte, bool last) {
  return oneByteToken(0x27, last, byte, "character");
}

Bytes label(int index, bool last) {
  require(index >= 0 && index <= kMaxTokenLabel, "label token index " + std::to_string(index));
  return {static_cast<unsigned char>((last ? 0x38 : 0x30) | (index >> 8)),
          static_cast<unsigned char>(index & 0xFF)};
}

Bytes sym(char op) {
  static const std::string kSymbols = "+-*/><!&.:()";  // codes $40.. in this order
  const std::string::size_type at = kSymbols.find(op);
  require(op != '\0' && at != std::string::npos, std::string("no symbol token for '") + op + "'");
  return {static_cast<unsigned char>(0x40 + at)};
}

Bytes closeParen() {
  return {0x5B};
}

Bytes str(const std::string& rawBytes) {
  return cat({{0x4F}, lengthPrefixed(rawBytes)});
}

Bytes comment(int column, const std::string& rawText) {
  require(column >= 0 && column <= 63, "comment column " + std::to_string(column));
  return cat({{static_cast<unsigned char>(0x80 | column)}, raw(rawText)});
}

Bytes stringOperand(const std::string& rawBytes) {
  return lengthPrefixed(rawBytes);
}

Bytes macroOperand(int macroIndex, const Bytes& list) {
  return cat({labelRef(macroIndex), list});
}

Bytes labelRef(int index) {
  require(index >= 0 && index <= kMaxRecordLabel, "label reference index " + std::to_string(index));
  return {static_cast<unsigned char>(0x30 | (index >> 8)),
          static_cast<unsigned char>(index & 0xFF)};
}

Record emptyLine() {
  return Record{true, 0, {}};
}

Record instruction(int opcodeByte, const Bytes& operand, int label, const Bytes& trailer) {
  const Bytes bytes = cat({optionalLabel(label), {byteOf(opcodeByte, "opcode")}, operand, trailer});
  return makeRecord(label < 0 ? 0x80 : 0xC0, bytes);
}

Record statement(int code, const Bytes& operand, int label, const Bytes& trailer) {
  require(code >= 0 && code <= 31, "statement code " + std::to_string(code));
  const Bytes bytes =
      cat({optionalLabel(label), {static_cast<unsigned char>(code)}, operand, trailer});
  return makeRecord(0x00, bytes);
}

Record labelLine(int label, const Bytes& trailer) {
  return makeRecord(0x00, cat({labelRef(label), trailer}));
}

Record textLine(int column, const std::string& rawText) {
  require(column >= 0 && column <= 63, "text column " + std::to_string(column));
  return makeRecord(0x00, cat({{static_cast<unsigned char>(0x40 | column)}, raw(rawText)}));
}

Record commentLine(int column, const std::string& rawText) {
  require(column >= 0 && column < 48, "comment-only column " + std::to_string(column));
  return makeRecord(0x00, comment(column, rawText));
}

Record rawRecord(unsigned char tableByte, const Bytes& bytes) {
  return Record{false, tableByte, bytes};
}

}  // namespace lorvex_test
