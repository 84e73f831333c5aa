#include "geometry/sheet_finder.h"

#include <algorithm>
#include <cmath>

#include "core/angle_tolerance.h"
#include "geometry/sheet_trapezoid.h"

namespace mapbasis {

namespace {

// Whether the extent [lo, hi] of a sheet takes part in the extent [a, b] of the box. A box no
// wider than the tolerance is a line or a point there, and a sheet takes part when it holds it.
bool TakesPart(double lo, double hi, double a, double b) {
  if (b - a <= kAngleTolerance) {
    return (a > lo || AnglesEqual(a, lo)) && (b < hi || AnglesEqual(b, hi));
  }
  return std::min(b, hi) - std::max(a, lo) > kAngleTolerance;
}

// Whether the longitudes [west, east] of a sheet take part in the box, whose east edge may lie
// beyond 360: the sheet is looked for where it lies and one turn further east.
bool TakesPartInLongitude(double west, double east, const GridBox& box) {
  const double a = box.west;
  const double b = box.west + box.width;
  return TakesPart(west, east, a, b) || TakesPart(west + 360.0, east + 360.0, a, b);
}

// The belt of a latitude, clamped to the belts of the grid.
std::int32_t BeltAt(double lat) {
  const double belt = std::floor((BeltNorthEdge(0) - lat) / kBeltHeight);
  return static_cast<std::int32_t>(
      std::clamp(belt, static_cast<double>(kNorthernBelt), static_cast<double>(kSouthernBelt)));
}

// The standard sheet holding a standard sheet's place in a combined sheet of `extra` joined
// sheets: the combined sheets of a row are fixed groups, counted from zone 1 in the 1:1 000 000
// series and from the west edge of the zone in the 1:200 000 series (whose rows of six divide
// into groups of two and three).
GridSheet CombinedSheetOf(const GridSheet& sheet, std::int32_t joined) {
  const std::int32_t members = joined + 1;
  GridSheet combined = sheet;
  combined.joined = joined;
  if (sheet.series == Series::k1000000) {
    combined.zone = sheet.zone - (sheet.zone - 1) % members;
  } else {
    LatticePlace at = PlaceOf(sheet);
    at.column -= at.column % members;
    combined.number = NumberAt(sheet.series, at);
  }
  return combined;
}

void SortNorthToSouthWestToEast(std::vector<GridSheet>& sheets) {
  std::stable_sort(sheets.begin(), sheets.end(), [](const GridSheet& a, const GridSheet& b) {
    const BaseParameters ta = ComputeBaseTrapezoid(a);
    const BaseParameters tb = ComputeBaseTrapezoid(b);
    if (ta.BaseNorth != tb.BaseNorth) return ta.BaseNorth > tb.BaseNorth;
    return ta.BaseWest < tb.BaseWest;
  });
}

}  // namespace

double EastLongitude(double lon) {
  double east = std::fmod(lon, 360.0);
  if (east < 0.0) east += 360.0;
  return east >= 360.0 ? 0.0 : east;
}

bool IsInSheetGrid(double lat, double lon) {
  const auto within = [](double v, double lo, double hi) {
    return (v > lo || AnglesEqual(v, lo)) && (v < hi || AnglesEqual(v, hi));
  };
  return within(lat, kGridSouth, kGridNorth) && within(lon, kGridWest, kGridEast);
}

GridBox BoxBetween(double south, double west, double north, double east) {
  GridBox box{south, north, EastLongitude(west), 0.0};
  box.width = EastLongitude(east) - box.west;
  if (box.width < 0.0) box.width += 360.0;
  if (box.width == 0.0 && west != east) box.width = 360.0;
  return box;
}

std::vector<GridSheet> SheetsCoveringBox(const GridBox& box, Series series) {
  std::vector<GridSheet> sheets;
  const std::int32_t firstBelt = BeltAt(box.north + kAngleTolerance);
  const std::int32_t lastBelt = BeltAt(box.south - kAngleTolerance);
  for (std::int32_t belt = firstBelt; belt <= lastBelt; ++belt) {
    for (const std::int32_t zone : GridZones()) {
      // The whole 1:1 000 000 sheet first: the sheets it is cut into lie within it.
      const GridSheet cell{Series::k1000000, belt, zone, 0, 0};
      const BaseParameters edges = ComputeBaseTrapezoid(cell);
      if (!TakesPart(edges.BaseSouth, edges.BaseNorth, box.south, box.north) ||
          !TakesPartInLongitude(edges.BaseWest, edges.BaseEast, box)) {
        continue;
      }
      if (series == Series::k1000000) {
        sheets.push_back(cell);
        continue;
      }
      for (std::int32_t number = 1; number <= SheetsPerMillionSheet(series); ++number) {
        const GridSheet sheet{series, belt, zone, number, 0};
        const BaseParameters t = ComputeBaseTrapezoid(sheet);
        if (TakesPart(t.BaseSouth, t.BaseNorth, box.south, box.north) &&
            TakesPartInLongitude(t.BaseWest, t.BaseEast, box)) {
          sheets.push_back(sheet);
        }
      }
    }
  }
  SortNorthToSouthWestToEast(sheets);
  return sheets;
}

std::vector<GridSheet> SheetsHoldingPoint(double lat, double lon) {
  std::vector<GridSheet> found;
  if (!IsInSheetGrid(lat, lon)) return found;
  const GridBox point{lat, lat, lon, 0.0};
  for (const Series series : {Series::k1000000, Series::k200000}) {
    const std::vector<GridSheet> standard = SheetsCoveringBox(point, series);
    found.insert(found.end(), standard.begin(), standard.end());
    // The combined kinds of the belts the point lies in, smallest first.
    std::vector<std::int32_t> kinds;
    for (const GridSheet& sheet : standard) {
      for (const std::int32_t kind : OfferedSheetKinds(series, sheet.belt)) {
        if (kind > 0 && std::find(kinds.begin(), kinds.end(), kind) == kinds.end()) {
          kinds.push_back(kind);
        }
      }
    }
    std::sort(kinds.begin(), kinds.end());
    for (const std::int32_t kind : kinds) {
      std::vector<GridSheet> combined;
      for (const GridSheet& sheet : standard) {
        if (!IsKindOffered(series, sheet.belt, kind)) continue;
        const GridSheet group = CombinedSheetOf(sheet, kind);
        if (std::find(combined.begin(), combined.end(), group) == combined.end()) {
          combined.push_back(group);
        }
      }
      SortNorthToSouthWestToEast(combined);
      found.insert(found.end(), combined.begin(), combined.end());
    }
  }
  return found;
}

}  // namespace mapbasis
