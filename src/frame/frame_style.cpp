#include "frame/frame_style.h"

#include "frame/font_metrics.h"

namespace mapbasis {

namespace {

// These distances were fixed in single precision; the frame is drawn with exactly those values.
constexpr double kBandWidth200 = static_cast<double>(1.2f);
constexpr double kOuterFrame200 = static_cast<double>(9.8f);
constexpr double kCompanionSpacing1000 = static_cast<double>(1.1f);

FrameStyle Map200000() {
  FrameStyle s;
  s.ScaleDenominator = 200000.0;
  s.MinuteFrame = true;
  s.MinuteFrameOffset = 7.0;
  s.MinuteFrameWidth = kBandWidth200;
  s.GraticuleExtensions = true;
  s.MeridianExtensionCode = kMeridianExtensionCode;
  s.ParallelExtensionCode = kParallelExtensionCode;
  s.CoordinateLabels = true;
  s.CoordinateLabelSize = 6.5;
  s.CoordinateLabelFont = kFontFreeSet;
  s.CoordinateLabelCode = kCoordinateLabelCode;
  s.AdjacentLabels = true;
  s.AdjacentLabelSize = 6.5;
  s.AdjacentLabelFont = kFontPragmatica;
  s.AdjacentLabelCode = kAdjacentLabelCode;
  s.OuterFrameKind = OuterFrameLines::kOne;
  s.OuterFrameOffset = kOuterFrame200;
  s.OuterFrameCode = kOuterFrameCode;
  return s;
}

// 1:500 000 and 1:2 500 000: an outer frame line 5 mm out and small coordinate labels.
FrameStyle SmallScale(double denominator, double labelSize, std::int32_t labelFont) {
  FrameStyle s;
  s.ScaleDenominator = denominator;
  s.CoordinateLabels = true;
  s.CoordinateLabelSize = labelSize;
  s.CoordinateLabelFont = labelFont;
  s.CoordinateLabelCode = kSmallCoordinateLabelCode;
  s.OuterFrameKind = OuterFrameLines::kOne;
  s.OuterFrameOffset = 5.0;
  s.OuterFrameCode = kSmallOuterFrameCode;
  return s;
}

// 1:1 000 000 of its own series: the band on the sheet edge, a triple outer frame.
FrameStyle Map1000000() {
  FrameStyle s;
  s.ScaleDenominator = 1000000.0;
  s.MinuteFrame = true;
  s.MinuteFrameOffset = 0.0;
  s.MinuteFrameWidth = 1.0;
  s.CoordinateLabels = true;
  s.CoordinateLabelSize = 8.0;
  s.CoordinateLabelFont = kFontCenturion;
  s.CoordinateLabelCode = kCoordinateLabelCode;
  s.OuterFrameKind = OuterFrameLines::kBetweenCompanions;
  s.OuterFrameOffset = 8.5;
  s.OuterFrameCode = kOuterFrameCode;
  s.OuterFrameSpacing = kCompanionSpacing1000;
  s.OuterCompanionCode = kCompanionCode;
  return s;
}

// 1:1 000 000 of the 1:200 000 series and 1:5 000 000: no frame.
FrameStyle NoFrame(double denominator) {
  FrameStyle s;
  s.ScaleDenominator = denominator;
  return s;
}

}  // namespace

bool StyleWritesLayer(const FrameStyle& s, const LayerSpec& layer) {
  switch (layer.element) {
    case LayerElement::kGraticule: return true;
    case LayerElement::kFrameLines:
      return s.OuterFrameKind != OuterFrameLines::kNone || s.MinuteFrame || s.GraticuleExtensions;
    case LayerElement::kAdjacentNames:
      return s.AdjacentLabels && s.OuterFrameKind != OuterFrameLines::kNone;
    case LayerElement::kCoordinateLabels: return s.CoordinateLabels;
  }
  return false;
}

bool SheetWritesLayer(const LayerSpec& layer, std::int32_t MillionSeries, std::int32_t MapScale) {
  return StyleWritesLayer(FrameStyleFor(MillionSeries, MapScale), layer);
}

FrameStyle FrameStyleFor(std::int32_t MillionSeries, std::int32_t MapScale) {
  FrameStyle s;
  if (MillionSeries == 0) {
    switch (MapScale) {
      case 0: s = Map200000(); break;
      case 1: s = SmallScale(500000.0, 5.0, kFontFreeSet); break;
      case 2: s = NoFrame(1000000.0); break;
      default: break;
    }
  } else {
    switch (MapScale) {
      case 0: s = Map1000000(); break;
      case 1: s = SmallScale(2500000.0, 5.5, kFontCenturion); break;
      case 2: s = NoFrame(5000000.0); break;
      default: break;
    }
  }
  // No names without an outer frame to set them in; no extensions to a band on the sheet edge.
  if (s.OuterFrameKind == OuterFrameLines::kNone) s.AdjacentLabels = false;
  if (!s.MinuteFrame || s.MinuteFrameOffset == 0.0) s.GraticuleExtensions = false;
  return s;
}

}  // namespace mapbasis
