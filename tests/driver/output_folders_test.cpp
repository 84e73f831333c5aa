#include "driver/output_folders.h"

#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "core/cp1251.h"
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

TEST(OutputFolders, BothSubFoldersAreCreatedInAnEmptyResultFolder) {
  TempDir dir;
  const fs::path result = dir / "Листы и 'карты' & $(x) | y";
  fs::create_directory(result);
  Outcome r;
  ASSERT_EQ((r = PrepareOutputFolders(FoldersOf(result))).fault, Fault{}) << r.reason;
  EXPECT_EQ(Names(result), (std::set<std::string>{"FRAME", "HYPS"}));
  EXPECT_TRUE(fs::is_directory(result / "HYPS"));
  EXPECT_TRUE(fs::is_directory(result / "FRAME"));
}

TEST(OutputFolders, OldLayerFamiliesAndStaleTemporariesAreDeleted) {
  TempDir dir;
  const fs::path hyps = dir / "HYPS";
  const fs::path frame = dir / "FRAME";
  fs::create_directories(hyps);
  fs::create_directories(frame);
  // An old HypsL layer, in mixed case as the program writes it and in other cases.
  for (const char* f :
       {"HypsL.shp", "HypsL.shx", "HypsL.dbf", "HypsL.PRJ", "hypsl.cpg", "HYPSL.shp.xml",
        "HypsL.sbn", "HypsL.sbx", "HypsL.QIX", "HypsL.qpj", "HypsL.fbn", "HypsL.fbx", "HypsL.ain",
        "HypsL.aih", "HypsL.atx", "HypsL.ixs", "HypsL.mxs"}) {
    Touch(hyps / f);
  }
  // Companions left without their shape file by a run that was stopped go too, and so do the
  // temporaries of such a run. Everything not of a layer's shapefile family stays, even when it is
  // named like the layer.
  for (const char* f :
       {"HypsA.dbf", "HypsA.qml", ".mapbasis-HypsP.shp", "HypsL2.shp", "HypsLines.shp", "notes.txt",
        "xHypsL.shp", "HypsL", "HypsL.zip", "HypsL.shp.bak", "HypsL.txt"}) {
    Touch(hyps / f);
  }
  fs::create_directory(hyps / "HypsP.d");
  for (const char* f : {"FrameDig.SHP", "FrameDig.dbf", "Frame.dbf", "FRAMEADJ.shp", "frameadj.shx",
                        ".mapbasis-FrameAdj.dbf"}) {
    Touch(frame / f);
  }
  Outcome r;
  ASSERT_EQ((r = PrepareOutputFolders(FoldersOf(dir.path()))).fault, Fault{});
  EXPECT_EQ(Names(hyps), (std::set<std::string>{"HypsL2.shp", "HypsLines.shp", "HypsP.d",
                                                "notes.txt", "xHypsL.shp", "HypsL", "HypsL.zip",
                                                "HypsL.shp.bak", "HypsL.txt"}));
  EXPECT_EQ(Names(frame), (std::set<std::string>{}));
}

// In a rewrite the old shape file goes and the companions that the new layer replaces by name stay
// until it does; a layer that is not written again loses them at the end of the run.
TEST(OutputFolders, CompanionsReplacedByNameStayUntilTheEndOfTheRun) {
  TempDir dir;
  fs::create_directories(dir / "HYPS");
  fs::create_directories(dir / "FRAME");
  for (const char* f : {"HypsA.shp", "HypsA.shx", "HypsA.dbf", "HypsA.PRJ", "HypsA.prj"}) {
    Touch(dir / "HYPS" / f);
  }
  for (const char* f : {"FrameAdj.dbf", "FrameAdj.shx"}) Touch(dir / "FRAME" / f);
  OldLayers old;
  const Outcome r = PrepareOutputFolders(FoldersOf(dir.path()), &old);
  ASSERT_TRUE(r.ok()) << r.reason;
  EXPECT_EQ(Names(dir / "HYPS"), (std::set<std::string>{"HypsA.shx", "HypsA.dbf", "HypsA.PRJ"}));
  EXPECT_EQ(Names(dir / "FRAME"), (std::set<std::string>{"FrameAdj.dbf", "FrameAdj.shx"}));
  ASSERT_EQ(old.kept.size(), 2u);

  Touch(dir / "HYPS" / "HypsA.shp");  // HypsA is written again, FrameAdj is not
  RemoveUnreplacedCompanions(old);
  EXPECT_EQ(Names(dir / "HYPS"),
            (std::set<std::string>{"HypsA.shp", "HypsA.shx", "HypsA.dbf", "HypsA.PRJ"}));
  EXPECT_TRUE(fs::is_empty(dir / "FRAME"));
}

// Everything is checked before anything is touched: a folder standing where a layer file goes
// refuses the run with both folders as they were (the end-to-end tests plant the other faults).
TEST(OutputFolders, ARefusalLeavesBothFoldersAsTheyWere) {
  // Folders named as a layer file or its temporary; the check ignores case.
  for (const char* planted : {"FrameDig.dbf", ".mapbasis-Frame.shp.tmp", "FRAMEADJ.PRJ"}) {
    SCOPED_TRACE(planted);
    TempDir dir;
    fs::create_directories(dir / "HYPS");
    for (const char* f : {"HypsL.shp", "HypsL.shx", "HypsL.dbf", "HypsL.PRJ", ".mapbasis-x"}) {
      Touch(dir / "HYPS" / f);
    }
    fs::create_directories(dir / "FRAME" / planted);
    const auto hypsBefore = Names(dir / "HYPS");
    const Outcome r = PrepareOutputFolders(FoldersOf(dir.path()));
    EXPECT_EQ(r.fault, FolderFault::kFrameFolder) << r.reason;
    EXPECT_NE(r.reason.find("a folder stands where a layer file goes"), std::string::npos)
        << r.reason;
    EXPECT_EQ(Names(dir / "HYPS"), hypsBefore);
    EXPECT_EQ(Names(dir / "FRAME"), (std::set<std::string>{planted}));
  }
}

TEST(OutputFolders, FailuresAreReportedWithTheirStatus) {
  TempDir dir;
  Outcome r;
  // A missing result folder: nothing is created.
  EXPECT_EQ((r = PrepareOutputFolders(FoldersOf(dir / "missing"))).fault,
            FolderFault::kResultFolderMissing);
  EXPECT_FALSE(fs::exists(dir / "missing"));
  EXPECT_NE(r.reason.find("does not exist"), std::string::npos);

  // A file where the HYPS folder should be.
  fs::create_directory(dir / "a");
  Touch(dir / "a" / "HYPS");
  EXPECT_EQ((r = PrepareOutputFolders(FoldersOf(dir / "a"))).fault, FolderFault::kHypsFolder);

  // A file where the FRAME folder should be.
  fs::create_directory(dir / "b");
  Touch(dir / "b" / "FRAME");
  EXPECT_EQ((r = PrepareOutputFolders(FoldersOf(dir / "b"))).fault, FolderFault::kFrameFolder);
  EXPECT_FALSE(fs::exists(dir / "b" / "HYPS"));  // a refusal makes nothing

  // A result folder whose HYPS path would pass 260 characters is not cut short.
  std::string longName(250 - ResultFolder(dir.path()).size() + 8, 'x');
  const fs::path deep = dir / longName;
  fs::create_directory(deep);
  const std::string R = ResultFolder(deep);
  ASSERT_GT(R.size() + 4, 260u);
  EXPECT_EQ((r = PrepareOutputFolders(ResultFoldersOf(R))).fault, FolderFault::kHypsFolder);
  EXPECT_TRUE(fs::is_empty(deep));
}

}  // namespace
}  // namespace mapbasis
