#include "export/export_writer.h"

#include "model/statements.h"

namespace {

bool isCondition(int16_t code) {
  return code == code_IFNE || code == code_IFEQ || code == code_IFPL || code == code_IFMI ||
         code == code_IF;
}

}  // namespace

bool lorvex_ExportWriter::condition(int16_t code, std::string& text) {
  std::string e;
  if (!value(e)) return false;
  const bool sign = code == code_IFPL || code == code_IFMI;
  const bool zero = code == code_IFEQ || code == code_IFPL;
  text = sign ? "((" + e + ")&$8000)" : "(" + e + ")";
  text += zero ? syntax.equal : syntax.notEqual;
  text += '0';
  return true;
}

void lorvex_ExportWriter::closeModal() {
  while (!modal.empty()) {
    startLine();
    body += '}';
    body += '\n';
    modal.pop_back();
  }
}

bool lorvex_ExportWriter::writeOffset() {
  std::string e;
  if (!value(e)) return false;
  labelLineBefore();
  if (!syntax.offsetOpen) {
    indent();
    body += std::string(syntax.offsetVariable) + " .set " + e;
    setPending();
    endLine();
    return true;
  }
  if (depth > 0) return fail("a change of offset inside a nested statement");
  std::string previous = "0";
  if (!modal.empty() && modal.back() == Modal::offsetBlock) {
    extraLine("}");
    modal.pop_back();
    previous = offset;
  }
  const bool zero = lorvex_isZero(operand.whole());
  indent();
  body += std::string(syntax.setPc) + syntax.wrap + "(*-(" + previous + ")+(" + (zero ? "0" : e) + "))";
  if (!zero) {
    offset = e;
    modal.push_back(Modal::offsetBlock);
    endLine();
    startLine();
    indent();
    body += std::string(syntax.offsetOpen) + syntax.wrap + "(*-(" + e + ")) {";
    body += '\n';
    return true;
  }
  endLine();
  return true;
}

bool lorvex_ExportWriter::writeEor() {
  std::string e;
  if (!value(e)) return false;
  if (depth > 0) return fail("a change of .eor inside a nested statement");
  labelLineBefore();
  const bool zero = lorvex_isZero(operand.whole());
  if (!syntax.xorOpen) {
    indent();
    body += std::string(syntax.xorVariable) + " .set " + e;
    eorInData = !zero;
    endLine();
    return true;
  }
  if (!modal.empty() && modal.back() == Modal::xorBlock) {
    extraLine("}");
    modal.pop_back();
  }
  if (!modal.empty()) return fail("a change of .eor while .offs is in force");
  indent();
  if (zero) {
    body += pieces.comment;
    body += " .eor 0";
  } else {
    body += std::string(syntax.xorOpen) + e + " {";
    modal.push_back(Modal::xorBlock);
  }
  endLine();
  return true;
}

bool lorvex_ExportWriter::writeMacroHead(int16_t code) {
  const int arity = plan.arityAt(k);
  indent();
  body += syntax.macroOpen;
  body += plan.macroName(head->labelRef);
  for (int n = 1; n <= arity; ++n) {
    body += n == 1 ? " " : ", ";
    body += formatted(syntax.parameter, n);
  }
  body += syntax.macroBody;
  endLine();
  inMacro = true;
  ++depth;
  // The body is a flow of its own, placed at its start (below).
  pendingOutsideMacro = pendingDepth;
  pendingDepth = -1;
  if (!*syntax.localsLine) return true;
  std::vector<std::string> locals;
  for (int n = 1; n <= arity; ++n) locals.push_back(formatted(syntax.argument, n));
  if (code == code_MACRO)
    for (std::string& name : plan.macroLocals(k)) locals.push_back(std::move(name));
  if (!locals.empty()) {
    startLine();
    indent();
    body += syntax.localsLine;
    for (std::size_t i = 0; i < locals.size(); ++i) body += (i ? ", " : "") + locals[i];
    body += '\n';
  }
  for (int n = 1; n <= arity; ++n) {
    startLine();
    indent();
    body += formatted(syntax.bindArgument, n);
    body += '\n';
  }
  // Code a call stores goes where the last new address put it.
  if (*syntax.placeCode) {
    startLine();
    indent();
    body += syntax.placeCode;
    body += '\n';
  }
  return true;
}

bool lorvex_ExportWriter::writeCall() {
  const int32_t macro = head->macroRef;
  if (macro < 0 || static_cast<unsigned long>(macro) >= source.numberOfLabels())
    return fail("a macro the image's label table does not hold");
  const int arity = plan.macroArity(macro, k);
  if (arity < 0) return fail("a call of a macro not defined above it");
  if (eorInData) return fail("a macro call while .eor is in force, which the target applies to data only");
  const std::size_t given = operand.whole().only(lorvex_TokenKind::list) ? operand.items() : 0;
  if (given != static_cast<std::size_t>(arity))
    return fail(std::to_string(given) + " arguments to a macro that takes " + std::to_string(arity));
  std::string arguments;
  for (std::size_t i = 0; i < given; ++i) {
    if (!lorvex_translateOperand(operand.item(i), syntax, lorvex_OperandUse::value, *this,
                                 scratch, problem))
      return false;
    arguments += (i ? ", " : " ") + scratch.text;
  }
  labelField();
  body += syntax.macroCall;
  body += plan.macroName(macro);
  body += arguments;
  endLine();
  return true;
}

bool lorvex_ExportWriter::writeLoopClose(int16_t code) {
  std::string text;
  if (!condition(code, text)) return false;
  labelLineBefore();
  closeFrame();
  indent();
  if (syntax.loopOpen) {
    body += syntax.loopClose + text;
    endLine();
    return true;
  }
  body += syntax.ifOpen + text;
  body += '\n';
  startLine();
  indent();
  body += loopName() + '\n';
  startLine();
  indent();
  body += std::string(syntax.ifClose) + '\n';
  startLine();
  indent();
  body += std::string(syntax.macroClose) + '\n';
  startLine();
  indent();
  body += loopName();
  endLine();
  return true;
}

bool lorvex_ExportWriter::writePseudo() {
  const int16_t code = head->pseudo;
  const lorvex_LineRole role = plan.role(k);
  if (role == lorvex_LineRole::loopClose) return writeLoopClose(code);
  switch (code) {
    case code_TEXT:
    case code_NULL:
    case code_SHIFT:
      return writeString(code);
    case code_BYTE:
    case code_WORD:
    case code_RTA:
      return writeList(code);
    case code_OFFS: return writeOffset();
    case code_EOR: return writeEor();
    case code_VAR:
      if (head->labelRef < 0) return fail("a variable without a label");
      if (!writeDefinition()) return false;
      endLine();
      return true;
    case code_MACRO:
    case code_SEGMENT: return writeMacroHead(code);
    case code_ENDM:
      labelLineBefore();
      indent();
      body += syntax.macroClose;
      inMacro = false;
      closeFrame();
      pendingDepth = pendingOutsideMacro;
      endLine();
      return true;
    case code_CALL: return writeCall();
    case code_ENDIF:
      labelLineBefore();
      indent();
      body += syntax.ifClose;
      closeFrame();
      endLine();
      return true;
    case code_BLOCK:
      labelLineBefore();
      indent();
      body += syntax.scopeOpen;
      ++depth;
      endLine();
      return true;
    case code_BEND:
      labelLineBefore();
      indent();
      body += syntax.scopeClose;
      closeFrame();
      endLine();
      return true;
    case code_INCLUDE: {
      std::string raw;
      if (!stringBytes(raw)) return false;
      if (eorInData) return fail("an included file while .eor is in force, which the target applies to data only");
      place();
      labelField();
      body += syntax.include;
      body += '"';
      body += options.includedFile ? options.includedFile(raw) : lorvex_defaultIncludedFile(raw, options.target);
      body += '"';
      endLine();
      return true;
    }
    case code_END:
      labelLineBefore();
      if (!modal.empty()) {
        closeModal();
        startLine();
      }
      indent();
      body += syntax.endOfSource;
      ended = true;
      endLine();
      return true;
    case code_LBL:
      if (role == lorvex_LineRole::loopMark) {
        indent();
        putListingAsComment();
        body += '\n';
        return true;
      }
      indent();
      body += syntax.loopOpen ? syntax.loopOpen : ".macro " + loopName();
      ++depth;
      endLine();
      return true;
    default:
      break;
  }
  if (isCondition(code)) {
    std::string text;
    if (!condition(code, text)) return false;
    labelLineBefore();
    indent();
    body += syntax.ifOpen + text + syntax.ifBody;
    ++depth;
    endLine();
    return true;
  }
  // Listing controls and anything else that makes no bytes.
  labelField();
  const std::string name = lorvex_directiveName(code);
  if (!name.empty()) {
    body += pieces.comment;
    body += ' ';
    body += name;
  }
  endLine();
  return true;
}
