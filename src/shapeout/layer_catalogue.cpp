#include "shapeout/layer_catalogue.h"

#include "shapeout/layer_files.h"

namespace mapbasis {

namespace {

const FieldDef kAreaFields[] = {
    {"L_code", {kFieldInteger, 6, 0}},
    {"Name", {kFieldString, 100, 0}},
};

const FieldDef kNodeFields[] = {
    {"L_code", {kFieldInteger, 6, 0}},
    {"Lat", {kFieldString, 20, 0}},
    {"Lon", {kFieldString, 20, 0}},
};

const FieldDef kGraticuleLineFields[] = {
    {"L_code", {kFieldInteger, 6, 0}},    {"Text", {kFieldString, 40, 0}},
    {"Grad", {kFieldString, 5, 0}},       {"Min", {kFieldString, 7, 0}},
    {"Indication", {kFieldString, 5, 0}},
};

const FieldDef kFrameLineFields[] = {
    {"L_code", {kFieldInteger, 8, 0}},
};

const FieldDef kFrameLabelFields[] = {
    {"L_code", {kFieldInteger, 8, 0}},
    {"Text", {kFieldString, 100, 0}},
    {"Font", {kFieldString, 100, 0}},
    {"Size", {kFieldString, 100, 0}},
};

constexpr std::string_view kFrameLabelStyle = "FrameLabels.qml";

// Indexed by SheetLayer.
const LayerSpec kCatalogue[] = {
    {SheetLayer::HypsA,
     "HypsA",
     LayerFolder::kHyps,
     kShapePolygon,
     kAreaFields,
     {},
     LayerElement::kGraticule},
    {SheetLayer::HypsP,
     "HypsP",
     LayerFolder::kHyps,
     kShapePoint,
     kNodeFields,
     {},
     LayerElement::kGraticule},
    {SheetLayer::HypsL,
     "HypsL",
     LayerFolder::kHyps,
     kShapeArc,
     kGraticuleLineFields,
     {},
     LayerElement::kGraticule},
    {SheetLayer::Frame,
     "Frame",
     LayerFolder::kFrame,
     kShapeArc,
     kFrameLineFields,
     {},
     LayerElement::kFrameLines},
    {SheetLayer::FrameAdj, "FrameAdj", LayerFolder::kFrame, kShapeArc, kFrameLabelFields,
     kFrameLabelStyle, LayerElement::kAdjacentNames},
    {SheetLayer::FrameDig, "FrameDig", LayerFolder::kFrame, kShapeArc, kFrameLabelFields,
     kFrameLabelStyle, LayerElement::kCoordinateLabels},
};

}  // namespace

std::span<const LayerSpec> LayerCatalogue() { return kCatalogue; }

const LayerSpec& LayerOf(SheetLayer id) { return kCatalogue[static_cast<std::size_t>(id)]; }

bool WritesLayer(const FrameElements& frame, const LayerSpec& layer) {
  switch (layer.element) {
    case LayerElement::kGraticule: return true;
    case LayerElement::kFrameLines:
      return frame.minuteBand || frame.outerFrame != OuterFrameLines::kNone ||
             frame.graticuleExtensions;
    case LayerElement::kAdjacentNames: return frame.adjacentNames;
    case LayerElement::kCoordinateLabels: return frame.coordinateLabels;
  }
  return false;
}

}  // namespace mapbasis
