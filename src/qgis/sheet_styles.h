// The QGIS style of each layer a run writes (its <layer>.qml, which QGIS takes as the layer's
// default style): the graticule and the sheet's outline without fill, the nodes as faint crosses,
// the frame by L_code with the map scale's band width, and the frame labels set along their lines.
#pragma once

#include <cstdint>
#include <string>

#include "core/sheet_parameters.h"
#include "shapeout/layer_catalogue.h"
#include "shapeout/layer_styles.h"

namespace mapbasis {

// The style of the layer for the sheet of p: its template, with the map scale's band width and
// the sheet's north and south edges at {{BAND_WIDTH}}, {{SHEET_NORTH}} and {{SHEET_SOUTH}} where
// it has them.
std::string LayerStyleText(const LayerSpec& layer, const SheetParameters& p);

// The styles of the run's layers, for the producers to write beside each layer.
LayerStyles SheetLayerStyles(const SheetParameters& p);

}  // namespace mapbasis
