#include "graticule/line_vertices.h"

#include <gtest/gtest.h>

namespace mapbasis {
namespace {

TEST(LineVertices, ParallelIsCountedFromItsStartAndEndsOnTheEnd) {
  VertexWork w;
  // 36, 36.125, ..., 42.0, then 42.05.
  ASSERT_EQ(AppendParallel(60.0, 36.0, 42.05, 0.125, true, w), 50);
  EXPECT_EQ(w.X()[0], 36.0);
  EXPECT_EQ(w.X()[48], 36.0 + 48 * 0.125);
  EXPECT_EQ(w.X()[49], 42.05);
  for (const double y : w.Y()) EXPECT_EQ(y, 60.0);

  // A grid vertex within 1/6000 degree of the end is replaced by the end: no sliver segment.
  w.Clear();
  ASSERT_EQ(AppendParallel(60.0, 36.0, 42.0001, 0.125, true, w), 49);
  EXPECT_EQ(w.X()[47], 36.0 + 47 * 0.125);
  EXPECT_EQ(w.X()[48], 42.0001);

  // Without the end, the next piece of a ring supplies it.
  w.Clear();
  ASSERT_EQ(AppendParallel(60.0, 36.0, 42.0, 0.125, false, w), 48);
  EXPECT_EQ(w.X()[47], 41.875);

  // Westward, and not aligned to any grid.
  w.Clear();
  ASSERT_EQ(AppendMeridian(37.0, 54.7, 54.5, 1.0 / 12.0, true, w), 4);
  EXPECT_EQ(w.Y()[1], 54.7 - 1.0 / 12.0);
  EXPECT_EQ(w.Y()[2], 54.7 - 2.0 / 12.0);
  EXPECT_EQ(w.Y()[3], 54.5);
  for (const double x : w.X()) EXPECT_EQ(x, 37.0);

  // A line of no length is its end point alone.
  w.Clear();
  EXPECT_EQ(AppendParallel(60.0, 36.0, 36.0, 0.125, true, w), 1);
}

TEST(LineVertices, OutlineIsAClosedClockwiseRingFromTheNorthWestCorner) {
  VertexWork w;
  ASSERT_EQ(AppendTrapezoidRing(36.0, 42.0, 0.125, 60.0, 64.0, 1.0 / 12.0, w), 16 * 6 + 24 * 4 + 1);
  const auto x = w.X();
  const auto y = w.Y();
  EXPECT_EQ(x.front(), 36.0);
  EXPECT_EQ(y.front(), 64.0);
  EXPECT_EQ(x.back(), 36.0);
  EXPECT_EQ(y.back(), 64.0);
  // Exactly one vertex at each corner besides the repeated start.
  const auto corners = [&](double cx, double cy) {
    int n = 0;
    for (std::size_t i = 0; i + 1 < x.size(); ++i) n += x[i] == cx && y[i] == cy;
    return n;
  };
  EXPECT_EQ(corners(36.0, 64.0), 1);
  EXPECT_EQ(corners(42.0, 64.0), 1);
  EXPECT_EQ(corners(42.0, 60.0), 1);
  EXPECT_EQ(corners(36.0, 60.0), 1);
  // Clockwise with longitude east and latitude north: negative signed area.
  double twiceArea = 0.0;
  for (std::size_t i = 0; i + 1 < x.size(); ++i) twiceArea += x[i] * y[i + 1] - x[i + 1] * y[i];
  EXPECT_NEAR(twiceArea, -2.0 * 24.0, 1e-9);

  // A 1:200 000 sheet: 16 + 24 * 2/3 + 1.
  w.Clear();
  EXPECT_EQ(AppendTrapezoidRing(37.0, 38.0, 0.125, 54.0, 54.0 + 2.0 / 3.0, 1.0 / 12.0, w), 33);
}

TEST(LineVertices, LinesThatCannotBeBuiltAreMarkedIncomplete) {
  VertexWork w;
  AppendParallel(60.0, 36.0, 42.0, 0.0, true, w);
  EXPECT_TRUE(w.Incomplete());
  w.Clear();
  EXPECT_FALSE(w.Incomplete());
  AppendMeridian(37.0, 54.0, 55.0, -1.0 / 12.0, true, w);
  EXPECT_TRUE(w.Incomplete());
  w.Clear();
  AppendParallel(60.0, 36.0, 1e300, 0.125, true, w);
  EXPECT_TRUE(w.Incomplete());
  EXPECT_EQ(w.Count(), kWorkArrayCapacity);  // filled, never beyond
  w.Clear();
  // 10 000 vertices fit exactly, 10 001 do not.
  EXPECT_EQ(AppendParallel(60.0, 0.0, 9999 * 0.125, 0.125, true, w), 10000);
  EXPECT_FALSE(w.Incomplete());
  w.Clear();
  AppendParallel(60.0, 0.0, 10000 * 0.125, 0.125, true, w);
  EXPECT_TRUE(w.Incomplete());
}

}  // namespace
}  // namespace mapbasis
