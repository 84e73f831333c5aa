// The rules a refined trapezoid keeps, wherever it is given: the parameter file, the refinement
// dialog, and the check before a sheet is generated. Each edge lies less than one sheet of the
// series beyond the edge of the base trapezoid; west lies west of east and south south of north;
// no edge lies beyond the pole; graticule spacings and minute-scale divisions are positive.
#pragma once

#include <cstdint>

#include "core/sheet_parameters.h"
#include "geometry/sheet_trapezoid.h"

namespace mapbasis {

// How a refined edge is held against its bound.
enum class BoundComparison {
  // As the numbers stand: the parameter file's rule.
  kExact,
  // An edge within the angle tolerance of its bound counts as on it: the refinement dialog's rule,
  // which refuses an edge a whole sheet out even where the sheet's edges are not whole minutes in
  // binary (84 - 2 * 2/3 is not).
  kWithTolerance,
};

// The bounds of a refined trapezoid: one sheet of the series beyond each edge of the base
// trapezoid, whatever the combined kind. An edge must lie strictly inside its bound.
struct RefinementBounds {
  double west = 0.0, east = 0.0, south = 0.0, north = 0.0;
  BoundComparison comparison = BoundComparison::kExact;

  bool AllowsWest(double xFrom) const;
  bool AllowsEast(double xTo) const;
  bool AllowsSouth(double yFrom) const;
  bool AllowsNorth(double yTo) const;
};

RefinementBounds RefinementBoundsOf(std::int32_t MillionSeries, const BaseParameters& base,
                                    BoundComparison comparison);

// The same for the base trapezoid of the record.
RefinementBounds RefinementBoundsOf(const SheetNumbers& p, BoundComparison comparison);

// Whether `from` lies west (or south) of `to` by more than the angle tolerance: edges closer than
// that are one edge, and the trapezoid between them is empty.
bool EdgesInOrder(double from, double to);

// Whether a north edge lies short of the pole or on it.
bool SouthOfThePole(double north);

// Whether a graticule spacing (degrees) or a minute-scale division (minutes) is positive: a
// spacing of zero draws no graticule, a division of zero no minute band.
bool IsPositiveSpacing(double step);
bool IsPositiveDivision(std::int32_t minutes);

}  // namespace mapbasis
