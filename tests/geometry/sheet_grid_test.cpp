#include "geometry/sheet_grid.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/cp1251.h"

namespace mapbasis {
namespace {

constexpr Series k1m = Series::k1000000;
constexpr Series k200k = Series::k200000;

TEST(SheetGrid, TheBeltsAndZonesOfTheGrid) {
  std::string letters;
  for (const std::int32_t belt : GridBelts()) letters += BeltLetter(belt);
  EXPECT_EQ(letters, "UTSRQPONMLK");
  std::vector<std::string> zones;
  for (const std::int32_t zone : GridZones()) zones.push_back(ZoneText(zone));
  EXPECT_EQ(zones,
            (std::vector<std::string>{"33", "34", "35", "36", "37", "38", "39", "40", "41", "42",
                                      "43", "44", "45", "46", "47", "48", "49", "50", "51", "52",
                                      "53", "54", "55", "56", "57", "58", "59", "60", "01", "02"}));
  for (std::int32_t zone = -1; zone <= 62; ++zone) {
    EXPECT_EQ(IsGridZone(zone), zone == 1 || zone == 2 || (zone >= 33 && zone <= 60)) << zone;
  }
  for (std::int32_t belt = -1; belt <= 13; ++belt) {
    EXPECT_EQ(IsGridBelt(belt), belt >= 1 && belt <= 11) << belt;
  }
  EXPECT_EQ(kGridSouth, 40.0);
  EXPECT_EQ(kGridNorth, 84.0);
  EXPECT_EQ(kGridWest, 12.0);
  EXPECT_EQ(kGridEast, 192.0);
  EXPECT_EQ(GridExtentNames(), (std::array<std::string, 6>{"K", "U", "33", "60", "01", "02"}));

  EXPECT_EQ(BeltLetter(0), 'V');
  EXPECT_EQ(BeltLetter(8), 'N');
  EXPECT_EQ(BeltLetter(12), 'J');
  EXPECT_EQ(BeltLetter(13), '?');
  EXPECT_EQ(BeltLetter(-1), '?');
  EXPECT_EQ(BeltOfLetter('n'), 8);
  EXPECT_EQ(BeltOfLetter('V'), 0);
  EXPECT_EQ(BeltOfLetter('J'), 12);
  EXPECT_EQ(BeltOfLetter('I'), -1);
  EXPECT_EQ(BeltOfLetter('W'), -1);
  EXPECT_TRUE(IsWorldRowLetter('A'));
  EXPECT_TRUE(IsWorldRowLetter('V'));
  EXPECT_FALSE(IsWorldRowLetter('W'));
  EXPECT_FALSE(IsWorldRowLetter('n'));

  EXPECT_EQ(ZoneEast(59), 60);
  EXPECT_EQ(ZoneEast(60), 1);
  EXPECT_EQ(ZoneWest(1), 60);
  EXPECT_EQ(ZoneWest(33), 32);
}

TEST(SheetGrid, SeriesAndTheRecord) {
  EXPECT_EQ(SheetsPerMillionSheet(k1m), 1);
  EXPECT_EQ(SheetsPerMillionSheet(k200k), 36);
  EXPECT_EQ(SeriesSheetSize(k1m).width, 6.0);
  EXPECT_EQ(SeriesSheetSize(k1m).height, 4.0);
  EXPECT_EQ(SeriesSheetSize(k200k).width, 1.0);
  EXPECT_EQ(SeriesSheetSize(k200k).height, 2.0 / 3.0);
  EXPECT_EQ(SeriesScaleText(k1m), "1:1 000 000");
  EXPECT_EQ(SeriesScaleText(k200k), "1:200 000");

  SheetNumbers p;
  StoreGridSheet({k200k, 8, 37, 14, 1}, p);
  EXPECT_EQ(std::tie(p.MillionSeries, p.Belt, p.Zone, p.SheetNo, p.ExtraSheets),
            std::tuple(0, 8, 37, 14, 1));
  EXPECT_EQ(GridSheetOf(p), (GridSheet{k200k, 8, 37, 14, 1}));
  // A 1:1 000 000 sheet has no number, whatever the record kept.
  p.MillionSeries = 1;
  EXPECT_EQ(GridSheetOf(p), (GridSheet{k1m, 8, 37, 0, 1}));

  // Sheet 1 is the north-west corner, 6 the north-east, 36 the south-east.
  for (std::int32_t number = 1; number <= 36; ++number) {
    const LatticePlace at = PlaceOf({k200k, 8, 37, number, 0});
    EXPECT_EQ(at.row, (number - 1) / 6);
    EXPECT_EQ(at.column, (number - 1) % 6);
    EXPECT_EQ(NumberAt(k200k, at), number);
  }
  EXPECT_EQ(PlaceOf({k1m, 8, 37, 0, 0}).row, 0);
  EXPECT_EQ(NumberAt(k1m, {}), 0);
}

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

TEST(SheetGrid, NamesOfSingleAndCombinedSheets) {
  const struct {
    GridSheet sheet;
    const char* name;  // as the frame and the layers write it
    const char* nom;   // as Nom takes it and --find prints it
  } cases[] = {
      {{k1m, 1, 33, 0, 0}, "U-33", "U-33"},
      {{k1m, 6, 1, 0, 0}, "P-01", "P-01"},
      {{k1m, 1, 2, 0, 0}, "U-02", "U-02"},
      {{k1m, 4, 47, 0, 1}, "R-47,48", "R-47(2)"},
      {{k1m, 2, 45, 0, 3}, "T-45,46,47,48", "T-45(4)"},
      {{k1m, 4, 60, 0, 1}, "R-60,01", "R-60(2)"},
      {{k200k, 6, 47, 36, 0}, "P-47-XXXVI", "P-47-XXXVI"},
      {{k200k, 8, 37, 14, 0}, "N-37-XIV", "N-37-XIV"},
      {{k200k, 6, 47, 9, 0}, "P-47-IX", "P-47-IX"},
      {{k200k, 6, 47, 1, 1}, "P-47-I,II", "P-47-I(2)"},
      {{k200k, 2, 47, 4, 2}, "T-47-IV,V,VI", "T-47-IV(3)"},
      {{k200k, 6, 47, 6, 1}, "P-47-VI,48-I", "P-47-VI(2)"},
      {{k200k, 1, 60, 36, 1}, "U-60-XXXVI,01-XXXI", "U-60-XXXVI(2)"},
      {{k200k, 1, 47, 5, 2}, "U-47-V,VI,48-I", "U-47-V(3)"},
      {{k200k, 0, 47, 31, 0}, "V-47-XXXI", "V-47-XXXI"},
      {{k200k, 12, 47, 1, 0}, "J-47-I", "J-47-I"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SheetNameOf(c.sheet), c.name);
    EXPECT_EQ(NomTextOf(c.sheet), c.nom);
  }
}

struct Neighbours {
  std::string west, east, north, south;
};

void ExpectNeighbours(const GridSheet& sheet, const Neighbours& n) {
  SCOPED_TRACE(SheetNameOf(sheet));
  EXPECT_EQ(SheetNameOf(AdjacentSheet(kWest, sheet)), n.west);
  EXPECT_EQ(SheetNameOf(AdjacentSheet(kEast, sheet)), n.east);
  EXPECT_EQ(SheetNameOf(AdjacentSheet(kNorth, sheet)), n.north);
  EXPECT_EQ(SheetNameOf(AdjacentSheet(kSouth, sheet)), n.south);
}

TEST(SheetGrid, Neighbours) {
  ExpectNeighbours({k1m, 1, 60, 0, 0}, {"U-59", "U-01", "V-60", "T-60"});
  ExpectNeighbours({k1m, 3, 47, 0, 1}, {"S-45,46", "S-49,50", "T-47,48", "R-47,48"});
  ExpectNeighbours({k200k, 6, 47, 36, 0}, {"P-47-XXXV", "P-48-XXXI", "P-47-XXX", "O-47-VI"});
  ExpectNeighbours({k200k, 8, 37, 14, 0}, {"N-37-XIII", "N-37-XV", "N-37-VIII", "N-37-XX"});
  ExpectNeighbours({k200k, 6, 1, 1, 0}, {"P-60-VI", "P-01-II", "Q-01-XXXI", "P-01-VII"});
  ExpectNeighbours({k200k, 2, 47, 4, 2},
                   {"T-47-I,II,III", "T-48-I,II,III", "U-47-XXXIV,XXXV,XXXVI", "T-47-X,XI,XII"});
  // The south neighbour of a double sheet of Q keeps its kind, in a row that offers none.
  ExpectNeighbours({k200k, 5, 47, 36, 1},
                   {"Q-47-XXXIV,XXXV", "Q-48-XXXII,XXXIII", "Q-47-XXX,48-XXV", "P-47-VI,48-I"});
  // The south neighbour of a sheet in the southernmost row of belt K lies in belt J.
  ExpectNeighbours({k200k, 11, 37, 33, 0}, {"K-37-XXXII", "K-37-XXXIV", "K-37-XXVII", "J-37-III"});
  ExpectNeighbours({k1m, 11, 37, 0, 0}, {"K-36", "K-38", "L-37", "J-37"});
}

// Every sheet of N-37, counted in rows of six from the north-west: the steps across its rows and
// columns, and out of it into N-36, N-38, O-37 and M-37 on each side.
TEST(SheetGrid, NeighboursOfAllThirtySixSheets) {
  const auto sheet = [](const char* million, int n) {
    const char* const ones[] = {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX"};
    return std::string(million) + "-" + std::string(n / 10, 'X') + ones[n % 10];
  };
  for (int n = 1; n <= 36; ++n) {
    const bool west = n % 6 == 1, east = n % 6 == 0, north = n <= 6, south = n > 30;
    ExpectNeighbours({k200k, 8, 37, n, 0}, {west ? sheet("N-36", n + 5) : sheet("N-37", n - 1),
                                            east ? sheet("N-38", n - 5) : sheet("N-37", n + 1),
                                            north ? sheet("O-37", n + 30) : sheet("N-37", n - 6),
                                            south ? sheet("M-37", n - 30) : sheet("N-37", n + 6)});
  }
}

TEST(SheetGrid, DirectionCodesCountOnlyBySignAndMagnitudeOne) {
  const GridSheet n37{k1m, 8, 37, 0, 0};
  EXPECT_EQ(SheetNameOf(AdjacentSheet(5, n37)), "O-37");  // vertical, positive: north
  EXPECT_EQ(SheetNameOf(AdjacentSheet(-7, n37)), "M-37");
}

// The combined kinds of each belt V..J: what the dialog offers, and what the program names
// (those and, beside the sheets of the belt to the north, their southern neighbours' kinds).
TEST(SheetGrid, CombinedKindsPerBelt) {
  using Kinds = std::vector<std::int32_t>;
  const struct {
    char letter;
    Kinds offered200k, offered1m, named200k, named1m;
  } belts[] = {
      {'V', {0, 1, 2}, {0, 1, 3}, {0, 1, 2}, {0, 1, 3}},
      {'U', {0, 1, 2}, {0, 1, 3}, {0, 1, 2}, {0, 1, 3}},
      {'T', {0, 1, 2}, {0, 1, 3}, {0, 1, 2}, {0, 1, 3}},
      {'S', {0, 1}, {0, 1}, {0, 1, 2}, {0, 1, 3}},
      {'R', {0, 1}, {0, 1}, {0, 1}, {0, 1}},
      {'Q', {0, 1}, {0, 1}, {0, 1}, {0, 1}},
      {'P', {0}, {0}, {0, 1}, {0, 1}},
      {'O', {0}, {0}, {0}, {0}},
      {'N', {0}, {0}, {0}, {0}},
      {'M', {0}, {0}, {0}, {0}},
      {'L', {0}, {0}, {0}, {0}},
      {'K', {0}, {0}, {0}, {0}},
      {'J', {0}, {0}, {0}, {0}},
  };
  for (const auto& b : belts) {
    SCOPED_TRACE(b.letter);
    const std::int32_t belt = BeltOfLetter(b.letter);
    const auto offered = [&](Series series) {
      const auto kinds = OfferedSheetKinds(series, belt);
      return Kinds(kinds.begin(), kinds.end());
    };
    const auto named = [&](Series series) {
      Kinds kinds;
      for (std::int32_t joined = 0; joined <= 4; ++joined) {
        if (IsKindNamedInBelt(series, belt, joined)) kinds.push_back(joined);
      }
      return kinds;
    };
    EXPECT_EQ(offered(k200k), b.offered200k);
    EXPECT_EQ(offered(k1m), b.offered1m);
    EXPECT_EQ(named(k200k), b.named200k);
    EXPECT_EQ(named(k1m), b.named1m);
  }
  EXPECT_EQ(SheetKindText(0), Cp1251("Стандартный  лист").view());
  EXPECT_EQ(SheetKindText(1), Cp1251("Cдвоенный    лист").view());
  EXPECT_EQ(SheetKindText(2), Cp1251("Строенный    лист").view());
  EXPECT_EQ(SheetKindText(3), Cp1251("Cчетверенный лист").view());
  // The double and quadruple names start with the Latin C.
  EXPECT_EQ(SheetKindText(1)[0], 'C');
  EXPECT_EQ(SheetKindText(3)[0], 'C');
  EXPECT_NE(SheetKindText(2)[0], 'C');
}

}  // namespace
}  // namespace mapbasis
