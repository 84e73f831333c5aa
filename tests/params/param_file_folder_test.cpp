// The parameter file on disk: what is read, and what is refused at once.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "core/cp1251.h"
#include "params/param_file.h"
#include "params/param_source.h"
#include "support/temp_dir.h"
#include "support/wait_for.h"

namespace mapbasis {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

void WriteFile(const fs::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary);
  out << bytes;
}

std::string Cp1251Of(const fs::path& path) { return Cp1251FromPath(path).value(); }

// Reading the file makes nothing: the run makes the result folder once every check has passed.
TEST(ParamFileFolder, ReadingTheResultFolderMakesNothing) {
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
    const fs::path file = dir / "params.txt";
    WriteFile(file, c.content);
    SheetParameters p;
    const Outcome read = ReadParamFile(file, p);
    ASSERT_TRUE(read.ok()) << read.reason;
    EXPECT_EQ(p.Status, 0);
    EXPECT_EQ(p.Path, Cp1251Of(folder) + "/");
    EXPECT_FALSE(fs::exists(PathFromCp1251(Cp1251Of(dir.path()) + "/" + oddName)));
  }
}

TEST(ParamFileFolder, OnlyRegularFilesOfSensibleSizeAreRead) {
  const TempDir dir("params");
  WriteFile(dir / "bad.txt", "Nom=N-37;\nPath=" + Cp1251Of(dir / "never") + ";\nCS=x;\n");
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  WriteFile(dir / "huge.txt", std::string(kMaxParameterFileSize + 1, ' '));
  WriteFile(dir / "large.txt",
            std::string(kMaxParameterFileSize - 20, '\n') + "Nom=N-37;Path=/rr;");
  const std::string at = Cp1251Of(dir.path()) + "/";
  const struct {
    const char* file;
    std::int32_t status;
    std::string says;
  } cases[] = {
      {"missing.txt", 2, at + "missing.txt: cannot open the file: No such file or directory"},
      {".", 2, at + ".: cannot open the file: it is a folder"},
      {"fifo", 2,
       at + "fifo: cannot open the file: it is not a regular file (a FIFO, device or socket)"},
      {"huge.txt", 2, at + "huge.txt: the file is larger than 1 MiB, which no parameter file is"},
      {"bad.txt", 4,
       at + "bad.txt:3: \"CS\" value \"x\" is not CK-42, CK-95 or " + Cp1251("ГCK-2011").str()},
      {"large.txt", 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    // Nothing waits on a FIFO for a writer that never comes.
    const auto ended = testing::EndsInTime([file = dir / c.file] {
      SheetParameters p;
      p.MillionSeries = 5;
      const Outcome read = ReadParamFile(file, p);
      return std::pair(read, p);
    });
    ASSERT_TRUE(ended) << "the reader hangs";
    const auto& [read, p] = *ended;
    EXPECT_EQ(read.fault.code(), c.status);
    EXPECT_EQ(p.Status, c.status);
    EXPECT_EQ(read.reason, c.says);
    if (c.status == 2) {
      EXPECT_EQ(p.MillionSeries, kNotGiven);
    }
  }
  EXPECT_FALSE(fs::exists(dir / "never"));
  // A character device is no parameter file either, and is not read until memory runs out.
  SheetParameters p;
  EXPECT_EQ(ReadParamFile("/dev/zero", p).fault, ParamFileFault::kCannotOpen);
}

}  // namespace
}  // namespace mapbasis
