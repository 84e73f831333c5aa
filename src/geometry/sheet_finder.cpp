#include "geometry/sheet_finder.h"

#include <algorithm>
#include <cmath>

#include "core/angle_tolerance.h"
#include "geometry/nomenclature.h"
#include "geometry/sheet_grid.h"
#include "geometry/sheet_trapezoid.h"

namespace mapbasis {

namespace {

constexpr double kBeltHeight = 4.0;
constexpr double kGridTop = 88.0;  // the north edge of belt 0 (V)
constexpr std::int32_t kSheetsPerZone = 36;

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

// The belt of a latitude, clamped to the named belts.
std::int32_t BeltAt(double lat) {
  const double belt = std::floor((kGridTop - lat) / kBeltHeight);
  return static_cast<std::int32_t>(
      std::clamp(belt, static_cast<double>(kFirstNamedBelt), static_cast<double>(kLastNamedBelt)));
}

// The standard sheet holding a standard sheet's place in a combined sheet of `extra` joined
// sheets: the combined sheets of a row are fixed groups, counted from zone 1 in the 1:1 000 000
// series and from the west edge of the zone in the 1:200 000 series (whose rows of six divide
// into groups of two and three).
GridSheet CombinedSheetOf(const GridSheet& sheet, std::int32_t extra) {
  const std::int32_t members = extra + 1;
  GridSheet combined = sheet;
  combined.ExtraSheets = extra;
  if (sheet.MillionSeries != 0) {
    combined.Zone = sheet.Zone - (sheet.Zone - 1) % members;
  } else {
    SheetRowColumn at = RowColumnOfSheet(sheet.SheetNo);
    at.column -= at.column % members;
    combined.SheetNo = SheetOfRowColumn(at);
  }
  return combined;
}

void SortNorthToSouthWestToEast(std::vector<GridSheet>& sheets) {
  std::stable_sort(sheets.begin(), sheets.end(), [](const GridSheet& a, const GridSheet& b) {
    const BaseParameters ta =
        ComputeBaseTrapezoid(a.MillionSeries, a.Belt, a.Zone, a.SheetNo, a.ExtraSheets);
    const BaseParameters tb =
        ComputeBaseTrapezoid(b.MillionSeries, b.Belt, b.Zone, b.SheetNo, b.ExtraSheets);
    if (ta.BaseNorth != tb.BaseNorth) return ta.BaseNorth > tb.BaseNorth;
    return ta.BaseWest < tb.BaseWest;
  });
}

}  // namespace

bool IsNamedZone(std::int32_t zone) { return zone == 1 || zone == 2 || (zone >= 33 && zone <= 60); }

std::string NomTextOf(const GridSheet& sheet) {
  std::string text = SheetNameOf(sheet.MillionSeries, sheet.Belt, sheet.Zone, sheet.SheetNo, 0);
  if (sheet.ExtraSheets > 0) text += "(" + std::to_string(sheet.ExtraSheets + 1) + ")";
  return text;
}

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

std::vector<GridSheet> SheetsCoveringBox(const GridBox& box, std::int32_t MillionSeries) {
  const std::int32_t series = MillionSeries != 0 ? 1 : 0;
  std::vector<GridSheet> sheets;
  const std::int32_t firstBelt = BeltAt(box.north + kAngleTolerance);
  const std::int32_t lastBelt = BeltAt(box.south - kAngleTolerance);
  for (std::int32_t belt = firstBelt; belt <= lastBelt; ++belt) {
    for (std::int32_t zone = 1; zone <= 60; ++zone) {
      if (!IsNamedZone(zone)) continue;
      // The whole 1:1 000 000 sheet first: the sheets it is cut into lie within it.
      const BaseParameters cell = ComputeBaseTrapezoid(1, belt, zone, 0, 0);
      if (!TakesPart(cell.BaseSouth, cell.BaseNorth, box.south, box.north) ||
          !TakesPartInLongitude(cell.BaseWest, cell.BaseEast, box)) {
        continue;
      }
      if (series != 0) {
        sheets.push_back({1, belt, zone, 0, 0});
        continue;
      }
      for (std::int32_t sheet = 1; sheet <= kSheetsPerZone; ++sheet) {
        const BaseParameters t = ComputeBaseTrapezoid(0, belt, zone, sheet, 0);
        if (TakesPart(t.BaseSouth, t.BaseNorth, box.south, box.north) &&
            TakesPartInLongitude(t.BaseWest, t.BaseEast, box)) {
          sheets.push_back({0, belt, zone, sheet, 0});
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
  for (const std::int32_t series : {1, 0}) {
    const std::vector<GridSheet> standard = SheetsCoveringBox(point, series);
    found.insert(found.end(), standard.begin(), standard.end());
    // The combined kinds of the belts the point lies in, smallest first.
    std::vector<std::int32_t> kinds;
    for (const GridSheet& sheet : standard) {
      for (const std::int32_t kind : OfferedSheetKinds(series, sheet.Belt)) {
        if (kind > 0 && std::find(kinds.begin(), kinds.end(), kind) == kinds.end()) {
          kinds.push_back(kind);
        }
      }
    }
    std::sort(kinds.begin(), kinds.end());
    for (const std::int32_t kind : kinds) {
      std::vector<GridSheet> combined;
      for (const GridSheet& sheet : standard) {
        const auto offered = OfferedSheetKinds(series, sheet.Belt);
        if (std::find(offered.begin(), offered.end(), kind) == offered.end()) continue;
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
