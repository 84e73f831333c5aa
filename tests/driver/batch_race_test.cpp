// A batch run over an earlier sheet when something beside it changes the folder after every check
// has passed: an old file that can no longer be moved aside, or a file that comes to stand where
// a new one goes. The run is refused as the checks would have refused it, with 8, one line and
// the folder as it was (the planted file aside).
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <system_error>

#include <gtest/gtest.h>

#include "driver/program.h"
#include "support/failing_file_system.h"
#include "support/temp_dir.h"

namespace mapbasis {
namespace {

namespace fs = std::filesystem;
using testing::FailingFileSystem;
using testing::TempDir;

std::map<std::string, std::string> TreeOf(const fs::path& root) {
  std::map<std::string, std::string> tree;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    std::string bytes = "<folder>";
    if (!entry.is_directory()) {
      std::ifstream in(entry.path(), std::ios::binary);
      bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    tree[entry.path().lexically_relative(root).generic_string()] = bytes;
  }
  return tree;
}

TEST(BatchRace, AnOldFileThatCannotBeMovedAsideMeanwhileRefusesTheRun) {
  const struct {
    const char* what;
    const char* call;  // the call about the file
    const char* file;  // below the result folder
    bool planted;      // a file made there just before the call; else the call fails
    const char* says;
  } cases[] = {
      {"an old companion that can no longer be moved", "rename", "HYPS/HypsL.dbf", false,
       "cannot move or delete the old file"},
      {"a file where a new companion goes", "create", "FRAME/FrameAdj.dbf", true, "appeared"},
      {"a file where a new .shp goes", "rename", "FRAME/FrameAdj.shp", true, "appeared"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const std::string params = (dir / "p.txt").string();
    const auto run = [&](const std::string& items, platform::FileSystem& system) {
      std::ofstream(params) << items << "Path=" << (dir / "out").string() << ";";
      std::ostringstream said;
      const int status = RunBatch(params, said, system);
      return std::pair(status, said.str());
    };
    // The earlier sheet at 1:500 000 has no FrameAdj; the new one, at 1:200 000, has.
    platform::NativeFileSystem native;
    ASSERT_EQ(run("Nom=N-37-XIV;MapScale=500;CS=CK-95;", native).first, 0);
    const fs::path file = dir / "out" / c.file;
    FailingFileSystem system;
    bool met = false;
    system.before = [&](const FailingFileSystem::Call& call) -> std::error_code {
      const fs::path* about = call.what == "rename" && !c.planted ? call.from : call.path;
      if (met || call.what != c.call || about == nullptr || *about != file) return {};
      met = true;
      if (!c.planted) return std::make_error_code(std::errc::operation_not_permitted);
      std::ofstream(file) << "another program's";
      return {};
    };
    auto before = TreeOf(dir / "out");
    const auto [status, said] = run("Nom=N-37-XIV;CS=ГCK-2011;", system);
    ASSERT_TRUE(met);
    EXPECT_EQ(status, 8) << said;
    EXPECT_NE(said.find(c.says), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
    if (c.planted) before[std::string(c.file)] = "another program's";
    EXPECT_EQ(TreeOf(dir / "out"), before);
  }
}

}  // namespace
}  // namespace mapbasis
