#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/cp1251.h"
#include "params/param_file.h"
#include "support/temp_dir.h"

namespace mapbasis {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

void WriteFile(const fs::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary);
  out << bytes;
}

std::string Cp1251Of(const fs::path& path) { return Cp1251FromPath(path).value(); }

// The result folder is made with the folders above it; its name goes to no command interpreter,
// so blanks, quotes and shell characters are plain parts of the name.
TEST(ParamFileFolder, CreatesAMissingResultFolder) {
  const TempDir dir("params");
  const std::string oddName =
      Cp1251("a b \"q\" & | $(touch injected) `touch injected` Карты").str();
  const fs::path folder = PathFromCp1251(Cp1251Of(dir.path()) + "/" + oddName + "/sub dir");
  struct Case {
    const char* what;
    std::string content;
  } const cases[] = {
      {"cp1251 file", "Nom=N-37;\nPath=" + Cp1251Of(folder) + ";\n"},
      {"UTF-8 file", "Nom=N-37;\nPath=" + Cp1251ToUtf8(Cp1251Of(folder)) + "  ;\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(PathFromCp1251(Cp1251Of(dir.path()) + "/" + oddName));
    const fs::path file = dir / "params.txt";
    WriteFile(file, c.content);
    SheetParameters p;
    Outcome r;
    ASSERT_EQ((r = READARGFILE(file, p)).status, 0) << r.reason;
    EXPECT_EQ(p.Status, 0);
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(p.Path, Cp1251Of(folder) + "/");
    EXPECT_FALSE(fs::exists(dir / "injected"));
    EXPECT_FALSE(fs::exists("injected"));
  }
}

TEST(ParamFileFolder, ExistingFolderIsKept) {
  const TempDir dir("params");
  fs::create_directories(dir / "out");
  WriteFile(dir / "out" / "keep.txt", "x");
  WriteFile(dir / "p.txt", "Nom=N-37;Path=" + Cp1251Of(dir / "out") + ";");
  SheetParameters p;
  Outcome r;
  EXPECT_EQ((r = READARGFILE(dir / "p.txt", p)).status, 0) << r.reason;
  EXPECT_TRUE(fs::exists(dir / "out" / "keep.txt"));
}

TEST(ParamFileFolder, FolderThatCannotBeMade) {
  const TempDir dir("params");
  WriteFile(dir / "plain", "x");
  const std::string path = Cp1251Of(dir / "plain" / "out");
  WriteFile(dir / "p.txt", "Nom=N-37;\nPath=" + path + ";");
  SheetParameters p;
  Outcome r;
  EXPECT_EQ((r = READARGFILE(dir / "p.txt", p)).status, 7);
  EXPECT_EQ(p.Status, 7);
  const std::string said =
      Cp1251Of(dir / "p.txt") + ": cannot create the result folder \"" + path + "/\": ";
  EXPECT_EQ(r.reason.rfind(said, 0), 0u) << r.reason;
}

TEST(ParamFileFolder, FilesThatCannotBeRead) {
  const TempDir dir("params");
  SheetParameters p;
  p.MillionSeries = 5;
  Outcome r;
  EXPECT_EQ((r = READARGFILE(dir / "missing.txt", p)).status, 2);
  EXPECT_EQ(r.reason, Cp1251Of(dir / "missing.txt") + ": cannot open the file");
  EXPECT_EQ(p.MillionSeries, kNotGiven);
  EXPECT_EQ(p.Status, 2);
  EXPECT_EQ((r = READARGFILE(dir.path(), p)).status, 2);

  // The statuses of the content come through, and no folder is made for a failed file.
  WriteFile(dir / "bad.txt", "Nom=N-37;\nPath=" + Cp1251Of(dir / "never") + ";\nCS=x;\n");
  EXPECT_EQ((r = READARGFILE(dir / "bad.txt", p)).status, 4);
  EXPECT_EQ(r.reason.rfind(Cp1251Of(dir / "bad.txt") + ":3: ", 0), 0u) << r.reason;
  EXPECT_FALSE(fs::exists(dir / "never"));
}

}  // namespace
}  // namespace mapbasis
