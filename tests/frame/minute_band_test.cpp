// The minute band's divisions: ticks and filled cells counted from the base corner, cut at the
// sheet edges, the same on both sides of a pair.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "frame/minute_band.h"
#include "support/layer_reader.h"
#include "support/on_disk.h"
#include "support/temp_dir.h"

namespace mapbasis {
namespace {

using testing::ReadLayer;
using testing::TempDir;

constexpr double kMinute = 1.0 / 60.0;

// One side of the band as written: tick positions and the spans of the fill lines, in order.
struct Side {
  std::vector<double> ticks;
  std::vector<std::pair<double, double>> fills;
};

// The same divisions along a meridian: the latitudes 17 degrees north of the longitudes, on a
// sheet one degree wide.
constexpr double kToLatitude = 17.0;

FrameArgs SheetAlongMeridian(double base, double from, double to) {
  FrameArgs a;
  a.BaseWest = a.xFrom = 37.0;
  a.xTo = 38.0;
  a.BaseSouth = base + kToLatitude;
  a.yFrom = from + kToLatitude;
  a.yTo = to + kToLatitude;
  a.LonDensifyStep = 0.125;
  a.LatDensifyStep = 1.0 / 12.0;
  a.xMinute = a.yMinute = 1;
  return a;
}

FrameArgs Sheet(double base, double from, double to) {
  FrameArgs a;
  a.BaseWest = base;
  a.xFrom = from;
  a.xTo = to;
  a.BaseSouth = a.yFrom = 54.0;
  a.yTo = 54.0 + 2.0 / 3.0;
  a.LonDensifyStep = 0.125;
  a.LatDensifyStep = 1.0 / 12.0;
  a.xMinute = a.yMinute = 1;
  return a;
}

// Writes one side into a fresh Frame layer and reads it back. Along a parallel a tick keeps its
// longitude and a fill line its latitude; along a meridian the other way round.
Side Written(const FrameArgs& args, bool alongParallel, bool first) {
  TempDir dir;
  FrameOutput out;
  FileSets files;
  EXPECT_TRUE(out.Open(FrameSlot::Frame, 3,
                       ResultFolders{.frame = NamedPathOf(dir.path().string())}, {}, files)
                  .ok());
  VertexWork work;
  const FrameStyle style = FrameStyleFor(0, 0);
  const Outcome r = alongParallel ? WriteMinuteBandAlongParallel(out, first, style, args, work)
                                  : WriteMinuteBandAlongMeridian(out, first, style, args, work);
  EXPECT_TRUE(r.ok()) << r.reason;
  EXPECT_TRUE(out.Finish().ok());
  EXPECT_TRUE(testing::PutOnDisk(files).ok());
  const ReadLayer layer = testing::ReadLayerFiles(dir.path() / "Frame");
  Side side;
  for (std::size_t i = 0; i < layer.shapes.size(); ++i) {
    EXPECT_EQ(layer.Value(i, "L_code"), "400901");
    const auto& s = layer.shapes[i];
    const auto& along = alongParallel ? s.x : s.y;
    const auto& across = alongParallel ? s.y : s.x;
    if (along.size() == 2 && along[0] == along[1] && across[0] != across[1]) {
      side.ticks.push_back(along[0]);
    } else {
      side.fills.emplace_back(along.front(), along.back());
    }
  }
  return side;
}

TEST(MinuteBand, DivisionsCountedFromTheBaseCorner) {
  struct Case {
    const char* what;
    double base, from, to;
    std::size_t ticks;
    std::vector<std::pair<double, double>> someFills;  // the first fills, in order
    std::size_t fills;
  } const cases[] = {
      {"a 1 degree sheet: both corners ticked, every other minute filled",
       37.0,
       37.0,
       38.0,
       61,
       {{37.0, 37.0 + kMinute}, {37.0 + 2 * kMinute, 37.0 + 3 * kMinute}},
       30},
      {"the east edge off a division: no tick there, the cut cell filled by its turn",
       37.0,
       37.0,
       37.0 + 30.5 * kMinute,
       31,
       {{37.0, 37.0 + kMinute}},
       16},
      {"base east of the edge: the cut first cell is filled by the count back from the base",
       37.0,
       37.0 - 1.8 * kMinute,
       37.0 + 3 * kMinute,
       5,
       {{37.0 - 1.8 * kMinute, 37.0 - kMinute}, {37.0, 37.0 + kMinute}},
       3},
      {"base east of the edge, the cut first cell empty by its turn",
       37.0,
       37.0 - 0.6 * kMinute,
       37.0 + 3 * kMinute,
       4,
       {{37.0, 37.0 + kMinute}},
       2},
      {"base west of the edge: the leading piece filled by its turn, no gap",
       37.0,
       37.0 + 0.6 * kMinute,
       37.0 + 3 * kMinute,
       3,
       {{37.0 + 0.6 * kMinute, 37.0 + kMinute}, {37.0 + 2 * kMinute, 37.0 + 3 * kMinute}},
       2},
      // yFrom=53 59 on N-37-XIV: a division outside the base corner, which still counts.
      {"a refined edge a whole division outside the base corner",
       37.0,
       37.0 - kMinute,
       37.0 + 40 * kMinute,
       42,
       {{37.0, 37.0 + kMinute}, {37.0 + 2 * kMinute, 37.0 + 3 * kMinute}},
       20},
      // With the base corner west of it and no division inside, a side stays empty.
      {"a sheet within one division has neither ticks nor fill",
       37.0,
       37.0 + 0.2 * kMinute,
       37.0 + 0.7 * kMinute,
       0,
       {},
       0},
  };
  // Each case on the sides along the parallels (north, south) and along the meridians (west, east).
  for (const Case& c : cases) {
    for (const bool alongParallel : {true, false}) {
      SCOPED_TRACE(std::string(c.what) + (alongParallel ? ", north and south" : ", west and east"));
      const double shift = alongParallel ? 0.0 : kToLatitude;
      const FrameArgs args =
          alongParallel ? Sheet(c.base, c.from, c.to) : SheetAlongMeridian(c.base, c.from, c.to);
      const Side first = Written(args, alongParallel, true);
      EXPECT_EQ(first.ticks.size(), c.ticks);
      ASSERT_EQ(first.fills.size(), c.fills);
      for (std::size_t i = 0; i < c.someFills.size(); ++i) {
        EXPECT_NEAR(first.fills[i].first, c.someFills[i].first + shift, 1e-12);
        EXPECT_NEAR(first.fills[i].second, c.someFills[i].second + shift, 1e-12);
      }
      // Ticks fall on the divisions, inside the band's ends.
      for (const double x : first.ticks) {
        EXPECT_NEAR(std::remainder(x - c.base - shift, kMinute), 0.0, 1e-9);
        EXPECT_TRUE(x >= c.from + shift - 1e-9 && x <= c.to + shift + 1e-9);
      }
      const Side second = Written(args, alongParallel, false);
      EXPECT_EQ(second.ticks, first.ticks);
      EXPECT_EQ(second.fills, first.fills);
    }
  }
}

TEST(MinuteBand, SidesAlongMeridiansTickWestToEast) {
  FrameArgs args = Sheet(37.0, 37.0, 38.0);
  args.yTo = 54.0 + 10 * kMinute;
  const Side west = Written(args, false, true);
  const Side east = Written(args, false, false);
  EXPECT_EQ(west.ticks.size(), 11u);
  EXPECT_EQ(west.fills.size(), 5u);
  EXPECT_EQ(west.ticks, east.ticks);
  EXPECT_EQ(west.fills, east.fills);

  // A west tick runs from the band's outer to its inner boundary, 8.2 and 7 mm west of the edge
  // at its own latitude (1 mm is 0.2 km at 1:200 000).
  TempDir dir;
  FrameOutput out;
  FileSets files;
  ASSERT_TRUE(out.Open(FrameSlot::Frame, 3,
                       ResultFolders{.frame = NamedPathOf(dir.path().string())}, {}, files)
                  .ok());
  VertexWork work;
  ASSERT_TRUE(WriteMinuteBandAlongMeridian(out, true, FrameStyleFor(0, 0), args, work).ok());
  ASSERT_TRUE(out.Finish().ok());
  ASSERT_TRUE(testing::PutOnDisk(files).ok());
  const auto tick = testing::ReadLayerFiles(dir.path() / "Frame").shapes.at(0);
  const double km = 1.0 / (std::cos(54.0 * M_PI / 180) * 6371.032 * M_PI) * 180;
  EXPECT_NEAR(tick.x[0], 37.0 - 0.2 * 8.2 * km, 1e-8);
  EXPECT_NEAR(tick.x[1], 37.0 - 0.2 * 7.0 * km, 1e-8);
  EXPECT_EQ(tick.y[0], 54.0);
}

}  // namespace
}  // namespace mapbasis
