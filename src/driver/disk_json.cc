#include "driver/disk_json.h"

#include "driver/disk_session.h"

const char kJsonArrayOpen[] = "[\n";
const char kJsonSeparator[] = ",\n";
const char kJsonArrayClose[] = "\n]\n";

namespace {

// The length of the UTF-8 sequence starting at text[i]; 0 when none is.
std::size_t utf8Length(const std::string& text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t length = 0;
  unsigned int lowest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    lowest = 0x10000;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  unsigned int code = lead & (0x7Fu >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    code = code << 6 | (next & 0x3Fu);
  }
  if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

void appendEscaped(std::string& out, unsigned char c) {
  static const char kHex[] = "0123456789abcdef";
  switch (c) {
    case '"': out += "\\\""; return;
    case '\\': out += "\\\\"; return;
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    default: break;
  }
  out += "\\u00";
  out += kHex[c >> 4];
  out += kHex[c & 0x0F];
}

std::string field(const char* name) { return std::string("\"") + name + "\": "; }

std::string optionalString(const std::string& text) {
  return text.empty() ? "null" : jsonString(text);
}

std::string boolean(bool value) { return value ? "true" : "false"; }

std::string entryJson(std::size_t index, const SessionEntry& e) {
  return "{" + field("index") + std::to_string(index) + ", " + field("name") +
         jsonString(e.name) + ", " + field("type") + jsonString(e.type) + ", " +
         field("blocks") + std::to_string(e.blocks) + ", " + field("closed") +
         boolean(e.closed) + ", " + field("locked") + boolean(e.locked) + ", " +
         field("variant") + optionalString(e.variant) + ", " + field("hostName") +
         jsonString(e.hostName) + ", " + field("rawName") + jsonString(e.rawName) + "}";
}

}  // namespace

std::string jsonString(const std::string& text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == '"' || c == '\\' || c == 0x7F) {
      appendEscaped(out, c);
      ++i;
    } else if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
    } else if (const std::size_t length = utf8Length(text, i)) {
      out.append(text, i, length);
      i += length;
    } else {
      out += "\\ufffd";
      ++i;
    }
  }
  return out + "\"";
}

std::string errorJson(const std::string& imageName, const std::string& error) {
  return "  {" + field("image") + jsonString(imageName) + ", " + field("error") +
         jsonString(error) + "}";
}

std::string imageJson(const DiskSession& session, const std::vector<std::string>& patterns) {
  if (!session.isOpen()) return errorJson(session.imageName(), session.error());
  const SessionImage& image = session.image();
  std::string out = "  {\n";
  out += "    " + field("image") + jsonString(session.imageName()) + ",\n";
  out += "    " + field("kind") + jsonString(image.kind) + ",\n";
  out += "    " + field("name") + optionalString(image.name) + ",\n";
  out += "    " + field("id") + optionalString(image.id) + ",\n";
  out += "    " + field("freeBlocks") +
         (image.freeBlocks ? std::to_string(*image.freeBlocks) : std::string("null")) + ",\n";
  out += "    " + field("entries") + "[";
  const char* separator = "\n";
  for (std::size_t i = 0; i < session.entries().size(); ++i) {
    if (!session.selected(i, patterns)) continue;
    out += separator;
    out += "      " + entryJson(i, session.entries()[i]);
    separator = ",\n";
  }
  out += *separator == ',' ? "\n    ],\n" : "],\n";
  out += "    " + field("warnings") + "[";
  separator = "\n";
  for (const std::string& warning : session.warnings()) {
    out += separator;
    out += "      " + jsonString(warning);
    separator = ",\n";
  }
  out += *separator == ',' ? "\n    ]\n" : "]\n";
  return out + "  }";
}
