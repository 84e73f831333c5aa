// The QGIS style of each layer a run writes (its <layer>.qml, which QGIS takes as the layer's
// default style): the graticule and the sheet's outline without fill, the nodes as faint crosses,
// the frame by L_code with the map scale's band width, and the frame labels set along their lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/sheet_parameters.h"
#include "shapeout/layer_styles.h"

namespace mapbasis {

// The style of the layer of that name for the sheet of p (its map scale and, for the frame, its
// north and south edges); empty for a name that is not one of the six layers.
std::string LayerStyleText(std::string_view layerName, const SheetParameters& p);

// The styles of the run's layers, for the producers to write beside each layer.
LayerStyles SheetLayerStyles(const SheetParameters& p);

}  // namespace mapbasis
