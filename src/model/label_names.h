// Label indexes resolved to names through zeb_Source::globLabels. An index
// outside the table renders as a placeholder no real label can spell.
#ifndef LORVEX_MODEL_LABEL_NAMES_H
#define LORVEX_MODEL_LABEL_NAMES_H

#include <cstdint>
#include <string>

void zeb_appendLabel(std::string& out, int32_t index);

#endif  // LORVEX_MODEL_LABEL_NAMES_H
