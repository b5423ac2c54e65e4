// Whole-program runs of lorvex-disk on media that the peer tools make from
// source images of our own image builder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "e2e/golden_cases.h"
#include "e2e/run_program.h"
#include "testlib/image_builder.h"

namespace lorvex_test {
namespace {

namespace fs = std::filesystem;

bool haveTool(const std::string& tool) {
  return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// The example and every distinct golden image, as s0.prg, s1.prg, ...
std::vector<Bytes> sourceImages() {
  std::vector<Bytes> images{exampleImage().bytes};
  std::set<Bytes> seen{images.front()};
  for (const GoldenCase& c : goldenCases()) {
    const Bytes image = c.image();
    if (seen.insert(image).second) images.push_back(image);
    if (images.size() == 12) break;
  }
  return images;
}

const Bytes kData = raw("notes, not a source image\r");

struct Medium {
  const char* file;
  const char* tool;
  std::string command;  // FILES stands for the files, in directory order
};

std::string cc1541Files(std::size_t sources) {
  std::string args;
  for (std::size_t k = 0; k < sources; ++k) {
    const std::string name = "s" + std::to_string(k);
    args += " -f " + name + " -w " + name + ".prg";
  }
  return args + " -f data -T SEQ -w data.seq";
}

class DiskE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    sources = sourceImages();
    for (std::size_t k = 0; k < sources.size(); ++k) {
      ASSERT_TRUE(writeFile(dir / ("s" + std::to_string(k) + ".prg"), sources[k]));
    }
    ASSERT_TRUE(writeFile(dir / "data.seq", kData));
  }

  // Makes the medium with its peer; false (the test skips) without the peer.
  bool make(const Medium& m) {
    if (!haveTool(m.tool)) return false;
    std::string files;
    for (std::size_t k = 0; k < sources.size(); ++k) files += " s" + std::to_string(k) + ".prg";
    files += " data.seq";
    std::string command = m.command;
    const std::size_t at = command.find("FILES");
    if (at != std::string::npos) command.replace(at, 5, files);
    const std::string shell = "cd '" + dir.path() + "' && " + command + " >/dev/null 2>&1";
    EXPECT_EQ(std::system(shell.c_str()), 0) << command;
    return true;
  }

  ProgramResult disk(std::vector<std::string> args) const { return run(LORVEX_DISK_BINARY, args); }
  ProgramResult lorvex(std::vector<std::string> args, const std::string& in) const {
    return run(LORVEX_BINARY, args, in);
  }

  ProgramResult run(const char* binary, std::vector<std::string> args,
                    const std::string& sub = "") const {
    ProgramCall call;
    call.args = std::move(args);
    call.workDir = sub.empty() ? dir.path() : dir / sub;
    return runProgram(binary, call);
  }

  TempDir dir;
  std::vector<Bytes> sources;
};

std::string text(const Bytes& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

const Medium kMedia[] = {
    {"c.d64", "cc1541", "cc1541 -n peer -i 42" + cc1541Files(12) + " c.d64"},
    {"c40.d64", "cc1541", "cc1541 -4 -n peer" + cc1541Files(12) + " c40.d64"},
    {"c.d71", "cc1541", "cc1541 -n peer" + cc1541Files(12) + " c.d71"},
    {"c.d81", "cc1541", "cc1541 -n peer" + cc1541Files(12) + " c.d81"},
    {"b.d64", "cbmconvert", "cbmconvert -n -D4 b.d64 FILES"},
    {"b.lnx", "cbmconvert", "cbmconvert -n -L b.lnx FILES"},
};

const std::vector<std::vector<std::string>> kOptionSets = {
    {}, {"-s", "-l", "-z", "-Z"}, {"-b", "-W", "3", "-n"}, {"-T", "-S", "-w", "4"}, {"-O", "-s"},
};

// Every file comes back as the peer stored it, and every listing is what
// lorvex writes for the same raw file.
TEST_F(DiskE2E, PeerMediaConvertExactly) {
  ASSERT_EQ(sources.size(), 12u) << "the peer commands name twelve sources";
  for (const Medium& m : kMedia) {
    SCOPED_TRACE(m.file);
    if (!make(m)) {
      std::cout << "skipped " << m.file << ": needs the " << m.tool << " package\n";
      continue;
    }
    const std::string out = std::string("out_") + m.file;
    const ProgramResult x = disk({"-x", out, "-r", m.file});
    EXPECT_EQ(x.status, 0);
    EXPECT_EQ(x.err, "");
    for (std::size_t k = 0; k < sources.size(); ++k) {
      EXPECT_EQ(readFile(dir / out + "/s" + std::to_string(k) + ".prg"), text(sources[k])) << k;
    }
    EXPECT_EQ(readFile(dir / out + "/data.seq"), text(kData));
    EXPECT_FALSE(fs::exists(dir / out + "/data.asm"));

    for (const auto& options : kOptionSets) {
      std::string expected;
      for (std::size_t k = 0; k < sources.size(); ++k) {
        const std::string name = "s" + std::to_string(k);
        std::vector<std::string> args = options;
        for (const char* word : {"-o", "ref.asm"}) args.push_back(word);
        args.push_back(name + ".prg");
        EXPECT_EQ(lorvex(args, out).status, 0);
        expected +=
            ";; " + std::string(m.file) + ": " + name + "\n" + readFile(dir / out + "/ref.asm");
        if (options.empty()) {
          EXPECT_EQ(readFile(dir / out + "/" + name + ".asm"), readFile(dir / out + "/ref.asm"));
        }
      }
      std::vector<std::string> args = options;
      args.insert(args.begin(), "-p");
      args.push_back(m.file);
      const ProgramResult p = disk(args);
      EXPECT_EQ(p.status, 0);
      EXPECT_EQ(p.out, expected) << options.size();
    }
  }
}

class ExampleDisk : public DiskE2E {
 protected:
  void SetUp() override {
    DiskE2E::SetUp();
    if (!make({"c.d64", "cc1541",
               "cc1541 -n peer -i 42 -f s0 -w s0.prg -f s1 -w s1.prg -f data -T SEQ -w data.seq "
               "c.d64"})) {
      GTEST_SKIP() << "needs the cc1541 package";
    }
  }
  // Offset of the directory's first entry name in a 35-track image.
  static constexpr std::size_t kFirstName = 0x16600 + 5;
};

// The listing's layout is pinned on the bundled example disk.
TEST_F(ExampleDisk, PatternsPickRows) {
  EXPECT_EQ(disk({"c.d64", "S?"}).out.find("data"), std::string::npos);
  EXPECT_NE(disk({"c.d64", "D*"}).out.find("1 file, 0 source images."), std::string::npos);
}

TEST_F(ExampleDisk, ExistingFilesAreKeptWithoutForce) {
  ASSERT_EQ(disk({"-x", "out", "c.d64"}).status, 0);
  ASSERT_TRUE(writeFile(dir / "out/s0.asm", raw("mine\n")));
  const ProgramResult again = disk({"-x", "out", "-r", "c.d64"});
  EXPECT_EQ(again.status, 1);
  EXPECT_EQ(again.err,
            "error: out/s0.asm already exists; left as it is (-f overwrites)\n"
            "error: out/s1.asm already exists; left as it is (-f overwrites)\n");
  EXPECT_EQ(readFile(dir / "out/s0.asm"), "mine\n");
  EXPECT_TRUE(fs::exists(dir / "out/data.seq"));  // the others are still written
  EXPECT_EQ(disk({"-x", "out", "-f", "c.d64"}).status, 0);
  EXPECT_NE(readFile(dir / "out/s0.asm"), "mine\n");
}

// Whatever a name on the disk says, nothing is written outside the folder,
// and nothing raw reaches the terminal.
TEST_F(ExampleDisk, HostileNamesStayInside) {
  Bytes image = raw(readFile(dir / "c.d64"));
  const std::string evil = "../\x0D/EVIL";
  std::copy(evil.begin(), evil.end(), image.begin() + kFirstName);
  ASSERT_TRUE(writeFile(dir / "c.d64", image));
  const ProgramResult list = disk({"c.d64"});
  EXPECT_NE(list.out.find("\"../{return}/evil\""), std::string::npos);
  EXPECT_EQ(disk({"-x", "out", "-r", "c.d64"}).status, 0);
  EXPECT_TRUE(fs::exists(dir / "out/_.___evil.asm"));
  EXPECT_TRUE(fs::exists(dir / "out/_.___evil.prg"));
  EXPECT_FALSE(fs::exists(dir / "evil.asm"));
}

TEST_F(ExampleDisk, DamageWarnsAndGoesOn) {
  Bytes image = raw(readFile(dir / "c.d64"));
  // The first file's first sector links back to itself.
  const std::size_t entry = kFirstName - 5;
  const int track = image[entry + 3];
  const int sector = image[entry + 4];
  ASSERT_LT(track, 18);
  const std::size_t at = static_cast<std::size_t>(((track - 1) * 21 + sector) * 256);
  image[at] = static_cast<unsigned char>(track);
  image[at + 1] = static_cast<unsigned char>(sector);
  ASSERT_TRUE(writeFile(dir / "c.d64", image));
  const ProgramResult r = disk({"c.d64"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err.rfind("c.d64: s0: warning: ", 0), 0u) << r.err;
  EXPECT_NE(r.out.find("\"s1\""), std::string::npos);
}

TEST_F(DiskE2E, SingleFilesAndErrors) {
  const ProgramResult plain = disk({"s0.prg"});
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(plain.out,
            "0 \"s0.prg\" plain\n"
            "3    \"s0\"                prg  Vorda Assembler (macro; $8000)\n"
            "1 file, 1 source image.\n");
  EXPECT_EQ(disk({"-p", "s0.prg"}).out, ";; s0.prg: s0\n" + lorvex({"s0.prg"}, "").out);
  const struct {
    std::vector<std::string> args;
    std::string err;
  } errors[] = {
      {{"data.seq"}, "error: data.seq is neither a disk or archive image nor a source image\n"},
      {{"missing.d64"}, "error: missing.d64 does not exist or cannot be opened for reading\n"},
      {{"-r", "s0.prg"}, "lorvex-disk: error: -r/--raw needs -x/--extract\n"},
      {{"-p", "-x", "o", "s0.prg"},
       "lorvex-disk: error: -p/--print and -x/--extract exclude each other\n"},
      {{"--json", "-p", "s0.prg"},
       "lorvex-disk: error: --json excludes -p/--print and -x/--extract\n"},
  };
  for (const auto& e : errors) {
    ProgramCall call;
    call.argv0 = "lorvex-disk";
    call.args = e.args;
    call.workDir = dir.path();
    const ProgramResult r = runProgram(LORVEX_DISK_BINARY, call);
    EXPECT_EQ(r.status, 1) << e.err;
    EXPECT_EQ(r.err, e.err);
  }
  if (fs::exists("/dev/full")) {
    ProgramCall call;
    call.args = {"-p", "s0.prg"};
    call.workDir = dir.path();
    call.outFile = "/dev/full";
    const ProgramResult r = runProgram(LORVEX_DISK_BINARY, call);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "error: cannot write standard output: No space left on device\n");
  }
}


// ---- UTF-8 output: every PETSCII code in strings, comments and text. ----

// Every code $00-$FF in .text strings, character constants, comments (with
// and without an instruction before them) and text lines.
Bytes everyCodeImage() {
  ImageSpec layout;
  layout.tab = 8;
  for (int first = 0; first < 256; first += 32) {
    std::string codes;
    for (int c = first; c < first + 32; ++c) codes += static_cast<char>(c);
    std::string quoted;  // a text line whose quotes stay closed
    for (char c : codes) quoted += c == '"' ? '\'' : c;
    layout.lines.push_back(statement(2, stringOperand(codes)));
    layout.lines.push_back(commentLine(0, codes));
    layout.lines.push_back(instruction(0xEA, {}, -1, comment(12, codes)));
    layout.lines.push_back(textLine(2, quoted));
    layout.lines.push_back(textLine(0, "\"" + quoted + "\""));
  }
  for (int c = 0; c < 256; c += 5) layout.lines.push_back(instruction(0xA9, chr(c)));
  for (int c = 0; c < 256; c += 7) layout.lines.push_back(instruction(0xA9, backslash(c)));
  // A comment after glyphs stays at its column.
  layout.lines.push_back(statement(2, stringOperand("\xB0\xC0\xAE"), -1, comment(30, "\xA6")));
  return buildImage(layout).bytes;
}

// Valid UTF-8 with no control byte but the line break.
bool cleanUtf8(const std::string& text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char b = byte(i);
    if (b < 0x80) {
      if ((b < 0x20 && b != '\n') || b == 0x7F) return false;
      continue;
    }
    int more = b >= 0xF0 && b < 0xF5 ? 3 : b >= 0xE0 && b < 0xF0 ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : -1;
    if (more < 0) return false;
    for (; more > 0; --more) {
      if (++i == text.size() || (byte(i) & 0xC0) != 0x80) return false;
    }
  }
  return true;
}

TEST_F(DiskE2E, Utf8ListingOfEveryCode) {
  ASSERT_TRUE(writeFile(dir / "codes.prg", everyCodeImage()));
  const ProgramResult u = disk({"-u", "-p", "codes.prg"});
  EXPECT_EQ(u.status, 0);
  EXPECT_TRUE(cleanUtf8(u.out));
  const fs::path golden =
      fs::path(LORVEX_SOURCE_DIR) / "tests" / "e2e" / "disk_golden" / "utf8_every_code.txt";
  const char* update = std::getenv("LORVEX_UPDATE_GOLDEN");
  if (update != nullptr && *update != '\0') {
    ASSERT_TRUE(writeFile(golden.string(), raw(u.out)));
  }
  EXPECT_EQ(u.out, readFile(golden.string()));
  // Without -u the listing is lorvex's, raw control bytes and all.
  EXPECT_EQ(disk({"-p", "codes.prg"}).out, ";; codes.prg: codes\n" + lorvex({"codes.prg"}, "").out);
}

}  // namespace
}  // namespace lorvex_test
