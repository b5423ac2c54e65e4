#include "source/variants.h"

namespace {

const zeb_Variant kVariants[zeb_SOURCE_TYPES] = {
    /* zeb_UNIDENTIFIED */ {nullptr, 0, false, "Unidentified."},
    /* zeb_MACRO_8000 */ {"VORDA", 0x7FF0, true, "Vorda Assembler (macro; $8000)"},
    /* zeb_PLAIN_9000 */ {"VORDA", 0x8FF0, true, "Vorda Assembler (plain; $9000)"},
    /* zeb_ALT_9000 */ {"DANRO", 0x8FF0, true, "Grenfal Assembler (plain variant; $9000)"},
    /* zeb_PLAIN_A000 */ {"VORDA", 0x9FF0, true, "Vantler's Assembler (plain variant; $a000)"},
    /* zeb_CROSS_87FF */
    {"ZELQA", 0x87FF, false,
     "Vorda Macro Cross Assembler v1.0 by Dunmere/Ostravel (plain variant; $87ff)"},
    /* zeb_PRO_8A00 */
    {"VORDA", 0x89F0, true,
     "Vorda Assembler Professional v1.1lm by Korrim/Druvel (plain variant; $8a00)"},
};

}  // namespace

// Variants that share a top address are told apart by signature, and the
// first match wins, so the order is part of the format.
const zeb_SourceType zeb_ID_ORDER[zeb_SOURCE_TYPES - 1] = {
    zeb_MACRO_8000, zeb_PRO_8A00, zeb_PLAIN_9000, zeb_ALT_9000, zeb_CROSS_87FF, zeb_PLAIN_A000};

const zeb_Variant& zeb_variant(int code) {
  if (code <= zeb_UNIDENTIFIED || code >= zeb_SOURCE_TYPES) return kVariants[zeb_UNIDENTIFIED];
  return kVariants[code];
}
