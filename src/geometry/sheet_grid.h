// The national sheet grid: which sheets there are, where they lie, how they step to their
// neighbours and how their names are written. Every other part of the program asks this one.
//
// Belts of 4 degrees of latitude are counted southward from 88 N: 0 = V (84..88 N) .. 12 = J
// (36..40 N); the letter is that of the row of the international map, lettered from A at the
// equator. Zones of 6 degrees of longitude are numbered 1..60 eastward from the 180th meridian.
// Longitudes are held east, 0..360: zone 31 starts at 0, zone 60 at 174, zone 1 at 180 and zone 2
// at 186 (174 W); an east edge is never reduced, so that zone 2 ends at 192 (168 W). The program
// makes the sheets of belts U to K and of zones 33 to 60, 1 and 2: 40..84 N, 12 E..168 W.
//
// A series cuts each 1:1 000 000 sheet (one belt by one zone) into a lattice of sheets, numbered
// row by row from the north-west corner: the 1:1 000 000 series is that sheet alone and has no
// number, the 1:200 000 series has 6 x 6 sheets of 40' by 1 degree, numbered 1..36 and written in
// Roman numerals. A combined sheet joins 1..3 further sheets of its row eastward and is named and
// placed by its westernmost member.
//
// The finer series of the same grid are lattices of the same kind, each another row of the series
// table with its own way of writing its numbers: 1:500 000 (2 x 2, N-37-А..Г), 1:100 000
// (12 x 12, N-37-1..144), 1:50 000 (24 x 24, N-37-144-А..Г), 1:25 000 (48 x 48, N-37-144-А-а..г).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/sheet_parameters.h"

namespace mapbasis {

// ---------------------------------------------------------------------------------------------
// Belts and zones

inline constexpr std::int32_t kBeltHeight = 4;  // degrees of latitude
inline constexpr std::int32_t kZoneWidth = 6;   // degrees of longitude
inline constexpr std::int32_t kZoneCount = 60;  // zone 60 ends at the 180th meridian

// The north edge of a belt, 88 - 4 * belt.
constexpr std::int32_t BeltNorthEdge(std::int32_t belt) { return 88 - kBeltHeight * belt; }

// The west edge of a zone in 0..360: 6 * zone + 174, less a turn from zone 31 on.
constexpr std::int32_t ZoneWestEdge(std::int32_t zone) {
  const std::int32_t west = kZoneWidth * zone + 174;
  return west >= 360 ? west - 360 : west;
}

// The belts and zones the program makes sheets of: rows U to K, and the zones from 33 eastward
// across the 180th meridian to 2.
inline constexpr std::int32_t kNorthernBelt = 1;   // U, 80..84 N
inline constexpr std::int32_t kSouthernBelt = 11;  // K, 40..44 N
inline constexpr std::int32_t kWesternZone = 33;   // 12..18 E
inline constexpr std::int32_t kEasternZone = 2;    // 174..168 W

// The extent of those sheets, in the program's longitudes.
inline constexpr double kGridNorth = BeltNorthEdge(kNorthernBelt);                // 84
inline constexpr double kGridSouth = BeltNorthEdge(kSouthernBelt) - kBeltHeight;  // 40
inline constexpr double kGridWest = ZoneWestEdge(kWesternZone);                   // 12
inline constexpr double kGridEast = ZoneWestEdge(kEasternZone) + kZoneWidth;      // 192

// Whether the program makes sheets of the belt, or of the zone.
bool IsGridBelt(std::int32_t belt);
bool IsGridZone(std::int32_t zone);

// Those belts north to south (U..K), and those zones west to east (33..60, 1, 2).
std::span<const std::int32_t> GridBelts();
std::span<const std::int32_t> GridZones();

// The next zone east (1 after 60) and west (60 before 1).
std::int32_t ZoneEast(std::int32_t zone);
std::int32_t ZoneWest(std::int32_t zone);

// The letter of a belt 0..12 (V..J); '?' for any other belt, which has none.
char BeltLetter(std::int32_t belt);

// The belt of a letter V..J, in either case; -1 for any other character.
std::int32_t BeltOfLetter(char c);

// Whether the character is a row letter of the international map, A (0..4 N) to V (84..88 N),
// a capital: a sheet of those rows that is not of belts U..K lies outside the program's grid.
bool IsWorldRowLetter(char c);

// The zone in two digits: 01 .. 60.
std::string ZoneText(std::int32_t zone);

// The grid's extent as messages name it, in this order: its rows south and north (K, U), its
// first zone and the last before the 180th meridian (33, 60), and the two zones beyond it (01,
// 02).
std::array<std::string, 6> GridExtentNames();

// ---------------------------------------------------------------------------------------------
// Series

enum class Series { k1000000, k200000 };

// The series of the record's MillionSeries (1 or, for any value but 0, the 1:1 000 000 series;
// 0 the 1:200 000 series), and back.
Series SeriesOfRecord(std::int32_t MillionSeries);
std::int32_t MillionSeriesOf(Series series);

// "1:1 000 000", "1:200 000": the series as messages name it.
std::string_view SeriesScaleText(Series series);

// The sheets of the series in one 1:1 000 000 sheet: 1 and 36.
std::int32_t SheetsPerMillionSheet(Series series);

// The extent of one sheet of the series: 6 x 4 degrees, 1 degree x 40'.
struct SheetSize {
  double width = 0.0;   // degrees of longitude
  double height = 0.0;  // degrees of latitude
};
SheetSize SeriesSheetSize(Series series);

// ---------------------------------------------------------------------------------------------
// Sheets

// A sheet by its place in the grid. `number` is its place in the lattice of its series, 1..36 in
// the 1:200 000 series, 0 in the 1:1 000 000 series, which has none. A combined sheet joins
// `joined` further sheets of its row eastward and is named and placed by its westernmost member.
struct GridSheet {
  Series series = Series::k200000;
  std::int32_t belt = 0;    // 0 = V .. 12 = J
  std::int32_t zone = 0;    // 1..60
  std::int32_t number = 0;  // place in the lattice of the series, from 1; 0 where it has none
  std::int32_t joined = 0;  // sheets joined eastward: 0 standard .. 3 quadruple
  bool operator==(const GridSheet&) const = default;
};

// The sheet of the record's MillionSeries, Belt, Zone, SheetNo and ExtraSheets (the SheetNo of a
// 1:1 000 000 sheet, which has none, is not taken), and the record's fields of a sheet.
GridSheet GridSheetOf(const SheetNumbers& p);
void StoreGridSheet(const GridSheet& sheet, SheetNumbers& p);

// Row (0 = northernmost) and column (0 = westernmost) of a sheet in the lattice of its series
// within its 1:1 000 000 sheet, and the number of a place; a series of one sheet has only (0, 0).
struct LatticePlace {
  std::int32_t row = 0;
  std::int32_t column = 0;
};
LatticePlace PlaceOf(const GridSheet& sheet);
std::int32_t NumberAt(Series series, LatticePlace place);

// The sheet of the same series and kind one sheet east, west, north or south: into the next zone
// where the lattice ends along the row, into the next belt where it ends along the column.
GridSheet StepEast(GridSheet sheet);
GridSheet StepWest(GridSheet sheet);
GridSheet StepNorth(GridSheet sheet);
GridSheet StepSouth(GridSheet sheet);

// Direction codes of a neighbour. Only the sign and whether the magnitude is 1 matter: magnitude 1
// is a step along the row (positive = east), anything else a step along the column (positive =
// north).
inline constexpr std::int32_t kWest = -1;
inline constexpr std::int32_t kEast = 1;
inline constexpr std::int32_t kNorth = 2;
inline constexpr std::int32_t kSouth = -2;

// The neighbouring sheet in a direction, of the same series and kind: the neighbour east of a
// combined sheet lies beyond its easternmost member, the one west of it is as wide.
GridSheet AdjacentSheet(std::int32_t direction, const GridSheet& sheet);

// ---------------------------------------------------------------------------------------------
// Combined sheets

// The combined kinds (numbers of joined sheets) the parameter dialog offers for a sheet of the
// series in the belt, in its order: far north (V, U, T) up to three sheets, the 1:1 000 000 series
// four instead; 64..76 N (S, R, Q) two; south of 64 N only one.
std::span<const std::int32_t> OfferedSheetKinds(Series series, std::int32_t belt);
bool IsKindOffered(Series series, std::int32_t belt, std::int32_t joined);

// Whether the program writes the names of combined sheets of the kind in the belt for the sheets
// it offers: the kinds the belt offers, and those of the belt to its north, whose sheets name
// their southern neighbours with their own kind (P-47-I,II below Q-47-XXXI,XXXII).
bool IsKindNamedInBelt(Series series, std::int32_t belt, std::int32_t joined);

// The dialog's name of a kind (cp1251), padded with inner blanks to 17 characters; the double and
// quadruple names begin with the Latin capital C.
std::string_view SheetKindText(std::int32_t joined);

// ---------------------------------------------------------------------------------------------
// Names

// Roman numeral of a number: as many X as tens, then the units (9 -> IX, 36 -> XXXVI). Empty for
// a number below 1.
std::string RomanNumeral(std::int32_t n);

// The 1:200 000 sheet number 1..36 that a Roman numeral writes; 0 when it writes none of them.
std::int32_t SheetOfRomanNumeral(std::string_view numeral);

// The sheet's number as its name writes it: XIV; empty in a series without numbers.
std::string SheetNumberText(Series series, std::int32_t number);

// The name as the frame, the layers and the dialogs write it: U-33, R-60,01, T-45,46,47,48,
// P-47-XXXVI, P-47-I,II, P-47-VI,48-I. A belt outside 0..12 has no letter and is written "?".
std::string SheetNameOf(const GridSheet& sheet);

// The name as a parameter file's Nom takes it and --find prints it: N-37, N-37-II, and a combined
// sheet as its westernmost member with the mark of the sheets it counts, T-45(4), P-47-I(2).
std::string NomTextOf(const GridSheet& sheet);

}  // namespace mapbasis
