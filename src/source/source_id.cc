#include "source/source_id.h"

#include <cstring>

#include "source/image_header.h"

bool FMatchID(const char* id, int length, const char* image, int imageSize, int offset) {
  if (offset < 0 || length < 0) return false;
  // The image byte that holds top.
  const long long last = static_cast<long long>(offset) + zeb_HEADER_SIZE;
  if (last + 1 >= imageSize) return false;
  const long long first = last + 1 - length;
  if (first < 0) return false;
  if (length == 0) return true;
  return std::memcmp(id, image + first, static_cast<std::size_t>(length)) == 0;
}

zeb_SourceType zeb_identify(const char* image, int size, int start) {
  for (zeb_SourceType code : zeb_ID_ORDER) {
    const zeb_Variant& v = zeb_variant(code);
    if (FMatchID(v.signature, 5, image, size, v.top - start)) return code;
  }
  return zeb_UNIDENTIFIED;
}
