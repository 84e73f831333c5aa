// The result folder as both runs make it: with the folders above it, its name going to no command
// interpreter; a folder that cannot be made leaves none of the folders made on the way.
#include "driver/result_folder.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace mapbasis {
namespace {

using testing::TempDir;

std::string Cp1251Of(const fs::path& path) { return Cp1251FromPath(path).value(); }

TEST(ResultFolder, MadeWithItsParentsOrNotAtAll) {
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
      {"plain/out/", "cannot create the result folder \"" + at + "plain/out\": Not a directory"},
      {"plain/", "the result folder \"" + at + "plain\" exists but is not a folder"},
      // Made on the way, then refused by the system: the parents go again.
      {"new/sub/" + std::string(300, 'x') + "/", "File name too long"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    const Outcome made = MakeResultFolder(ResultFoldersOf(at + c.folder));
    if (c.says.empty()) {
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

}  // namespace
}  // namespace mapbasis
