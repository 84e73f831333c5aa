// Map distances turned into angles, densified lines along offset parallels and meridians, and the
// closed outlines around a sheet.
#include <cmath>

#include <gtest/gtest.h>

#include "frame/frame_outline.h"
#include "frame/map_offsets.h"

namespace mapbasis {
namespace {

const PrintedMap k200{200000.0, 6371.032};

TEST(MapOffsets, MillimetresOnTheMapToDegrees) {
  // 7 mm at 1:200 000 is 1.4 km: 1.4 / (6371.032 * 3.1415926) * 180 degrees.
  EXPECT_NEAR(LatitudeOffsetBy(0.0, 7.0, k200), 0.0125904394588852, 5e-17);  // to its last digit
  EXPECT_NEAR(54.0 - LatitudeOffsetBy(54.0, -7.0, k200), 0.0125904394588852, 1e-14);
  // Along a parallel the same distance spans 1 / cos(lat) times as many degrees.
  EXPECT_NEAR(LongitudeOffsetBy(37.0, 60.0, 7.0, k200) - 37.0, 2 * 0.0125904394588852, 1e-9);
  EXPECT_EQ(LongitudeOffsetBy(37.0, 60.0, 0.0, k200), 37.0);
}

// The vertices of AppendOffsetParallel along 54° at d = 0.
std::vector<double> Parallel(double a, double b, double origin, double step, bool keepLast = true) {
  VertexWork work;
  const std::int32_t n =
      AppendOffsetParallel({54.0, 0.0, a, b, origin, step, keepLast}, k200, work);
  EXPECT_EQ(static_cast<std::size_t>(n), work.Count());
  for (const double y : work.Y()) EXPECT_EQ(y, 54.0);
  return {work.X().begin(), work.X().end()};
}

TEST(MapOffsets, DensifiedLinesKeepClearOfTheirEnds) {
  struct Case {
    double a, b;
    std::vector<double> x;
  } const cases[] = {
      {37.3, 37.3, {37.3}},  // a = b: one vertex
      {37.0, 37.5, {37.0, 37.125, 37.25, 37.375, 37.5}},
      {37.5, 37.0, {37.5, 37.375, 37.25, 37.125, 37.0}},
      // Nodes closer than 0.2 step (0.025) to an end are dropped; the share is the single
      // 0.2000000030, so a node exactly 0.2 step away goes too, and one a little more stays.
      {36.99, 37.26, {36.99, 37.125, 37.26}},
      {37.26, 36.99, {37.26, 37.125, 36.99}},
      {36.975, 37.275, {36.975, 37.125, 37.275}},
      {36.974, 37.276, {36.974, 37.0, 37.125, 37.25, 37.276}},
      {37.01, 37.1, {37.01, 37.1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.a << " to " << c.b);
    const std::vector<double> x = Parallel(c.a, c.b, 37.0, 0.125);
    ASSERT_EQ(x.size(), c.x.size());
    for (std::size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(x[i], c.x[i], 1e-12);
  }
  // Without the last vertex the line stops one short; a = b then gives none.
  EXPECT_EQ(Parallel(37.0, 37.5, 37.0, 0.125, false).size(), 4u);
  EXPECT_EQ(Parallel(37.3, 37.3, 37.0, 0.125, false).size(), 0u);

  // A line that cannot be stepped, or would not fit the arrays, is marked and not built.
  for (const auto& [b, step] :
       {std::pair{37.5, 0.0}, std::pair{std::nan(""), 0.125}, std::pair{5000.0, 0.125}}) {
    VertexWork work;
    AppendOffsetParallel({54.0, 0.0, 37.0, b, 37.0, step}, k200, work);
    EXPECT_TRUE(work.Incomplete());
  }
}

TEST(FrameOutline, ClosedClockwiseRingOutsideTheSheet) {
  // N-37-XIV, whose edges lie on the 1/8 and 1/12 degree grids, 7 mm out.
  const double south = 54.0, north = 54.0 + 2.0 / 3.0, step = 1.0 / 12.0;
  VertexWork work;
  const std::int32_t n =
      AppendOuterFrameOutline(7.0, k200, {37.0, 38.0, 0.125, south, north, step}, work);
  ASSERT_EQ(static_cast<std::size_t>(n), work.Count());

  const double latN = north + 0.0125904394588852;
  const double latS = south - 0.0125904394588852;
  const auto lonOff = [](double lat) {  // 7 mm in degrees of longitude at lat
    return 1.4 / (std::cos(lat * M_PI / 180) * 6371.032 * M_PI) * 180;
  };
  // Clockwise from the north-west corner. The edges are lengthened by 7 mm (less than 0.2 step
  // at both grids), so the grid nodes on the sheet's corners are dropped and only the nodes
  // strictly inside each edge remain; each corner appears once, the first again at the end.
  std::vector<std::pair<double, double>> ring;
  ring.emplace_back(37.0 - lonOff(latN), latN);
  for (int k = 1; k <= 7; ++k) ring.emplace_back(37.0 + k * 0.125, latN);
  ring.emplace_back(38.0 + lonOff(latN), latN);
  for (int k = 7; k >= 1; --k) ring.emplace_back(38.0 + lonOff(south + k * step), south + k * step);
  ring.emplace_back(38.0 + lonOff(latS), latS);
  for (int k = 7; k >= 1; --k) ring.emplace_back(37.0 + k * 0.125, latS);
  ring.emplace_back(37.0 - lonOff(latS), latS);
  for (int k = 1; k <= 7; ++k) ring.emplace_back(37.0 - lonOff(south + k * step), south + k * step);
  ring.push_back(ring.front());

  ASSERT_EQ(work.Count(), ring.size());
  for (std::size_t i = 0; i < ring.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(work.X()[i], ring[i].first, 1e-9);
    EXPECT_NEAR(work.Y()[i], ring[i].second, 1e-12);
  }
  EXPECT_EQ(work.X().front(), work.X().back());
  EXPECT_EQ(work.Y().front(), work.Y().back());
}

}  // namespace
}  // namespace mapbasis
