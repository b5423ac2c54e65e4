#include "disk/entry_fields.h"

namespace disk {

const std::string kDiskPadding("\xA0", 1);
const std::string kTapePadding("\xA0 \0", 3);

std::string withoutPadding(const std::uint8_t* bytes, std::size_t size,
                           const std::string& padding) {
  while (size > 0 && padding.find(static_cast<char>(bytes[size - 1])) != std::string::npos) --size;
  return std::string(bytes, bytes + size);
}

bool typeFromCode(int typeByte, FileType& type) {
  const int code = typeByte & 0x0F;
  const bool known = code < static_cast<int>(FileType::count);
  type = known ? static_cast<FileType>(code) : FileType::prg;
  return known;
}

bool typeFromLetter(int letter, FileType& type) {
  const char kLetters[] = "dspur";  // del, seq, prg, usr, rel
  for (int i = 0; kLetters[i] != '\0'; ++i) {
    if ((letter | 0x20) == kLetters[i]) {
      type = static_cast<FileType>(i);
      return true;
    }
  }
  type = FileType::prg;
  return false;
}

int blocksOf(std::size_t length) {
  return static_cast<int>((length + 253) / 254);
}

std::string sharedText(int count) {
  return std::to_string(count) + (count == 1 ? " more entry shares" : " more entries share") +
         " its data";
}

}  // namespace disk
