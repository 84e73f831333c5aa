#include "frame/frame_style.h"

#include "frame/font_metrics.h"

namespace mapbasis {

namespace {

// These distances were fixed in single precision; the frame is drawn with exactly those values.
constexpr double kBandWidth200 = static_cast<double>(1.2f);
constexpr double kOuterFrame200 = static_cast<double>(9.8f);
constexpr double kCompanionSpacing1000 = static_cast<double>(1.1f);

// 1:200 000: the band 7 mm out, the outer frame beyond it broken by the neighbours' names.
FrameStyle Map200000() {
  FrameStyle s;
  s.MinuteFrameOffset = 7.0;
  s.MinuteFrameWidth = kBandWidth200;
  s.MeridianExtensionCode = kMeridianExtensionCode;
  s.ParallelExtensionCode = kParallelExtensionCode;
  s.CoordinateLabelSize = 6.5;
  s.CoordinateLabelFont = kFontFreeSet;
  s.CoordinateLabelCode = kCoordinateLabelCode;
  s.AdjacentLabelSize = 6.5;
  s.AdjacentLabelFont = kFontPragmatica;
  s.AdjacentLabelCode = kAdjacentLabelCode;
  s.OuterFrameOffset = kOuterFrame200;
  s.OuterFrameCode = kOuterFrameCode;
  return s;
}

// 1:500 000 and 1:2 500 000: an outer frame line 5 mm out and small coordinate labels.
FrameStyle SmallScale(double labelSize, std::int32_t labelFont) {
  FrameStyle s;
  s.CoordinateLabelSize = labelSize;
  s.CoordinateLabelFont = labelFont;
  s.CoordinateLabelCode = kSmallCoordinateLabelCode;
  s.OuterFrameOffset = 5.0;
  s.OuterFrameCode = kSmallOuterFrameCode;
  return s;
}

// 1:1 000 000 of its own series: the band on the sheet edge, a triple outer frame.
FrameStyle Map1000000() {
  FrameStyle s;
  s.MinuteFrameOffset = 0.0;
  s.MinuteFrameWidth = 1.0;
  s.CoordinateLabelSize = 8.0;
  s.CoordinateLabelFont = kFontCenturion;
  s.CoordinateLabelCode = kCoordinateLabelCode;
  s.OuterFrameOffset = 8.5;
  s.OuterFrameCode = kOuterFrameCode;
  s.OuterFrameSpacing = kCompanionSpacing1000;
  s.OuterCompanionCode = kCompanionCode;
  return s;
}

// The distances, codes and fonts of a map scale; 1:1 000 000 of the 1:200 000 series and
// 1:5 000 000 draw no frame and have none.
FrameStyle Measures(std::int32_t MillionSeries, std::int32_t MapScale) {
  if (MillionSeries == 0) {
    switch (MapScale) {
      case 0: return Map200000();
      case 1: return SmallScale(5.0, kFontFreeSet);
      default: return {};
    }
  }
  switch (MapScale) {
    case 0: return Map1000000();
    case 1: return SmallScale(5.5, kFontCenturion);
    default: return {};
  }
}

}  // namespace

FrameStyle FrameStyleFor(std::int32_t MillionSeries, std::int32_t MapScale) {
  const MapScaleSpec* scale = MapScaleOf(MillionSeries, MapScale);
  if (scale == nullptr) return {};
  FrameStyle s = Measures(MillionSeries, MapScale);
  s.ScaleDenominator = scale->denominator;
  s.elements = scale->frame;
  return s;
}

}  // namespace mapbasis
