// The label area behind the line table: 48 block pointers, then the names,
// 32 to a block, each ended by a character with bit 7 set.
#ifndef LORVEX_SOURCE_LABEL_AREA_H
#define LORVEX_SOURCE_LABEL_AREA_H

#include <string>
#include <vector>

// The names, in ASCII, by label index, read from the `length` bytes of the
// area up to the label end address the header gives. A damaged area yields
// the names read before the damage; nothing is read outside the bytes given.
std::vector<std::string> zeb_readLabelArea(const unsigned char* area, int length, int labelEnd);

#endif  // LORVEX_SOURCE_LABEL_AREA_H
