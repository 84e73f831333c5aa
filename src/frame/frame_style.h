// What the frame of a sheet holds at each map scale: which elements exist, how far from the sheet
// edge they lie (millimetres on the printed map), their codes, and the label fonts and sizes.
#pragma once

#include <cstdint>

#include "frame/map_offsets.h"
#include "shapeout/layer_catalogue.h"

namespace mapbasis {

// Object codes (L_code) of the FRAME layers.
inline constexpr std::int32_t kMinuteBandCode = 400901;  // outlines, ticks and filled cells
inline constexpr std::int32_t kOuterFrameCode = 400902;  // 1:200 000 and 1:1 000 000
inline constexpr std::int32_t kCompanionCode = 400903;   // the two lines beside the outer frame
inline constexpr std::int32_t kMeridianExtensionCode = 400904;
inline constexpr std::int32_t kParallelExtensionCode = 400905;
inline constexpr std::int32_t kAdjacentLabelCode = 400911;
inline constexpr std::int32_t kCoordinateLabelCode = 400912;       // 1:200 000 and 1:1 000 000
inline constexpr std::int32_t kSmallCoordinateLabelCode = 400913;  // the smaller scales
inline constexpr std::int32_t kSmallOuterFrameCode = 400922;       // the smaller scales

// The outer frame of a style: none, one line, or one line between two companion lines.
enum class OuterFrameLines { kNone, kOne, kBetweenCompanions };

struct FrameStyle {
  double ScaleDenominator = 0.0;
  bool MinuteFrame = false;
  double MinuteFrameOffset = 0.0;  // sheet edge to the band's inner boundary
  double MinuteFrameWidth = 0.0;
  bool XFirstFilled = true;  // the band cell that begins at BaseWest is filled
  bool YFirstFilled = true;  // the band cell that begins at BaseSouth is filled
  std::int32_t MinuteFrameCode = kMinuteBandCode;
  std::int32_t MinuteTickCode = kMinuteBandCode;
  std::int32_t MinuteFillCode = kMinuteBandCode;
  bool GraticuleExtensions = false;  // graticule lines carried out to the minute band
  std::int32_t MeridianExtensionCode = 0;
  std::int32_t ParallelExtensionCode = 0;
  bool CoordinateLabels = false;
  double CoordinateLabelSize = 0.0;  // points
  std::int32_t CoordinateLabelFont = 0;
  std::int32_t CoordinateLabelCode = 0;
  bool AdjacentLabels = false;  // the neighbours' names, set in gaps of the outer frame
  double AdjacentLabelSize = 0.0;
  std::int32_t AdjacentLabelFont = 0;
  std::int32_t AdjacentLabelCode = 0;
  OuterFrameLines OuterFrameKind = OuterFrameLines::kNone;
  double OuterFrameOffset = 0.0;
  std::int32_t OuterFrameCode = 0;
  double OuterFrameSpacing = 0.0;  // companion to outer frame line
  std::int32_t OuterCompanionCode = 0;
};

// The style of a map scale (MapScale 0..2 within the series). A scale outside the table has no
// frame at all.
FrameStyle FrameStyleFor(std::int32_t MillionSeries, std::int32_t MapScale);

// Whether a run at this style writes the layer: a graticule layer always; the frame lines' layer
// for any frame line, the neighbours' names' for names set in the outer frame, the coordinate
// labels' for the labels.
bool StyleWritesLayer(const FrameStyle& s, const LayerSpec& layer);

// The same at a map scale (MapScale 0..2 within the series).
bool SheetWritesLayer(const LayerSpec& layer, std::int32_t MillionSeries, std::int32_t MapScale);

// The printed map of a style: its scale on the earth's sphere.
inline PrintedMap MapOf(const FrameStyle& style) { return {style.ScaleDenominator, kEarthRadius}; }

}  // namespace mapbasis
