// The file primitives report what the system says: a status that cannot be read is an error, never
// "nothing there", and the calls that must not replace or follow what stands at a name do not.
#include "platform/files.h"

#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace mapbasis {
namespace {

using platform::EntryType;
using testing::TempDir;

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(PlatformFiles, AStatusThatCannotBeReadIsAnErrorNotAMissingFile) {
  TempDir dir;
  std::ofstream(dir / "file") << "x";
  fs::create_symlink(dir / "nowhere", dir / "dangling");
  const struct {
    fs::path path;
    bool failed;
    EntryType type;  // lstat, then stat
    EntryType followed;
  } cases[] = {
      {dir / "nothing", false, EntryType::kMissing, EntryType::kMissing},
      {dir / "file", false, EntryType::kFile, EntryType::kFile},
      {dir.path(), false, EntryType::kFolder, EntryType::kFolder},
      {dir / "dangling", false, EntryType::kLink, EntryType::kMissing},
      {dir / "file" / "child", true, {}, {}},       // a file on the way
      {dir / std::string(300, 'n'), true, {}, {}},  // a name too long
      {dir / "dangling" / "child", false, EntryType::kMissing, EntryType::kMissing},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.string());
    EntryType type = EntryType::kOther, followed = EntryType::kOther;
    const std::error_code error = platform::StatusOf(c.path, type);
    const std::error_code followedError = platform::FollowedStatusOf(c.path, followed);
    EXPECT_EQ(static_cast<bool>(error), c.failed) << error.message();
    EXPECT_EQ(static_cast<bool>(followedError), c.failed) << followedError.message();
    if (!c.failed) {
      EXPECT_EQ(type, c.type);
      EXPECT_EQ(followed, c.followed);
    }
  }
  EXPECT_TRUE(platform::IsMissing(platform::RemoveFile(dir / "nothing")));
}

TEST(PlatformFiles, NothingStandingAtANameIsReplacedOrFollowed) {
  TempDir dir;
  std::ofstream(dir / "new") << "new";
  std::ofstream(dir / "old") << "old";
  fs::create_symlink(dir / "old", dir / "link");

  // Into a taken name (a file, a link) nothing moves; into a free one it does.
  for (const char* taken : {"old", "link"}) {
    SCOPED_TRACE(taken);
    EXPECT_TRUE(platform::IsTaken(platform::RenameIntoFreeName(dir / "new", dir / taken)));
    EXPECT_EQ(Read(dir / "new"), "new");
    EXPECT_EQ(Read(dir / "old"), "old");
  }
  EXPECT_FALSE(platform::RenameIntoFreeName(dir / "new", dir / "free"));
  EXPECT_FALSE(fs::exists(dir / "new"));
  EXPECT_EQ(Read(dir / "free"), "new");

  // A new file is never made through a link.
  platform::NewFile file;
  EXPECT_TRUE(platform::IsTaken(file.Create(dir / "link")));
  EXPECT_TRUE(fs::is_symlink(dir / "link"));
  EXPECT_EQ(Read(dir / "old"), "old");
}

}  // namespace
}  // namespace mapbasis
