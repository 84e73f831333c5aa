// Opening a layer of the HYPS folder, and the words for what can go wrong with it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "graticule/graticule_args.h"
#include "shapeout/layer_files.h"

namespace mapbasis {

// Opens the layer `name` in the HYPS folder with the run's coordinate system. On failure `reason`
// says "cannot create the layer "<path>" (status 121)".
bool OpenHypsLayer(const GraticuleArgs& args, std::string_view name, std::int32_t shapeType,
                   std::span<const FieldDef> fields, Layer& layer, std::string& reason);

// "cannot write record 5 of the layer "<path>" (status 803)", for the record last attempted.
std::string RecordFailure(const Layer& layer, std::int32_t status);

// "a line of the layer "<path>" needs more than 10000 vertices".
std::string VertexOverflow(const Layer& layer);

}  // namespace mapbasis
