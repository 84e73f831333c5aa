// The FRAME layers of a sheet written by WriteFrameLayers: which layers exist, the neighbours'
// names in their gaps, the coordinate labels clear of the frame and of each other.
#include <algorithm>
#include <cmath>
#include <filesystem>

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "frame/font_metrics.h"
#include "frame/frame_layers.h"
#include "support/layer_reader.h"
#include "support/on_disk.h"
#include "support/temp_dir.h"

namespace mapbasis {
namespace {

using testing::ReadLayer;
using testing::ReadLayerFiles;
using testing::TempDir;

constexpr double kNorth = 54.0 + 2.0 / 3.0;

// Degrees of latitude (or of longitude along the parallel lat) in d mm at 1:200 000, with the
// full pi: within 1e-9 degree of the frame's own figures.
double LatMm(double d) { return d * 0.2 / (6371.032 * M_PI) * 180; }
double LonMm(double d, double lat) { return LatMm(d) / std::cos(lat * M_PI / 180); }

// N-37-XIV at 1:200 000 with its neighbours, written into `dir`.
struct Sheet {
  FrameArgs args;
  std::vector<double> lats{54.0, 54.0 + 1.0 / 6, 54.0 + 2.0 / 6, 54.0 + 3.0 / 6, kNorth};
  std::vector<double> lons{37.0, 37.25, 37.5, 37.75, 38.0};

  explicit Sheet(const TempDir& dir) {
    args.CS = 3;
    args.AdjacentNorth = "N-37-VIII";
    args.AdjacentSouth = "N-37-XX";
    args.AdjacentEast = "N-37-XV";
    args.AdjacentWest = "N-37-XIII";
    args.Folders.frame = NamedPathOf(dir.path().string());
    args.xFrom = args.BaseWest = 37.0;
    args.xTo = args.BaseEast = 38.0;
    args.yFrom = args.BaseSouth = 54.0;
    args.yTo = args.BaseNorth = kNorth;
    args.LonDensifyStep = 0.125;
    args.LatDensifyStep = 1.0 / 12.0;
    args.xMinute = args.yMinute = 1;
  }
  // The layers made in memory as a run makes them, then put on disk.
  Outcome Write() {
    VertexWork work;
    FileSets files;
    args.Destination = &files;
    Outcome written = WriteFrameLayers(args, lats, lons, work);
    args.Destination = nullptr;
    return written.ok() ? testing::PutOnDisk(files) : written;
  }
};

std::vector<std::string> Texts(const ReadLayer& layer) {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < layer.records.size(); ++i) texts.push_back(layer.Value(i, "Text"));
  return texts;
}

TEST(FrameLayers, NamesOfTheNeighboursInTheirGaps) {
  struct Case {
    const char* what;
    void (*change)(Sheet&);
    std::vector<std::string> names;  // north, south, west, east as written
  } const cases[] = {
      {"a standard sheet", [](Sheet&) {}, {"N-37-VIII", "N-37-XX", "N-37-XIII", "N-37-XV"}},
      {"refined on the west side",
       [](Sheet& s) { s.args.xFrom = 37.1; },
       {"N-37-VIII", "N-37-XX", "N-37-XV"}},
      {"a name longer than its side",
       [](Sheet& s) { s.args.AdjacentNorth = std::string(200, 'M'); },
       {"N-37-XX", "N-37-XIII", "N-37-XV"}},
      {"a blank name",
       [](Sheet& s) { s.args.AdjacentSouth = "   "; },
       {"N-37-VIII", "", "N-37-XIII", "N-37-XV"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    Sheet sheet(dir);
    c.change(sheet);
    const Outcome r = sheet.Write();
    ASSERT_TRUE(r.ok()) << r.reason;
    const ReadLayer adj = ReadLayerFiles(dir.path() / "FrameAdj");
    EXPECT_EQ(Texts(adj), c.names);
    const ReadLayer frame = ReadLayerFiles(dir.path() / "Frame");
    std::vector<std::size_t> pieces;
    for (std::size_t i = 0; i < frame.records.size(); ++i) {
      if (frame.Value(i, "L_code") == "400902") pieces.push_back(i);
    }
    ASSERT_EQ(pieces.size(), 4u);
    const auto& nw = frame.shapes[pieces[0]];
    const auto& ne = frame.shapes[pieces[1]];
    const auto& sw = frame.shapes[pieces[3]];
    const double midLat = (sheet.args.yFrom + sheet.args.yTo) / 2;
    const double latN = kNorth + LatMm(9.800000190734863);
    if (c.names[0] != "N-37-VIII") {
      // No north gap: the north-west and north-east pieces meet in the middle of the side.
      EXPECT_EQ(nw.x.back(), ne.x.front());
      EXPECT_EQ(nw.x.back(), 37.5);
    }
    if (sheet.args.xFrom != 37.0) {
      EXPECT_EQ(nw.y.front(), midLat);
      EXPECT_EQ(sw.y.back(), midLat);
    }
    for (std::size_t i = 0; i < adj.records.size(); ++i) {
      EXPECT_EQ(adj.Value(i, "Font"), "PragmaticaC");
      EXPECT_EQ(adj.Value(i, "Size"), "6.50");
      EXPECT_EQ(adj.Value(i, "L_code"), "400911");
    }
    if (c.names[0] == "N-37-VIII") {
      // The north name spans its gap west to east: its width plus 2 mm, centred on the side,
      // on the outer frame 9.8 mm out. N-37-VIII: 4132 units of advance, less N's 85 on the
      // left, I ending at its ink 179 + 1: 3963 units at 6.5 pt.
      const auto& north = adj.shapes[0];
      const double gap = 3963 * 6.5 * 25.4 / 72 / 1000 + 2.0;
      EXPECT_NEAR(north.x.back() - north.x.front(), LonMm(gap, latN), 1e-8);
      EXPECT_NEAR((north.x.back() + north.x.front()) / 2, (sheet.args.xFrom + 38.0) / 2, 1e-12);
      EXPECT_NEAR(north.y[0], latN, 1e-9);
      EXPECT_EQ(north.x.front(), nw.x.back());  // the piece ends where the gap begins
      EXPECT_EQ(north.x.back(), ne.x.front());
    }
    if (c.names.size() == 4) {
      // Names on the west and east sides run south to north.
      EXPECT_LT(adj.shapes[2].y.front(), adj.shapes[2].y.back());
      EXPECT_LT(adj.shapes[3].y.front(), adj.shapes[3].y.back());
    }
  }
}

TEST(FrameLayers, CoordinateLabelsClearOfTheCorners) {
  const double unit = 6.5 * 25.4 / 72 / 1000;  // mm per font unit
  // «54°» and «37°» in FreeSet: ink from -8 to 714 units; «00'» from -8 to 708.
  const double hDeg = 722 * unit;
  const double hLon = 722 * unit;

  TempDir dir;
  Sheet sheet(dir);
  ASSERT_TRUE(sheet.Write().ok());
  const ReadLayer dig = ReadLayerFiles(dir.path() / "FrameDig");
  ASSERT_EQ(dig.records.size(), 5u * 4 + 5u * 2);
  EXPECT_EQ(Cp1251ToUtf8(dig.Value(0, "Text")), "54°");
  EXPECT_EQ(dig.Value(1, "Text"), "00'");
  EXPECT_EQ(dig.Value(0, "Font"), "FreeSet");
  EXPECT_EQ(dig.Value(0, "L_code"), "400912");
  EXPECT_EQ(Cp1251ToUtf8(dig.Value(20, "Text")), "37° 00'");
  // The degree text sits 0.4 mm plus half its height above the parallel, the minute text
  // 0.5 mm (the drop fixed in single precision) plus half its height below it.
  EXPECT_NEAR(dig.shapes[0].y[0], 54.0 + LatMm(0.4 + hDeg / 2), 1e-9);
  EXPECT_NEAR(dig.shapes[1].y[0], 54.0 - LatMm(0.4 + 0.10000000149011612 + 716 * unit / 2), 1e-9);
  // The east texts start 1 mm from the edge.
  EXPECT_NEAR(dig.shapes[2].x[0], 38.0 + LonMm(1.0, dig.shapes[2].y[0]), 1e-9);

  // The corner meridians' labels move out beyond the corner latitude labels; the others keep
  // 1 mm from the edge.
  const double moved = 0.4 + hDeg + 0.8;
  const struct {
    std::size_t record;
    double row;
  } rows[] = {{20, kNorth + LatMm(hLon / 2 + moved)}, {21, 54.0 - LatMm(hLon / 2 + moved)},
              {22, kNorth + LatMm(hLon / 2 + 1.0)},   {23, 54.0 - LatMm(hLon / 2 + 1.0)},
              {28, kNorth + LatMm(hLon / 2 + moved)}, {29, 54.0 - LatMm(hLon / 2 + moved)}};
  for (const auto& r : rows) EXPECT_NEAR(dig.shapes[r.record].y[0], r.row, 1e-9) << r.record;

  // Without parallels no latitude label is written and no longitude label moves.
  TempDir bare;
  Sheet noParallels(bare);
  noParallels.lats.clear();
  ASSERT_TRUE(noParallels.Write().ok());
  const ReadLayer lonOnly = ReadLayerFiles(bare.path() / "FrameDig");
  ASSERT_EQ(lonOnly.records.size(), 10u);
  EXPECT_NEAR(lonOnly.shapes[0].y[0], kNorth + LatMm(hLon / 2 + 1.0), 1e-9);
}

TEST(FrameLayers, LayersPerScaleAndFailures) {
  struct Case {
    int series, scale;
    std::vector<std::string> files;
  } const cases[] = {
      {0, 1, {"Frame", "FrameDig"}},
      {0, 2, {}},
      {1, 1, {"Frame", "FrameDig"}},
      {1, 2, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.series << "/" << c.scale);
    TempDir dir;
    Sheet sheet(dir);
    sheet.args.MillionSeries = c.series;
    sheet.args.MapScale = c.scale;
    EXPECT_TRUE(sheet.Write().ok());
    std::vector<std::string> layers;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
      if (e.path().extension() == ".shp") layers.push_back(e.path().stem().string());
    }
    std::sort(layers.begin(), layers.end());
    EXPECT_EQ(layers, c.files);
  }

  // A layer that cannot be created: status 1.
  TempDir dir;
  Sheet unnamed(dir);
  unnamed.args.Folders.frame = NamedPathOf((dir.path() / std::string(250, 'x')).string());
  EXPECT_EQ(unnamed.Write().fault, FrameFault::kLayerNotCreated);

  // A line beyond the work arrays: the parallel at the pole stretches its extension over
  // millions of degrees. It fails with 2, and no layer is put in place.
  Sheet pole(dir);
  pole.lats.push_back(90.0);
  const Outcome fits = pole.Write();
  EXPECT_EQ(fits.fault, FrameFault::kNotWritten);
  EXPECT_NE(fits.reason.find("10000 vertices"), std::string::npos) << fits.reason;
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace mapbasis
