// How a name from the host (an image's file name, a path below the
// extraction directory, a word of the command line) is shown in a message,
// a header or a listing's title: the one rule every such name goes through,
// so that no name can move the cursor, recolour the terminal or forge a
// line of its own.
#ifndef LORVEX_DRIVER_HOST_TEXT_H
#define LORVEX_DRIVER_HOST_TEXT_H

#include <string>

// The name with every control character (bytes $00-$1F and $7F, and the
// UTF-8 characters U+0080-U+009F) and every byte that is not part of
// well-formed UTF-8 written as "?"; the rest is kept as it is. The result
// is valid UTF-8 and holds no control byte.
std::string shownHostName(const std::string& name);

#endif  // LORVEX_DRIVER_HOST_TEXT_H
