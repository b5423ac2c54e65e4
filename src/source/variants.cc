#include "source/variants.h"

namespace {

const zeb_Variant kVariants[] = {
    {0, nullptr, 0, false, "Unidentified."},
    {1, "VORDA", 0x7FF0, true, "Vorda Assembler (macro; $8000)"},
    {2, "VORDA", 0x8FF0, true, "Vorda Assembler (plain; $9000)"},
    {3, "DANRO", 0x8FF0, true, "Grenfal Assembler (plain variant; $9000)"},
    {4, "VORDA", 0x9FF0, true, "Vantler's Assembler (plain variant; $a000)"},
    {5, "ZELQA", 0x87FF, false,
     "Vorda Macro Cross Assembler v1.0 by Dunmere/Ostravel (plain variant; $87ff)"},
    {6, "VORDA", 0x89F0, true,
     "Vorda Assembler Professional v1.1lm by Korrim/Druvel (plain variant; $8a00)"},
};

}  // namespace

// Variants that share a top address are told apart by signature, and the
// first match wins, so the order is part of the format.
const int zeb_ID_ORDER[6] = {1, 6, 2, 3, 5, 4};

const zeb_Variant& zeb_variant(int code) {
  if (code < 1 || code > 6) return kVariants[0];
  return kVariants[code];
}
