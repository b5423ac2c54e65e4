// Fuzz target over the command line: the option parser on its own, then
// the whole driver. The input is a list of words split at NUL bytes; a
// word that starts with 1, 2 or 3 stands for an option, a file name or an
// integer argument, so that the fuzzer reaches the real options early.
//
// The driver only ever sees the names "img", "out.txt" and "missing" (or
// the empty word) as files, inside a private directory made at start.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "null_streams.h"
#include "driver/driver.h"
#include "driver/option_table.h"
#include "petscii/lorvex_global.h"
#include "source/process_state.h"
#include "source/zeb_source.h"
#include "support/kio_getopt.h"

namespace {

constexpr std::size_t kMaxWords = 32;
constexpr std::size_t kMaxWordLength = 64;
constexpr char kInvocation[] = "lorvex";

enum class Value { none, file, integer };

struct OptionForms {
  const char* shortName;  // "" when the option has none
  const char* longName;
  Value value;
};

// The driver's twenty options, read off its own option table.
std::vector<OptionForms> makeOptions() {
  std::vector<OptionForms> options;
  for (const OptionRow& row : kOptionTable) {
    Value value = Value::none;
    if (row.argumentType != kNoArgument) {
      value = std::string(row.argumentName) == "file" ? Value::file : Value::integer;
    }
    options.push_back({row.shortName, row.longName, value});
  }
  return options;
}

const std::vector<OptionForms> kOptions = makeOptions();

const char* const kFileNames[] = {"img", "out.txt", "missing"};
const char* const kIntegers[] = {"0",  "4",    "-3",  "12abc",      "abc",        "",
                                 "0x10", " 7", "+8",  "2147483647", "2147483648", "-2147483649",
                                 "255", "256", "70",  "-1"};

struct Form {
  std::string word;
  std::size_t option;  // index into kOptions
};

std::vector<Form> makeForms() {
  std::vector<Form> forms;
  for (std::size_t k = 0; k < kOptions.size(); ++k) {
    const std::string shortName = kOptions[k].shortName;
    if (!shortName.empty()) {
      forms.push_back({"-" + shortName, k});
      forms.push_back({"/" + shortName, k});
    }
    forms.push_back({std::string("--") + kOptions[k].longName, k});
  }
  return forms;
}

const std::vector<Form>& forms() {
  static const std::vector<Form> all = makeForms();
  return all;
}

// The option a word selects, or -1.
int optionOf(const std::string& word) {
  for (const Form& form : forms()) {
    if (form.word == word) return static_cast<int>(form.option);
  }
  return -1;
}

template <std::size_t N>
const char* pick(const char* const (&table)[N], const std::string& word) {
  const std::size_t k = word.size() > 1 ? static_cast<unsigned char>(word[1]) : 0;
  return table[k % N];
}

std::string mapWord(const std::string& word) {
  if (word.empty()) return word;
  switch (word[0]) {
    case '\x01': {
      const std::size_t k = word.size() > 1 ? static_cast<unsigned char>(word[1]) : 0;
      return forms()[k % forms().size()].word;
    }
    case '\x02':
      return pick(kFileNames, word);
    case '\x03':
      return pick(kIntegers, word);
    default:
      return word;
  }
}

std::vector<std::string> splitWords(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> words;
  if (size == 0) return words;
  std::string word;
  for (std::size_t i = 0; i <= size && words.size() < kMaxWords; ++i) {
    if (i == size || data[i] == 0) {
      words.push_back(mapWord(word));
      word.clear();
    } else if (word.size() < kMaxWordLength) {
      word += static_cast<char>(data[i]);
    }
  }
  return words;
}

bool isSafeName(const std::string& word) {
  if (word.empty()) return true;  // opens nothing: an empty name is refused or means stdin
  return std::find(std::begin(kFileNames), std::end(kFileNames), word) != std::end(kFileNames);
}

std::string safeName(const std::string& word) {
  if (isSafeName(word)) return word;
  std::uint32_t h = 2166136261u;
  for (char c : word) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
  return kFileNames[h % std::size(kFileNames)];
}

// Rewrites every word that the parser will take as a file name (a value of
// in or out, or a loose word) into a safe name. Follows the parser: a word
// naming an option already given leaves the pending option as it was.
std::vector<std::string> confine(const std::vector<std::string>& words) {
  std::vector<std::string> out;
  std::vector<bool> given(kOptions.size(), false);
  Value pending = Value::none;
  for (const std::string& word : words) {
    const int option = optionOf(word);
    if (option >= 0) {
      if (!given[option]) pending = kOptions[option].value;
      given[option] = true;
      out.push_back(word);
    } else if (pending == Value::file) {
      out.push_back(safeName(word));
      pending = Value::none;
    } else if (pending == Value::integer) {
      out.push_back(word);
      pending = Value::none;
    } else if (!word.empty() && word[0] == '-') {
      out.push_back(word);  // not a valid option: the run ends before any file
    } else {
      out.push_back(safeName(word));
    }
  }
  return out;
}

struct Argv {
  std::vector<std::string> storage;
  std::vector<char*> pointers;

  explicit Argv(const std::vector<std::string>& words) : storage{kInvocation} {
    storage.insert(storage.end(), words.begin(), words.end());
    for (std::string& s : storage) pointers.push_back(s.data());
    pointers.push_back(nullptr);
  }
  Argv(const Argv&) = delete;
  Argv& operator=(const Argv&) = delete;
  int argc() const { return static_cast<int>(storage.size()); }
  char** argv() { return pointers.data(); }
};

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "fuzz_args: %s\n", what);
  std::abort();
}

void exerciseParser(const std::vector<std::string>& words) {
  Argv args(words);
  kio_Getopt getopt;
  registerOptions(getopt);
  getopt.parse(args.argc(), args.argv());
  (void)getopt.errors();
  for (const std::string& loose : getopt.looseOptions()) {
    if (std::find(words.begin(), words.end(), loose) == words.end()) fail("loose word not given");
  }
  for (const OptionForms& option : kOptions) {
    const bool set = getopt.isOptionSet(option.longName);
    const std::string argument = getopt.getArgument(option.longName);
    if (*option.shortName != '\0' && (getopt.isOptionSet(option.shortName) != set ||
                                      getopt.getArgument(option.shortName) != argument)) {
      fail("short and long name disagree");
    }
  }
  getopt.printHelp();
}

// What the driver will take as file names, checked with the parser itself.
void checkConfined(const std::vector<std::string>& words) {
  Argv args(words);
  kio_Getopt getopt;
  registerOptions(getopt);
  getopt.parse(args.argc(), args.argv());
  const std::vector<std::string> loose = getopt.looseOptions();
  const bool safe =
      std::all_of(kOptions.begin(), kOptions.end(),
                  [&](const OptionForms& option) {
                    return option.value != Value::file || !getopt.isOptionSet(option.longName) ||
                           isSafeName(getopt.getArgument(option.longName));
                  }) &&
      std::all_of(loose.begin(), loose.end(), isSafeName);
  if (!safe) fail("a file name escaped the rewriting");
}

// A small decodable image: labels, an instruction with and one without a
// label, an empty line, a .byte list with a comment and a text line.
std::vector<char> fixtureImage() {
  constexpr int kTop = 0x7FF0;
  const std::vector<unsigned char> records = {
      0x44, 0x48, 0x49,                          // text line at column 4
      0x30, 0x01, 0x60,                          // done rts
      0x03, 0x28, 0x0D, 0x2A, 0x00, 0x8A, 0x58,  // .byte $0d,0 ; comment
      0x20, 0x38, 0x01,                          // jsr done
      0x30, 0x00, 0xA9, 0x2A, 0x01,              // start lda #1
      0x00, 'V',  'O',  'R',  'D',  'A',
  };
  const std::vector<unsigned char> table = {0xC5, 0x83, 0x00, 0x07, 0xC3, 0x03};
  const std::vector<unsigned char> names = {'S', 'T', 'A', 'R', 0xD4, 'D', 'O', 'N', 0xC5};
  const int start = kTop - static_cast<int>(records.size()) + 1;
  const int namesAt = 0xEC60;
  const int labelEnd = namesAt + static_cast<int>(names.size());

  std::vector<unsigned char> image(256, 0);
  image[0] = 9;
  image[18] = static_cast<unsigned char>(table.size() - 1);
  image[20] = static_cast<unsigned char>(start & 0xFF);
  image[21] = static_cast<unsigned char>(start >> 8);
  image[25] = static_cast<unsigned char>(labelEnd & 0xFF);
  image[26] = static_cast<unsigned char>(labelEnd >> 8);
  image.insert(image.end(), records.begin(), records.end());
  image.insert(image.end(), table.begin(), table.end());
  std::vector<unsigned char> pointers(96, 0);
  for (int k = 0; k < 48; ++k) {
    const int pointer = k == 0 ? namesAt : labelEnd;
    pointers[k] = static_cast<unsigned char>(pointer & 0xFF);
    pointers[k + 48] = static_cast<unsigned char>(pointer >> 8);
  }
  image.insert(image.end(), pointers.begin(), pointers.end());
  image.insert(image.end(), names.begin(), names.end());
  return std::vector<char>(image.begin(), image.end());
}

struct Sandbox {
  std::filesystem::path dir;
  std::vector<char> image;
  int home = -1;  // the directory the fuzzer was started in
};

Sandbox& sandbox() {
  static Sandbox box;
  return box;
}

void writeImage() {
  std::ofstream out(sandbox().dir / "img", std::ios::binary | std::ios::trunc);
  out.write(sandbox().image.data(), static_cast<std::streamsize>(sandbox().image.size()));
  if (!out) fail("cannot write the image");
}

// Leaves the directory as it was made: only the image, unchanged.
void tidySandbox() {
  std::error_code ec;
  std::filesystem::remove(sandbox().dir / "out.txt", ec);
  std::filesystem::remove(sandbox().dir / "missing", ec);
  std::ifstream in(sandbox().dir / "img", std::ios::binary);
  const std::vector<char> now{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (now != sandbox().image) writeImage();
}

void removeSandbox() {
  std::error_code ec;
  std::filesystem::remove_all(sandbox().dir, ec);
}

void makeSandbox() {
  std::string pattern = (std::filesystem::temp_directory_path() / "lorvex-fuzz-args-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) fail("mkdtemp failed");
  sandbox().dir = pattern;
  sandbox().image = fixtureImage();
  {
    const zeb_Source check(sandbox().image.data(), static_cast<int>(sandbox().image.size()));
    if (!check.isParsed() || check.numberOfLabels() != 2) fail("the fixture image does not decode");
  }
  zeb_resetProcessState();
  writeImage();
  sandbox().home = open(".", O_RDONLY | O_DIRECTORY);
  if (sandbox().home < 0) fail("cannot open the working directory");
  std::atexit(removeSandbox);
}

void checkFormsTable() {
  for (const Form& form : forms()) {
    const std::vector<std::string> words{form.word};
    Argv args(words);
    kio_Getopt getopt;
    registerOptions(getopt);
    getopt.parse(args.argc(), args.argv());
    if (!getopt.isOptionSet(kOptions[form.option].longName) || !getopt.looseOptions().empty()) {
      fail("an option form is not the parser's");
    }
  }
}

void runDriver(const std::vector<std::string>& words) {
  const std::vector<std::string> confined = confine(words);
  checkConfined(confined);
  Argv args(confined);
  if (chdir(sandbox().dir.c_str()) != 0) fail("cannot enter the sandbox");
  const int status = lorvexMain(args.argc(), args.argv());
  tidySandbox();
  if (fchdir(sandbox().home) != 0) fail("cannot leave the sandbox");
  if (status != 0 && status != 1) fail("exit status other than 0 or 1");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // With no input word the driver reads standard input: give it nothing.
  if (std::freopen("/dev/null", "r", stdin) == nullptr) fail("cannot reopen stdin");
  checkFormsTable();
  makeSandbox();
  lorvex_fuzz::silenceStandardStreams();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> words = splitWords(data, size);
  exerciseParser(words);
  runDriver(words);
  zeb_resetProcessState();
  return 0;
}
