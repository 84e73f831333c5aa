// Finding sheets by place: the sheets of the grid that hold a point, and the sheets of a series
// that cover a box of latitudes and longitudes.
//
// The grid that sheets are named in is belts U..K (40..84 N) by zones 33..60 and 1..2 (12 E to
// 168 W, held as east longitudes 12..192): the rows and columns the parameter dialog offers and a
// sheet name may carry. Points are given in the program's longitudes, east in 0..360.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mapbasis {

// The part of the grid that sheets are named in.
inline constexpr std::int32_t kFirstNamedBelt = 1;  // U, 80..84 N
inline constexpr std::int32_t kLastNamedBelt = 11;  // K, 40..44 N
inline constexpr double kGridSouth = 40.0;
inline constexpr double kGridNorth = 84.0;
inline constexpr double kGridWest = 12.0;   // the west edge of zone 33
inline constexpr double kGridEast = 192.0;  // the east edge of zone 2, 168 W

// Whether a zone is one that sheets are named in: 1, 2 or 33..60.
bool IsNamedZone(std::int32_t zone);

// A sheet by its place in the grid, as SheetNameOf and ComputeBaseTrapezoid take it. A combined
// sheet is named and placed by its westernmost member.
struct GridSheet {
  std::int32_t MillionSeries = 0;
  std::int32_t Belt = 0;
  std::int32_t Zone = 0;
  std::int32_t SheetNo = 0;
  std::int32_t ExtraSheets = 0;
  bool operator==(const GridSheet&) const = default;
};

// The name of the sheet as a parameter file's Nom takes it: N-37, N-37-II, and for a combined
// sheet its westernmost member with the mark of the joined sheets, T-45(4), P-47-I(2).
std::string NomTextOf(const GridSheet& sheet);

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

// The standard sheets of the series (MillionSeries 1 or 0) that cover part of the box, north to
// south, then west to east. A sheet counts when it shares more than the angle tolerance with the
// box in both directions; where the box is a line or a point in a direction (no wider than the
// tolerance), a sheet counts when it holds it, on both sides of an edge as for a point.
std::vector<GridSheet> SheetsCoveringBox(const GridBox& box, std::int32_t MillionSeries);

}  // namespace mapbasis
