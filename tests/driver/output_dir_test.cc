#include "driver/output_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "e2e/run_program.h"

namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

enum class Planted { nothing, folder, linkToFolder, linkToFile, file, danglingLink };

// Puts at out/name what the case plants there; beside out/ lies outside/
// holding the file "kept".
void plant(const fs::path& root, Planted what) {
  const fs::path at = root / "out" / "name";
  switch (what) {
    case Planted::nothing: break;
    case Planted::folder: fs::create_directory(at); break;
    case Planted::linkToFolder: fs::create_directory_symlink("../outside", at); break;
    case Planted::linkToFile: fs::create_symlink("../outside/kept", at); break;
    case Planted::file: std::ofstream(at) << "mine"; break;
    case Planted::danglingLink: fs::create_symlink("../outside/new", at); break;
  }
}

class OutputDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root / "outside");
    std::ofstream(root / "outside" / "kept") << "kept";
    std::string error;
    ASSERT_EQ(top.openGiven((root / "out").string(), error), OutputDir::Status::ok) << error;
  }
  void TearDown() override {
    EXPECT_EQ(contents(root / "outside" / "kept"), "kept");
    EXPECT_FALSE(fs::exists(root / "outside" / "new"));
    EXPECT_FALSE(fs::exists(root / "outside" / "listing"));
  }

  lorvex_test::TempDir temp;
  fs::path root = temp.path();
  OutputDir top;
};

TEST_F(OutputDirTest, FoldersBelowAreEnteredOnlyWhenReal) {
  const struct {
    Planted planted;
    OutputDir::Status status;
  } cases[] = {
      {Planted::nothing, OutputDir::Status::ok},
      {Planted::folder, OutputDir::Status::ok},
      {Planted::linkToFolder, OutputDir::Status::notAFolder},
      {Planted::linkToFile, OutputDir::Status::notAFolder},
      {Planted::file, OutputDir::Status::notAFolder},
      {Planted::danglingLink, OutputDir::Status::notAFolder},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.planted));
    fs::remove_all(root / "out" / "name");
    plant(root, c.planted);
    OutputDir below;
    std::string error;
    ASSERT_EQ(below.openBelow(top, "name", error), c.status);
    EXPECT_EQ(below.path(), (root / "out" / "name").string());
    if (c.status != OutputDir::Status::ok) continue;
    EXPECT_EQ(below.writeFile("listing", "text", false, error), OutputDir::Status::ok) << error;
    EXPECT_EQ(contents(root / "out" / "name" / "listing"), "text");
  }
}

TEST_F(OutputDirTest, FilesAreCreatedNeverWrittenThroughALink) {
  const struct {
    Planted planted;
    bool replace;
    OutputDir::Status status;
    const char* after;  // what out/name then holds
    bool stillALink;
  } cases[] = {
      {Planted::nothing, false, OutputDir::Status::ok, "new", false},
      {Planted::file, false, OutputDir::Status::exists, "mine", false},
      {Planted::file, true, OutputDir::Status::ok, "new", false},
      {Planted::linkToFile, false, OutputDir::Status::exists, "kept", true},
      {Planted::linkToFile, true, OutputDir::Status::ok, "new", false},
      {Planted::danglingLink, false, OutputDir::Status::exists, "", true},
      {Planted::danglingLink, true, OutputDir::Status::ok, "new", false},
      {Planted::folder, true, OutputDir::Status::exists, "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.planted));
    fs::remove_all(root / "out" / "name");
    plant(root, c.planted);
    std::string error;
    EXPECT_EQ(top.writeFile("name", "new", c.replace, error), c.status) << error;
    EXPECT_EQ(contents(root / "out" / "name"), c.after);
    EXPECT_EQ(fs::is_symlink(root / "out" / "name"), c.stillALink);
  }
}

}  // namespace
