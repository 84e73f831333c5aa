// The FRAME folder written by the program for every series and map scale: which layers exist,
// their records in order, and spot values.
#include <cmath>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "support/layer_reader.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace mapbasis {
namespace {

using testing::ReadLayer;
using testing::ReadLayerFiles;
using testing::TempDir;

// The codes of a layer's records, as runs: {code, how many} in order.
std::vector<std::pair<std::string, std::size_t>> CodeRuns(const ReadLayer& layer) {
  std::vector<std::pair<std::string, std::size_t>> runs;
  for (std::size_t i = 0; i < layer.records.size(); ++i) {
    const std::string code = layer.Value(i, "L_code");
    if (runs.empty() || runs.back().first != code) runs.emplace_back(code, 0);
    ++runs.back().second;
  }
  return runs;
}

// Degrees of latitude in d mm at scale S (with the full pi).
double LatMm(double d, double S) { return d / 1e6 * S / (6371.032 * M_PI) * 180; }

TEST(FrameBatch, EverySeriesAndScale) {
  // N-37-XIV (1:200 000 series): 37°..38°, 54°00'..54°40', 5 parallels and 5 meridians with the
  // edges, 1' divisions. N-37 (1:1 000 000 series): 36°..42°, 52°..56°, 7 and 7, 10' divisions.
  // Minute band of N-37-XIV: 2 outlines + north and south 61 ticks and 30 fills each + west and
  // east 41 ticks and 20 fills each = 306. Of N-37: 2 + 2 * (37 + 18) + 2 * (25 + 12) = 186.
  using Runs = std::vector<std::pair<std::string, std::size_t>>;
  struct Case {
    const char* nom;
    const char* scale;
    Runs frame;
    std::size_t adjacent;  // 0: no FrameAdj layer
    Runs dig;
    const char* font;
    const char* size;
  } const cases[] = {
      {"N-37-XIV",
       "200",
       {{"400901", 306}, {"400902", 4}, {"400905", 10}, {"400904", 10}},
       4,
       {{"400912", 30}},
       "FreeSet",
       "6.50"},
      {"N-37-XIV", "500", {{"400922", 1}}, 0, {{"400913", 30}}, "FreeSet", "5.00"},
      {"N-37-XIV", "1000", {}, 0, {}, "", ""},
      {"N-37",
       "1000",
       {{"400901", 186}, {"400903", 2}, {"400902", 1}},
       0,
       {{"400912", 42}},
       "AGCenturion",
       "8.00"},
      {"N-37", "2500", {{"400922", 1}}, 0, {{"400913", 42}}, "AGCenturion", "5.50"},
      {"N-37", "5000", {}, 0, {}, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.nom) + " at " + c.scale);
    TempDir dir;
    std::ofstream(dir / "p.txt") << "CS=CK-95; Nom=" << c.nom << "; Path=out; MapScale=" << c.scale
                                 << ";\n";
    const auto r = testing::RunProcess({testing::MapbasisExe(), "p.txt"}, dir.path().string());
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    const fs::path folder = dir / "out/FRAME";
    if (c.frame.empty()) {
      EXPECT_TRUE(fs::is_empty(folder));
      continue;
    }
    const ReadLayer frame = ReadLayerFiles(folder / "Frame");
    EXPECT_EQ(CodeRuns(frame), c.frame);
    EXPECT_EQ(frame.prj.substr(0, 26), "GEOGCS[\"GCS_Pulkovo_1965\",");
    EXPECT_EQ(fs::exists(folder / "FrameAdj.shp"), c.adjacent != 0);
    const ReadLayer dig = ReadLayerFiles(folder / "FrameDig");
    EXPECT_EQ(CodeRuns(dig), c.dig);
    EXPECT_EQ(dig.Value(0, "Font"), c.font);
    EXPECT_EQ(dig.Value(dig.records.size() - 1, "Size"), c.size);
    EXPECT_EQ(dig.fieldNames, (std::vector<std::string>{"Id", "L_code", "Text", "Font", "Size"}));

    if (c.adjacent != 0) {
      const ReadLayer adj = ReadLayerFiles(folder / "FrameAdj");
      ASSERT_EQ(adj.records.size(), c.adjacent);
      const char* names[] = {"N-37-VIII", "N-37-XX", "N-37-XIII", "N-37-XV"};
      for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(adj.Value(i, "Text"), names[i]);
        EXPECT_EQ(adj.Value(i, "Font"), "PragmaticaC");
        EXPECT_EQ(adj.Value(i, "Size"), "6.50");
      }
      // Extensions of the first parallel, west then east, reach the band 7 mm out.
      const auto& west = frame.shapes[310];
      EXPECT_EQ(west.x.front(), 37.0);
      EXPECT_NEAR(37.0 - west.x.back(), LatMm(7.0, 2e5) / std::cos(54.0 * M_PI / 180), 1e-9);
      EXPECT_EQ(Cp1251ToUtf8(dig.Value(20, "Text")), "37° 00'");
    }
    if (std::string(c.nom) == "N-37" && std::string(c.scale) == "1000") {
      // After the band, the outlines at 7.4, 9.6 and 8.5 mm (1 mm is 1 km).
      const double offsets[] = {8.5 - 1.100000023841858, 8.5 + 1.100000023841858, 8.5};
      for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(frame.shapes[186 + i].y.front(), 56.0 + LatMm(offsets[i], 1e6), 1e-8);
      }
      // The inner boundary of the band is the sheet edge; the labels stand 2.0 mm out.
      EXPECT_EQ(frame.shapes[0].y.front(), 56.0);
      EXPECT_EQ(Cp1251ToUtf8(dig.Value(2, "Text")), "52°");
      const auto& east = dig.shapes[2];
      EXPECT_NEAR(east.x.front(), 42.0 + LatMm(2.0, 1e6) / std::cos(east.y[0] * M_PI / 180), 1e-9);
    }
  }
}

TEST(FrameBatch, ASouthEdgeAtThePoleIsRefusedBeforeAnyLayer) {
  // Its frame would stretch round the pole; the trapezoid is refused before anything is made.
  TempDir dir;
  std::ofstream(dir / "p.txt") << "Nom=N-37-XIV; Path=out; yFrom=90;\n";
  const auto r = testing::RunProcess({testing::MapbasisExe(), "p.txt"}, dir.path().string());
  EXPECT_EQ(r.exitStatus, 8);
  EXPECT_NE(r.err.find("is not north of yFrom"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(dir / "out"));
}

}  // namespace
}  // namespace mapbasis
