// Sheet names in the national sheet grid (P-47-XXXVI, R-47,48, P-47-VI,48-I) and the stepping to
// the four neighbouring sheets.
#pragma once

#include <cstdint>
#include <string>

namespace mapbasis {

// Direction codes of a neighbour. Only the sign and whether the magnitude is 1 matter: magnitude 1
// is a step along the row (positive = east), anything else a step along the column (positive =
// north).
inline constexpr std::int32_t kWest = -1;
inline constexpr std::int32_t kEast = 1;
inline constexpr std::int32_t kNorth = 2;
inline constexpr std::int32_t kSouth = -2;

// A 1:200 000 sheet position within the grid.
struct ZoneSheet {
  std::int32_t Zone = 0;
  std::int32_t SheetNo = 0;
};
struct BeltSheet {
  std::int32_t Belt = 0;
  std::int32_t SheetNo = 0;
};

// The next zone east (1 after 60) and west (60 before 1).
std::int32_t ZoneEast(std::int32_t zone);
std::int32_t ZoneWest(std::int32_t zone);

// The 1:200 000 sheet one column east or west, in the same sub-row (crossing into the next zone).
ZoneSheet EastWestNeighbour200k(bool east, std::int32_t zone, std::int32_t sheet);

// The 1:200 000 sheet one sub-row north or south, in the same column and zone (crossing into the
// next belt).
BeltSheet NorthSouthNeighbour200k(bool north, std::int32_t belt, std::int32_t sheet);

// The name of a sheet, e.g. U-33, R-60,01, P-47-I,II, P-47-VI,48-I. The zone is always two digits.
// A belt outside 0..12 has no letter and is written as "?"; the program never asks for one.
std::string SheetNameOf(std::int32_t MillionSeries, std::int32_t Belt, std::int32_t Zone,
                        std::int32_t SheetNo, std::int32_t ExtraSheets);

// The name of the neighbouring sheet in a direction: a sheet of the same series and the same
// combined kind. The neighbour east of a combined sheet lies beyond its easternmost member.
std::string AdjacentSheetName(std::int32_t direction, std::int32_t MillionSeries, std::int32_t Belt,
                              std::int32_t Zone, std::int32_t SheetNo, std::int32_t ExtraSheets);

}  // namespace mapbasis
