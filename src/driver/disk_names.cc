#include "driver/disk_names.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include "petscii/lorvex_global.h"

namespace {

constexpr std::size_t kMaxNameLength = 64;

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool isSafeChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         c == '.' || c == '_' || c == '+' || c == '-';
}

// Names that one host system or another reserves for devices, with or
// without an extension.
bool isDeviceName(const std::string& name) {
  static const std::set<std::string> kDevices = {
      "con",  "prn",  "aux",  "nul",  "com1", "com2", "com3", "com4", "com5", "com6", "com7",
      "com8", "com9", "lpt1", "lpt2", "lpt3", "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9"};
  return kDevices.count(lowered(name.substr(0, name.find('.')))) > 0;
}

}  // namespace

std::string lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), lower);
  return text;
}

std::string displayName(const std::string& petscii) {
  std::string out;
  for (char ch : petscii) {
    const auto c = static_cast<unsigned char>(ch);
    if (Lorvex_global::utf8) {  // glyphs, and braces for control codes
      Lorvex_global::appendCommentChar(out, c);
      continue;
    }
    const char ascii = Lorvex_global::toASCII(c);
    if (static_cast<unsigned char>(ascii) < 0x20 || ascii == 0x7F) {
      out += Lorvex_global::toTok(c);
    } else {
      out += ascii;
    }
  }
  return out;
}

std::string hostText(std::string name) {
  for (char& c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return name;
}

bool matchesPattern(const std::string& name, const std::string& pattern) {
  std::size_t i = 0;
  for (const char p : pattern) {
    if (p == '*') return true;
    if (i == name.size()) return false;
    if (p != '?' && lower(p) != lower(name[i])) return false;
    ++i;
  }
  return i == name.size();
}

std::string safeFileName(const std::string& text) {
  std::string name;
  for (const char c : text) name += isSafeChar(c) ? c : '_';
  if (name.size() > kMaxNameLength) name.resize(kMaxNameLength);
  // A leading dot hides a file, and "." and ".." are directories; trailing
  // dots vanish on some hosts.
  if (!name.empty() && name.front() == '.') name.front() = '_';
  while (!name.empty() && name.back() == '.') name.back() = '_';
  if (name.empty()) name = "_";
  if (isDeviceName(name)) name.insert(0, "_");
  return name;
}

void numberCollisions(std::vector<std::string>& names) {
  std::set<std::string> taken;
  for (const std::string& name : names) taken.insert(lowered(name));
  std::set<std::string> seen;
  // The next number to try for each name, so that a disk of thousands of
  // equal names is numbered in one pass.
  std::map<std::string, int> next;
  for (std::string& name : names) {
    const std::string key = lowered(name);
    if (seen.insert(key).second) continue;
    int& n = next.try_emplace(key, 2).first->second;
    for (;; ++n) {
      const std::string candidate = name + "_" + std::to_string(n);
      if (taken.insert(lowered(candidate)).second) {
        seen.insert(lowered(candidate));
        name = candidate;
        ++n;
        break;
      }
    }
  }
}
