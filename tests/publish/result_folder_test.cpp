// The result folder as both runs make it: with the folders above it, its name going to no command
// interpreter; a folder that cannot be made leaves none of the folders made on the way.
#include "publish/result_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "platform/file_system.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace mapbasis {
namespace {

using testing::TempDir;

std::string Cp1251Of(const fs::path& path) { return Cp1251FromPath(path).value(); }

TEST(ResultFolder, MadeWithItsParentsOrNotAtAll) {
  platform::NativeFileSystem system;
  const TempDir dir;
  std::ofstream(dir / "plain") << "x";
  const std::string at = Cp1251Of(dir.path()) + "/";
  const std::string odd = Cp1251("a b \"q\" & | $(touch injected) `touch injected` Карты").str();
  const struct {
    std::string folder;  // below the temporary folder
    std::string says;    // empty when it is made
  } cases[] = {
      {odd + "/sub dir/", ""},
      {odd + "/sub dir/", ""},  // an existing folder is kept
      {"plain/out/", "cannot create the result folder \"" + at + "plain/out\": \"" + at +
                         "plain\" is not a folder"},
      {"plain/", "the result folder \"" + at + "plain\" exists but is not a folder"},
      // Made on the way, then refused by the system: the parents go again.
      {"new/sub/" + std::string(300, 'x') + "/", "File name too long"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    MadeFolders folders(system);
    const Outcome made = MakeResultFolder(system, ResultFoldersOf(at + c.folder), folders);
    if (c.says.empty()) {
      folders.Keep();
      EXPECT_TRUE(made.ok()) << made.reason;
      EXPECT_TRUE(fs::is_directory(PathFromCp1251(at + c.folder)));
    } else {
      EXPECT_EQ(made.fault, FolderFault::kResultFolderNotMade);
      EXPECT_NE(made.reason.find(c.says), std::string::npos) << made.reason;
    }
  }
  EXPECT_FALSE(fs::exists(dir / "new"));
  EXPECT_FALSE(fs::exists(dir / "injected"));
  EXPECT_FALSE(fs::exists("injected"));
}

// The checks every run makes before it touches anything, the interactive run's folder field at OK
// included: what they refuse, nothing is made of.
TEST(ResultFolder, CheckedBeforeAnythingIsMade) {
  platform::NativeFileSystem system;
  const TempDir dir;
  std::ofstream(dir / "plain") << "x";
  const std::string at = Cp1251Of(dir.path()) + "/";
  const struct {
    std::string folder;
    FolderFault fault;  // kResultFolderMissing with `says` empty: accepted
    std::string says;
  } cases[] = {
      {at + "new/sub/", FolderFault::kResultFolderMissing, ""},
      {at + "plain/out/", FolderFault::kResultFolderNotMade, "plain\" is not a folder"},
      {at + "plain/", FolderFault::kResultFolderNotMade, "exists but is not a folder"},
      {at + "a\tb/", FolderFault::kResultFolderMissing, "holds a control character"},
      {at + std::string(256, 'x') + "/", FolderFault::kResultFolderMissing, "255 at the most"},
      {at + std::string(230, 'x') + "/", FolderFault::kHypsFolder, "too long for its layers"},
      // A folder no one may make anything in, whoever runs.
      {"/proc/mapbasis/", FolderFault::kResultFolderNotMade, "in \"/proc\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    const Outcome checked = CheckResultFolder(system, ResultFoldersOf(c.folder));
    if (c.says.empty()) {
      EXPECT_TRUE(checked.ok()) << checked.reason;
    } else {
      EXPECT_EQ(checked.fault, c.fault) << checked.reason;
      EXPECT_NE(checked.reason.find(c.says), std::string::npos) << checked.reason;
    }
  }
  EXPECT_FALSE(fs::exists(dir / "new"));

  // A leading ~/ is the home folder, as in a shell.
  const char* home = std::getenv("HOME");
  const std::string saved = home != nullptr ? home : "";
  ::setenv("HOME", dir.path().c_str(), 1);
  const ResultFolders tilde = ResultFoldersOf("~/maps/");
  ::setenv("HOME", saved.c_str(), 1);
  EXPECT_EQ(tilde.given, at + "maps/");
  EXPECT_EQ(tilde.result.path, dir / "maps");
}

}  // namespace
}  // namespace mapbasis
