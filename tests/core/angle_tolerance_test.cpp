#include "core/angle_tolerance.h"

#include <cmath>

#include <gtest/gtest.h>

namespace mapbasis {
namespace {

constexpr double kTwoThirds = 2.0 / 3.0;

TEST(AngleTolerance, EqualWithinOneHundredthOfAMinute) {
  EXPECT_TRUE(AnglesEqual(60.0, 60.0001));
  EXPECT_TRUE(AnglesEqual(60.0001, 60.0));
  EXPECT_FALSE(AnglesEqual(60.0, 60.0002));
  EXPECT_TRUE(AnglesEqual(0.0, kAngleTolerance));
  EXPECT_FALSE(AnglesEqual(0.0, std::nextafter(kAngleTolerance, 1.0)));
}

struct GridCase {
  double a, origin, step, start, end;
};

TEST(AngleTolerance, GridSearchesOnBothSidesOfTheOrigin) {
  const GridCase cases[] = {
      // Above the origin: between two grid values.
      {60.5, 60.0, kTwoThirds, 60.0 + 1 * kTwoThirds, 60.0},
      // Below the origin: 60 - 2/3 falls short of a.
      {59.5, 60.0, kTwoThirds, 60.0, 60.0 - 1 * kTwoThirds},
      // Within the tolerance of a grid value: both return that value as computed.
      {61.33335, 60.0, kTwoThirds, 60.0 + 2 * kTwoThirds, 60.0 + 2 * kTwoThirds},
      {58.66665, 60.0, kTwoThirds, 60.0 - 2 * kTwoThirds, 60.0 - 2 * kTwoThirds},
      // At the origin within the tolerance.
      {60.0001, 60.0, kTwoThirds, 60.0, 60.0},
      // Far from the origin: the value is origin + k * step, not a running sum.
      {83.0, 37.0, 0.25, 37.0 + 184 * 0.25, 37.0 + 184 * 0.25},
      {200.1, 0.0, 1.0 / 6.0, 1201 * (1.0 / 6.0), 1200 * (1.0 / 6.0)},
      {-200.1, 0.0, 1.0 / 6.0, 0.0 - 1200 * (1.0 / 6.0), 0.0 - 1201 * (1.0 / 6.0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "a=" << c.a << " origin=" << c.origin);
    EXPECT_EQ(GridValueAtOrAbove(c.a, c.origin, c.step), c.start);
    EXPECT_EQ(GridValueAtOrBelow(c.a, c.origin, c.step), c.end);
  }
}

TEST(AngleTolerance, SearchMatchesTheWalkFromTheOrigin) {
  // The search starts near a instead of at the origin; it must stop where the plain walk of
  // origin + k * step, k = 0, 1, 2, ... stops.
  for (int i = 0; i < 4000; ++i) {
    const double a = 30.0 + i * 0.0123457;
    const double origin = 54.0;
    const double step = 1.0 / 12.0;
    double walked = NAN;
    if (AnglesEqual(origin, a)) {
      walked = origin;
    } else if (origin < a) {
      for (int k = 0;; ++k) {
        const double v = origin + k * step;
        if (AnglesEqual(v, a) || v > a) {
          walked = v;
          break;
        }
      }
    } else {
      for (int k = 0;; ++k) {
        const double v = origin - k * step;
        if (AnglesEqual(v, a)) {
          walked = v;
          break;
        }
        if (v < a) {
          walked = origin - (k - 1) * step;
          break;
        }
      }
    }
    ASSERT_EQ(GridValueAtOrAbove(a, origin, step), walked) << "a=" << a;
  }
}

TEST(AngleTolerance, UnsearchableGridsGiveNaNInsteadOfLoopingForever) {
  EXPECT_TRUE(std::isnan(GridValueAtOrAbove(61.0, 60.0, 0.0)));
  EXPECT_TRUE(std::isnan(GridValueAtOrBelow(61.0, 60.0, -0.25)));
  EXPECT_TRUE(std::isnan(GridValueAtOrAbove(INFINITY, 60.0, 0.25)));
  EXPECT_TRUE(std::isnan(GridValueAtOrBelow(NAN, 60.0, 0.25)));
  EXPECT_TRUE(std::isnan(GridValueAtOrAbove(1e300, 0.0, 0.25)));
  // Huge but searchable distances are answered at once.
  EXPECT_EQ(GridValueAtOrBelow(2147483647.0, 37.0, 0.25), 37.0 + 8589934440.0 * 0.25);
}

}  // namespace
}  // namespace mapbasis
