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

// The style of the layer at the map scale (MillionSeries, MapScale): its template, with the map
// scale's denominator and band width at {{SCALE}} and {{BAND_WIDTH}} where it has them.
std::string LayerStyleText(const LayerSpec& layer, std::int32_t MillionSeries,
                           std::int32_t MapScale);

// The styles of the run's layers, for the producers to write beside each layer.
LayerStyles SheetLayerStyles(const SheetParameters& p);

}  // namespace mapbasis
