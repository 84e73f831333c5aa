#include "graticule/hyps_layer.h"

#include "driver/path_separator.h"
#include "driver/vertex_work.h"

namespace mapbasis {

bool OpenHypsLayer(const GraticuleArgs& args, std::string_view name, std::int32_t shapeType,
                   std::span<const FieldDef> fields, Layer& layer, std::string& reason) {
  const std::string basePath = args.Path + kPathSeparator + std::string(name);
  const std::int32_t status = OPENNEWSHAPEFILE(args.CS, shapeType, basePath, fields, layer);
  if (status == kLayerOpen) return true;
  reason = "cannot create the layer \"" + basePath + "\" (status " + std::to_string(status) + ")";
  return false;
}

std::string RecordFailure(const Layer& layer, std::int32_t status) {
  return "cannot write record " + std::to_string(layer.recordCount) + " of the layer \"" +
         layer.basePath + "\" (status " + std::to_string(status) + ")";
}

std::string VertexOverflow(const Layer& layer) {
  return "a line of the layer \"" + layer.basePath + "\" needs more than " +
         std::to_string(kWorkArrayCapacity) + " vertices";
}

}  // namespace mapbasis
