// The run's coordinate systems as QGIS knows them: the EPSG geographic system that matches each
// CS code (so that QGIS has real transformations for it), its ellipsoid, and its WKT.
#pragma once

#include <cstdint>
#include <string_view>

#include "qgis/transverse_mercator.h"

namespace mapbasis {

// The ellipsoids of the systems: Krassowsky 1940 (СК-42, СК-95) and GSK-2011's own.
inline constexpr Ellipsoid kKrassowsky1940{6378245.0, 298.3};
inline constexpr Ellipsoid kGsk2011Ellipsoid{6378136.5, 298.2564151};

struct QgisSystem {
  std::int32_t epsg;        // 4284 Pulkovo 1942, 4200 Pulkovo 1995, 7683 GSK-2011
  Ellipsoid ellipsoid;      // Krasovsky 1940, or GSK-2011's own
  std::string_view geogcs;  // the system's WKT (GEOGCS[...]), one line
  // Its ellipsoid and shift to WGS 84 as PROJ parameters (those of the EPSG system), for the
  // sheets that QGIS can draw only with a system of its own (see sheet_project.h).
  std::string_view datum;
  std::string_view ellipsoidId;  // the ellipsoid QGIS measures on: "EPSG:7024" Krasovsky 1940
  // The system as the print states it (UTF-8): its name, datum and ellipsoid.
  std::string_view description;
};

// The system of a CS code (1 СК-42, 2 СК-95, 3 ГСК-2011); nullptr for any other code, whose
// layers name no system.
const QgisSystem* QgisSystemOf(std::int32_t CS);

}  // namespace mapbasis
