// The program as a batch job: exit statuses, the one line on stderr, and what lands on disk.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "core/cp1251.h"
#include "support/layer_reader.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace mapbasis {
namespace {

using testing::MapbasisExe;
using testing::ProcessOptions;
using testing::ProcessResult;
using testing::RunProcess;
using testing::TempDir;

// Writes a parameter file in cp1251 from UTF-8 text.
void WriteParams(const fs::path& file, const std::string& utf8) {
  std::ofstream(file, std::ios::binary) << *Utf8ToCp1251(utf8);
}

ProcessResult RunMapbasis(const std::vector<std::string>& args, const fs::path& cwd) {
  std::vector<std::string> argv{MapbasisExe()};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunProcess(argv, cwd.string());
}

std::size_t Lines(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

std::vector<std::string> FilesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(BatchRun, StandardSheetWritesTheHypsFolderSilently) {
  TempDir dir;
  WriteParams(dir / "params.txt", "CS=ГCK-2011;\nNom=N-37-XIV;\nPath=out;\nMapScale=200;\n");
  const ProcessResult r = RunMapbasis({"params.txt"}, dir.path());
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(FilesIn(dir / "out"), (std::vector<std::string>{"FRAME", "HYPS", "mapbasis.qgs"}));
  EXPECT_EQ(
      FilesIn(dir / "out/HYPS"),
      (std::vector<std::string>{"HypsA.PRJ", "HypsA.dbf", "HypsA.qml", "HypsA.shp", "HypsA.shx",
                                "HypsL.PRJ", "HypsL.dbf", "HypsL.qml", "HypsL.shp", "HypsL.shx",
                                "HypsP.PRJ", "HypsP.dbf", "HypsP.qml", "HypsP.shp", "HypsP.shx"}));
  const auto lines = testing::ReadLayerFiles(dir / "out/HYPS/HypsL");
  EXPECT_EQ(lines.records.size(), 7u);
}

TEST(BatchRun, ARunReplacesTheLayersOfTheLastOne) {
  TempDir dir;
  WriteParams(dir / "p.txt", "Nom=N-37;\nPath=out;\n");
  ASSERT_EQ(RunMapbasis({"p.txt"}, dir.path()).exitStatus, 0);
  std::ofstream(dir / "out/HYPS/HYPSP.SHP.XML") << "stale";
  std::ofstream(dir / "out/HYPS/keep.txt") << "mine";
  WriteParams(dir / "p.txt", "Nom=N-37-XIV;\nPath=out;\n");
  ASSERT_EQ(RunMapbasis({"p.txt"}, dir.path()).exitStatus, 0);
  EXPECT_FALSE(fs::exists(dir / "out/HYPS/HYPSP.SHP.XML"));
  EXPECT_TRUE(fs::exists(dir / "out/HYPS/keep.txt"));
  EXPECT_EQ(testing::ReadLayerFiles(dir / "out/HYPS/HypsP").records.size(), 81u);
}

TEST(BatchRun, PathsWithBlanksQuotesAndCyrillicLetters) {
  TempDir dir;
  const std::string folder = "Мои карты/\"лист\" & $(rm -rf x) | 'N-37'";
  fs::create_directories(dir / "папка с параметрами");
  WriteParams(dir / "папка с параметрами/параметры N-37-XIV.txt",
              "CS=CK-95; Nom=N-37-XIV; Path=" + folder + ";\n");
  const ProcessResult r = RunMapbasis({"папка с параметрами/параметры N-37-XIV.txt"}, dir.path());
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_TRUE(fs::exists(dir / (folder + "/HYPS/HypsA.shp")));
  EXPECT_TRUE(fs::is_directory(dir / (folder + "/FRAME")));

  // A parameter-file path of 260 characters, the most a path holds, is read (one more is
  // refused: FailuresBeforeGenerationEndWithEight); its Cyrillic letters count one each.
  const std::string longest = std::string(100, 'a') + "/" +
                              Cp1251ToUtf8(Cp1251("длинная папка").str()) + std::string(140, 'b') +
                              "/p.txt";
  ASSERT_EQ(Cp1251ToUtf8(*Utf8ToCp1251(longest)).size(), longest.size());
  ASSERT_EQ(Utf8ToCp1251(longest)->size(), 260u);
  fs::create_directories(dir /
                         fs::path(std::u8string(longest.begin(), longest.end())).parent_path());
  WriteParams(dir / fs::path(std::u8string(longest.begin(), longest.end())), "Nom=N-37;Path=long;");
  const ProcessResult read = RunMapbasis({longest}, dir.path());
  EXPECT_EQ(read.exitStatus, 0) << read.err;
}

TEST(BatchRun, FailuresBeforeGenerationEndWithEight) {
  TempDir dir;
  WriteParams(dir / "params.txt", "CS=CK-42;\nMapScal=200;\nNom=N-37;\nPath=out;\n");
  std::ofstream(dir / "second.txt") << "not read";

  struct Case {
    const char* what;
    std::vector<std::string> args;
    const char* says;
  } const cases[] = {
      {"no such file", {"/no/such/file"}, "/no/such/file: no such file"},
      {"a rejected item names file and line", {"params.txt"}, "params.txt:2: unknown key"},
      {"a folder is not a parameter file", {"."}, ".: "},
      {"an over-long path is refused, not cut", {std::string(261, 'a')}, "longer than 260"},
      // The system's own reason when the file cannot be reached.
      {"a path through a file", {"params.txt/p.txt"}, "params.txt/p.txt: Not a directory"},
      {"a name longer than a name may be", {std::string(256, 'n')}, ": File name too long"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ProcessResult r = RunMapbasis(c.args, dir.path());
    EXPECT_EQ(r.exitStatus, 8);
    EXPECT_EQ(Lines(r.err), 1u) << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
    // Nothing was created: no result folder, no sub-folder.
    EXPECT_EQ(FilesIn(dir.path()), (std::vector<std::string>{"params.txt", "second.txt"}));
  }
}

// Several parameter files: each makes its sheet, a bad one fails alone with its own line, and
// the run ends with the highest status.
TEST(BatchRun, SeveralFilesEachMakeTheirSheet) {
  TempDir dir;
  WriteParams(dir.path() / "a.txt", "Nom=N-37-XIV;Path=sheet-a;");
  WriteParams(dir.path() / "bad.txt", "Nom=N-37-XIV;Path=sheet-bad;MapScal=200;");
  WriteParams(dir.path() / "dense.txt", "Nom=N-37;Path=sheet-dense;MeridianStep=0 01;");
  WriteParams(dir.path() / "b.txt", "Nom=N-37;Path=sheet-b;");
  const struct {
    std::vector<std::string> files;
    int status;
    std::vector<std::string> made;
    std::size_t lines;
  } cases[] = {
      {{"a.txt", "b.txt"}, 0, {"sheet-a", "sheet-b"}, 0},
      {{"a.txt", "bad.txt", "b.txt"}, 8, {"sheet-a", "sheet-b"}, 1},
      {{"dense.txt", "a.txt", "bad.txt"}, 16, {"sheet-a"}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.files.front() + " ...");
    for (const char* folder : {"sheet-a", "sheet-b", "sheet-bad", "sheet-dense"})
      fs::remove_all(dir.path() / folder);
    const ProcessResult r = RunMapbasis(c.files, dir.path());
    EXPECT_EQ(r.exitStatus, c.status);
    EXPECT_EQ(Lines(r.err), c.lines) << r.err;
    for (const char* folder : {"sheet-a", "sheet-b", "sheet-bad", "sheet-dense"}) {
      const bool made = std::find(c.made.begin(), c.made.end(), folder) != c.made.end();
      EXPECT_EQ(fs::exists(dir.path() / folder / "FRAME" / "Frame.shp"), made) << folder;
    }
  }
  // Each line names its own file.
  const ProcessResult r = RunMapbasis({"bad.txt", "dense.txt"}, dir.path());
  EXPECT_EQ(r.err.rfind("mapbasis: bad.txt:1: unknown key", 0), 0u) << r.err;
  EXPECT_NE(r.err.find("\nmapbasis: dense.txt: "), std::string::npos) << r.err;
}

TEST(BatchRun, GenerationFailureEndsWithSixteenBeforeAnyLayer) {
  TempDir dir;
  // A refined trapezoid with 1' meridians over nearly three degrees: more than 100 meridians.
  WriteParams(dir / "p.txt",
              "Nom=N-37-XIV; Path=out; xFrom=36 01; xTo=38 59; MeridianStep=0 01;\n");
  const ProcessResult r = RunMapbasis({"p.txt"}, dir.path());
  EXPECT_EQ(r.exitStatus, 16);
  EXPECT_EQ(Lines(r.err), 1u) << r.err;
  EXPECT_EQ(r.err.rfind("mapbasis: p.txt: ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find("meridians"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(dir / "out"));  // refused before anything was made
}

TEST(BatchRun, EverySampleSheetIsGenerated) {
  int samples = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(testing::SourceDir()) / "examples")) {
    SCOPED_TRACE(entry.path().filename().string());
    ++samples;
    TempDir dir;
    const ProcessResult r = RunMapbasis({entry.path().string()}, dir.path());
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(r.err, "");
  }
  EXPECT_GE(samples, 5) << "the sample parameter files are missing";
}

// Whatever ends the run, it ends with its status: a stderr that cannot be written changes nothing.
TEST(BatchRun, AClosedStderrDoesNotChangeTheStatus) {
  TempDir dir;
  WriteParams(dir / "bad.txt", "Nom=N-37-XIV;Path=out;MapScal=200;");
  ProcessOptions options{dir.path().string()};
  options.closedStderr = true;
  EXPECT_EQ(RunProcess({MapbasisExe(), "bad.txt"}, options).exitStatus, 8);
}

TEST(BatchRun, ParameterFilesThatAreNoFilesAreRefusedAtOnce) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  for (const std::string& file : {(dir / "fifo").string(), std::string("/dev/zero")}) {
    SCOPED_TRACE(file);
    // A run that waits for a writer, or reads on and on, is killed at the deadline and fails.
    const ProcessResult r = RunMapbasis({file}, dir.path());
    EXPECT_EQ(r.exitStatus, 8);
    EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace mapbasis
