#include "geometry/sheet_grid.h"

namespace mapbasis {

namespace {

// The units digit as the Roman numeral writes it; the tens are as many X.
constexpr std::string_view kUnits[10] = {"",  "I",  "II",  "III",  "IV",
                                         "V", "VI", "VII", "VIII", "IX"};

constexpr std::int32_t kSheetsPerRow = 6;
constexpr std::int32_t kLastSheet = 36;

}  // namespace

char BeltLetter(std::int32_t belt) {
  if (belt < 0 || belt >= static_cast<std::int32_t>(kBeltLetters.size())) return '?';
  return kBeltLetters[static_cast<std::size_t>(belt)];
}

std::int32_t BeltOfLetter(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  const auto at = kBeltLetters.find(c);
  return at == std::string_view::npos ? -1 : static_cast<std::int32_t>(at);
}

SheetRowColumn RowColumnOfSheet(std::int32_t sheet) {
  const std::int32_t row = (sheet - 1) / kSheetsPerRow;
  return {row, sheet - kSheetsPerRow * row - 1};
}

std::int32_t SheetOfRowColumn(SheetRowColumn at) { return kSheetsPerRow * at.row + at.column + 1; }

SheetSize SeriesSheetSize(std::int32_t MillionSeries) {
  if (MillionSeries != 0) return {6.0, 4.0};
  return {1.0, 2.0 / 3.0};
}

std::string RomanNumeral(std::int32_t n) {
  if (n <= 0) return {};
  return std::string(static_cast<std::size_t>(n / 10), 'X') + std::string(kUnits[n % 10]);
}

std::int32_t SheetOfRomanNumeral(std::string_view numeral) {
  for (std::int32_t sheet = 1; sheet <= kLastSheet; ++sheet) {
    if (RomanNumeral(sheet) == numeral) return sheet;
  }
  return 0;
}

}  // namespace mapbasis
