// The layers a run writes, in one table: each layer's name, its folder, its shape type, its fields
// after Id, the template of its QGIS style and the part of the sheet that decides whether a run
// writes it. The producers, the folder preparation, the length checks, the styles and the project
// all read it here; a layer's name is written nowhere else.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/map_scales.h"
#include "shapeout/attribute_fields.h"
#include "shapeout/sheet_files.h"

namespace mapbasis {

// The layers, in the order a run writes them.
enum class SheetLayer { HypsA, HypsP, HypsL, Frame, FrameAdj, FrameDig };

// What decides whether a run writes the layer: the graticule layers are always written, the frame
// layers as far as the map scale draws their element (core/map_scales.h).
enum class LayerElement {
  kGraticule,
  kFrameLines,        // the minute band, the outer frame, the graticule extensions
  kAdjacentNames,     // the neighbours' names set in the outer frame
  kCoordinateLabels,  // the coordinate labels
};

struct LayerSpec {
  SheetLayer id;
  std::string_view name;
  LayerFolder folder;
  std::int32_t shapeType;
  std::span<const FieldDef> fields;  // after Id
  // The template of the layer's QGIS style (qgis/templates/), when it shares one with other
  // layers; empty when the layer has its own, named after it (HypsA.qml).
  std::string_view sharedStyle;
  LayerElement element;
};

// Every layer, in the order a run writes them.
std::span<const LayerSpec> LayerCatalogue();

const LayerSpec& LayerOf(SheetLayer id);

// Whether a run at a map scale that draws these parts of the frame writes the layer: a graticule
// layer always; the frame lines' layer for any frame line, the neighbours' names' and the
// coordinate labels' for their labels.
bool WritesLayer(const FrameElements& frame, const LayerSpec& layer);

}  // namespace mapbasis
