// The QGIS files of a result folder across runs: styles beside the layers and the one project,
// replaced, removed and protected as the layers are.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

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

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Write(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

ProcessResult RunSheet(const TempDir& dir, const std::string& params,
                       long long fileSizeLimit = -1) {
  Write(dir / "p.txt", params);
  return RunProcess({MapbasisExe(), "p.txt"}, ProcessOptions{dir.path().string(), fileSizeLimit});
}

TEST(QgisFiles, ALaterRunLeavesOnlyItsOwnStylesAndProject) {
  TempDir dir;
  ASSERT_EQ(RunSheet(dir, "Nom=N-37-XIV;MapScale=200;Path=out;").exitStatus, 0);
  for (const char* style : {"FRAME/Frame.qml", "FRAME/FrameAdj.qml", "HYPS/HypsA.qml"}) {
    ASSERT_TRUE(fs::is_regular_file(dir / "out" / style)) << style;
    Write(dir / "out" / style, "edited in place");
  }
  Write(dir / "out/FRAME/mine.qml", "mine");

  // The same folder at 1:500 000: FrameAdj is no longer written, its style goes with it.
  ASSERT_EQ(RunSheet(dir, "CS=CK-95;Nom=N-37-XV;MapScale=500;Path=out;").exitStatus, 0);
  EXPECT_FALSE(fs::exists(dir / "out/FRAME/FrameAdj.shp"));
  EXPECT_FALSE(fs::exists(dir / "out/FRAME/FrameAdj.qml"));
  EXPECT_EQ(Read(dir / "out/FRAME/mine.qml"), "mine");
  // The new sheet's Frame style: at 1:500 000 the band has no width.
  EXPECT_NE(Read(dir / "out/FRAME/Frame.qml").find("<Option type=\"QString\" value=\"0\"/>"),
            std::string::npos);
  EXPECT_NE(Read(dir / "out/HYPS/HypsA.qml"), "edited in place");
  const std::string second = Read(dir / "out/mapbasis.qgs");
  EXPECT_EQ(second.find("FrameAdj"), std::string::npos);
  EXPECT_NE(second.find("N-37-XV"), std::string::npos);
}

// A run that fails leaves the old sheet, its project with it, as it was.
TEST(QgisFiles, AFailedRunLeavesTheOldProject) {
  TempDir dir;
  ASSERT_EQ(RunSheet(dir, "Nom=N-37-XIV;Path=out;").exitStatus, 0);
  const std::string before = Read(dir / "out/mapbasis.qgs");
  EXPECT_EQ(RunSheet(dir, "Nom=N-37;Path=out;", 3000).exitStatus, 16);
  EXPECT_EQ(Read(dir / "out/mapbasis.qgs"), before);
}

TEST(QgisFiles, WhatStandsWhereTheProjectGoes) {
  TempDir dir;
  fs::create_directories(dir / "out");
  // A link is replaced as a link, never written through.
  Write(dir / "precious.txt", "precious");
  fs::create_symlink(dir / "precious.txt", dir / "out/mapbasis.qgs");
  ASSERT_EQ(RunSheet(dir, "Nom=N-37-XIV;Path=out;").exitStatus, 0);
  EXPECT_EQ(Read(dir / "precious.txt"), "precious");
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "out/mapbasis.qgs")));

  // A folder of that name is not ours to delete: the run is refused before any layer is touched.
  fs::remove(dir / "out/mapbasis.qgs");
  fs::create_directories(dir / "out/mapbasis.qgs/inside");
  const std::string layer = Read(dir / "out/HYPS/HypsA.shp");
  const ProcessResult r = RunSheet(dir, "Nom=N-37;Path=out;");
  EXPECT_EQ(r.exitStatus, 8);
  EXPECT_NE(r.err.find("is a folder"), std::string::npos) << r.err;
  EXPECT_TRUE(fs::exists(dir / "out/mapbasis.qgs/inside"));
  EXPECT_EQ(Read(dir / "out/HYPS/HypsA.shp"), layer);
}

}  // namespace
}  // namespace mapbasis
