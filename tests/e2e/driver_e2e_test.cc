// The program as the user runs it: command lines, standard input, exit
// status, both output streams and the output file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "driver/option_table.h"
#include "e2e/run_program.h"
#include "support/kio_identity.h"
#include "testlib/image_builder.h"

using namespace lorvex_test;

namespace {

using Words = std::vector<std::string>;

// One run of the program inside the test's directory.
struct Invocation {
  enum class Feed { none, pipe, redirect };
  Words args;
  Feed feed = Feed::none;  // none: /dev/null
  std::string file = "";   // the file piped into, or opened as, standard input
  std::string argv0 = "lorvex";
};

Invocation cmd(Words args) {
  return {std::move(args)};
}
// Standard input is a pipe carrying the file's bytes.
Invocation piped(std::string file, Words args = {}) {
  return {std::move(args), Invocation::Feed::pipe, std::move(file)};
}
// Standard input is the file itself, as "< file" gives it.
Invocation redirected(std::string file, Words args = {}) {
  return {std::move(args), Invocation::Feed::redirect, std::move(file)};
}
Invocation calledAs(std::string argv0, Words args) {
  Invocation call = cmd(std::move(args));
  call.argv0 = std::move(argv0);
  return call;
}

const char kUsageAndHint[] =
    "usage: Lorvex [-options] -i infile [-o outfile]\n"
    "Lorvex: try 'Lorvex --help' for more information\n";

const char kOptionList[] =
    " -h/--help             Show this help text, then exit\n"
    " -?/--usage            Show a short usage message, then exit\n"
    "   /--version          Show version number with credits, then exit\n"
    " -i/--in <file>        Input is read from the file\n"
    " -o/--out <file>       Output is written to the file\n"
    " -O/--omit-source      Suppress source listing in output\n"
    " -b/--byte-dec         Convert string/char literals to .byte decimal notation\n"
    " -B/--byte-hex         Convert string/char literals to .byte hex notation\n"
    " -W/--byte-columns <c> Set columns for converted .byte lines (default 6)\n"
    " -S/--screen           Convert strings w/ all values less than 64 to .screen\n"
    " -t/--unnamed-hex      Output un-named bastext tokens using hex notation\n"
    "   /--petscii-dec      Convert all petscii-only characters to bastext decimal notation\n"
    " -T/--petscii-hex      Convert all petscii-only characters to bastext hex notation\n"
    " -I/--id               Suppress all output except binary identifier\n"
    " -l/--list-labels      List all labels after the source listing\n"
    " -n/--line-numbers     Preceed each source line with a line number\n"
    " -w/--tab-width <w>    Set source tab column (default to setting in input file)\n"
    " -s/--stats            Display summarized statistics before the source listing\n"
    " -z/--stats-detail     Display detailed statistics after the source listing\n"
    " -Z/--stats-wild       Display wild statistics after the source listing\n";

const std::string kUsage = "usage: Lorvex [-options] -i infile [-o outfile]\n";
// The identity texts themselves are pinned by their own tests.
std::string helpText() {
  return kio::getVersion() + "\n" + kUsage + kOptionList;
}
std::string versionText() {
  return kio::getVersion() + "\n" + kio::getCredits() + "\n";
}
const std::string kNotParsed = "Source file could not be parsed.\n";
const std::string kTabMessage = "Lorvex: -w/--tab-width requires a valid integer argument\n";
const std::string kColumnsMessage = "Lorvex: -W/--byte-columns requires a valid integer argument\n";

std::string cannotRead(const std::string& name) {
  return "error: " + name + " does not exist or cannot be opened for reading\n";
}
std::string cannotWrite(const std::string& name) {
  return "error: " + name + " does not exist or cannot be opened for writing\n";
}
std::string sameFile(const std::string& name) {
  return "error: " + name + " is the input file and cannot also be the output file\n";
}

const char* const kVariantNames[] = {
    "Unidentified.",
    "Vorda Assembler (macro; $8000)",
    "Vorda Assembler (plain; $9000)",
    "Grenfal Assembler (plain variant; $9000)",
    "Vantler's Assembler (plain variant; $a000)",
    "Vorda Macro Cross Assembler v1.0 by Dunmere/Ostravel (plain variant; $87ff)",
    "Vorda Assembler Professional v1.1lm by Korrim/Druvel (plain variant; $8a00)",
};

std::string variantLine(int variant) {
  return std::string(kVariantNames[variant]) + "\n";
}

// A label on an instruction (the tab column shows), and a string holding a
// named control code, an un-named code and enough bytes for three .byte lines.
Bytes programImage(zeb_SourceType variant, int tab) {
  ImageSpec layout;
  layout.variant = variant;
  layout.tab = tab;
  layout.labels = {"start", "msg"};
  layout.lines = {
      instruction(0xA9, dec8(0), 0),
      statement(2, stringOperand("\r" + petscii("Hi") + "\x60" + petscii(" there, world")), 1),
      instruction(0x60),
  };
  return buildImage(layout).bytes;
}

// A different program for a different variant.
Bytes otherImage() {
  ImageSpec layout;
  layout.variant = zeb_PLAIN_9000;
  layout.labels = {"other"};
  layout.lines = {labelLine(0), instruction(0xEA)};
  return buildImage(layout).bytes;
}

// More than one 65535-byte block of standard input: empty lines cost only
// their line-table byte, so the image can outgrow the text area.
Bytes bigImage() {
  ImageSpec layout;
  layout.variant = zeb_PLAIN_A000;
  layout.labels = {"out"};
  for (int i = 0; i < 60000; ++i) {
    if (i % 5 == 0) {
      layout.lines.push_back(i % 2 == 0 ? instruction(0xA9, hex8(i & 0xFF))
                                      : instruction(0x8D, label(0)));
    } else {
      layout.lines.push_back(emptyLine());
    }
  }
  return buildImage(layout).bytes;
}

// Every test runs in a fresh directory holding these inputs.
class DriverE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    put("prog.src", programImage(zeb_MACRO_8000, 9));
    put("plain.src", otherImage());
    for (int tab : {0, 4, 7, 255}) put("tab" + std::to_string(tab) + ".src", programImage(zeb_MACRO_8000, tab));
    for (int variant = zeb_UNIDENTIFIED; variant < zeb_SOURCE_TYPES; ++variant) {
      put("v" + std::to_string(variant) + ".src",
          programImage(static_cast<zeb_SourceType>(variant), 9));
    }
    put("big.src", bigImage());
    put("junk.bin", Bytes(300, 0x55));
    put("empty.bin", {});
    put("old.txt", raw("old contents\n"));
    std::filesystem::create_directory(dir / "dir");
  }

  void put(const std::string& name, const Bytes& bytes) {
    ASSERT_TRUE(writeFile(dir / name, bytes)) << name;
  }

  ProgramResult run(const Invocation& r) const {
    ProgramCall call;
    call.argv0 = r.argv0;
    call.args = r.args;
    call.workDir = dir.path();
    if (r.feed == Invocation::Feed::pipe) call.in = stdinBytes(readFile(dir / r.file));
    if (r.feed == Invocation::Feed::redirect) call.in = stdinFile(r.file);
    return runProgram(LORVEX_BINARY, call);
  }

  TempDir dir;
};

// ---- Runs whose every output is known exactly. ----

// What the output file holds after the run.
struct FileState {
  bool checked = false;
  bool exists = false;
  std::string content;
};
FileState absent() {
  return {true, false, ""};
}
FileState holding(std::string content) {
  return {true, true, std::move(content)};
}

struct ExactCase {
  std::string name;
  Invocation run;
  int status;
  std::string out;
  std::string err;
  FileState outFile = FileState();
  std::string outName = "out.txt";
};

std::vector<ExactCase> exactCases() {
  const std::string me = "./bin/lvx";
  const auto parseError = [&](const std::string& lines) { return lines + kUsageAndHint; };
  const std::string stdinIsADirectory =
      std::string("error: cannot read standard input: ") + std::strerror(EISDIR) + "\n";
  std::vector<ExactCase> cases = {
      {"Help", cmd({"--help"}), 0, helpText(), ""},
      {"HelpShort", cmd({"-h"}), 0, helpText(), ""},
      {"HelpSlash", cmd({"/h"}), 0, helpText(), ""},
      {"Usage", cmd({"--usage"}), 0, kUsage, ""},
      {"UsageQuestionMark", cmd({"-?"}), 0, kUsage, ""},
      {"UsageSlash", cmd({"/?"}), 0, kUsage, ""},
      {"Version", cmd({"--version"}), 0, versionText(), ""},
      {"VersionOutranksHelp", cmd({"--version", "--help"}), 0, versionText(), ""},
      {"VersionOutranksAll", cmd({"-h", "-?", "--version"}), 0, versionText(), ""},
      {"UsageOutranksHelp", cmd({"-h", "-?"}), 0, kUsage, ""},
      {"HelpOpensNothing", cmd({"-h", "-i", "missing.src", "-o", "out.txt"}), 0, helpText(), "",
       absent()},
      {"VersionIgnoresBadNumbers", cmd({"--version", "-w", "abc", "-W", ""}), 0, versionText(), ""},

      {"HelpWithBadOption", calledAs(me, {"-h", "-x"}), 1, "",
       parseError(me + ": -x is not a valid option.\n")},
      {"VersionWithBadOption", calledAs(me, {"--version", "-Q"}), 1, "",
       parseError(me + ": -Q is not a valid option.\n")},
      {"Repeated", calledAs(me, {"-h", "-h"}), 1, "",
       parseError(me + ": -h can only be specified once.\n")},
      {"RepeatedSlash", calledAs(me, {"/h", "/h"}), 1, "",
       parseError(me + ": /h can only be specified once.\n")},
      {"RepeatedByOtherName", calledAs(me, {"-I", "--id", "prog.src"}), 1, "",
       parseError(me + ": --id can only be specified once.\n")},
      {"MissingArgumentAtEnd", calledAs(me, {"prog.src", "-i"}), 1, "",
       parseError(me + ": -i must be followed by an argument.\n")},
      {"MissingArgumentLong", calledAs(me, {"--in"}), 1, "",
       parseError(me + ": --in must be followed by an argument.\n")},
      {"ArgumentTakenByOption", calledAs(me, {"-i", "-o", "out.txt"}), 1, "",
       parseError(me + ": -i must be followed by an argument.\n"), absent()},
      {"LoneDash", calledAs(me, {"-"}), 1, "", parseError(me + ": - is not a valid option.\n")},
      {"LoneDoubleDash", calledAs(me, {"--"}), 1, "",
       parseError(me + ": -- is not a valid option.\n")},
      {"LongWithEquals", calledAs(me, {"--help=1"}), 1, "",
       parseError(me + ": --help=1 is not a valid option.\n")},
      {"LongNameOneDash", calledAs(me, {"-help"}), 1, "",
       parseError(me + ": -help is not a valid option.\n")},
      {"ShortNamesNotGrouped", calledAs(me, {"-bB", "prog.src"}), 1, "",
       parseError(me + ": -bB is not a valid option.\n")},
      {"ShortNameCaseMatters", calledAs(me, {"-H"}), 1, "",
       parseError(me + ": -H is not a valid option.\n")},
      {"EveryErrorInOrder", calledAs(me, {"-x", "-o", "out.txt", "-y", "-o", "-w"}), 1, "",
       parseError(me + ": -x is not a valid option.\n" + me + ": -y is not a valid option.\n" + me +
                  ": -o can only be specified once.\n" + me +
                  ": -w must be followed by an argument.\n"),
       absent()},

      {"OutEmptyName", calledAs(me, {"-o", "", "prog.src"}), 1, "",
       me + ": error: --out must be followed by a filename\n"},
      {"OutInMissingDirectory", cmd({"-o", "nodir/out.txt", "prog.src"}), 1, "",
       cannotWrite("nodir/out.txt")},
      {"OutIsDirectory", cmd({"-o", "dir", "prog.src"}), 1, "", cannotWrite("dir")},
      {"OutCreatedBeforeInputFails", cmd({"-o", "out.txt", "-i", "missing.src"}), 1, "",
       cannotRead("missing.src"), holding("")},
      {"OutTruncatedBeforeInputFails", cmd({"-o", "old.txt", "missing.src"}), 1, "",
       cannotRead("missing.src"), holding(""), "old.txt"},
      {"BadNumberOpensNoOutput", cmd({"-o", "out.txt", "-w", "x", "prog.src"}), 1, "", kTabMessage,
       absent()},

      {"InMissing", calledAs(me, {"-i", "missing.src"}), 1, "", cannotRead("missing.src")},
      {"InIsDirectory", cmd({"-i", "dir"}), 1, "", cannotRead("dir")},
      {"LooseWordIsDirectory", cmd({"dir"}), 1, "", cannotRead("dir")},
      {"LoneSlashIsALooseWord", cmd({"/"}), 1, "", cannotRead("/")},
      {"SlashLongNameIsALooseWord", cmd({"/help"}), 1, "", cannotRead("/help")},
      {"InWinsOverLooseWordEvenWhenMissing", cmd({"-i", "missing.src", "prog.src"}), 1, "",
       cannotRead("missing.src")},
      {"FirstLooseWordIsTheInput", cmd({"missing.src", "prog.src"}), 1, "",
       cannotRead("missing.src")},
      {"StdinIsADirectory", redirected("."), 1, "", stdinIsADirectory},
      {"OutCreatedBeforeStdinFails", redirected(".", {"-o", "out.txt"}), 1, "", stdinIsADirectory,
       holding("")},
      {"SameNewFileReadsBackEmpty", cmd({"-i", "new.txt", "-o", "new.txt"}), 0, "", "",
       holding(kNotParsed), "new.txt"},

      {"ColumnsLetters", calledAs(me, {"-W", "abc", "prog.src"}), 1, "", kColumnsMessage},
      {"ColumnsEmpty", cmd({"-W", "", "prog.src"}), 1, "", kColumnsMessage},
      {"ColumnsTooLarge", cmd({"--byte-columns", "2147483648", "prog.src"}), 1, "",
       kColumnsMessage},
      {"TabLetters", calledAs(me, {"-w", "abc", "prog.src"}), 1, "", kTabMessage},
      {"TabEmpty", cmd({"-w", "", "prog.src"}), 1, "", kTabMessage},
      {"TabAboveAnImageColumn", cmd({"-w", "256", "prog.src"}), 1, "", kTabMessage},
      {"TabTooLarge", cmd({"--tab-width", "2147483648", "prog.src"}), 1, "", kTabMessage},
      {"TabReportedBeforeColumns", cmd({"-W", "abc", "-w", "abc", "prog.src"}), 1, "", kTabMessage},

      {"Unidentified", cmd({"junk.bin"}), 0, kNotParsed, ""},
      {"UnidentifiedId", cmd({"-I", "junk.bin"}), 0, variantLine(zeb_UNIDENTIFIED), ""},
      {"IdentifiedNotDecoded", cmd({"v5.src"}), 0, kNotParsed, ""},
      {"EmptyFile", cmd({"empty.bin"}), 0, kNotParsed, ""},
      {"EmptyFileId", cmd({"-I", "empty.bin"}), 0, variantLine(zeb_UNIDENTIFIED), ""},
      {"EmptyStdin", piped("empty.bin"), 0, kNotParsed, ""},
      {"EmptyStdinId", piped("empty.bin", {"-I"}), 0, variantLine(zeb_UNIDENTIFIED), ""},
      {"NoArgumentsNullStdin", cmd({}), 0, kNotParsed, ""},
      {"NotParsedGoesToOutFile", cmd({"-o", "out.txt", "junk.bin"}), 0, "", "",
       holding(kNotParsed)},

      {"IdAloneWithReports", cmd({"-I", "-s", "-n", "-l", "prog.src"}), 0, variantLine(zeb_MACRO_8000), ""},
      {"IdAloneWithEverything",
       cmd({"--id", "--stats", "--stats-detail", "--stats-wild", "--line-numbers", "--list-labels",
            "-b", "-S", "-w", "3", "prog.src"}),
       0, variantLine(zeb_MACRO_8000), ""},
  };
  for (int v = zeb_UNIDENTIFIED; v < zeb_SOURCE_TYPES; ++v) {
    const std::string file = "v" + std::to_string(v) + ".src";
    const std::string tag = "Variant" + std::to_string(v);
    cases.push_back({tag + "In", cmd({"-I", "-i", file}), 0, variantLine(v), ""});
    cases.push_back({tag + "Loose", cmd({"-I", file}), 0, variantLine(v), ""});
    cases.push_back({tag + "Piped", piped(file, {"-I"}), 0, variantLine(v), ""});
    cases.push_back({tag + "Redirected", redirected(file, {"-I"}), 0, variantLine(v), ""});
  }
  // Every option of the program's table, given twice by its long name.
  for (const OptionRow& row : kOptionTable) {
    const std::string word = std::string("--") + row.longName;
    Words words;
    for (int twice = 0; twice < 2; ++twice) {
      words.push_back(word);
      if (row.argumentType != kNoArgument) words.push_back("1");
    }
    std::string tag = "Repeated_" + std::string(row.longName);
    std::replace(tag.begin(), tag.end(), '-', '_');
    cases.push_back({tag, calledAs(me, words), 1, "",
                     parseError(me + ": " + word + " can only be specified once.\n")});
  }
  return cases;
}

void PrintTo(const ExactCase& c, std::ostream* os) {
  *os << c.name;
}

class ExactRun : public DriverE2E, public ::testing::WithParamInterface<ExactCase> {};

TEST_P(ExactRun, StatusAndBothStreams) {
  const ExactCase& c = GetParam();
  const ProgramResult r = run(c.run);
  EXPECT_EQ(r.status, c.status);
  EXPECT_EQ(r.out, c.out);
  EXPECT_EQ(r.err, c.err);
  if (c.outFile.checked) {
    const std::string path = dir / c.outName;
    EXPECT_EQ(std::filesystem::exists(path), c.outFile.exists);
    EXPECT_EQ(readFile(path), c.outFile.content);
  }
}

INSTANTIATE_TEST_SUITE_P(Driver, ExactRun, ::testing::ValuesIn(exactCases()),
                         [](const auto& p) { return p.param.name; });

// ---- Runs that must print what another run prints. ----

struct SameCase {
  const char* name;
  Invocation run;
  Invocation reference;  // prints a listing, cleanly
  Words unlike = {};     // args of a run on the same stdin whose output differs
  bool outFile = false;  // `run` writes to out.txt: its content stands for stdout
};

const SameCase kSameCases[] = {
    {"NoArgumentsReadsPipe", piped("prog.src"), cmd({"prog.src"})},
    {"NoArgumentsReadsRedirect", redirected("prog.src"), cmd({"prog.src"})},
    {"BigImagePiped", piped("big.src"), cmd({"big.src"})},
    {"BigImagePipedId", piped("big.src", {"-I"}), cmd({"-I", "big.src"})},
    {"NamedInputIgnoresStdin", piped("plain.src", {"prog.src"}), cmd({"prog.src"}), {"plain.src"}},
    {"InWinsOverLooseWord", cmd({"-i", "prog.src", "plain.src"}), cmd({"prog.src"}), {"plain.src"}},
    {"InWinsOverMissingLooseWord", cmd({"-i", "prog.src", "missing.src"}), cmd({"prog.src"})},
    {"SecondLooseWordIgnored", cmd({"prog.src", "plain.src"}), cmd({"prog.src"}), {"plain.src"}},
    {"SecondLooseWordMayBeMissing", cmd({"prog.src", "missing.src"}), cmd({"prog.src"})},

    {"ColumnsTrailingLetters",
     cmd({"-b", "-W", "12abc", "prog.src"}),
     cmd({"-b", "-W", "12", "prog.src"}),
     {"-b", "prog.src"}},
    {"ColumnsHexReadsLeadingZero",
     cmd({"-b", "-W", "0x10", "prog.src"}),
     cmd({"-b", "-W", "0", "prog.src"}),
     {"-b", "-W", "16", "prog.src"}},
    {"ColumnsNegative",
     cmd({"-b", "-W", "-3", "prog.src"}),
     cmd({"-b", "-W", "0", "prog.src"}),
     {"-b", "prog.src"}},
    {"ColumnsNegativeTakenAsArgument", cmd({"-b", "-W", "-5", "prog.src"}),
     cmd({"-b", "-W", "0", "prog.src"})},
    {"ColumnsSignAndSpace", cmd({"-b", "-W", " +12", "prog.src"}),
     cmd({"-b", "-W", "12", "prog.src"})},

    {"TabWidthOverridesImage", cmd({"-w", "4", "prog.src"}), cmd({"tab4.src"}), {"prog.src"}},
    {"TabWidthOfImageStandsAlone", cmd({"-w", "9", "tab4.src"}), cmd({"prog.src"}), {"tab4.src"}},
    {"TabWidthNegativeIsZero", cmd({"-w", "-1", "prog.src"}), cmd({"tab0.src"}), {"prog.src"}},
    {"TabWidthMostNegative", cmd({"-w", "-2147483648", "prog.src"}), cmd({"tab0.src"})},
    {"TabWidthNegativeInByteLines",
     cmd({"-b", "-w", "-1", "prog.src"}),
     cmd({"-b", "tab0.src"}),
     {"-b", "prog.src"}},
    {"TabWidthLeadingSpace", cmd({"-w", " 7", "prog.src"}), cmd({"tab7.src"}), {"prog.src"}},
    {"TabWidthTrailingLetters", cmd({"-w", "7x", "prog.src"}), cmd({"tab7.src"})},
    {"TabWidthLargest", cmd({"-w", "255", "prog.src"}), cmd({"tab255.src"}), {"prog.src"}},

    {"UnnamedHexWinsOverPetsciiHex",
     cmd({"-t", "-T", "prog.src"}),
     cmd({"-t", "prog.src"}),
     {"-T", "prog.src"}},
    {"PetsciiDecWinsOverPetsciiHex",
     cmd({"--petscii-dec", "-T", "prog.src"}),
     cmd({"--petscii-dec", "prog.src"}),
     {"-T", "prog.src"}},
    {"UnnamedHexWinsOverAll",
     cmd({"--petscii-hex", "--petscii-dec", "-t", "prog.src"}),
     cmd({"-t", "prog.src"}),
     {"--petscii-dec", "prog.src"}},
    {"UnnamedHexChangesUnnamedCodes",
     cmd({"--unnamed-hex", "prog.src"}),
     cmd({"-t", "prog.src"}),
     {"prog.src"}},

    {"OutFileHoldsTheListing", cmd({"-o", "out.txt", "prog.src"}), cmd({"prog.src"}), {}, true},
    {"OutFileReplacesOldContent",
     cmd({"-o", "out.txt", "-i", "prog.src"}),
     cmd({"prog.src"}),
     {},
     true},
    {"OutFileFromRedirectedStdin",
     redirected("prog.src", {"-o", "out.txt"}),
     cmd({"prog.src"}),
     {},
     true},
    {"OutFileHoldsTheId", cmd({"-I", "-o", "out.txt", "v3.src"}), cmd({"-I", "v3.src"}), {}, true},
};

void PrintTo(const SameCase& c, std::ostream* os) {
  *os << c.name;
}

class SameOutput : public DriverE2E, public ::testing::WithParamInterface<SameCase> {};

TEST_P(SameOutput, AsTheReferenceRun) {
  const SameCase& c = GetParam();
  put("out.txt", raw("stale output that must go\n"));
  const ProgramResult reference = run(c.reference);
  ASSERT_EQ(reference.status, 0);
  ASSERT_EQ(reference.err, "");
  ASSERT_NE(reference.out, "");
  ASSERT_NE(reference.out, kNotParsed);

  ProgramResult r = run(c.run);
  if (c.outFile) {
    EXPECT_EQ(r.out, "");
    r.out = readFile(dir / "out.txt");
  }
  EXPECT_EQ(r.status, reference.status);
  EXPECT_EQ(r.err, reference.err);
  EXPECT_EQ(r.out, reference.out);
  if (!c.unlike.empty()) {
    Invocation other = c.run;
    other.args = c.unlike;
    EXPECT_NE(run(other).out, r.out) << "the compared options change nothing here";
  }
}

INSTANTIATE_TEST_SUITE_P(Driver, SameOutput, ::testing::ValuesIn(kSameCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(DriverE2E, BigImageSpansMoreThanOneStdinBlock) {
  EXPECT_GT(std::filesystem::file_size(dir / "big.src"), 65535u);
}

// ---- The output must never be the image it is about to read. ----

struct SameFileCase {
  const char* name;
  Invocation run;
  std::string outName;  // as given to -o
};

const SameFileCase kSameFileCases[] = {
    {"SameSpelling", cmd({"-i", "prog.src", "-o", "prog.src"}), "prog.src"},
    {"DotSlash", cmd({"-i", "./prog.src", "-o", "prog.src"}), "prog.src"},
    {"DotSlashOnOutput", cmd({"prog.src", "-o", "./prog.src"}), "./prog.src"},
    {"ThroughDirectory", cmd({"-o", "prog.src", "-i", "dir/../prog.src"}), "prog.src"},
    {"HardLink", cmd({"-i", "prog.src", "-o", "hard.src"}), "hard.src"},
    {"SymbolicLink", cmd({"-i", "prog.src", "-o", "soft.src"}), "soft.src"},
    {"StdinRedirected", redirected("prog.src", {"-o", "prog.src"}), "prog.src"},
    {"StdinRedirectedHardLink", redirected("hard.src", {"-o", "prog.src"}), "prog.src"},
    {"IdAsWell", cmd({"-I", "-i", "prog.src", "-o", "prog.src"}), "prog.src"},
};

void PrintTo(const SameFileCase& c, std::ostream* os) {
  *os << c.name;
}

class SameFile : public DriverE2E, public ::testing::WithParamInterface<SameFileCase> {};

TEST_P(SameFile, IsRefusedAndLeftAlone) {
  const SameFileCase& c = GetParam();
  ASSERT_EQ(::link((dir / "prog.src").c_str(), (dir / "hard.src").c_str()), 0);
  ASSERT_EQ(::symlink("prog.src", (dir / "soft.src").c_str()), 0);
  const std::string before = readFile(dir / "prog.src");

  const ProgramResult r = run(c.run);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, sameFile(c.outName));
  EXPECT_EQ(readFile(dir / "prog.src"), before);
}

INSTANTIATE_TEST_SUITE_P(Driver, SameFile, ::testing::ValuesIn(kSameFileCases),
                         [](const auto& p) { return std::string(p.param.name); });

// ---- The size limit on standard input. ----

constexpr std::size_t kStdinLimit = 16u * 1024 * 1024;

TEST_F(DriverE2E, StdinAtTheLimitIsRead) {
  ProgramCall call;
  call.in = stdinBytes(std::string(kStdinLimit, '\0'));
  const ProgramResult r = runProgram(LORVEX_BINARY, call);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, kNotParsed);
  EXPECT_EQ(r.err, "");
}

TEST_F(DriverE2E, StdinAboveTheLimitIsRefused) {
  ProgramCall call;
  call.in = stdinBytes(std::string(kStdinLimit + 1, '\0'));
  const ProgramResult r = runProgram(LORVEX_BINARY, call);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "error: standard input holds more than 16777216 bytes, more than any source image\n");
}

}  // namespace

// ---- Output that cannot be written is an error, never a quiet success. ----

TEST_F(DriverE2E, FullOutputIsAnError) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "the system has no /dev/full";
  const std::string full = ": No space left on device\n";
  const struct {
    const char* name;
    Words args;
    bool stdoutFull;
    std::string err;
  } cases[] = {
      {"Listing", {"prog.src"}, true, "error: cannot write standard output" + full},
      {"Identification", {"-I", "prog.src"}, true, "error: cannot write standard output" + full},
      {"Help", {"--help"}, true, "error: cannot write standard output" + full},
      {"OutFile", {"-o", "/dev/full", "prog.src"}, false, "error: cannot write /dev/full" + full},
  };
  for (const auto& c : cases) {
    ProgramCall call;
    call.args = c.args;
    call.workDir = dir.path();
    if (c.stdoutFull) call.outFile = "/dev/full";
    const ProgramResult r = runProgram(LORVEX_BINARY, call);
    EXPECT_EQ(r.status, 1) << c.name;
    EXPECT_EQ(r.err, c.err) << c.name;
  }
}
