#include "export/export_syntax.h"

#include "model/zeb_line.h"

namespace {

constexpr int16_t kImmediate = zeb_IMMEDIATE;

const char* const kAcmeReserved[] = {
    "a", "x", "y", "and", "or", "xor", "div", "mod", "not", "asl", "lsr", "asr", "lsl",
    "sin", "cos", "tan", "arcsin", "arccos", "arctan", "address", "addr", "int", "float",
    "is_number", "is_list", "is_string", "len", "else", "until", "while",
    // its own spellings of undocumented opcodes, besides the notation's
    "sha", "sbx", "ane", "lxa", "dop", "top", "jam", nullptr};

const char* const kCa65Reserved[] = {"a", "x", "y", "s", "z", "jam", "sha", "sbx", nullptr};

// Load address in front, then the code from the lowest address written.
const char kCa65Config[] =
    "# Linker configuration for the exported .s files: cl65 -C ca65.cfg -o NAME.prg NAME.s\n"
    "MEMORY {\n"
    "    LOADADDR: file = %O, start = $0000, size = $0002;\n"
    "    MAIN:     file = %O, start = $0000, size = $10000;\n"
    "}\n"
    "SEGMENTS {\n"
    "    LOADADDR: load = LOADADDR, type = ro;\n"
    "    CODE:     load = MAIN, type = rw;\n"
    "}\n";

constexpr lorvex_TargetSyntax kTargets[static_cast<int>(lorvex_Target::count)] = {
    {
        ".a",
        {"+", "-", "*", " DIV ", "&", "|", " XOR "},
        {9, 9, 10, 10, 3, 1, 2},
        7,
        "$ffff&",
        "",
        "+2",
        "",
        "!byte ",
        "!pet ",
        "!word ",
        "* = ",
        "",
        " = ",
        "!set ",
        " = ",
        "!if ",
        " {",
        "}",
        " != ",
        " = ",
        "!zone {",
        "}",
        "!macro ",
        " {",
        "}",
        "+",
        ".A%d",
        ".A%d",
        "",
        ".",
        "",
        "!source ",
        "!eof",
        "!cpu 6510",
        ";",
        "!do {",
        "} while ",
        "!xor ",
        "",
        "!pseudopc ",
        "",
        kAcmeReserved,
        nullptr,
        nullptr,
        {
            {"sha", 0},  // ahx
            {"alr", 0},
            {nullptr, 0},  // anc: its mnemonic makes $0b, the notation's is $2b
            {"arr", 0},
            {"sbx", 0},  // axs
            {"dcp", 0},
            {"isc", 0},
            {"las", 0},
            {"lax", kImmediate},
            {"rla", 0},
            {"rra", 0},
            {"sax", 0},
            {"shx", 0},
            {"shy", 0},
            {"slo", 0},
            {"sre", 0},
            {"tas", 0},
            {"ane", 0},  // xaa
            {nullptr, 0},
            {nullptr, 0},
            {nullptr, 0},
            {nullptr, 0},
            {nullptr, 0},
        },
    },
    {
        ".s",
        {"+", "-", "*", "/", "&", "|", "^"},
        {3, 3, 4, 4, 4, 3, 4},
        9,
        "$ffff&",
        ":",
        "",
        "a:",
        ".byte ",
        ".byte ",
        ".word ",
        "LORVEX_ORG ",
        "LORVEX_PLACE",
        " = ",
        "",
        " .set ",
        ".if ",
        "",
        ".endif",
        " <> ",
        " = ",
        ".scope",
        ".endscope",
        ".macro ",
        "",
        ".endmacro",
        "",
        "A%d",
        "V%d",
        "V%d = A%d",
        "",
        ".local ",
        ".include ",
        // ca65's .end would stop an including file too: the lines after it
        // are comments anyway.
        "; .end",
        ".setcpu \"6502X\"",
        ";",
        nullptr,
        nullptr,
        nullptr,
        "LORVEX_EOR",
        nullptr,
        "::LORVEX_OFFS",
        kCa65Reserved,
        "ca65.cfg",
        kCa65Config,
        {
            {nullptr, 0},  // ahx
            {"alr", 0},
            {nullptr, 0},  // anc: its mnemonic makes $0b, the notation's is $2b
            {"arr", 0},
            {"axs", 0},
            {"dcp", 0},
            {"isc", 0},
            {"las", 0},
            {"lax", kImmediate},
            {"rla", 0},
            {"rra", 0},
            {"sax", 0},
            {nullptr, 0},  // shx
            {nullptr, 0},  // shy
            {"slo", 0},
            {"sre", 0},
            {nullptr, 0},  // tas
            {nullptr, 0},  // xaa
            {nullptr, 0},
            {nullptr, 0},
            {nullptr, 0},
            {nullptr, 0},
            {nullptr, 0},
        },
    },
};

}  // namespace

const lorvex_TargetSyntax& lorvex_targetSyntax(lorvex_Target target) {
  return kTargets[static_cast<int>(target)];
}

const char* const lorvex_CA65_CONFIG = kCa65Config;

// Code is stored in one run; LORVEX_D is how far the storing position lies
// ahead of the address code is assembled for, LORVEX_OFFS how far it
// should, both modulo 64K. LORVEX_PLACE makes up the difference with zeros.
// Where code would have to go back, the difference comes out as 64K less
// the way back, which overflows the 64K of MAIN in ca65.cfg: the build
// fails rather than store code in the wrong place.
const char* const lorvex_CA65_PROLOGUE =
    ".ifndef LORVEX_PROLOGUE\n"
    "LORVEX_PROLOGUE = 1\n"
    ".segment \"LOADADDR\"\n"
    ".word LORVEX_LOAD\n"
    ".segment \"CODE\"\n"
    ".org 0\n"
    "LORVEX_D .set 0\n"
    "LORVEX_OFFS .set 0\n"
    "LORVEX_EOR .set 0\n"
    ".macro LORVEX_ORG address\n"
    "::LORVEX_D .set ::LORVEX_D + * - (address)\n"
    ".org address\n"
    ".endmacro\n"
    ".macro LORVEX_PLACE\n"
    ".if .not .defined(::LORVEX_LOAD)\n"
    "::LORVEX_LOAD = (* + ::LORVEX_OFFS) & $ffff\n"
    ".else\n"
    "::LORVEX_K .set (::LORVEX_OFFS - ::LORVEX_D) & $ffff\n"
    ".res ::LORVEX_K, 0\n"
    ".org * - ::LORVEX_K\n"
    ".endif\n"
    "::LORVEX_D .set ::LORVEX_OFFS\n"
    ".endmacro\n"
    ".endif\n";
