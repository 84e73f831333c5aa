#include "geometry/sheet_grid.h"

#include <gtest/gtest.h>

namespace mapbasis {
namespace {

TEST(SheetGrid, RomanNumeralsWriteAndReadTheSheetNumbers) {
  const struct {
    std::int32_t n;
    const char* numeral;
  } cases[] = {{1, "I"},   {4, "IV"},      {9, "IX"},     {14, "XIV"},
               {20, "XX"}, {28, "XXVIII"}, {36, "XXXVI"}, {40, "XXXX"}};
  for (const auto& c : cases) EXPECT_EQ(RomanNumeral(c.n), c.numeral) << c.n;

  // Every sheet number reads back from its numeral; nothing else is a sheet number.
  for (std::int32_t sheet = 1; sheet <= 36; ++sheet) {
    EXPECT_EQ(SheetOfRomanNumeral(RomanNumeral(sheet)), sheet);
  }
  for (const char* other : {"", "IIII", "XXXVII", "XXXX", "VV", "xiv", "XIV "}) {
    EXPECT_EQ(SheetOfRomanNumeral(other), 0) << other;
  }
}

TEST(SheetGrid, BeltsRowsAndSheetSizes) {
  EXPECT_EQ(BeltLetter(0), 'V');
  EXPECT_EQ(BeltLetter(8), 'N');
  EXPECT_EQ(BeltLetter(12), 'J');
  EXPECT_EQ(BeltLetter(13), '?');
  EXPECT_EQ(BeltLetter(-1), '?');
  EXPECT_EQ(BeltOfLetter('n'), 8);
  EXPECT_EQ(BeltOfLetter('J'), 12);
  EXPECT_EQ(BeltOfLetter('A'), -1);

  // Sheet 1 is the north-west corner, 6 the north-east, 36 the south-east.
  for (std::int32_t sheet = 1; sheet <= 36; ++sheet) {
    const SheetRowColumn at = RowColumnOfSheet(sheet);
    EXPECT_EQ(at.row, (sheet - 1) / 6);
    EXPECT_EQ(at.column, (sheet - 1) % 6);
    EXPECT_EQ(SheetOfRowColumn(at), sheet);
  }
  EXPECT_EQ(SeriesSheetSize(1).width, 6.0);
  EXPECT_EQ(SeriesSheetSize(1).height, 4.0);
  EXPECT_EQ(SeriesSheetSize(0).width, 1.0);
  EXPECT_EQ(SeriesSheetSize(0).height, 2.0 / 3.0);
}

}  // namespace
}  // namespace mapbasis
