#include "qgis/coordinate_systems.h"

#include <string>

#include "qgis/qgis_templates.h"

namespace mapbasis {

namespace {

// The WKT text of a template file without its line end.
std::string_view OneLine(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

}  // namespace

const QgisSystem* QgisSystemOf(std::int32_t CS) {
  static const QgisSystem kSystems[] = {
      {4284, {6378245.0, 298.3}, OneLine(QgisTemplate("EPSG-4284.wkt"))},
      {4200, {6378245.0, 298.3}, OneLine(QgisTemplate("EPSG-4200.wkt"))},
      {7683, {6378136.5, 298.2564151}, OneLine(QgisTemplate("EPSG-7683.wkt"))},
  };
  if (CS < 1 || CS > 3) return nullptr;
  return &kSystems[CS - 1];
}

}  // namespace mapbasis
