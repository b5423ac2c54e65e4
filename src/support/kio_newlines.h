// Counting line breaks in a text eight bytes at a time: the page's module
// counts the lines of every listing it hands out, and WebAssembly has no
// vector search to fall back on, so a byte loop or memchr costs a tenth of
// the listing itself there.
#ifndef LORVEX_SUPPORT_KIO_NEWLINES_H
#define LORVEX_SUPPORT_KIO_NEWLINES_H

#include <cstddef>

// The number of '\n' bytes in [from, to); 0 when to <= from.
std::size_t kio_newlines(const char* from, const char* to);

// The start of the line that holds `at`: just past the last '\n' in
// [from, at), or `from` when there is none.
const char* kio_lineStart(const char* from, const char* at);

#endif  // LORVEX_SUPPORT_KIO_NEWLINES_H
