#include "qgis/sheet_styles.h"

#include "frame/frame_style.h"
#include "qgis/qgis_templates.h"

namespace mapbasis {

std::string LayerStyleText(const LayerSpec& layer, const SheetParameters& p) {
  const std::string name =
      layer.sharedStyle.empty() ? std::string(layer.name) + ".qml" : std::string(layer.sharedStyle);
  const FrameStyle style = FrameStyleFor(p.MillionSeries, p.MapScale);
  return FillTemplate(QgisTemplate(name), {{"SHEET_NORTH", DecimalText(p.yTo, 9)},
                                           {"SHEET_SOUTH", DecimalText(p.yFrom, 9)},
                                           {"BAND_WIDTH", DecimalText(style.MinuteFrameWidth, 3)}});
}

LayerStyles SheetLayerStyles(const SheetParameters& p) {
  return [p](const LayerSpec& layer) { return LayerStyleText(layer, p); };
}

}  // namespace mapbasis
