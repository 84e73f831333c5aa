#include "core/coordinate_systems.h"

#include <array>

#include "core/cp1251.h"

namespace mapbasis {

namespace {

constexpr Ellipsoid kKrassowsky1940{6378245.0, 298.3};
constexpr Ellipsoid kGsk2011Ellipsoid{6378136.5, 298.2564151};

// The parameter texts are written with the Latin C and K; only the Г of ГCK-2011 is Cyrillic.
constexpr auto kGsk2011Parameter = Cp1251("ГCK-2011");

constexpr auto kSk42 = Cp1251("СК-42");
constexpr auto kSk95 = Cp1251("СК-95");
constexpr auto kGsk2011 = Cp1251("ГСК-2011");

constexpr auto kSk42Statement =
    Cp1251("Система координат 1942 года СК-42 (датум Пулково 1942, эллипсоид Красовского)");
constexpr auto kSk95Statement =
    Cp1251("Система координат 1995 года СК-95 (датум Пулково 1995, эллипсоид Красовского)");
constexpr auto kGsk2011Statement =
    Cp1251("Геодезическая система координат 2011 года ГСК-2011 (датум и эллипсоид ГСК-2011)");

// The .PRJ texts as the map series uses them, the blanks after the spheroid name and after "]],"
// included. СК-95 is written with the datum name Pulkovo 1965.
constexpr std::string_view kSk42Prj =
    R"(GEOGCS["GCS_Pulkovo_1942",DATUM["D_Pulkovo_1942",SPHEROID["Krasovsky_1940", 6378245.0,298.3]], PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]])";
constexpr std::string_view kSk95Prj =
    R"(GEOGCS["GCS_Pulkovo_1965",DATUM["D_Pulkovo_1965",SPHEROID["Krasovsky_1940", 6378245.0,298.3]], PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]])";
constexpr std::string_view kGsk2011Prj =
    R"(GEOGCS["GCS_RUSSIA_2011",DATUM["D_RUSSIA_2011",SPHEROID["S_RUSSIA_2011", 6378136.5,298.2564151]], PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]])";

// QGIS knows the systems as EPSG 4284 Pulkovo 1942, 4200 Pulkovo 1995 and 7683 GSK-2011, their
// ellipsoids as EPSG 7024 Krassowsky 1940 and 1025 GSK-2011.
constexpr std::array<CoordinateSystem, kCoordinateSystemCount> kSystems = {{
    {.CS = 1,
     .parameterText = "CK-42",
     .name = kSk42.view(),
     .statement = kSk42Statement.view(),
     .prj = kSk42Prj,
     .epsg = 4284,
     .ellipsoid = kKrassowsky1940,
     .ellipsoidEpsg = 7024,
     .projEllipsoid = "+ellps=krass",
     .towgs84 = "25,-141,-78.5,0,0.35,0.736,0"},
    {.CS = 2,
     .parameterText = "CK-95",
     .name = kSk95.view(),
     .statement = kSk95Statement.view(),
     .prj = kSk95Prj,
     .epsg = 4200,
     .ellipsoid = kKrassowsky1940,
     .ellipsoidEpsg = 7024,
     .projEllipsoid = "+ellps=krass",
     .towgs84 = "24.47,-130.89,-81.56,0,0,0.13,-0.22"},
    {.CS = 3,
     .parameterText = kGsk2011Parameter.view(),
     .name = kGsk2011.view(),
     .statement = kGsk2011Statement.view(),
     .prj = kGsk2011Prj,
     .epsg = 7683,
     .ellipsoid = kGsk2011Ellipsoid,
     .ellipsoidEpsg = 1025,
     .projEllipsoid = "+a=6378136.5 +rf=298.2564151",
     .towgs84 = "0,0,0,0,0,0,0"},
}};

constexpr bool CodesInOrder() {
  for (std::size_t i = 0; i < kSystems.size(); ++i) {
    if (kSystems[i].CS != static_cast<std::int32_t>(i) + 1) return false;
  }
  return true;
}
static_assert(CodesInOrder(), "the systems are listed by their codes, from 1");

}  // namespace

std::span<const CoordinateSystem> CoordinateSystems() { return kSystems; }

const CoordinateSystem* CoordinateSystemOf(std::int32_t CS) {
  for (const CoordinateSystem& system : kSystems) {
    if (system.CS == CS) return &system;
  }
  return nullptr;
}

const CoordinateSystem* CoordinateSystemOfText(std::string_view text) {
  for (const CoordinateSystem& system : kSystems) {
    if (system.parameterText == text) return &system;
  }
  return nullptr;
}

std::string CyrillicOfParameterTexts() {
  std::string letters;
  for (const CoordinateSystem& system : kSystems) {
    for (const char c : system.parameterText) {
      if (static_cast<unsigned char>(c) >= 0x80 && letters.find(c) == std::string::npos) {
        letters += c;
      }
    }
  }
  return letters;
}

std::string_view ProjectionText(std::int32_t CS) {
  const CoordinateSystem* system = CoordinateSystemOf(CS);
  return system != nullptr ? system->prj : std::string_view();
}

std::string CoordinateSystemName(std::int32_t CS) {
  const CoordinateSystem* system = CoordinateSystemOf(CS);
  return system != nullptr ? std::string(system->name) : "?";
}

std::string ProjDatum(const CoordinateSystem& system) {
  return std::string(system.projEllipsoid) + " +towgs84=" + std::string(system.towgs84);
}

}  // namespace mapbasis
