#include "qgis/coordinate_systems.h"

#include "core/sheet_parameters.h"
#include "qgis/qgis_templates.h"

namespace mapbasis {

const QgisSystem* QgisSystemOf(std::int32_t CS) {
  static const QgisSystem kSystems[] = {
      {4284, kKrassowsky1940, OneLineTemplate("EPSG-4284.wkt"),
       "+ellps=krass +towgs84=25,-141,-78.5,0,0.35,0.736,0", "EPSG:7024",
       "Система координат 1942 года СК-42 (датум Пулково 1942, эллипсоид Красовского)"},
      {4200, kKrassowsky1940, OneLineTemplate("EPSG-4200.wkt"),
       "+ellps=krass +towgs84=24.47,-130.89,-81.56,0,0,0.13,-0.22", "EPSG:7024",
       "Система координат 1995 года СК-95 (датум Пулково 1995, эллипсоид Красовского)"},
      {7683, kGsk2011Ellipsoid, OneLineTemplate("EPSG-7683.wkt"),
       "+a=6378136.5 +rf=298.2564151 +towgs84=0,0,0,0,0,0,0", "EPSG:1025",
       "Геодезическая система координат 2011 года ГСК-2011 (датум и эллипсоид ГСК-2011)"},
  };
  if (CS < kCsSk42 || CS > kCsGsk2011) return nullptr;
  return &kSystems[CS - kCsSk42];
}

}  // namespace mapbasis
