// What a producer of layers does with a layer: open it in its folder, and write the records it
// builds, each failure coming back with one line that names the layer and what went wrong.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/named_path.h"
#include "core/outcome.h"
#include "core/vertex_work.h"
#include "shapeout/layer_catalogue.h"
#include "shapeout/layer_files.h"
#include "shapeout/layer_styles.h"

namespace mapbasis {

// Opens the layer `name` in `folder` with the run's coordinate system; closed, its files join
// `destination` (OpenLayer). On failure the fault is OpenLayer's and the reason says
// what failed, `cannot create the layer "<path>": its path is longer than 255 characters`.
Outcome OpenLayerIn(std::int32_t CS, const NamedPath& folder, std::string_view name,
                    std::int32_t shapeType, std::span<const FieldDef> fields, Layer& layer,
                    FileSets& destination);

// Opens a layer of the catalogue in its folder of the run, with the style that `styles` gives
// for it.
Outcome OpenLayerIn(std::int32_t CS, const ResultFolders& folders, const LayerSpec& spec,
                    Layer& layer, FileSets& destination, const LayerStyles& styles = {});

// Closes a layer that was written to its end. Only a finished layer counts as written: a layer
// abandoned after a failure is never finished, and whatever it left is not a complete layer.
// Fails when the layer's files could not be completed.
Outcome FinishLayer(Layer& layer);

// Writes the line (or ring) now in the work arrays with its attribute text. On failure the fault
// is the writer's and the reason names the record and what failed, e.g. `cannot write record 5 of
// the layer "<path>": its attribute text lacks a value or has no number where one goes`; a line
// the work arrays could not hold is not written and fails with ShapeFault::kNotWritten.
Outcome WriteWorkLine(Layer& layer, std::string_view attributes, const VertexWork& work);
Outcome WriteWorkPolygon(Layer& layer, std::string_view attributes, const VertexWork& work);

// Writes one point with its attribute text; failures as above.
Outcome WritePointRecord(Layer& layer, std::string_view attributes, double x, double y);

}  // namespace mapbasis
