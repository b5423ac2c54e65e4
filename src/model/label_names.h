// Label indexes resolved to names through zeb_Source::globLabels. An index
// outside the table renders as a placeholder no real label can spell.
#ifndef LORVEX_MODEL_LABEL_NAMES_H
#define LORVEX_MODEL_LABEL_NAMES_H

#include <cstdint>

#include "model/zeb_text.h"

void zeb_writeLabel(zeb_Text& out, int32_t index);

#endif  // LORVEX_MODEL_LABEL_NAMES_H
