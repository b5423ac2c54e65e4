// The assembler variants an image can come from: where each keeps the top
// of its text area, the signature that ends there, and its display name.
#ifndef LORVEX_SOURCE_VARIANTS_H
#define LORVEX_SOURCE_VARIANTS_H

struct zeb_Variant {
  int code;
  const char* signature;  // 5 capital letters ending at top; null for code 0
  int top;
  bool decoded;
  const char* name;
};

// The variant of a source-type code; code 0 (unidentified) for any other value.
const zeb_Variant& zeb_variant(int code);

// Source-type codes in the order identification tries them.
extern const int zeb_ID_ORDER[6];

#endif  // LORVEX_SOURCE_VARIANTS_H
