#include "geometry/sheet_trapezoid.h"

#include <gtest/gtest.h>

namespace mapbasis {
namespace {

struct TrapezoidCase {
  const char* what;
  GridSheet sheet;
  double west, east, south, north;
  double meridianStep;
  std::int32_t xMinute;
  double parallelStep;
  std::int32_t yMinute;
};

constexpr Series k1m = Series::k1000000;
constexpr Series k200k = Series::k200000;

TEST(SheetTrapezoid, BaseTrapezoidAndDefaults) {
  const double h = 2.0 / 3.0;
  const TrapezoidCase cases[] = {
      {"U-33", {k1m, 1, 33, 0, 0}, 12, 18, 80, 84, 1.0, 10, h, 10},
      {"U-33-I", {k200k, 1, 33, 1, 0}, 12, 13, 84 - h, 84, 0.25, 1, 1.0 / 6.0, 1},
      {"U-33-XXXVI",
       {k200k, 1, 33, 36, 0},
       17,
       18,
       (84 - 5 * h) - h,
       84 - 5 * h,
       0.25,
       1,
       1.0 / 6,
       1},
      {"N-37-XIV", {k200k, 8, 37, 14, 0}, 37, 38, 56 - 2 * h - h, 56 - 2 * h, 0.25, 1, 1.0 / 6, 1},
      {"zone 31 starts at 0", {k1m, 8, 31, 0, 0}, 0, 6, 52, 56, 1.0, 10, h, 10},
      {"zone 60", {k1m, 8, 60, 0, 0}, 174, 180, 52, 56, 1.0, 10, h, 10},
      {"zone 1 starts at 180", {k1m, 8, 1, 0, 0}, 180, 186, 52, 56, 1.0, 10, h, 10},
      {"zone 2", {k1m, 8, 2, 0, 0}, 186, 192, 52, 56, 1.0, 10, h, 10},
      {"double sheet in zone 60 is not reduced",
       {k1m, 3, 60, 0, 1},
       174,
       186,
       72,
       76,
       2.0,
       20,
       h,
       10},
      {"quadruple", {k1m, 1, 45, 0, 3}, 84, 108, 80, 84, 4.0, 40, h, 10},
      {"triple of the million series keeps the standard steps",
       {k1m, 1, 45, 0, 2},
       84,
       102,
       80,
       84,
       1.0,
       10,
       h,
       10},
      {"double from the sixth column reaches the next zone",
       {k200k, 1, 47, 6, 1},
       101,
       103,
       84 - h,
       84,
       0.5,
       2,
       1.0 / 6,
       1},
      {"triple takes five minutes", {k200k, 2, 47, 4, 2}, 99, 102, 80 - h, 80, 0.75, 5, 1.0 / 6, 1},
      {"quadruple of the 200 000 series keeps the standard steps",
       {k200k, 1, 47, 1, 3},
       96,
       100,
       84 - h,
       84,
       0.25,
       1,
       1.0 / 6,
       1},
      {"sheet number ignored in the million series",
       {k1m, 1, 33, 17, 0},
       12,
       18,
       80,
       84,
       1.0,
       10,
       h,
       10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const BaseParameters b = ComputeBaseTrapezoid(c.sheet);
    EXPECT_DOUBLE_EQ(b.BaseWest, c.west);
    EXPECT_DOUBLE_EQ(b.BaseEast, c.east);
    EXPECT_DOUBLE_EQ(b.BaseSouth, c.south);
    EXPECT_DOUBLE_EQ(b.BaseNorth, c.north);
    EXPECT_EQ(b.DefaultMeridianStep, c.meridianStep);
    EXPECT_EQ(b.DefaultxMinute, c.xMinute);
    EXPECT_EQ(b.DefaultParallelStep, c.parallelStep);
    EXPECT_EQ(b.DefaultyMinute, c.yMinute);
  }
}

TEST(SheetTrapezoid, FractionalStepsAreTheNearestDoubles) {
  const BaseParameters million = ComputeBaseTrapezoid({Series::k1000000, 8, 37, 0, 0});
  EXPECT_EQ(million.DefaultParallelStep, 0.6666666666666666);
  const BaseParameters sheet = ComputeBaseTrapezoid({Series::k200000, 8, 37, 14, 0});
  EXPECT_EQ(sheet.DefaultParallelStep, 0.16666666666666666);
  // N-37-XIV: 54 00' .. 54 40', built as 56 - 2h and then - h.
  EXPECT_EQ(sheet.BaseNorth, 56.0 - 2 * 0.6666666666666666);
  EXPECT_EQ(sheet.BaseSouth, sheet.BaseNorth - 0.6666666666666666);
}

}  // namespace
}  // namespace mapbasis
