#include "export/export_plan.h"
#include "export/expression_export.h"

#include <algorithm>
#include <new>
#include <type_traits>

#include "model/p6502_tables.h"
#include "model/statements.h"
#include "model/zeb_expression.h"
#include "model/zeb_line.h"
#include "source/zeb_source.h"

namespace {

enum class Frame { block, macro, segment, conditional, loop };

struct Open {
  Frame kind;
  std::size_t line;  // index among the occupied lines
  int scope;         // the scope in force inside
  int32_t label;     // a loop's `.lbl` label
};

std::string lineText(const zeb_Line& line) { return "line " + std::to_string(line.getLineNumber()) + ": "; }

std::string directive(int16_t code) { return lorvex_directiveName(code); }

// The highest macro argument number in a line's operand, lists included.
int highestArgument(const lorvex_LineRecord& line) {
  lorvex_RecordOperand operand;
  operand.read(line.bytes, line.length, line.head);
  const lorvex_Tokens tokens = operand.all();
  int highest = 0;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const int digit = (tokens[i].value & 0xFF) - '0';
    if (tokens[i].kind == lorvex_TokenKind::value && tokens[i].code == zeb_BACKSLASH &&
        digit >= 1 && digit <= 9)
      highest = std::max(highest, digit);
  }
  return highest;
}

bool isCondition(int16_t code) {
  return code == code_IFNE || code == code_IFEQ || code == code_IFPL || code == code_IFMI ||
         code == code_IF;
}

// The label a `.goto` names, when its operand is that label alone; -1 else.
int32_t gotoTarget(const lorvex_LineRecord& line) {
  lorvex_RecordOperand operand;
  operand.read(line.bytes, line.length, line.head);
  const lorvex_Token* label = operand.whole().only(lorvex_TokenKind::label);
  return label ? label->value : -1;
}

bool isPseudo(const lorvex_LineRecord& line, int16_t code) {
  return line.head.type == zeb_PSEUDO && line.head.pseudo == code;
}

// Names a label cannot keep in the target: its own words and every mnemonic.
const lorvex_ReservedWords& reservedWords(const lorvex_TargetSyntax& target) {
  static lorvex_ReservedWords sets[static_cast<int>(lorvex_Target::count)];
  for (int t = 0; t < static_cast<int>(lorvex_Target::count); ++t) {
    if (&lorvex_targetSyntax(static_cast<lorvex_Target>(t)) != &target) continue;
    lorvex_ReservedWords& reserved = sets[t];
    if (reserved.words.empty()) {
      for (const char* const* word = target.reserved; *word; ++word) reserved.words.insert(*word);
      for (int m = 0; m < p6502_MNEMONICS; ++m) reserved.words.insert(p6502_TLA[m]);
      for (const std::string& word : reserved.words) {
        if (word.size() > reserved.longest) reserved.longest = word.size();
        for (unsigned char c : word) reserved.used[c] = true;
      }
    }
    return reserved;
  }
  return sets[0];
}

}  // namespace

std::string lorvex_directiveName(int16_t code) {
  const zeb_Statement* statement = zeb_statement(code);
  std::string text = statement ? statement->text : "";
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

bool lorvex_ExportPlan::make(const zeb_Source& from, const lorvex_TargetSyntax& target,
                             std::string& error) {
  source = &from;
  syntax = &target;
  const std::size_t count = from.occupiedLines().size();
  roles.assign(count, lorvex_LineRole::plain);
  lineScopes.assign(count, 0);
  static_assert(std::is_trivially_copyable<lorvex_LineRecord>::value &&
                std::is_trivially_destructible<lorvex_LineRecord>::value,
                "records are written in place and freed without destruction");
  records.reset(static_cast<lorvex_LineRecord*>(std::malloc(sizeof(lorvex_LineRecord) * (count + 1))));
  if (!records) throw std::bad_alloc();
  lorvex_LineRecord* const lines = records.get();
  for (std::size_t k = 0; k < count; ++k) {
    const zeb_Line& line = *from.occupiedLine(k);
    new (lines + k) lorvex_LineRecord(lorvex_lineRecord(line, line.record()));
  }
  scopes.assign(1, Scope{0, false, false});
  reserved = &reservedWords(target);
  valueNames.assign(from.numberOfLabels(), std::string_view());
  globalSymbols.assign(from.numberOfLabels(), Symbol{0, -1, false, std::string_view()});
  marks.assign(from.numberOfLabels(), false);

  std::vector<Open> open;
  int scope = 0;
  std::size_t macroHead = 0;
  bool inMacro = false;
  auto closeMarks = [&]() {
    while (!open.empty() && open.back().kind == Frame::loop) {
      roles[open.back().line] = lorvex_LineRole::loopMark;
      open.pop_back();
    }
  };
  auto newScope = [&](bool macro) {
    scopes[scope].hasChildren = true;
    scopes.push_back(Scope{scope, macro, false});
    return static_cast<int>(scopes.size() - 1);
  };

  for (std::size_t k = 0; k < count; ++k) {
    if (scope != 0) lineScopes[k] = scope;
    const zeb_RecordHead& head = lines[k].head;
    const int16_t type = head.type;
    const int32_t label = head.labelRef;
    if (type != zeb_PSEUDO && !inMacro) {
      // Most lines: at most a label defined where the line stands.
      if (label >= 0 && type != zeb_TEXT && type != zeb_TEXT_BREAK) define(scope, label);
      continue;
    }
    const zeb_Line& line = *from.occupiedLine(k);
    const int16_t code = type == zeb_PSEUDO ? head.pseudo : -1;
    if (inMacro) {
      const int used = highestArgument(lines[k]);
      int& arity = macroHeads[macroHead];
      arity = std::max(arity, used);
    }
    const bool namesSymbol = label >= 0 && type != zeb_TEXT && type != zeb_TEXT_BREAK &&
                             code != code_MACRO && code != code_SEGMENT && code != code_LBL;
    if (namesSymbol) {
      const int symbol = define(scope, label);
      if (code == code_VAR) symbolAt(symbol).variable = true;
    }
    if (type != zeb_PSEUDO) continue;
    auto where = [&line, code]() { return lineText(line) + directive(code) + ": "; };
    switch (code) {
      case code_BLOCK:
        if (inMacro && *target.localPrefix) {
          error = where() + "a scope inside a macro, which the target cannot nest";
          return false;
        }
        scope = newScope(false);
        open.push_back(Open{Frame::block, k, scope, -1});
        break;
      case code_MACRO:
      case code_SEGMENT:
        if (label < 0) {
          error = where() + "a macro without a name";
          return false;
        }
        if (inMacro) {
          error = where() + "a macro defined inside a macro";
          return false;
        }
        inMacro = true;
        macroHead = k;
        macroHeads[k] = 0;
        macros[label] = Macro{k, 0};
        if (code == code_MACRO) scope = newScope(true);
        open.push_back(Open{code == code_MACRO ? Frame::macro : Frame::segment, k, scope, -1});
        break;
      case code_LBL:
        if (label < 0) {
          error = where() + "a loop mark without a label";
          return false;
        }
        if (static_cast<std::size_t>(label) < marks.size()) marks[static_cast<std::size_t>(label)] = true;
        roles[k] = lorvex_LineRole::loopOpen;
        loops[k] = static_cast<int>(k);
        open.push_back(Open{Frame::loop, k, scope, label});
        break;
      case code_GOTO:
        error = where() + "a jump that is not the closing \".if...\" / \".goto\" / \".endif\" of a loop";
        return false;
      case code_END:
        closeMarks();
        if (!open.empty()) {
          error = where() + "the end of the source inside an open " + directive(
              open.back().kind == Frame::block ? code_BLOCK
              : open.back().kind == Frame::conditional ? code_IF : code_MACRO);
          return false;
        }
        for (std::size_t rest = k + 1; rest < count; ++rest) lineScopes[rest] = scope;
        return true;
      default:
        break;
    }
    if (isCondition(code)) {
      const bool closesLoop = !open.empty() && open.back().kind == Frame::loop && k + 2 < count &&
                              isPseudo(lines[k + 1], code_GOTO) &&
                              gotoTarget(lines[k + 1]) == open.back().label &&
                              isPseudo(lines[k + 2], code_ENDIF);
      if (!closesLoop) {
        open.push_back(Open{Frame::conditional, k, scope, -1});
        continue;
      }
      if (!target.loopOpen && inMacro) {
        error = lineText(*from.occupiedLine(k + 1)) + ".goto: a loop inside a macro, which the target builds from a macro of its own";
        return false;
      }
      if (lines[k + 1].head.labelRef >= 0 || lines[k + 2].head.labelRef >= 0) {
        error = lineText(*from.occupiedLine(k + 1)) + ".goto: a label on the closing lines of a loop";
        return false;
      }
      roles[k] = lorvex_LineRole::loopClose;
      loops[k] = loops[open.back().line];
      roles[k + 1] = roles[k + 2] = lorvex_LineRole::loopSkipped;
      lineScopes[k + 1] = lineScopes[k + 2] = scope;
      open.pop_back();
      k += 2;
      continue;
    }
    Frame closes;
    if (code == code_BEND) {
      closes = Frame::block;
    } else if (code == code_ENDIF) {
      closes = Frame::conditional;
    } else if (code == code_ENDM) {
      closes = Frame::macro;
    } else {
      continue;
    }
    closeMarks();
    const bool matches = !open.empty() && (open.back().kind == closes ||
                                           (closes == Frame::macro && open.back().kind == Frame::segment));
    if (!matches) {
      error = where() + "nothing open that it closes";
      return false;
    }
    if (closes == Frame::macro) {
      inMacro = false;
      macros[lines[macroHead].head.labelRef].arity = macroHeads[macroHead];
    }
    open.pop_back();
    scope = open.empty() ? 0 : open.back().scope;
  }
  closeMarks();
  if (!open.empty()) {
    const zeb_Line& opener = *from.occupiedLine(open.back().line);
    error = lineText(opener) + directive(lines[open.back().line].head.pseudo) + ": never closed";
    return false;
  }
  return true;
}

int lorvex_ExportPlan::find(int scope, int32_t label) const {
  if (scope == 0 && label >= 0 && static_cast<std::size_t>(label) < globalSymbols.size()) {
    return globalSymbols[static_cast<std::size_t>(label)].label >= 0 ? kGlobal - label : kNone;
  }
  const auto found = definitions.find(key(scope, label));
  return found != definitions.end() ? found->second : kNone;
}

int lorvex_ExportPlan::defineInner(int scope, int32_t label) {
  const int known = find(scope, label);
  if (known != kNone) return known;
  symbols.push_back(Symbol{scope, label, false, std::string_view()});
  const int symbol = static_cast<int>(symbols.size() - 1);
  definitions.emplace(key(scope, label), symbol);
  return symbol;
}

std::string_view lorvex_ExportPlan::unique(std::string name) {
  // Few labels are renamed, so a look through the names beats a table.
  auto taken = [this](const std::string& candidate) {
    for (unsigned long i = 0; i < source->numberOfLabels(); ++i)
      if (source->labelName(i) == candidate) return true;
    for (const std::unique_ptr<const std::string>& made : given)
      if (*made == candidate) return true;
    return false;
  };
  while (taken(name)) name += '_';
  given.push_back(std::make_unique<const std::string>(std::move(name)));
  return *given.back();
}

std::string_view lorvex_ExportPlan::spell(const Symbol& symbol) {
  // A damaged image's label outside the table: its line is refused when
  // written, so the name only has to be harmless.
  if (symbol.label < 0 || static_cast<unsigned long>(symbol.label) >= source->numberOfLabels())
    return "_";
  const std::string_view base = source->labelName(static_cast<unsigned long>(symbol.label));
  const bool startsWithDigit = !base.empty() && base[0] >= '0' && base[0] <= '9';
  if (symbol.scope == 0 || !*syntax->localPrefix) {
    if (base.empty() || startsWithDigit) return unique("_" + std::string(base));
    if (reserved->holds(base)) return unique(std::string(base) + "_");
    return base;
  }
  const Scope& scope = scopes[symbol.scope];
  if (scope.macro || !scope.hasChildren) {
    prefixed.push_back(std::make_unique<const std::string>(
        syntax->localPrefix + ((startsWithDigit ? "_" : "") + std::string(base))));
    return *prefixed.back();
  }
  return unique(std::string(base) + "_" + std::to_string(symbol.scope));
}

std::string_view lorvex_ExportPlan::findName(int scope, int32_t index, std::string& error) {
  if (index < 0 || static_cast<unsigned long>(index) >= source->numberOfLabels()) {
    error = "a label the image's label table does not hold";
    return std::string_view();
  }
  if (marks[static_cast<std::size_t>(index)]) {
    error = "the loop mark \"" + std::string(source->labelName(static_cast<unsigned long>(index))) +
            "\" used as a value";
    return std::string_view();
  }
  if (scope == 0 && !globalSymbols[static_cast<std::size_t>(index)].name.empty()) {
    return globalSymbols[static_cast<std::size_t>(index)].name;
  }
  for (int s = scope;; s = scopes[s].parent) {
    const int found = find(s, index);
    if (found != kNone) {
      Symbol& symbol = symbolAt(found);
      if (symbol.name.empty()) symbol.name = spell(symbol);
      if (s == 0) nameGlobal(index, symbol.name);
      return symbol.name;
    }
    if (s == 0) break;
  }
  Symbol& global = symbolAt(define(0, index));
  if (global.name.empty()) global.name = spell(global);
  nameGlobal(index, global.name);
  return global.name;
}

std::string_view lorvex_ExportPlan::defineName(int scope, int32_t index) {
  Symbol& symbol = symbolAt(define(scope, index));
  if (symbol.name.empty()) symbol.name = spell(symbol);
  if (scope == 0 && index >= 0 && static_cast<std::size_t>(index) < globalSymbols.size())
    nameGlobal(index, symbol.name);
  return symbol.name;
}

bool lorvex_ExportPlan::isVariable(int scope, int32_t index) const {
  const int found = find(scope, index);
  return found != kNone && symbolAt(found).variable;
}

int lorvex_ExportPlan::macroArity(int32_t index, std::size_t k) const {
  const auto found = macros.find(index);
  if (found == macros.end() || found->second.line > k) return -1;
  return found->second.arity;
}

std::string lorvex_ExportPlan::macroName(int32_t index) {
  const std::string base(source->labelName(static_cast<unsigned long>(index)));
  if (base.empty() || (base[0] >= '0' && base[0] <= '9')) return "_" + base;
  if (reserved->holds(base)) return base + "_";
  return base;
}

std::vector<std::string> lorvex_ExportPlan::macroLocals(std::size_t k) {
  std::vector<std::string> names;
  const int scope = k + 1 < lineScopes.size() ? lineScopes[k + 1] : 0;
  if (scope == 0 || !scopes[scope].macro) return names;
  for (std::size_t i = 0; i < symbols.size(); ++i) {
    if (symbols[i].scope != scope) continue;
    if (symbols[i].name.empty()) symbols[i].name = spell(symbols[i]);
    names.emplace_back(symbols[i].name);
  }
  return names;
}
