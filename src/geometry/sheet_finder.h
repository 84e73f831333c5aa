// Finding sheets by place: the sheets of the grid that hold a point, and the sheets of a series
// that cover a box of latitudes and longitudes. The grid is the one the program makes sheets of
// (geometry/sheet_grid.h); points are given in the program's longitudes, east in 0..360.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/sheet_grid.h"

namespace mapbasis {

// A longitude as the program holds it, east in [0, 360): -170 and 190 are both 170 W. The value
// must be finite.
double EastLongitude(double lon);

// Whether the point lies in the grid, a point within the angle tolerance of its edge included.
// `lon` is an east longitude in [0, 360).
bool IsInSheetGrid(double lat, double lon);

// Every sheet that holds the point, a point on an edge (within the angle tolerance) counting as
// inside the sheets on both sides: the 1:1 000 000 series first, then the 1:200 000 series; in a
// series the standard sheets, then the combined sheets of each kind that the sheet's belt has
// (double, then triple or quadruple), which join the sheets of a row in fixed groups from the
// west edge of their zone (1:200 000) or from zone 1 (1:1 000 000); sheets of one kind north to
// south, then west to east. Empty for a point outside the grid.
std::vector<GridSheet> SheetsHoldingPoint(double lat, double lon);

// A box of the grid: its south and north latitudes (south <= north) and its extent eastward from
// its west longitude, `west` in [0, 360) and `width` in [0, 360].
struct GridBox {
  double south = 0.0;
  double north = 0.0;
  double west = 0.0;
  double width = 0.0;
};

// The box from its west and east edges as a person gives them: a box whose east edge lies west of
// its west edge crosses the 180th meridian eastward (west 179, east -179 spans 2 degrees), and
// two different longitudes of one meridian (0 and 360) span the whole circle.
GridBox BoxBetween(double south, double west, double north, double east);

// The standard sheets of the series that cover part of the box, north to
// south, then west to east. A sheet counts when it shares more than the angle tolerance with the
// box in both directions; where the box is a line or a point in a direction (no wider than the
// tolerance), a sheet counts when it holds it, on both sides of an edge as for a point.
std::vector<GridSheet> SheetsCoveringBox(const GridBox& box, Series series);

}  // namespace mapbasis
