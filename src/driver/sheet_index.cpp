#include "driver/sheet_index.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/cp1251.h"
#include "core/echo.h"
#include "core/messages.h"
#include "core/vertex_work.h"
#include "driver/run_generation.h"
#include "geometry/sheet_grid.h"
#include "geometry/sheet_trapezoid.h"
#include "graticule/line_vertices.h"
#include "qgis/qgis_templates.h"
#include "shapeout/layer_output.h"

namespace fs = std::filesystem;

namespace mapbasis {

namespace {

// A standard sheet's name is at most 11 characters (N-37-XXVIII).
constexpr std::int32_t kNameWidth = 20;

const FieldDef kSheetIndexFields[] = {
    {std::string(kSheetIndexFieldNames[0]), {kFieldString, kNameWidth, 0}},
    {std::string(kSheetIndexFieldNames[1]), {kFieldString, kNameWidth, 0}},
    {std::string(kSheetIndexFieldNames[2]), {kFieldString, kNameWidth, 0}},
    {std::string(kSheetIndexFieldNames[3]), {kFieldString, kNameWidth, 0}},
    {std::string(kSheetIndexFieldNames[4]), {kFieldString, kNameWidth, 0}},
};

}  // namespace

Outcome WriteSheetIndex(std::span<const GridSheet> sheets, std::int32_t CS, const NamedPath& folder,
                        FileSets& files) {
  Layer layer;
  if (Outcome opened =
          OpenLayerIn(CS, folder, kSheetIndexLayer, kShapePolygon, kSheetIndexFields, layer, files);
      !opened.ok()) {
    return Failure(IndexFault::kNotWritten, std::move(opened.reason));
  }
  layer.SetStyle(std::string(QgisTemplate(std::string(kSheetIndexLayer) + ".qml")));
  VertexWork work;
  for (const GridSheet& s : sheets) {
    const BaseParameters t = ComputeBaseTrapezoid(s);
    work.Clear();
    AppendTrapezoidRing(t.BaseWest, t.BaseEast, LonDensifyStep, t.BaseSouth, t.BaseNorth,
                        LatDensifyStep, work);
    std::string attributes = SheetNameOf(s);
    attributes += '\\';
    for (const std::int32_t direction : {kWest, kEast, kNorth, kSouth}) {
      attributes += SheetNameOf(AdjacentSheet(direction, s));
      attributes += '\\';
    }
    if (Outcome written = WriteWorkPolygon(layer, attributes, work); !written.ok()) {
      return Failure(IndexFault::kNotWritten, std::move(written.reason));
    }
  }
  if (Outcome finished = FinishLayer(layer); !finished.ok()) {
    return Failure(IndexFault::kNotWritten, std::move(finished.reason));
  }
  return Success();
}

}  // namespace mapbasis
