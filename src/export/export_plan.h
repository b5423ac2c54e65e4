// What an export must know about a whole source before it writes its first
// line: how its statements nest, which scope each label belongs to, what
// each macro takes, which `.lbl`/`.goto` pairs form loops, and the name the
// target gives each label.
#ifndef LORVEX_EXPORT_EXPORT_PLAN_H
#define LORVEX_EXPORT_EXPORT_PLAN_H

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "export/export_syntax.h"
#include "export/record_operand.h"
#include "model/zeb_line.h"

class zeb_Source;

// Statement codes the export treats apart (the codes of statements.h).
enum lorvex_Code : int16_t {
  code_OFFS = 1, code_TEXT = 2, code_BYTE = 3, code_WORD = 4, code_MACRO = 7, code_ENDM = 8,
  code_CALL = 9, code_IFNE = 10, code_ENDIF = 11, code_BLOCK = 12, code_BEND = 13,
  code_INCLUDE = 16, code_END = 17, code_EOR = 18, code_LBL = 19, code_VAR = 20,
  code_SHIFT = 23, code_IFPL = 24, code_IFMI = 25, code_IFEQ = 26, code_IF = 27,
  code_RTA = 28, code_NULL = 29, code_SEGMENT = 30, code_GOTO = 31,
};

// A statement's directive as the listing writes it, without its space.
std::string lorvex_directiveName(int16_t code);

// What a line does to the nesting, decided once for the writer.
enum class lorvex_LineRole : uint8_t {
  plain,
  loopOpen,    // a `.lbl` that a later `.if...` / `.goto` / `.endif` closes
  loopMark,    // a `.lbl` no such `.goto` returns to
  loopClose,   // the `.if...` of that closing
  loopSkipped, // its `.goto` and `.endif`
};

// The names a label cannot keep in a target. Most labels hold a character
// none of them does, or are longer: those are told without hashing.
struct lorvex_ReservedWords {
  std::unordered_set<std::string> words;
  std::size_t longest = 0;
  bool used[256] = {};  // by character: in one of the words

  bool holds(std::string_view name) const {
    if (name.size() > longest) return false;
    for (unsigned char c : name)
      if (!used[c]) return false;
    return words.count(std::string(name)) != 0;
  }
};

class lorvex_ExportPlan {
 public:
  // Plans `source` for `syntax`; false with `error` ("line N: ...") when
  // its statements nest in a way the target cannot follow.
  bool make(const zeb_Source& source, const lorvex_TargetSyntax& syntax, std::string& error);

  lorvex_LineRole role(std::size_t k) const { return roles[k]; }
  int scopeOf(std::size_t k) const { return lineScopes[k]; }
  // The line's record and head, read once for the plan and the writer alike.
  const lorvex_LineRecord& recordOf(std::size_t k) const { return records.get()[k]; }
  bool scopeIsMacro(int scope) const { return scopes[scope].macro; }
  // The loop number of a loopOpen or loopClose line.
  int loopOf(std::size_t k) const { return loops.at(k); }

  // The target's name for label `index` as seen from `scope`, valid as long
  // as the plan and the source; empty with `error` set for a `.lbl` mark,
  // which has no value, or an index outside the label table. (No name is
  // empty: an empty label is renamed.)
  std::string_view labelName(int scope, int32_t index, std::string& error) {
    const std::string_view known = knownName(scope, index);
    return !known.empty() ? known : findName(scope, index, error);
  }
  // The same where it is quickly known, as most names are: a global
  // label's, once spelled; empty otherwise.
  std::string_view knownName(int scope, int32_t index) const {
    if (scope == 0 && index >= 0 && static_cast<std::size_t>(index) < valueNames.size())
      return valueNames[static_cast<std::size_t>(index)];
    return std::string_view();
  }
  // The name of the symbol label `index` defines in `scope`.
  std::string_view definedName(int scope, int32_t index) {
    if (scope == 0 && index >= 0 && static_cast<std::size_t>(index) < globalSymbols.size() &&
        !globalSymbols[static_cast<std::size_t>(index)].name.empty())
      return globalSymbols[static_cast<std::size_t>(index)].name;
    return defineName(scope, index);
  }
  // Whether the label `index` defined in `scope` is set again later (`.var`).
  bool isVariable(int scope, int32_t index) const;
  // Macro `index` (label index of its name): -1 when none is defined before
  // line `k`; otherwise the number of arguments it takes.
  int macroArity(int32_t index, std::size_t k) const;
  std::string macroName(int32_t index);
  // Names of the labels local to each call of the macro opened at line k.
  std::vector<std::string> macroLocals(std::size_t k);
  // The number of arguments the macro whose head is line k takes.
  int arityAt(std::size_t k) const { return macroHeads.at(k); }

 private:
  struct Scope {
    int parent;
    bool macro;
    bool hasChildren;
  };
  struct Symbol {
    int scope;
    int32_t label;
    bool variable;
    // Empty until first asked; most are the label's own name in the
    // source's label table, the others kept in `given` or `prefixed`.
    std::string_view name;
  };
  struct Macro {
    std::size_t line;
    int arity;
  };

  static uint64_t key(int scope, int32_t label) {
    return static_cast<uint64_t>(static_cast<uint32_t>(scope)) << 32 | static_cast<uint32_t>(label);
  }
  // definedName of a name not yet spelled, or of a scope's own.
  std::string_view defineName(int scope, int32_t index);
  // labelName of a name not yet spelled, or of a scope's own.
  std::string_view findName(int scope, int32_t index, std::string& error);
  // Symbols are told by number: a global label's is kGlobal minus its
  // index, any other's its place in `symbols`.
  static constexpr int kNone = -1;
  static constexpr int kGlobal = -2;
  Symbol& symbolAt(int symbol) {
    return symbol >= 0 ? symbols[static_cast<std::size_t>(symbol)]
                       : globalSymbols[static_cast<std::size_t>(kGlobal - symbol)];
  }
  const Symbol& symbolAt(int symbol) const {
    return symbol >= 0 ? symbols[static_cast<std::size_t>(symbol)]
                       : globalSymbols[static_cast<std::size_t>(kGlobal - symbol)];
  }
  // The symbol `label` names in `scope` itself; kNone when it names none there.
  int find(int scope, int32_t label) const;
  int define(int scope, int32_t label) {
    // Most labels: global, kept by index.
    if (scope == 0 && label >= 0 && static_cast<std::size_t>(label) < globalSymbols.size()) {
      globalSymbols[static_cast<std::size_t>(label)].label = label;
      return kGlobal - label;
    }
    return defineInner(scope, label);
  }
  // define for a label of an inner scope, or one outside the table.
  int defineInner(int scope, int32_t label);
  std::string_view spell(const Symbol& symbol);
  std::string_view unique(std::string name);

  const zeb_Source* source = nullptr;
  const lorvex_TargetSyntax* syntax = nullptr;
  std::vector<lorvex_LineRole> roles;
  std::vector<int> lineScopes;
  // By line, each written once in place: room that is not first filled
  // with empty records.
  struct FreeRecords {
    void operator()(lorvex_LineRecord* at) const { std::free(at); }
  };
  std::unique_ptr<lorvex_LineRecord, FreeRecords> records;
  std::vector<Scope> scopes;
  std::vector<Symbol> symbols;  // of the inner scopes, in the order defined
  std::unordered_map<uint64_t, int> definitions;  // symbols of the inner scopes
  // By label index: its global symbol, label -1 until defined, its name
  // empty until spelled.
  std::vector<Symbol> globalSymbols;
  std::unordered_map<std::size_t, int> loops;
  std::vector<bool> marks;  // by label index: named by a `.lbl` line
  std::unordered_map<int32_t, Macro> macros;
  std::unordered_map<std::size_t, int> macroHeads;
  // Names made up for renamed labels, and local names with the target's
  // prefix, each apart so that it stays in place: names point into them.
  // (Few sources have any: an empty vector costs nothing to make.)
  std::vector<std::unique_ptr<const std::string>> given;
  std::vector<std::unique_ptr<const std::string>> prefixed;
  const lorvex_ReservedWords* reserved = nullptr;
  // By label index: a global label's name once spelled, but for loop
  // marks, which have no value.
  std::vector<std::string_view> valueNames;
  void nameGlobal(int32_t index, std::string_view name) {
    if (!marks[static_cast<std::size_t>(index)]) valueNames[static_cast<std::size_t>(index)] = name;
  }
};

#endif  // LORVEX_EXPORT_EXPORT_PLAN_H
