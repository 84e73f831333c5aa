// How the frame of a sheet is drawn at each map scale: how far from the sheet edge its parts lie
// (millimetres on the printed map), their codes, and the label fonts and sizes. Which parts a
// scale draws is the map-scale table's (core/map_scales.h).
#pragma once

#include <cstdint>

#include "core/map_scales.h"
#include "frame/map_offsets.h"

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

struct FrameStyle {
  double ScaleDenominator = 0.0;
  FrameElements elements;          // the parts of the frame the scale draws
  double MinuteFrameOffset = 0.0;  // sheet edge to the band's inner boundary
  double MinuteFrameWidth = 0.0;
  bool XFirstFilled = true;  // the band cell that begins at BaseWest is filled
  bool YFirstFilled = true;  // the band cell that begins at BaseSouth is filled
  std::int32_t MinuteFrameCode = kMinuteBandCode;
  std::int32_t MinuteTickCode = kMinuteBandCode;
  std::int32_t MinuteFillCode = kMinuteBandCode;
  std::int32_t MeridianExtensionCode = 0;
  std::int32_t ParallelExtensionCode = 0;
  double CoordinateLabelSize = 0.0;  // points
  std::int32_t CoordinateLabelFont = 0;
  std::int32_t CoordinateLabelCode = 0;
  double AdjacentLabelSize = 0.0;
  std::int32_t AdjacentLabelFont = 0;
  std::int32_t AdjacentLabelCode = 0;
  double OuterFrameOffset = 0.0;
  std::int32_t OuterFrameCode = 0;
  double OuterFrameSpacing = 0.0;  // companion to outer frame line
  std::int32_t OuterCompanionCode = 0;
};

// The style of a map scale (MapScale 0..2 within the series). A scale outside the series has no
// frame at all.
FrameStyle FrameStyleFor(std::int32_t MillionSeries, std::int32_t MapScale);

// The printed map of a style: its scale on the earth's sphere.
inline PrintedMap MapOf(const FrameStyle& style) { return {style.ScaleDenominator, kEarthRadius}; }

}  // namespace mapbasis
