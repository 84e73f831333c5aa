#include "publish/folder_plan.h"

#include <algorithm>
#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "platform/file_system.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace mapbasis {
namespace {

using testing::TempDir;

void Touch(const fs::path& file) { std::ofstream(file) << "x"; }

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
  return names;
}

// The result folder as the parameter reader leaves it: cp1251, ending with the separator.
std::string ResultFolder(const fs::path& folder) {
  return *Cp1251FromPath(folder) + platform::kPathSeparator;
}

ResultFolders FoldersOf(const fs::path& folder) { return ResultFoldersOf(ResultFolder(folder)); }

constexpr std::string_view kProject = "mapbasis.qgs";

TEST(OutputFolders, MissingSubFoldersAreMadeAndTakenBack) {
  platform::NativeFileSystem system;
  TempDir dir;
  const fs::path result = dir / "Листы и 'карты' & $(x) | y";
  fs::create_directory(result);
  OutputPlan plan;
  Outcome r;
  ASSERT_EQ((r = PlanOutputFolders(system, FoldersOf(result), kProject, plan)).fault, Fault{})
      << r.reason;
  EXPECT_TRUE(fs::is_empty(result));  // a plan touches nothing
  {
    MadeFolders made(system);
    ASSERT_EQ((r = MakeOutputFolders(system, plan, made)).fault, Fault{}) << r.reason;
    EXPECT_EQ(Names(result), (std::set<std::string>{"FRAME", "HYPS"}));
    EXPECT_EQ(made.Folders().size(), 2u);
  }  // a run that ends without its sheet takes them away
  EXPECT_TRUE(fs::is_empty(result));
}

// The old layers' shapefile families, in any letter case, the old project and what stopped runs
// left are found; nothing else, and nothing is touched until the replacement removes them.
TEST(OutputFolders, OldLayerFamiliesAndLeftoversAreFound) {
  platform::NativeFileSystem system;
  TempDir dir;
  const fs::path hyps = dir / "HYPS";
  const fs::path frame = dir / "FRAME";
  fs::create_directories(hyps);
  fs::create_directories(frame);
  for (const char* f :
       {"HypsL.shp", "HypsL.shx", "HypsL.dbf", "HypsL.PRJ", "hypsl.cpg", "HYPSL.shp.xml",
        "HypsL.sbn", "HypsL.sbx", "HypsL.QIX", "HypsL.qpj", "HypsL.fbn", "HypsL.fbx", "HypsL.ain",
        "HypsL.aih", "HypsL.atx", "HypsL.ixs", "HypsL.mxs"}) {
    Touch(hyps / f);
  }
  // Companions left without their shape file go too, and so does what stopped runs left for a
  // layer's files. Everything else stays, even when it is named like a layer.
  for (const char* f :
       {"HypsA.dbf", "HypsA.qml", ".mapbasis-HypsP.shp.tmp", ".mapbasis-HypsA.dbf.3.old",
        ".mapbasis-HypsP.shp", ".mapbasis-x.tmp", "HypsL2.shp", "HypsLines.shp", "notes.txt",
        "xHypsL.shp", "HypsL", "HypsL.zip", "HypsL.shp.bak", "HypsL.txt"}) {
    Touch(hyps / f);
  }
  fs::create_directory(hyps / "HypsP.d");
  fs::create_directory(hyps / ".mapbasis-HypsP.dbf.tmp");  // a folder is never ours
  for (const char* f : {"FrameDig.SHP", "FrameDig.dbf", "Frame.dbf", "FRAMEADJ.shp", "frameadj.shx",
                        ".mapbasis-FrameAdj.dbf.old"}) {
    Touch(frame / f);
  }
  for (const char* f : {"MAPBASIS.qgs", ".mapbasis-mapbasis.qgs.tmp", "mapbasis.qgs.bak"}) {
    Touch(dir / f);
  }
  const auto before = Names(hyps);
  OutputPlan plan;
  Outcome r;
  ASSERT_EQ((r = PlanOutputFolders(system, FoldersOf(dir.path()), kProject, plan)).fault, Fault{})
      << r.reason;
  EXPECT_TRUE(plan.oldLayers);
  EXPECT_TRUE(plan.foldersToMake.empty());
  EXPECT_EQ(Names(hyps), before);
  // A set's shape files come first: no reader sees half an old layer.
  const auto isKey = [](const fs::path& file) {
    const std::string name = file.filename().string();
    return name.ends_with(".shp") || name.ends_with(".SHP");
  };
  for (const auto& set : plan.old.sets) {
    ASSERT_FALSE(set.empty());
    if (std::any_of(set.begin(), set.end(), isKey)) {
      EXPECT_TRUE(isKey(set.front())) << set.front();
    }
  }
  ASSERT_EQ((r = ReplaceFiles(system, plan.old, {})).fault, Fault{}) << r.reason;
  EXPECT_EQ(Names(hyps), (std::set<std::string>{
                             "HypsL2.shp", "HypsLines.shp", "HypsP.d", ".mapbasis-HypsP.dbf.tmp",
                             ".mapbasis-HypsP.shp", ".mapbasis-x.tmp", "notes.txt", "xHypsL.shp",
                             "HypsL", "HypsL.zip", "HypsL.shp.bak", "HypsL.txt"}));
  EXPECT_EQ(Names(frame), (std::set<std::string>{}));
  EXPECT_EQ(Names(dir.path()), (std::set<std::string>{"FRAME", "HYPS", "mapbasis.qgs.bak"}));
}

// Everything is checked before anything is touched: a folder standing where a file goes refuses
// the run with every folder as it was (the end-to-end tests plant the other faults).
TEST(OutputFolders, ARefusalLeavesEveryFolderAsItWas) {
  platform::NativeFileSystem system;
  const struct {
    const char* planted;  // a folder
    FolderFault fault;
  } cases[] = {
      {"FRAME/FrameDig.dbf", FolderFault::kFrameFolder},
      {"FRAME/FRAMEADJ.PRJ", FolderFault::kFrameFolder},
      {"HYPS/HypsP.qml", FolderFault::kHypsFolder},
      {"mapbasis.qgs", FolderFault::kResultFile},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.planted);
    TempDir dir;
    fs::create_directories(dir / "HYPS");
    fs::create_directories(dir / "FRAME");
    for (const char* f : {"HypsL.shp", "HypsL.shx", "HypsL.dbf", "HypsL.PRJ", ".mapbasis-x"}) {
      Touch(dir / "HYPS" / f);
    }
    fs::create_directories(dir / c.planted);
    const auto hypsBefore = Names(dir / "HYPS");
    OutputPlan plan;
    const Outcome r = PlanOutputFolders(system, FoldersOf(dir.path()), kProject, plan);
    EXPECT_EQ(r.fault, c.fault) << r.reason;
    EXPECT_TRUE(r.reason.find("a folder stands where a layer file goes") != std::string::npos ||
                r.reason.find("is a folder, not a file the run writes") != std::string::npos)
        << r.reason;
    EXPECT_EQ(Names(dir / "HYPS"), hypsBefore);
  }
}

TEST(OutputFolders, FailuresAreReportedWithTheirStatus) {
  platform::NativeFileSystem system;
  TempDir dir;
  Outcome r;
  OutputPlan plan;
  // A missing result folder: nothing is created.
  EXPECT_EQ((r = PlanOutputFolders(system, FoldersOf(dir / "missing"), kProject, plan)).fault,
            FolderFault::kResultFolderMissing);
  EXPECT_FALSE(fs::exists(dir / "missing"));
  EXPECT_NE(r.reason.find("does not exist"), std::string::npos);

  // A file where the HYPS folder should be.
  fs::create_directory(dir / "a");
  Touch(dir / "a" / "HYPS");
  EXPECT_EQ((r = PlanOutputFolders(system, FoldersOf(dir / "a"), kProject, plan)).fault,
            FolderFault::kHypsFolder);

  // A file where the FRAME folder should be.
  fs::create_directory(dir / "b");
  Touch(dir / "b" / "FRAME");
  EXPECT_EQ((r = PlanOutputFolders(system, FoldersOf(dir / "b"), kProject, plan)).fault,
            FolderFault::kFrameFolder);

  // A result folder whose HYPS path would pass 260 characters is not cut short.
  std::string longName(250 - ResultFolder(dir.path()).size() + 8, 'x');
  const fs::path deep = dir / longName;
  fs::create_directory(deep);
  const std::string R = ResultFolder(deep);
  ASSERT_GT(R.size() + 4, 260u);
  EXPECT_EQ((r = PlanOutputFolders(system, ResultFoldersOf(R), kProject, plan)).fault,
            FolderFault::kHypsFolder);
  EXPECT_TRUE(fs::is_empty(deep));
}

}  // namespace
}  // namespace mapbasis
