// The national sheet grid: the facts every part of the program names sheets by.
//
// Belts of 4 degrees of latitude are counted southward from 88 N (0 = V .. 12 = J), zones of 6
// degrees of longitude are numbered 1..60 (zone 31 starts at 0, zone 60 at 174, zone 1 at 180).
// A 1:1 000 000 sheet is one belt by one zone; it is cut into 6 x 6 sheets of the 1:200 000
// series, 40' tall and 1 degree wide, numbered 1..36 row by row from the north-west and written
// as Roman numerals.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mapbasis {

// The letters of belts 0..12, from the north.
inline constexpr std::string_view kBeltLetters = "VUTSRQPONMLKJ";

// The letter of a belt; '?' for a belt outside 0..12, which has none.
char BeltLetter(std::int32_t belt);

// The belt of a letter of the table, in either case; -1 for any other character.
std::int32_t BeltOfLetter(char c);

// Sub-row (0 = northernmost) and column (0 = westernmost) of a 1:200 000 sheet within its
// 1:1 000 000 sheet, and back.
struct SheetRowColumn {
  std::int32_t row = 0;
  std::int32_t column = 0;
};
SheetRowColumn RowColumnOfSheet(std::int32_t sheet);
std::int32_t SheetOfRowColumn(SheetRowColumn at);

// The extent of one sheet of a series: 6 x 4 degrees in the 1:1 000 000 series (MillionSeries not
// 0), 1 degree x 40' in the 1:200 000 series.
struct SheetSize {
  double width = 0.0;   // degrees of longitude
  double height = 0.0;  // degrees of latitude
};
SheetSize SeriesSheetSize(std::int32_t MillionSeries);

// Roman numeral of a sheet number: as many X as tens, then the units (9 -> IX, 36 -> XXXVI).
// Empty for a number below 1.
std::string RomanNumeral(std::int32_t n);

// The sheet number 1..36 that a Roman numeral writes; 0 when it writes none of them.
std::int32_t SheetOfRomanNumeral(std::string_view numeral);

}  // namespace mapbasis
