// The assembler variants an image can come from: where each keeps the top
// of its text area, the signature that ends there, and its display name.
#ifndef LORVEX_SOURCE_VARIANTS_H
#define LORVEX_SOURCE_VARIANTS_H

// Source-type codes; the enum sizes the variant table.
enum zeb_SourceType : int {
  zeb_UNIDENTIFIED = 0,
  zeb_MACRO_8000 = 1,
  zeb_PLAIN_9000 = 2,
  zeb_ALT_9000 = 3,
  zeb_PLAIN_A000 = 4,
  zeb_CROSS_87FF = 5,
  zeb_PRO_8A00 = 6,
  zeb_SOURCE_TYPES  // number of codes, unidentified included
};

struct zeb_Variant {
  const char* signature;  // 5 capital letters ending at top; null when unidentified
  int top;
  bool decoded;
  const char* name;
};

// The variant of a source-type code; the unidentified row for any other value.
const zeb_Variant& zeb_variant(int code);

// The known variants in the order identification tries them.
extern const zeb_SourceType zeb_ID_ORDER[zeb_SOURCE_TYPES - 1];

#endif  // LORVEX_SOURCE_VARIANTS_H
