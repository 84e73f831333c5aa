// The coordinate-system table against the facts it holds: the .PRJ texts of the map series byte
// for byte, the EPSG systems and ellipsoids, the shifts to WGS 84, and the exact texts that CS=
// and --cs take.
#include "core/coordinate_systems.h"

#include <gtest/gtest.h>

#include "core/cp1251.h"

namespace mapbasis {
namespace {

TEST(CoordinateSystems, EachSystemAsTheSeriesWritesIt) {
  struct Case {
    std::int32_t CS;
    const char* parameterText;  // UTF-8
    const char* name;           // UTF-8
    std::string_view prj;
    std::size_t prjLength;
    std::int32_t epsg;
    double a, rf;
    std::int32_t ellipsoidEpsg;
    const char* projDatum;
  } const cases[] = {
      {1, "CK-42", "СК-42",
       R"(GEOGCS["GCS_Pulkovo_1942",DATUM["D_Pulkovo_1942",SPHEROID["Krasovsky_1940", 6378245.0,298.3]], PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]])",
       153, 4284, 6378245.0, 298.3, 7024, "+ellps=krass +towgs84=25,-141,-78.5,0,0.35,0.736,0"},
      // СК-95 is written with the datum name Pulkovo 1965; QGIS knows it as Pulkovo 1995.
      {2, "CK-95", "СК-95",
       R"(GEOGCS["GCS_Pulkovo_1965",DATUM["D_Pulkovo_1965",SPHEROID["Krasovsky_1940", 6378245.0,298.3]], PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]])",
       153, 4200, 6378245.0, 298.3, 7024,
       "+ellps=krass +towgs84=24.47,-130.89,-81.56,0,0,0.13,-0.22"},
      {3, "ГCK-2011", "ГСК-2011",
       R"(GEOGCS["GCS_RUSSIA_2011",DATUM["D_RUSSIA_2011",SPHEROID["S_RUSSIA_2011", 6378136.5,298.2564151]], PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]])",
       156, 7683, 6378136.5, 298.2564151, 1025,
       "+a=6378136.5 +rf=298.2564151 +towgs84=0,0,0,0,0,0,0"},
  };
  ASSERT_EQ(CoordinateSystems().size(), std::size(cases));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.CS);
    const CoordinateSystem* system = CoordinateSystemOf(c.CS);
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(&CoordinateSystems()[static_cast<std::size_t>(c.CS - 1)], system);
    EXPECT_EQ(Cp1251ToUtf8(system->parameterText), c.parameterText);
    EXPECT_EQ(Cp1251ToUtf8(system->name), c.name);
    EXPECT_EQ(CoordinateSystemName(c.CS), Utf8ToCp1251(c.name));
    EXPECT_EQ(ProjectionText(c.CS), c.prj);
    EXPECT_EQ(ProjectionText(c.CS).size(), c.prjLength);
    EXPECT_EQ(system->epsg, c.epsg);
    EXPECT_EQ(system->ellipsoid.a, c.a);
    EXPECT_EQ(system->ellipsoid.rf, c.rf);
    EXPECT_EQ(system->ellipsoidEpsg, c.ellipsoidEpsg);
    EXPECT_EQ(ProjDatum(*system), c.projDatum);
    // The printed statement names the system as the dialogs do.
    EXPECT_NE(system->statement.find(system->name), std::string_view::npos);
  }
  // A code that names no system has no .PRJ text: its layers get an empty .PRJ file.
  for (const std::int32_t CS : {0, 4, -1}) {
    EXPECT_EQ(CoordinateSystemOf(CS), nullptr) << CS;
    EXPECT_EQ(ProjectionText(CS), "") << CS;
    EXPECT_EQ(CoordinateSystemName(CS), "?") << CS;
  }
  EXPECT_EQ(kDefaultCoordinateSystem, 1);
}

// The texts are matched byte for byte: C and K are Latin, the Г of ГCK-2011 Cyrillic; the
// all-Cyrillic names people type are refused, as are other spellings.
TEST(CoordinateSystems, ParameterTextsAcceptedAndRefused) {
  struct Case {
    const char* text;  // UTF-8
    std::int32_t CS;   // 0: refused
  } const cases[] = {
      {"CK-42", 1},    {"CK-95", 2},    {"ГCK-2011", 3}, {"СК-42", 0},  {"CК-42", 0}, {"СK-95", 0},
      {"ГСК-2011", 0}, {"ГCК-2011", 0}, {"GCK-2011", 0}, {"ck-42", 0},  {"CK42", 0},  {"CK-42 ", 0},
      {" CK-95", 0},   {"CK-2011", 0},  {"", 0},         {"CK-42;", 0},
  };
  for (const Case& c : cases) {
    const CoordinateSystem* system = CoordinateSystemOfText(*Utf8ToCp1251(c.text));
    EXPECT_EQ(system != nullptr ? system->CS : 0, c.CS) << c.text;
  }
  EXPECT_EQ(CyrillicOfParameterTexts(), "\xC3");  // Г
}

}  // namespace
}  // namespace mapbasis
