// The HYPS layers written into a folder and read back with shapelib's readers.
#include <cmath>

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "graticule/graticule_lines.h"
#include "graticule/graticule_points_areas.h"
#include "support/layer_reader.h"
#include "support/on_disk.h"
#include "support/temp_dir.h"

namespace mapbasis {
namespace {

using testing::ReadLayerFiles;
using testing::TempDir;

constexpr double kH = 2.0 / 3.0;

// The graticule of a sheet with the default steps of its series.
GraticuleArgs SheetArgs(const TempDir& dir, double west, double east, double south, double north,
                        bool million) {
  GraticuleArgs a;
  a.CS = 3;
  a.MillionSeries = million ? 1 : 0;
  a.SheetName = "N-37-XIV";
  a.Folders.hyps = NamedPathOf(dir.path().string());
  a.BaseWest = west;
  a.BaseSouth = south;
  a.xFrom = west;
  a.xTo = east;
  a.yFrom = south;
  a.yTo = north;
  a.LonDensifyStep = 0.125;
  a.LatDensifyStep = 1.0 / 12.0;
  a.MeridianStep = million ? 1.0 : 0.25;
  a.ParallelStep = million ? kH : 1.0 / 6.0;
  return a;
}

std::string Utf8(const std::string& cp1251) { return Cp1251ToUtf8(cp1251); }

// A writer's layers, made in memory as a run makes them and then put on disk.
template <class Write>
Outcome OnDisk(const GraticuleArgs& args, Write write) {
  FileSets files;
  GraticuleArgs a = args;
  a.Destination = &files;
  if (Outcome written = write(a); !written.ok()) return written;
  return testing::PutOnDisk(files);
}

Outcome Layers(const GraticuleArgs& args, VertexWork& work, std::vector<double>& lats,
               std::vector<double>& lons) {
  return OnDisk(args,
                [&](const GraticuleArgs& a) { return WriteGraticuleLayers(a, work, lats, lons); });
}

Outcome Lines(const GraticuleArgs& args, VertexWork& work, std::vector<double>& lats,
              std::vector<double>& lons) {
  return OnDisk(args,
                [&](const GraticuleArgs& a) { return WriteGraticuleLines(a, work, lats, lons); });
}

Outcome AreaAndNodes(const GraticuleArgs& args, double sLon, double sLat, VertexWork& work) {
  return OnDisk(args,
                [&](const GraticuleArgs& a) { return WriteAreaAndNodes(a, sLon, sLat, work); });
}

TEST(GraticuleLayers, StandardSheetWritesAllThreeLayers) {
  TempDir dir;
  const double south = 56.0 - 2 * kH - kH;
  const double north = 56.0 - 2 * kH;
  GraticuleArgs a = SheetArgs(dir, 37.0, 38.0, south, north, false);
  VertexWork work;
  std::vector<double> lats, lons;
  Outcome r;
  ASSERT_EQ((r = Layers(a, work, lats, lons)).fault, Fault{}) << r.reason;

  // The trapezoid, named by the sheet.
  const auto area = ReadLayerFiles(dir.path() / "HypsA");
  ASSERT_TRUE(area.ok);
  EXPECT_EQ(area.shapeType, 5);
  ASSERT_EQ(area.shapes.size(), 1u);
  EXPECT_EQ(area.shapes[0].x.size(), 33u);
  EXPECT_EQ(area.shapes[0].x[0], 37.0);
  EXPECT_EQ(area.shapes[0].y[0], north);
  EXPECT_EQ(area.Value(0, "L_code"), "-1");
  EXPECT_EQ(area.Value(0, "Name"), "N-37-XIV");

  // Nodes every 7'30" x 5', edges included, rows south to north.
  const auto nodes = ReadLayerFiles(dir.path() / "HypsP");
  ASSERT_TRUE(nodes.ok);
  EXPECT_EQ(nodes.shapeType, 1);
  ASSERT_EQ(nodes.shapes.size(), 81u);
  ASSERT_EQ(nodes.records.size(), 81u);
  EXPECT_EQ(nodes.shapes[0].x[0], 37.0);
  EXPECT_EQ(nodes.shapes[0].y[0], south);
  EXPECT_EQ(nodes.shapes[8].x[0], 37.0 + 8 * 0.125);
  EXPECT_EQ(nodes.shapes[8].y[0], south);
  EXPECT_EQ(nodes.shapes[9].y[0], south + 1.0 / 12.0);
  EXPECT_EQ(nodes.shapes[80].y[0], south + 8 * (1.0 / 12.0));
  EXPECT_EQ(Utf8(nodes.Value(0, "Lat")), "54°00'00\"");
  EXPECT_EQ(Utf8(nodes.Value(0, "Lon")), "37°00'00\"");
  EXPECT_EQ(Utf8(nodes.Value(10, "Lat")), "54°05'00\"");
  EXPECT_EQ(Utf8(nodes.Value(10, "Lon")), "37°07'30\"");
  for (std::size_t i = 0; i < nodes.records.size(); ++i) {
    EXPECT_EQ(nodes.Value(i, "Id"), std::to_string(i + 1));
  }

  // Three parallels, three meridians, then the outline.
  const auto lines = ReadLayerFiles(dir.path() / "HypsL");
  ASSERT_TRUE(lines.ok);
  EXPECT_EQ(lines.shapeType, 3);
  ASSERT_EQ(lines.records.size(), 7u);
  const char* codes[] = {"400011", "400011", "400011", "400012", "400012", "400012", "400010"};
  for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(lines.Value(i, "L_code"), codes[i]);
  EXPECT_EQ(Utf8(lines.Value(0, "Text")), "Параллель");
  EXPECT_EQ(Utf8(lines.Value(0, "Grad")), "54°");
  EXPECT_EQ(lines.Value(0, "Min"), "10'");
  EXPECT_EQ(Utf8(lines.Value(0, "Indication")), "с.ш.");
  EXPECT_EQ(lines.Value(2, "Min"), "30'");
  EXPECT_EQ(Utf8(lines.Value(3, "Text")), "Меридиан");
  EXPECT_EQ(lines.Value(3, "Min"), "15'");
  EXPECT_EQ(Utf8(lines.Value(6, "Text")), "Рамка");
  EXPECT_EQ(lines.Value(6, "Grad"), "");
  // A parallel runs the full width, densified every 1/8 degree.
  ASSERT_EQ(lines.shapes[0].x.size(), 9u);
  EXPECT_EQ(lines.shapes[0].y[0], south + 1.0 / 6.0);
  EXPECT_EQ(lines.shapes[0].x[8], 38.0);
  // A meridian runs the full height, densified every 1/12 degree.
  ASSERT_EQ(lines.shapes[3].y.size(), 9u);
  EXPECT_EQ(lines.shapes[3].x[0], 37.25);
  EXPECT_EQ(lines.shapes[3].y[8], north);
  // The outline ends on its start.
  EXPECT_EQ(lines.shapes[6].x.size(), 33u);
  EXPECT_EQ(lines.shapes[6].parts, 1);

  ASSERT_EQ(lats.size(), 3u);
  ASSERT_EQ(lons.size(), 3u);
  EXPECT_EQ(lons[0], 37.25);
  EXPECT_EQ(lons[2], 37.25 + 2 * 0.25);

  // Every layer names ГСК-2011.
  for (const char* layer : {"HypsA", "HypsP", "HypsL"}) {
    EXPECT_EQ(ReadLayerFiles(dir.path() / layer).prj.substr(0, 25), "GEOGCS[\"GCS_RUSSIA_2011\",");
  }
}

TEST(GraticuleLayers, MillionSheetNodesAndTheArcticCircle) {
  TempDir dir;
  GraticuleArgs a = SheetArgs(dir, 36.0, 42.0, 64.0, 68.0, true);
  VertexWork work;
  std::vector<double> lats, lons;
  Outcome r;
  ASSERT_EQ((r = Layers(a, work, lats, lons)).fault, Fault{}) << r.reason;
  EXPECT_EQ(ReadLayerFiles(dir.path() / "HypsP").records.size(), 625u);

  const auto lines = ReadLayerFiles(dir.path() / "HypsL");
  // Five parallels, five meridians, the Arctic Circle after them, the outline last.
  ASSERT_EQ(lines.records.size(), 12u);
  EXPECT_EQ(lines.Value(10, "L_code"), "400013");
  EXPECT_EQ(lines.Value(10, "Min"), "33.64'");
  EXPECT_EQ(lines.shapes[10].y[0], kArcticCircle);
  EXPECT_EQ(lines.shapes[10].x.back(), 42.0);
  EXPECT_EQ(lines.Value(11, "L_code"), "400010");
  EXPECT_EQ(lines.shapes[11].x.size(), 193u);
  EXPECT_EQ(lats.size(), 5u);
  EXPECT_EQ(lons.size(), 5u);
}

TEST(GraticuleLayers, ArcticCircleNearAnEdgeIsNotDrawn) {
  for (const double edge : {kArcticCircle + 0.0009, kArcticCircle - 0.0009}) {
    TempDir dir;
    GraticuleArgs a = SheetArgs(dir, 36.0, 42.0, 64.0, 68.0, true);
    a.yTo = edge;
    VertexWork work;
    std::vector<double> lats, lons;
    Outcome r;
    ASSERT_EQ((r = Lines(a, work, lats, lons)).fault, Fault{}) << r.reason;
    const auto lines = ReadLayerFiles(dir.path() / "HypsL");
    for (std::size_t i = 0; i < lines.records.size(); ++i) {
      EXPECT_NE(lines.Value(i, "L_code"), "400013");
    }
  }
}

TEST(GraticuleLayers, ThinTrapezoidHasNoParallelsButTheRest) {
  TempDir dir;
  GraticuleArgs a = SheetArgs(dir, 37.0, 38.0, 54.01, 54.15, false);
  a.BaseSouth = 54.0;
  VertexWork work;
  std::vector<double> lats{1.0, 2.0}, lons;
  Outcome r;
  ASSERT_EQ((r = Lines(a, work, lats, lons)).fault, Fault{}) << r.reason;
  EXPECT_TRUE(lats.empty());  // reset once the layer is open
  EXPECT_EQ(lons.size(), 3u);
  const auto lines = ReadLayerFiles(dir.path() / "HypsL");
  ASSERT_EQ(lines.records.size(), 4u);
  EXPECT_EQ(lines.Value(0, "L_code"), "400012");
  EXPECT_EQ(lines.Value(3, "L_code"), "400010");

  // Only the nodes inside: one row, at 54°05'.
  ASSERT_EQ((r = AreaAndNodes(a, 0.125, 1.0 / 12.0, work)).fault, Fault{}) << r.reason;
  const auto nodes = ReadLayerFiles(dir.path() / "HypsP");
  ASSERT_EQ(nodes.records.size(), 9u);
  EXPECT_EQ(nodes.shapes[0].y[0], 54.0 + 1.0 / 12.0);
}

TEST(GraticuleLayers, NoLayerThatCannotBeNamed) {
  TempDir dir;
  GraticuleArgs a = SheetArgs(dir, 37.0, 38.0, 54.0, 54.0 + kH, false);
  a.Folders.hyps = NamedPathOf((dir.path() / std::string(250, 'x')).string());
  VertexWork work;
  std::vector<double> lats{54.5}, lons;
  Outcome r;
  EXPECT_EQ((r = Lines(a, work, lats, lons)).fault, GraticuleFault::kLayerNotOpened);
  EXPECT_EQ(lats.size(), 1u);  // untouched
  EXPECT_NE(r.reason.find("HypsL"), std::string::npos);
  EXPECT_EQ((r = AreaAndNodes(a, 0.125, 1.0 / 12.0, work)).fault, GraticuleFault::kLayerNotOpened);
  EXPECT_EQ((r = Layers(a, work, lats, lons)).fault, GraticuleFault::kLayerNotOpened);
}

TEST(GraticuleLayers, WesternHemisphereLabels) {
  TempDir dir;
  // U-01: 180..186, i.e. 180 to 174 degrees west.
  GraticuleArgs a = SheetArgs(dir, 180.0, 186.0, 80.0, 84.0, true);
  VertexWork work;
  std::vector<double> lats, lons;
  Outcome r;
  ASSERT_EQ((r = Layers(a, work, lats, lons)).fault, Fault{}) << r.reason;
  const auto lines = ReadLayerFiles(dir.path() / "HypsL");
  // Meridians follow the parallels: 181 is 179° W.
  EXPECT_EQ(Utf8(lines.Value(5, "Grad")), "179°");
  EXPECT_EQ(Utf8(lines.Value(5, "Indication")), "з.д.");
  const auto nodes = ReadLayerFiles(dir.path() / "HypsP");
  EXPECT_EQ(Utf8(nodes.Value(24, "Lon")), "186°00'00\"");
}

}  // namespace
}  // namespace mapbasis
