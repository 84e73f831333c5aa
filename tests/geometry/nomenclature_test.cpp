#include "geometry/nomenclature.h"

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
    EXPECT_EQ(NOMENCLATURE(c.series, c.belt, c.zone, c.sheet, c.extra), c.name);
  }
}

TEST(Nomenclature, ZoneAndSheetStepping) {
  EXPECT_EQ(PLUSXZONE(59), 60);
  EXPECT_EQ(PLUSXZONE(60), 1);
  EXPECT_EQ(MINUSXZONE(1), 60);
  EXPECT_EQ(MINUSXZONE(33), 32);

  auto x = ADJACENTXZONE200(true, 47, 36);
  EXPECT_EQ(x.Zone, 48);
  EXPECT_EQ(x.SheetNo, 31);
  x = ADJACENTXZONE200(false, 1, 1);
  EXPECT_EQ(x.Zone, 60);
  EXPECT_EQ(x.SheetNo, 6);
  x = ADJACENTXZONE200(true, 47, 14);
  EXPECT_EQ(x.Zone, 47);
  EXPECT_EQ(x.SheetNo, 15);

  auto y = ADJACENTYZONE200(true, 6, 3);
  EXPECT_EQ(y.Belt, 5);
  EXPECT_EQ(y.SheetNo, 33);
  y = ADJACENTYZONE200(false, 6, 36);
  EXPECT_EQ(y.Belt, 7);
  EXPECT_EQ(y.SheetNo, 6);
  y = ADJACENTYZONE200(false, 6, 14);
  EXPECT_EQ(y.Belt, 6);
  EXPECT_EQ(y.SheetNo, 20);
}

struct Neighbours {
  const char* west;
  const char* east;
  const char* north;
  const char* south;
};

void ExpectNeighbours(std::int32_t series, std::int32_t belt, std::int32_t zone, std::int32_t sheet,
                      std::int32_t extra, const Neighbours& n) {
  SCOPED_TRACE(NOMENCLATURE(series, belt, zone, sheet, extra));
  EXPECT_EQ(ADJACENTNOMENCLATURE(kWest, series, belt, zone, sheet, extra), n.west);
  EXPECT_EQ(ADJACENTNOMENCLATURE(kEast, series, belt, zone, sheet, extra), n.east);
  EXPECT_EQ(ADJACENTNOMENCLATURE(kNorth, series, belt, zone, sheet, extra), n.north);
  EXPECT_EQ(ADJACENTNOMENCLATURE(kSouth, series, belt, zone, sheet, extra), n.south);
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

// Every sheet of one 1:1 000 000 sheet: the steps across its rows and columns, and out of it on
// each side.
TEST(Nomenclature, NeighboursOfAllThirtySixSheets) {
  const struct {
    std::int32_t sheet;
    Neighbours n;
  } cases[] = {
      {1, {"N-36-VI", "N-37-II", "O-37-XXXI", "N-37-VII"}},
      {2, {"N-37-I", "N-37-III", "O-37-XXXII", "N-37-VIII"}},
      {3, {"N-37-II", "N-37-IV", "O-37-XXXIII", "N-37-IX"}},
      {4, {"N-37-III", "N-37-V", "O-37-XXXIV", "N-37-X"}},
      {5, {"N-37-IV", "N-37-VI", "O-37-XXXV", "N-37-XI"}},
      {6, {"N-37-V", "N-38-I", "O-37-XXXVI", "N-37-XII"}},
      {7, {"N-36-XII", "N-37-VIII", "N-37-I", "N-37-XIII"}},
      {8, {"N-37-VII", "N-37-IX", "N-37-II", "N-37-XIV"}},
      {9, {"N-37-VIII", "N-37-X", "N-37-III", "N-37-XV"}},
      {10, {"N-37-IX", "N-37-XI", "N-37-IV", "N-37-XVI"}},
      {11, {"N-37-X", "N-37-XII", "N-37-V", "N-37-XVII"}},
      {12, {"N-37-XI", "N-38-VII", "N-37-VI", "N-37-XVIII"}},
      {13, {"N-36-XVIII", "N-37-XIV", "N-37-VII", "N-37-XIX"}},
      {14, {"N-37-XIII", "N-37-XV", "N-37-VIII", "N-37-XX"}},
      {15, {"N-37-XIV", "N-37-XVI", "N-37-IX", "N-37-XXI"}},
      {16, {"N-37-XV", "N-37-XVII", "N-37-X", "N-37-XXII"}},
      {17, {"N-37-XVI", "N-37-XVIII", "N-37-XI", "N-37-XXIII"}},
      {18, {"N-37-XVII", "N-38-XIII", "N-37-XII", "N-37-XXIV"}},
      {19, {"N-36-XXIV", "N-37-XX", "N-37-XIII", "N-37-XXV"}},
      {20, {"N-37-XIX", "N-37-XXI", "N-37-XIV", "N-37-XXVI"}},
      {21, {"N-37-XX", "N-37-XXII", "N-37-XV", "N-37-XXVII"}},
      {22, {"N-37-XXI", "N-37-XXIII", "N-37-XVI", "N-37-XXVIII"}},
      {23, {"N-37-XXII", "N-37-XXIV", "N-37-XVII", "N-37-XXIX"}},
      {24, {"N-37-XXIII", "N-38-XIX", "N-37-XVIII", "N-37-XXX"}},
      {25, {"N-36-XXX", "N-37-XXVI", "N-37-XIX", "N-37-XXXI"}},
      {26, {"N-37-XXV", "N-37-XXVII", "N-37-XX", "N-37-XXXII"}},
      {27, {"N-37-XXVI", "N-37-XXVIII", "N-37-XXI", "N-37-XXXIII"}},
      {28, {"N-37-XXVII", "N-37-XXIX", "N-37-XXII", "N-37-XXXIV"}},
      {29, {"N-37-XXVIII", "N-37-XXX", "N-37-XXIII", "N-37-XXXV"}},
      {30, {"N-37-XXIX", "N-38-XXV", "N-37-XXIV", "N-37-XXXVI"}},
      {31, {"N-36-XXXVI", "N-37-XXXII", "N-37-XXV", "M-37-I"}},
      {32, {"N-37-XXXI", "N-37-XXXIII", "N-37-XXVI", "M-37-II"}},
      {33, {"N-37-XXXII", "N-37-XXXIV", "N-37-XXVII", "M-37-III"}},
      {34, {"N-37-XXXIII", "N-37-XXXV", "N-37-XXVIII", "M-37-IV"}},
      {35, {"N-37-XXXIV", "N-37-XXXVI", "N-37-XXIX", "M-37-V"}},
      {36, {"N-37-XXXV", "N-38-XXXI", "N-37-XXX", "M-37-VI"}},
  };
  for (const auto& c : cases) ExpectNeighbours(0, 8, 37, c.sheet, 0, c.n);
}

TEST(Nomenclature, DirectionCodesCountOnlyBySignAndMagnitudeOne) {
  EXPECT_EQ(ADJACENTNOMENCLATURE(5, 1, 8, 37, 0, 0), "O-37");  // vertical, positive: north
  EXPECT_EQ(ADJACENTNOMENCLATURE(-7, 1, 8, 37, 0, 0), "M-37");
}

}  // namespace
}  // namespace mapbasis
