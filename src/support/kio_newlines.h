// Counting line breaks in a text eight bytes at a time: the page's module
// counts the lines of every listing it hands out, and WebAssembly has no
// vector search to fall back on, so a byte loop or memchr costs a tenth of
// the listing itself there.
#ifndef LORVEX_SUPPORT_KIO_NEWLINES_H
#define LORVEX_SUPPORT_KIO_NEWLINES_H

#include <cstddef>

// The number of '\n' bytes in [from, to); 0 when to <= from.
std::size_t kio_newlines(const char* from, const char* to);

// The '\n' bytes in [from, to): how many, and where the line after the
// last of them starts (`from` when there is none), found in one pass.
struct kio_Breaks {
  std::size_t count;
  const char* lineStart;
};
kio_Breaks kio_breaks(const char* from, const char* to);

#endif  // LORVEX_SUPPORT_KIO_NEWLINES_H
