// Telling the variants apart: a signature that ends exactly at the top of
// the text area.
#include <cstring>

#include "source/variants.h"
#include "source/zeb_source.h"

bool FMatchID(const char* id, int length, const char* image, int imageSize, int offset) {
  if (offset < 0 || length < 0) return false;
  const long long last = static_cast<long long>(offset) + 256;  // image byte that holds top
  if (last + 1 >= imageSize) return false;
  const long long first = last + 1 - length;
  if (first < 0) return false;
  if (length == 0) return true;
  return std::memcmp(id, image + first, static_cast<std::size_t>(length)) == 0;
}

int zeb_Source::_idSource(const char* image, int start, int size) const {
  for (int code : zeb_ID_ORDER) {
    const zeb_Variant& v = zeb_variant(code);
    if (FMatchID(v.signature, 5, image, size, v.top - start)) return code;
  }
  return zeb_UNIDENTIFIED;
}

std::string zeb_Source::type() const { return zeb_variant(sourceType).name; }
