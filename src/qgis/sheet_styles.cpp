#include "qgis/sheet_styles.h"

#include "frame/frame_style.h"
#include "qgis/qgis_templates.h"

namespace mapbasis {

std::string LayerStyleText(const LayerSpec& layer, std::int32_t MillionSeries,
                           std::int32_t MapScale) {
  const std::string name =
      layer.sharedStyle.empty() ? std::string(layer.name) + ".qml" : std::string(layer.sharedStyle);
  const FrameStyle style = FrameStyleFor(MillionSeries, MapScale);
  return FillTemplate(QgisTemplate(name), {{"SCALE", DecimalText(style.ScaleDenominator, 0)},
                                           {"BAND_WIDTH", DecimalText(style.MinuteFrameWidth, 3)}});
}

LayerStyles SheetLayerStyles(const SheetParameters& p) {
  return [series = p.MillionSeries, scale = p.MapScale](const LayerSpec& layer) {
    return LayerStyleText(layer, series, scale);
  };
}

}  // namespace mapbasis
