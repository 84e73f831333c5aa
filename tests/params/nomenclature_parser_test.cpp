#include "params/nomenclature_parser.h"

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "geometry/sheet_trapezoid.h"

namespace mapbasis {
namespace {

TEST(NomenclatureParser, AcceptedNames) {
  struct Case {
    const char* text;
    std::int32_t series, belt, zone, sheet, extra;
  } const cases[] = {
      {"N-37", 1, 8, 37, 0, 0},
      {"n-37", 1, 8, 37, 0, 0},
      {"N37(2)", 1, 8, 37, 0, 1},
      {"N-37(2)", 1, 8, 37, 0, 1},
      {"N-37 ( 4 )", 1, 8, 37, 0, 3},
      {"N-37-XIV", 0, 8, 37, 14, 0},
      {"N3714", 0, 8, 37, 14, 0},
      {"N-37-XIV(3)", 0, 8, 37, 14, 2},
      {"N-37-XIV (2)", 0, 8, 37, 14, 1},
      {"U-01", 1, 1, 1, 0, 0},
      {"N-01", 1, 8, 1, 0, 0},
      {"N-02", 1, 8, 2, 0, 0},
      {"K-37", 1, 11, 37, 0, 0},
      {"u-60", 1, 1, 60, 0, 0},
      {"T-33", 1, 2, 33, 0, 0},
      {"N3736", 0, 8, 37, 36, 0},
      {"N3701", 0, 8, 37, 1, 0},
      {"   N-37-XXXVI   ", 0, 8, 37, 36, 0},
      {"N-37-I", 0, 8, 37, 1, 0},
      {"N-37-XXVIII", 0, 8, 37, 28, 0},
      {"R-47-IX(2)  ", 0, 4, 47, 9, 1},
      {"N37 (3)", 1, 8, 37, 0, 2},
      // Combined sheets as the program writes them, where it writes that kind: the belt offers it,
      // or its sheets are the southern neighbours of those of the belt to the north.
      {"P-47-I,II", 0, 6, 47, 1, 1},
      {"Q-41,42", 1, 5, 41, 0, 1},
      {"P-47-VI,48-I", 0, 6, 47, 6, 1},
      {"R-60,01", 1, 4, 60, 0, 1},
      {"T-47-IV,V,VI", 0, 2, 47, 4, 2},
      {"S-47-V,VI,48-I", 0, 3, 47, 5, 2},
      {"T-45,46,47,48", 1, 2, 45, 0, 3},
      {"S-59,60,01,02", 1, 3, 59, 0, 3},
      {"u-60-XXXVI,01-XXXI", 0, 1, 60, 36, 1},
      {"  Q-02,03  ", 1, 5, 2, 0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    SheetParameters p;
    p.SheetNo = 99, p.ExtraSheets = 99;
    ASSERT_EQ(ParseSheetName(c.text, p), 0);
    EXPECT_EQ(p.MillionSeries, c.series);
    EXPECT_EQ(p.Belt, c.belt);
    EXPECT_EQ(p.Zone, c.zone);
    EXPECT_EQ(p.SheetNo, c.sheet);
    EXPECT_EQ(p.ExtraSheets, c.extra);
  }
}

TEST(NomenclatureParser, RejectedNames) {
  const std::string rejected[] = {
      "N37-XIV",
      "N-3714",
      "N37 14",
      "N-37-xiv",
      "N-37 -XIV",
      "J-37",
      "V-37",
      "N-32",
      "N-1",
      "N-37-XXXVII",
      "N-37-IIII",
      "N3700",
      "N3737",
      "N-37(5)",
      "N-37(2",
      "N-37(2)x",
      "N3",
      "  N3  ",
      "N-61",
      "N-00",
      "N-03",
      "N-37-",
      "N-37-XIVI",
      "N-37-XIV-",
      "N - 37",
      "N 37",
      "N-37()",
      "N-37(1)",
      "N-37)",
      "N-37x",
      "",
      "   ",
      "-37",
      "N-3a",
      "N-37-14",
      "N37XIV",
      Cp1251("Н-37").str(),  // Cyrillic row letter
      "N-37(2)(2)",
      "N-37\t",
      // Joined sheets only as the program writes them, of a kind it writes in that belt.
      "N-37-I,II",
      "O-37,38",
      "P-47-I,II,III",
      "U-45,46,47",
      "U-45,46,47,48,49",
      "U-47-I,II,III,IV",
      "P-47-I,III",
      "P-47-VI,VII",
      "P-47-VI,47-I",
      "P-47-I, II",
      "P-47-I ,II",
      "P-47-I,II(2)",
      "P-47-I,",
      "P4701,02",
      "Q41,42",
      "Q-41,042",
  };
  for (const auto& text : rejected) {
    SCOPED_TRACE(text);
    SheetParameters p;
    EXPECT_EQ(ParseSheetName(text, p), 1);
    EXPECT_EQ(p.MillionSeries, kRejected);
  }
}

TEST(NomenclatureParser, AcceptedNameGetsItsBaseTrapezoid) {
  SheetParameters p;
  ASSERT_EQ(ParseSheetName("N-37-XIV", p), 0);
  EXPECT_EQ(p.BaseWest, 37.0);
  EXPECT_EQ(p.BaseEast, 38.0);
  EXPECT_DOUBLE_EQ(p.BaseNorth, 54.0 + 2.0 / 3.0);
  EXPECT_DOUBLE_EQ(p.BaseSouth, 54.0);
  EXPECT_EQ(p.DefaultMeridianStep, 0.25);
  EXPECT_EQ(p.DefaultxMinute, 1);
  EXPECT_EQ(p.DefaultParallelStep, 1.0 / 6.0);
  EXPECT_EQ(p.DefaultyMinute, 1);

  ASSERT_EQ(ParseSheetName("U-01(4)", p), 0);
  EXPECT_EQ(p.BaseWest, 180.0);
  EXPECT_EQ(p.BaseEast, 204.0);
  EXPECT_EQ(p.BaseSouth, 80.0);
  EXPECT_EQ(p.DefaultMeridianStep, 4.0);
}

// Every sheet of the grid of every kind reads back from the name --find prints for it; and, where
// the program names that kind in its belt, from the name the program writes for it.
TEST(NomenclatureParser, TheProgramsNamesReadBack) {
  int written = 0;
  for (const Series series : {Series::k1000000, Series::k200000}) {
    for (const std::int32_t belt : GridBelts()) {
      for (const std::int32_t zone : GridZones()) {
        const std::int32_t last = SheetsPerMillionSheet(series) == 1 ? 0 : 36;
        for (std::int32_t number = last == 0 ? 0 : 1; number <= last; ++number) {
          for (std::int32_t joined = 0; joined <= 3; ++joined) {
            const GridSheet sheet{series, belt, zone, number, joined};
            const std::string name = SheetNameOf(sheet);
            SheetParameters p;
            if (joined > 0 && !IsKindNamedInBelt(series, belt, joined)) {
              EXPECT_EQ(ParseSheetName(name, p), 1) << name;
              EXPECT_EQ(CombinedSheetNotNamedInBelt(name), sheet) << name;
            } else if (joined > 0) {
              ++written;
              ASSERT_EQ(ParseSheetName(name, p), 0) << name;
              EXPECT_EQ(GridSheetOf(p), sheet) << name;
            }
            const std::string nom = NomTextOf(sheet);
            ASSERT_EQ(ParseSheetName(nom, p), 0) << nom;
            EXPECT_EQ(GridSheetOf(p), sheet) << nom;
            const BaseParameters base = ComputeBaseTrapezoid(sheet);
            EXPECT_EQ(std::tie(p.BaseWest, p.BaseEast, p.BaseSouth, p.BaseNorth),
                      std::tie(base.BaseWest, base.BaseEast, base.BaseSouth, base.BaseNorth))
                << nom;
          }
        }
      }
    }
  }
  // In each zone and series, the combined kinds written by belt: U, T and S two each, R, Q and P
  // one each; 37 sheets of the two series in a 1:1 000 000 sheet.
  EXPECT_EQ(written, 30 * 37 * (2 + 2 + 2 + 1 + 1 + 1));
}

// A rejected name keeps what was read before the fault.
TEST(NomenclatureParser, RejectionKeepsEarlierFields) {
  SheetParameters p;
  p.BaseWest = -1.0;
  EXPECT_EQ(ParseSheetName("M-32", p), 1);
  EXPECT_EQ(p.Belt, 9);
  EXPECT_EQ(p.Zone, 32);
  EXPECT_EQ(p.MillionSeries, kRejected);
  EXPECT_EQ(p.BaseWest, -1.0);

  EXPECT_EQ(ParseSheetName("L-40-XL", p), 1);
  EXPECT_EQ(p.Belt, 10);
  EXPECT_EQ(p.Zone, 40);
  EXPECT_EQ(p.MillionSeries, kRejected);
}

}  // namespace
}  // namespace mapbasis
