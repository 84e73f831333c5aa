#include "geometry/nomenclature.h"

#include <string>

#include <gtest/gtest.h>

namespace mapbasis {
namespace {

TEST(Nomenclature, NamesOfSingleAndCombinedSheets) {
  struct Case {
    std::int32_t series, belt, zone, sheet, extra;
    const char* name;
  } const cases[] = {
      {1, 1, 33, 0, 0, "U-33"},
      {1, 6, 1, 0, 0, "P-01"},
      {1, 1, 2, 0, 0, "U-02"},
      {1, 4, 47, 0, 1, "R-47,48"},
      {1, 2, 45, 0, 3, "T-45,46,47,48"},
      {1, 4, 60, 0, 1, "R-60,01"},
      {0, 6, 47, 36, 0, "P-47-XXXVI"},
      {0, 8, 37, 14, 0, "N-37-XIV"},
      {0, 6, 47, 9, 0, "P-47-IX"},
      {0, 6, 47, 1, 1, "P-47-I,II"},
      {0, 2, 47, 4, 2, "T-47-IV,V,VI"},
      {0, 6, 47, 6, 1, "P-47-VI,48-I"},
      {0, 1, 60, 36, 1, "U-60-XXXVI,01-XXXI"},
      {0, 0, 47, 31, 0, "V-47-XXXI"},
      {0, 12, 47, 1, 0, "J-47-I"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SheetNameOf(c.series, c.belt, c.zone, c.sheet, c.extra), c.name);
  }
}

TEST(Nomenclature, ZoneAndSheetStepping) {
  EXPECT_EQ(ZoneEast(59), 60);
  EXPECT_EQ(ZoneEast(60), 1);
  EXPECT_EQ(ZoneWest(1), 60);
  EXPECT_EQ(ZoneWest(33), 32);

  auto x = EastWestNeighbour200k(true, 47, 36);
  EXPECT_EQ(x.Zone, 48);
  EXPECT_EQ(x.SheetNo, 31);
  x = EastWestNeighbour200k(false, 1, 1);
  EXPECT_EQ(x.Zone, 60);
  EXPECT_EQ(x.SheetNo, 6);
  x = EastWestNeighbour200k(true, 47, 14);
  EXPECT_EQ(x.Zone, 47);
  EXPECT_EQ(x.SheetNo, 15);

  auto y = NorthSouthNeighbour200k(true, 6, 3);
  EXPECT_EQ(y.Belt, 5);
  EXPECT_EQ(y.SheetNo, 33);
  y = NorthSouthNeighbour200k(false, 6, 36);
  EXPECT_EQ(y.Belt, 7);
  EXPECT_EQ(y.SheetNo, 6);
  y = NorthSouthNeighbour200k(false, 6, 14);
  EXPECT_EQ(y.Belt, 6);
  EXPECT_EQ(y.SheetNo, 20);
}

struct Neighbours {
  std::string west, east, north, south;
};

void ExpectNeighbours(std::int32_t series, std::int32_t belt, std::int32_t zone, std::int32_t sheet,
                      std::int32_t extra, const Neighbours& n) {
  SCOPED_TRACE(SheetNameOf(series, belt, zone, sheet, extra));
  EXPECT_EQ(AdjacentSheetName(kWest, series, belt, zone, sheet, extra), n.west);
  EXPECT_EQ(AdjacentSheetName(kEast, series, belt, zone, sheet, extra), n.east);
  EXPECT_EQ(AdjacentSheetName(kNorth, series, belt, zone, sheet, extra), n.north);
  EXPECT_EQ(AdjacentSheetName(kSouth, series, belt, zone, sheet, extra), n.south);
}

TEST(Nomenclature, Neighbours) {
  ExpectNeighbours(1, 1, 60, 0, 0, {"U-59", "U-01", "V-60", "T-60"});
  ExpectNeighbours(1, 3, 47, 0, 1, {"S-45,46", "S-49,50", "T-47,48", "R-47,48"});
  ExpectNeighbours(0, 6, 47, 36, 0, {"P-47-XXXV", "P-48-XXXI", "P-47-XXX", "O-47-VI"});
  ExpectNeighbours(0, 8, 37, 14, 0, {"N-37-XIII", "N-37-XV", "N-37-VIII", "N-37-XX"});
  ExpectNeighbours(0, 6, 1, 1, 0, {"P-60-VI", "P-01-II", "Q-01-XXXI", "P-01-VII"});
  ExpectNeighbours(0, 2, 47, 4, 2,
                   {"T-47-I,II,III", "T-48-I,II,III", "U-47-XXXIV,XXXV,XXXVI", "T-47-X,XI,XII"});
  // The south neighbour of a sheet in the southernmost row of belt K lies in belt J.
  ExpectNeighbours(0, 11, 37, 33, 0, {"K-37-XXXII", "K-37-XXXIV", "K-37-XXVII", "J-37-III"});
  ExpectNeighbours(1, 11, 37, 0, 0, {"K-36", "K-38", "L-37", "J-37"});
}

// Every sheet of N-37, counted in rows of six from the north-west: the steps across its rows and
// columns, and out of it into N-36, N-38, O-37 and M-37 on each side.
TEST(Nomenclature, NeighboursOfAllThirtySixSheets) {
  const auto sheet = [](const char* million, int n) {
    const char* const ones[] = {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX"};
    return std::string(million) + "-" + std::string(n / 10, 'X') + ones[n % 10];
  };
  for (int n = 1; n <= 36; ++n) {
    const bool west = n % 6 == 1, east = n % 6 == 0, north = n <= 6, south = n > 30;
    ExpectNeighbours(0, 8, 37, n, 0,
                     {west ? sheet("N-36", n + 5) : sheet("N-37", n - 1),
                      east ? sheet("N-38", n - 5) : sheet("N-37", n + 1),
                      north ? sheet("O-37", n + 30) : sheet("N-37", n - 6),
                      south ? sheet("M-37", n - 30) : sheet("N-37", n + 6)});
  }
}

TEST(Nomenclature, DirectionCodesCountOnlyBySignAndMagnitudeOne) {
  EXPECT_EQ(AdjacentSheetName(5, 1, 8, 37, 0, 0), "O-37");  // vertical, positive: north
  EXPECT_EQ(AdjacentSheetName(-7, 1, 8, 37, 0, 0), "M-37");
}

}  // namespace
}  // namespace mapbasis
