#include "params/trapezoid_rules.h"

#include <cmath>

#include "core/angle_tolerance.h"
#include "geometry/sheet_grid.h"

namespace mapbasis {

namespace {

// a lies beyond b, upward: by any amount, or by more than the angle tolerance.
bool Above(double a, double b, BoundComparison comparison) {
  if (comparison == BoundComparison::kExact) return a > b;
  return a > b && !AnglesEqual(a, b);
}

RefinementBounds BoundsAround(std::int32_t MillionSeries, double west, double east, double south,
                              double north, BoundComparison comparison) {
  const SheetSize sheet = SeriesSheetSize(SeriesOfRecord(MillionSeries));
  return {west - sheet.width, east + sheet.width, south - sheet.height, north + sheet.height,
          comparison};
}

}  // namespace

bool RefinementBounds::AllowsWest(double xFrom) const { return Above(xFrom, west, comparison); }
bool RefinementBounds::AllowsEast(double xTo) const { return Above(east, xTo, comparison); }
bool RefinementBounds::AllowsSouth(double yFrom) const { return Above(yFrom, south, comparison); }
bool RefinementBounds::AllowsNorth(double yTo) const { return Above(north, yTo, comparison); }

RefinementBounds RefinementBoundsOf(std::int32_t MillionSeries, const BaseParameters& base,
                                    BoundComparison comparison) {
  return BoundsAround(MillionSeries, base.BaseWest, base.BaseEast, base.BaseSouth, base.BaseNorth,
                      comparison);
}

RefinementBounds RefinementBoundsOf(const SheetNumbers& p, BoundComparison comparison) {
  return BoundsAround(p.MillionSeries, p.BaseWest, p.BaseEast, p.BaseSouth, p.BaseNorth,
                      comparison);
}

bool EdgesInOrder(double from, double to) { return from < to && !AnglesEqual(from, to); }

bool SouthOfThePole(double north) { return north <= 90.0; }

bool IsPositiveSpacing(double step) { return std::isfinite(step) && step > 0.0; }

bool IsPositiveDivision(std::int32_t minutes) { return minutes > 0; }

}  // namespace mapbasis
