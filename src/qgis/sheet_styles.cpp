#include "qgis/sheet_styles.h"

#include "frame/frame_style.h"
#include "qgis/qgis_templates.h"

namespace mapbasis {

std::string LayerStyleText(std::string_view layerName, std::int32_t MillionSeries,
                           std::int32_t MapScale) {
  if (layerName == "HypsA" || layerName == "HypsP" || layerName == "HypsL") {
    return std::string(QgisTemplate(std::string(layerName) + ".qml"));
  }
  if (layerName == "FrameAdj" || layerName == "FrameDig") {
    return std::string(QgisTemplate("FrameLabels.qml"));
  }
  if (layerName == "Frame") {
    const FrameStyle style = FrameStyleFor(MillionSeries, MapScale);
    return FillTemplate(QgisTemplate("Frame.qml"),
                        {{"SCALE", DecimalText(style.ScaleDenominator, 0)},
                         {"BAND_WIDTH", DecimalText(style.MinuteFrameWidth, 3)}});
  }
  return {};
}

LayerStyles SheetLayerStyles(const SheetParameters& p) {
  return [series = p.MillionSeries, scale = p.MapScale](std::string_view layerName) {
    return LayerStyleText(layerName, series, scale);
  };
}

}  // namespace mapbasis
