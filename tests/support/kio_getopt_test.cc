#include "support/kio_getopt.h"
#include "testlib/stream_capture.h"

#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Words = std::vector<std::string>;

// Runs parse over argv = {"prog", words...}.
void parseWords(kio_Getopt& parser, const Words& words) {
  std::vector<const char*> argv{"prog"};
  for (const std::string& word : words) argv.push_back(word.c_str());
  parser.parse(static_cast<int>(argv.size()), argv.data());
}

std::string helpOf(const kio_Getopt& parser) {
  lorvex_test::StreamCapture capture(std::cout);
  parser.printHelp();
  return capture.text();
}

// The keys are the names by which each fixture option is looked up.
const char* const kKeys[] = {"help", "in", "out", "byte-columns", "version", "opt", "q"};

void addFixtureOptions(kio_Getopt& parser) {
  parser.addOption("h", "help", "help", 0, "", nullptr);
  parser.addOption("i", "in", "input", 2, "file", nullptr);
  parser.addOption("o", "out", "output", 2, "file", nullptr);
  parser.addOption("W", "byte-columns", "columns", 2, "c", nullptr);
  parser.addOption("", "version", "version", 0, "", nullptr);
  parser.addOption("p", "opt", "optional", 1, "val", nullptr);
  parser.addOption("q", "", "quiet", 0, "", nullptr);
}

struct ParseCase {
  Words words;
  Words errors;
  Words loose;
  std::vector<std::pair<std::string, std::string>> set;  // key, argument
};

const ParseCase kParseCases[] = {
    {{}, {}, {}, {}},
    {{"-h"}, {}, {}, {{"help", ""}}},
    {{"--help"}, {}, {}, {{"help", ""}}},
    {{"/h"}, {}, {}, {{"help", ""}}},
    {{"/help"}, {}, {"/help"}, {}},
    {{"-help"}, {"-help is not a valid option."}, {}, {}},
    {{"-H"}, {"-H is not a valid option."}, {}, {}},
    {{"--help=1"}, {"--help=1 is not a valid option."}, {}, {}},
    {{"--h"}, {"--h is not a valid option."}, {}, {}},
    {{"-"}, {"- is not a valid option."}, {}, {}},
    {{"--"}, {"-- is not a valid option."}, {}, {}},
    {{"/"}, {}, {"/"}, {}},
    {{""}, {}, {""}, {}},
    {{"--q"}, {"--q is not a valid option."}, {}, {}},
    {{"--version"}, {}, {}, {{"version", ""}}},
    {{"-q"}, {}, {}, {{"q", ""}}},
    {{"-h", "-h"}, {"-h can only be specified once."}, {}, {{"help", ""}}},
    {{"-h", "/h", "--help"},
     {"/h can only be specified once.", "--help can only be specified once."}, {},
     {{"help", ""}}},
    {{"-h", "x"}, {}, {"x"}, {{"help", ""}}},
    {{"-h", "-x"}, {"-x is not a valid option."}, {}, {{"help", ""}}},
    {{"-i"}, {"-i must be followed by an argument."}, {}, {{"in", ""}}},
    {{"-i", ""}, {}, {}, {{"in", ""}}},
    {{"-i", "-o", "out.txt"}, {"-i must be followed by an argument."}, {},
     {{"in", ""}, {"out", "out.txt"}}},
    {{"-i", "-h"}, {"-i must be followed by an argument."}, {}, {{"in", ""}, {"help", ""}}},
    {{"--in", "/h"}, {"--in must be followed by an argument."}, {}, {{"in", ""}, {"help", ""}}},
    {{"-i", "in.prg", "extra"}, {}, {"extra"}, {{"in", "in.prg"}}},
    {{"-i", "-x"}, {}, {}, {{"in", "-x"}}},
    {{"-i", "/help"}, {}, {}, {{"in", "/help"}}},
    {{"-W", "-5"}, {}, {}, {{"byte-columns", "-5"}}},
    {{"-i", "a", "-i", "b"}, {"-i can only be specified once."}, {"b"}, {{"in", "a"}}},
    // The repeated word leaves the first -i pending, so x still becomes its argument.
    {{"-i", "-i", "x"}, {"-i can only be specified once."}, {}, {{"in", "x"}}},
    {{"-i", "-i"},
     {"-i can only be specified once.", "-i must be followed by an argument."}, {},
     {{"in", ""}}},
    {{"-p"}, {}, {}, {{"opt", ""}}},
    {{"-p", "-h"}, {}, {}, {{"opt", ""}, {"help", ""}}},
    {{"-p", "val", "more"}, {}, {"more"}, {{"opt", "val"}}},
};

TEST(KioGetopt, ParsesWordSequences) {
  for (const ParseCase& c : kParseCases) {
    std::string title = "words:";
    for (const std::string& word : c.words) title += " [" + word + "]";
    SCOPED_TRACE(title);

    kio_Getopt parser;
    addFixtureOptions(parser);
    parseWords(parser, c.words);
    EXPECT_EQ(parser.errors(), c.errors);
    EXPECT_EQ(parser.looseOptions(), c.loose);
    for (const char* key : kKeys) {
      const std::pair<std::string, std::string>* expected = nullptr;
      for (const auto& entry : c.set) {
        if (entry.first == key) expected = &entry;
      }
      EXPECT_EQ(parser.isOptionSet(key), expected != nullptr) << key;
      if (expected != nullptr) {
        EXPECT_EQ(parser.getArgument(key), expected->second) << key;
      }
    }
  }
}

TEST(KioGetopt, FindsAnOptionByEitherName) {
  kio_Getopt parser;
  addFixtureOptions(parser);
  parseWords(parser, {"--byte-columns", "12"});
  EXPECT_TRUE(parser.isOptionSet("W"));
  EXPECT_TRUE(parser.isOptionSet("byte-columns"));
  EXPECT_EQ(parser.getArgument("W"), "12");
  EXPECT_EQ(parser.getArgument("byte-columns"), "12");
  EXPECT_FALSE(parser.isOptionSet("in"));
  EXPECT_EQ(parser.getArgument("in"), "");
  EXPECT_EQ(parser.getArgument("no-such-option"), "");
}

TEST(KioGetopt, MultipleOptionCollectsEveryValue) {
  std::vector<std::string> defines;
  kio_Getopt parser;
  parser.addOption("D", "define", "define", 2, "sym", &defines);
  parser.addOption("U", "undef", "undefine", 1, "sym", &defines);
  parseWords(parser, {"-D", "a", "--define", "b", "-U", "c", "-D", "-U"});
  EXPECT_EQ(parser.errors(), Words{"-D must be followed by an argument."});
  EXPECT_EQ(defines, (Words{"a", "b", "c"}));
  EXPECT_EQ(parser.getArgument("define"), "b");
  EXPECT_EQ(parser.getArgument("U"), "c");
}

// Every option is tried: the first match is left waiting for its argument
// when the second one matches the same word.
TEST(KioGetopt, OneWordSetsEveryOptionSharingItsName) {
  kio_Getopt parser;
  parser.addOption("x", "alpha", "", 2, "a", nullptr);
  parser.addOption("x", "beta", "", 2, "b", nullptr);
  parseWords(parser, {"-x", "v"});
  EXPECT_EQ(parser.errors(), Words{"-x must be followed by an argument."});
  EXPECT_TRUE(parser.isOptionSet("alpha"));
  EXPECT_EQ(parser.getArgument("alpha"), "");
  EXPECT_EQ(parser.getArgument("beta"), "v");
}

TEST(KioGetopt, HelpWithoutOptionsIsEmpty) {
  kio_Getopt parser;
  EXPECT_EQ(helpOf(parser), "");
}

TEST(KioGetopt, HelpShowsArgumentsByType) {
  kio_Getopt parser;
  parser.addOption("", "", "bare", 0, "", nullptr);
  parser.addOption("p", "opt", "optional", 1, "v", nullptr);
  parser.addOption("r", "req", "required", 2, "v", nullptr);
  parser.addOption("z", "odd", "odd type", 7, "v", nullptr);
  // A hidden argument name still widens the column.
  parser.addOption("q", "", "quiet", 0, "hidden", nullptr);
  parser.addOption("Q", "", "quieter", 0, "verbosity", nullptr);
  EXPECT_EQ(helpOf(parser),
            "   /             bare\n"
            " -p/--opt [v]    optional\n"
            " -r/--req <v>    required\n"
            " -z/--odd        odd type\n"
            " -q/             quiet\n"
            " -Q/             quieter\n");
}

}  // namespace
