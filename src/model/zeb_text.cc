#include "model/zeb_text.h"

void zeb_Text::grow(std::size_t count) {
  const std::size_t used = size();
  std::size_t capacity = static_cast<std::size_t>(limit - begin) * 2;
  if (capacity < used + count) capacity = used + count;
  char* larger = new char[capacity];
  std::memcpy(larger, begin, used);
  if (begin != inPlace) delete[] begin;
  begin = larger;
  end = larger + used;
  limit = larger + capacity;
}

void zeb_Text::fillLong(char c, std::size_t count) {
  room(count);
  std::memset(end, c, count);
  end += count;
}
