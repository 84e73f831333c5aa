// The rules a refined trapezoid keeps: how far each edge may reach beyond the base trapezoid, and
// how the file and the dialog hold an edge against that bound; the order of the edges, the pole,
// and positive spacings and divisions.
#include "params/trapezoid_rules.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace mapbasis {
namespace {

constexpr double kMinute = 1.0 / 60.0;

TEST(TrapezoidRules, EdgesReachLessThanOneSheetOfTheSeries) {
  // N-37 (36..42 E, 52..56 N) may reach to within a minute of 30, 48, 48 and 60; N-37-XIV
  // (37..38 E, 54..54°40' N) to within a minute of 36, 39, 53°20' and 55°20'.
  const BaseParameters n37{36.0, 42.0, 52.0, 56.0};
  const BaseParameters n37xiv{37.0, 38.0, 54.0, 54.0 + 40 * kMinute};
  struct Case {
    std::int32_t series;
    const BaseParameters& base;
    double west, east, south, north;  // the bounds, each a full sheet out
  } const cases[] = {
      {1, n37, 30.0, 48.0, 48.0, 60.0},
      {0, n37xiv, 36.0, 39.0, 53.0 + 20 * kMinute, 55.0 + 20 * kMinute},
  };
  for (const Case& c : cases) {
    for (const BoundComparison comparison :
         {BoundComparison::kExact, BoundComparison::kWithTolerance}) {
      SCOPED_TRACE(testing::Message() << c.series << " " << static_cast<int>(comparison));
      const RefinementBounds b = RefinementBoundsOf(c.series, c.base, comparison);
      EXPECT_NEAR(b.west, c.west, 1e-12);
      EXPECT_NEAR(b.east, c.east, 1e-12);
      EXPECT_NEAR(b.south, c.south, 1e-12);
      EXPECT_NEAR(b.north, c.north, 1e-12);
      EXPECT_FALSE(b.AllowsWest(c.west - kMinute));
      EXPECT_FALSE(b.AllowsWest(b.west));
      EXPECT_TRUE(b.AllowsWest(c.west + kMinute));
      EXPECT_FALSE(b.AllowsEast(b.east));
      EXPECT_TRUE(b.AllowsEast(c.east - kMinute));
      EXPECT_FALSE(b.AllowsSouth(b.south));
      EXPECT_TRUE(b.AllowsSouth(c.south + kMinute));
      EXPECT_FALSE(b.AllowsNorth(b.north));
      EXPECT_TRUE(b.AllowsNorth(c.north - kMinute));
      EXPECT_FALSE(b.AllowsWest(std::nan("")));
    }
  }
  // The record's base trapezoid gives the same bounds.
  SheetNumbers p;
  p.MillionSeries = 0;
  p.BaseWest = 37.0, p.BaseEast = 38.0, p.BaseSouth = 54.0, p.BaseNorth = 54.0 + 40 * kMinute;
  EXPECT_EQ(RefinementBoundsOf(p, BoundComparison::kExact).south,
            RefinementBoundsOf(0, n37xiv, BoundComparison::kExact).south);
}

// U-33-VII lies 82°40'..83°20' N; its south bound, 82°, is 81.99999999999999 in binary. The file
// holds 82° against that as the numbers stand and lets it pass; the dialog takes an edge within
// the angle tolerance of its bound as on it and refuses it, as it refuses every edge a whole
// sheet out.
TEST(TrapezoidRules, TheDialogCountsAnEdgeNearItsBoundAsOnIt) {
  const double north = 84.0 - 2.0 / 3.0;
  const BaseParameters u33vii{12.0, 13.0, north - 2.0 / 3.0, north};
  const RefinementBounds file = RefinementBoundsOf(0, u33vii, BoundComparison::kExact);
  const RefinementBounds dialog = RefinementBoundsOf(0, u33vii, BoundComparison::kWithTolerance);
  ASSERT_LT(file.south, 82.0);
  EXPECT_TRUE(file.AllowsSouth(82.0));
  EXPECT_FALSE(dialog.AllowsSouth(82.0));
  // A minute inside the bound passes both.
  EXPECT_TRUE(file.AllowsSouth(82.0 + kMinute));
  EXPECT_TRUE(dialog.AllowsSouth(82.0 + kMinute));
}

TEST(TrapezoidRules, EdgesInOrderThePoleAndPositiveSteps) {
  const double nan = std::nan("");
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double from, to;
    bool inOrder;
  } const orders[] = {
      {37.0, 38.0, true},           {38.0, 37.0, false}, {37.0, 37.0, false},
      {37.0, 37.0001, false},  // within 1/6000 degree: one edge, an empty trapezoid
      {37.0, 37.0 + kMinute, true}, {nan, 38.0, false},  {37.0, nan, false},
  };
  for (const Case& c : orders) {
    EXPECT_EQ(EdgesInOrder(c.from, c.to), c.inOrder) << c.from << " " << c.to;
  }
  EXPECT_TRUE(SouthOfThePole(90.0));
  EXPECT_FALSE(SouthOfThePole(90.0 + kMinute));
  EXPECT_FALSE(SouthOfThePole(nan));
  for (const double step : {kMinute, 4.0}) EXPECT_TRUE(IsPositiveSpacing(step)) << step;
  for (const double step : {0.0, -kMinute, nan, inf}) EXPECT_FALSE(IsPositiveSpacing(step)) << step;
  EXPECT_TRUE(IsPositiveDivision(1));
  EXPECT_FALSE(IsPositiveDivision(0));
  EXPECT_FALSE(IsPositiveDivision(-1));
}

}  // namespace
}  // namespace mapbasis
