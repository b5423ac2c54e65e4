// The damaged-media property test: lorvex-disk run on hostile media, by
// seed, into a folder with links and files planted in it. Every case must
// end with status 0 or 1, change nothing outside DIR, and show no control
// byte (other than the line break) in the directory, the -p headers or any
// message, and none in -u listings, which must be valid UTF-8.
//
// LORVEX_PROPERTY_CASES (default 200; .ci/run: 2000) sets the number of cases and
// LORVEX_PROPERTY_SEED (default 1) the first seed; LORVEX_PROPERTY_CORPUS
// names a folder that receives each case's medium, and
// LORVEX_PROPERTY_FINDINGS one for the shrunk media of failing cases.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "driver/disk_driver.h"
#include "driver/disk_names.h"
#include "e2e/damaged_media.h"
#include "e2e/run_program.h"
#include "testlib/global_state.h"
#include "testlib/image_builder.h"
#include "testlib/stream_capture.h"
#include "testlib/text_checks.h"

namespace lorvex_test {
namespace {

namespace fs = std::filesystem;
using Random = std::mt19937_64;

std::uint64_t envNumber(const char* name, std::uint64_t otherwise) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 10) : otherwise;
}

// Host file names an image may come under.
const char* const kImageNames[] = {"disk", "e\x1b[2Jx\nerror: fake", "..x", "con", "a b",
                                   "\xff\xfe", "caf\xC3\xA9"};

// Everything under `root` but `root/out`, links not followed: path ->
// kind and content or target.
std::map<std::string, std::string> snapshot(const fs::path& root) {
  std::map<std::string, std::string> seen;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(root, ec); it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    const fs::path& path = it->path();
    if (path == root / "out") {
      it.disable_recursion_pending();
      continue;
    }
    const fs::file_status status = fs::symlink_status(path, ec);
    std::string& what = seen[path.string()];
    if (fs::is_symlink(status)) {
      what = "link " + fs::read_symlink(path, ec).string();
    } else if (fs::is_directory(status)) {
      what = "folder";
    } else {
      what = "file " + readFile(path.string());
    }
  }
  return seen;
}

struct Run {
  int status;
  std::string out;
  std::string err;
};

Run runDisk(std::vector<std::string> args) {
  args.insert(args.begin(), "lorvex-disk");
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  argv.push_back(nullptr);
  StreamCapture out(std::cout);
  StreamCapture err(std::cerr);
  const int status = lorvexDiskMain(static_cast<int>(args.size()), argv.data());
  return {status, out.text(), err.text()};
}

// The folder a case runs in: the images in in/, DIR as out/, and beside
// them what a planted link would reach.
void plant(Random& random, const fs::path& root, const std::vector<std::string>& stems) {
  fs::create_directories(root / "victim");
  std::ofstream(root / "victim" / "kept") << "kept";
  std::ofstream(root / "victim.txt") << "kept";
  if (random() % 4 == 0) return;  // out/ does not exist yet
  fs::create_directories(root / "out");
  std::vector<std::string> names = {"hello.asm", "hello.prg", "colours.asm", "_con.asm", "a"};
  for (const std::string& stem : stems) names.push_back(safeFileName(stem));
  for (const std::string& name : names) {
    const fs::path at = root / "out" / name;
    switch (random() % 6) {
      case 0: fs::create_directory_symlink("../victim", at); break;
      case 1: fs::create_symlink("../victim.txt", at); break;
      case 2: fs::create_symlink("../made-through-a-link", at); break;
      case 3: std::ofstream(at) << "mine"; break;
      default: break;
    }
  }
}

// Runs the case; returns what it broke, or "" when it kept every promise.
std::string runCase(const Medium& medium, const std::vector<Patch>& damage, std::uint64_t seed) {
  Random random(seed ^ 0x9E3779B97F4A7C15ull);  // the host side, apart from the medium's draws
  TempDir temp;
  const fs::path root = temp.path();
  fs::create_directories(root / "in");
  const Bytes bytes = damaged(medium.bytes, damage);
  std::vector<std::string> images;
  std::vector<std::string> stems;
  for (std::size_t n = random() % 3 == 0 ? 2 : 1; n > 0; --n) {
    stems.push_back(kImageNames[random() % std::size(kImageNames)] + std::to_string(n));
    images.push_back((root / "in" / (stems.back() + medium.extension)).string());
    writeFile(images.back(), bytes);
  }
  plant(random, root, stems);
  const auto before = snapshot(root);

  const auto withImages = [&](std::vector<std::string> args) {
    args.insert(args.end(), images.begin(), images.end());
    return args;
  };
  const bool utf8 = random() % 2 == 0;
  std::vector<std::string> extract = {"-x", (root / "out").string()};
  if (random() % 2 == 0) extract.push_back("-r");
  if (random() % 3 == 0) extract.push_back("-f");
  if (utf8) extract.push_back("-u");
  enum class Out { noControls, cleanUtf8 };  // what standard output must be
  const struct {
    const char* name;
    std::vector<std::string> args;
    Out out;
  } runs[] = {
      {"directory", withImages(utf8 ? std::vector<std::string>{"-u"} : std::vector<std::string>{}),
       utf8 ? Out::cleanUtf8 : Out::noControls},
      {"-p -u", withImages({"-p", "-u", "-s", "-l"}), Out::cleanUtf8},
      {"-x", withImages(extract), Out::noControls},
      {"--json", withImages({"--json"}), Out::cleanUtf8},
  };
  for (const auto& r : runs) {
    const Run got = runDisk(r.args);
    const std::string what = std::string("lorvex-disk ") + r.name + ": ";
    if (got.status != 0 && got.status != 1) return what + "status " + std::to_string(got.status);
    if (!noControlBytes(got.err)) return what + "a control byte in a message";
    if ((r.out == Out::noControls && !noControlBytes(got.out)) ||
        (r.out == Out::cleanUtf8 && !cleanUtf8(got.out)))
      return what + "a control byte or broken UTF-8 on standard output";
  }
  if (utf8 && fs::exists(root / "out")) {
    for (const auto& entry : fs::recursive_directory_iterator(root / "out")) {
      if (entry.is_symlink() || entry.path().extension() != ".asm" || !entry.is_regular_file())
        continue;
      const std::string listing = readFile(entry.path().string());
      if (listing != "mine" && !cleanUtf8(listing)) return "-x -u: a listing not clean UTF-8";
    }
  }
  const auto after = snapshot(root);
  if (after != before) {
    for (const auto& [path, what] : after) {
      if (before.count(path) == 0 || before.at(path) != what) return "changed outside DIR: " + path;
    }
    return "removed outside DIR";
  }
  return "";
}

// Leaves out every patch the failure does not need.
std::vector<Patch> shrink(const Medium& medium, std::uint64_t seed) {
  std::vector<Patch> patches = medium.damage;
  for (std::size_t k = patches.size(); k-- > 0;) {
    std::vector<Patch> fewer = patches;
    fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(k));
    if (!runCase(medium, fewer, seed).empty()) patches = fewer;
  }
  return patches;
}

void keep(const char* folderVariable, const std::string& name, const Bytes& bytes) {
  const char* folder = std::getenv(folderVariable);
  if (folder == nullptr || *folder == '\0') return;
  fs::create_directories(folder);
  writeFile((fs::path(folder) / name).string(), bytes);
}

TEST(DiskProperty, DamagedMediaKeepThePromises) {
  GlobalStateGuard guard;
  const char* ci = std::getenv("CI");
  if (ci != nullptr && std::string(ci) == "true") {
    EXPECT_EQ(peerMedia().size(), 4u) << "CI installs cc1541 and cbmconvert for the peer media";
  }
  const std::uint64_t cases = envNumber("LORVEX_PROPERTY_CASES", 200);
  const std::uint64_t first = envNumber("LORVEX_PROPERTY_SEED", 1);
  int failures = 0;
  std::uint64_t seed = first;
  for (; seed < first + cases && failures < 5; ++seed) {
    if ((seed - first) % 5000 == 0 && seed != first) {
      std::cout << "damaged-media cases run: " << seed - first << std::endl;  // long runs
    }
    Random random(seed);
    const Medium medium = drawMedium(random);
    const std::string name = "seed-" + std::to_string(seed) + medium.extension;
    keep("LORVEX_PROPERTY_CORPUS", name, damaged(medium.bytes, medium.damage));
    if (runCase(medium, medium.damage, seed).empty()) continue;
    ++failures;
    const std::vector<Patch> needed = shrink(medium, seed);
    keep("LORVEX_PROPERTY_FINDINGS", name, damaged(medium.bytes, needed));
    ADD_FAILURE() << "seed " << seed << " (" << medium.describe << "; " << needed.size()
                  << " patches needed): " << runCase(medium, needed, seed);
  }
  std::cout << "damaged-media cases run: " << seed - first << " from seed " << first << "\n";
}

}  // namespace
}  // namespace lorvex_test
