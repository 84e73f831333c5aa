#include "qgis/sheet_styles.h"

#include "frame/frame_style.h"
#include "qgis/qgis_templates.h"

namespace mapbasis {

std::string LayerStyleText(std::string_view layerName, const SheetParameters& p) {
  if (layerName == "HypsA" || layerName == "HypsP" || layerName == "HypsL") {
    return std::string(QgisTemplate(std::string(layerName) + ".qml"));
  }
  if (layerName == "FrameAdj" || layerName == "FrameDig") {
    return std::string(QgisTemplate("FrameLabels.qml"));
  }
  if (layerName == "Frame") {
    const FrameStyle style = FrameStyleFor(p.MillionSeries, p.MapScale);
    return FillTemplate(QgisTemplate("Frame.qml"),
                        {{"SHEET_NORTH", DecimalText(p.yTo, 9)},
                         {"SHEET_SOUTH", DecimalText(p.yFrom, 9)},
                         {"BAND_WIDTH", DecimalText(style.MinuteFrameWidth, 3)}});
  }
  return {};
}

LayerStyles SheetLayerStyles(const SheetParameters& p) {
  return [p](std::string_view layerName) { return LayerStyleText(layerName, p); };
}

}  // namespace mapbasis
