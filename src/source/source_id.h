// Telling the variants apart: each keeps a 5-letter signature that ends
// exactly at the top of its text area.
#ifndef LORVEX_SOURCE_SOURCE_ID_H
#define LORVEX_SOURCE_SOURCE_ID_H

#include "source/variants.h"

// True when the length bytes of id end exactly at image byte offset + 256
// and the image goes on for at least one byte beyond it.
bool FMatchID(const char* id, int length, const char* image, int imageSize, int offset);

// The first variant, in zeb_ID_ORDER, whose signature the image holds for a
// text area starting at address start; zeb_UNIDENTIFIED when none does.
zeb_SourceType zeb_identify(const char* image, int size, int start);

#endif  // LORVEX_SOURCE_SOURCE_ID_H
