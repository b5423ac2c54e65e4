#include "source/expression_decoder.h"

#include "model/decode_warnings.h"

namespace {

// Value tokens $20-$27 (and $28-$2F, the same ending the expression).
struct ValueToken {
  int16_t kind;
  int bytes;  // stored bytes after the token byte
  bool sign;  // the stored byte is sign-extended
};

const ValueToken kValueTokens[8] = {
    {zeb_HEX, 1, false},      {zeb_HEX, 2, false},       {zeb_DECIMAL, 1, false},
    {zeb_DECIMAL, 2, false},  {zeb_BINARY, 1, false},    {zeb_PROGRAM_COUNTER, 0, false},
    {zeb_CHARACTER, 1, true}, {zeb_BACKSLASH, 1, true},
};

enum class Step { goOn, ended, cutOff, notToken };

bool isCommentHeader(int t) { return t >= 0x80 && t <= 0xA7; }

}  // namespace

void zeb_markUsed(zeb_LabelUsage& usage, int index) {
  if (index >= 0 && static_cast<std::size_t>(index) < usage.size()) usage[index] = 1;
}

const zeb_Expression* zeb_readExpression(kio_Arena& arena, const unsigned char* text,
                                         int recordStart, int recordLength, int* position,
                                         zeb_LabelUsage& usage) {
  const unsigned char* record = text + recordStart;
  zeb_PartRun<zeb_ExpressionToken> tokens(arena);
  int q = *position;
  // Every read stays inside the record: an operand cut off by the record's
  // end yields no expression, without the corrupt-file warning. Tokens read
  // before a failure stay unused in the arena.
  auto has = [&](int count) { return q + count <= recordLength; };

  auto readToken = [&]() -> Step {
    if (!has(1)) return Step::cutOff;
    const int t = record[q];
    if (t >= 0x20 && t <= 0x2F) {
      const ValueToken& v = kValueTokens[t & 7];
      if (!has(1 + v.bytes)) return Step::cutOff;
      int value = 0;
      if (v.bytes == 1) value = v.sign ? static_cast<int8_t>(record[q + 1]) : record[q + 1];
      if (v.bytes == 2) value = record[q + 1] | record[q + 2] << 8;
      tokens.add(arena.make<zeb_ExpressionValue>(v.kind, value));
      q += 1 + v.bytes;
      return t >= 0x28 ? Step::ended : Step::goOn;
    }
    if ((t >= 0x30 && t <= 0x35) || (t >= 0x38 && t <= 0x3D)) {
      if (!has(2)) return Step::cutOff;
      const int index = (t & 7) * 256 + record[q + 1];
      zeb_markUsed(usage, index);
      tokens.add(arena.make<zeb_ExpressionLabel>(static_cast<int16_t>(index)));
      q += 2;
      return t >= 0x38 ? Step::ended : Step::goOn;
    }
    if ((t >= 0x40 && t <= 0x4B) || t == 0x5B) {
      tokens.add(arena.make<zeb_ExpressionSymbol>(static_cast<int16_t>(t)));
      q += 1;
      return t == 0x5B ? Step::ended : Step::goOn;
    }
    if (t == 0x4F) {
      if (!has(2) || !has(2 + record[q + 1])) return Step::cutOff;
      tokens.add(zeb_ExpressionString::makeIn(arena, record + q + 2, record[q + 1]));
      q += 2 + record[q + 1];
      return Step::ended;
    }
    if (!isCommentHeader(t)) zeb_warnings().corruptOperand(t, recordStart + q);
    return Step::notToken;
  };

  for (;;) {
    switch (readToken()) {
      case Step::goOn:
        continue;
      case Step::ended:
        *position = q;
        return zeb_Expression::makeIn(arena, tokens.parts(), tokens.size());
      case Step::cutOff:
      case Step::notToken:
        *position = q;  // at the byte that is no token, or where the record ran out
        return nullptr;
    }
  }
}
