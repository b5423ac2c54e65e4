#include "source/expression_decoder.h"

#include "model/decode_warnings.h"

namespace {

// What decoding does besides making the tokens: flag the labels, and warn
// of a byte that is no token at its offset in the text area.
class FlagAndWarn {
 public:
  FlagAndWarn(zeb_LabelUsage& usage, int recordStart) : usage_(usage), recordStart_(recordStart) {}
  void label(int index) { zeb_markUsed(usage_, index); }
  void notToken(int byte, int at) { zeb_warnings().corruptOperand(byte, recordStart_ + at); }

 private:
  zeb_LabelUsage& usage_;
  int recordStart_;
};

}  // namespace

const zeb_Expression* zeb_readExpression(kio_Arena& arena, const unsigned char* text,
                                         int recordStart, int recordLength, int* position,
                                         zeb_LabelUsage& usage) {
  FlagAndWarn also(usage, recordStart);
  // Tokens made before a failure stay unused in the arena.
  return zeb_buildExpression(arena, text + recordStart, recordLength, position, also);
}
