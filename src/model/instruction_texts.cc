#include "model/instruction_texts.h"

#include <array>
#include <cstring>

namespace {

using Texts = std::array<zeb_InstructionText, 256>;

// Every byte decodes to a mnemonic in a single addressing mode.
Texts make() {
  Texts texts{};
  for (int byte = 0; byte < 256; ++byte) {
    const p6502_Decoded decoded = p6502_decode(static_cast<unsigned char>(byte));
    const zeb_OperandSyntax& syntax = zeb_OPERAND_SYNTAX[zeb_modeColumn(decoded.addressing)];
    zeb_InstructionText& text = texts[static_cast<std::size_t>(byte)];
    std::memcpy(text.lead, p6502_TLA[decoded.opcode], 3);
    std::memcpy(text.lead + 3, syntax.before.text, syntax.before.length);
    text.before = static_cast<unsigned char>(3 + syntax.before.length);
    text.bare = syntax.takesExpression ? 3 : text.before;
    text.after = syntax.after;
  }
  return texts;
}

}  // namespace

const zeb_InstructionText* zeb_instructionTexts() {
  static const Texts texts = make();
  return texts.data();
}
