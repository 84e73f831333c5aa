// The two series of the national map and the three map scales each is published at: the
// MillionSeries and MapScale of the parameter record. Everything that names a map scale reads it
// here: the parameter file (MapScale= in thousands), the dialogs' lists and the messages (its
// names), the frame (which of its parts a scale draws) and the QGIS layout (the denominator).
// Texts are plain ASCII.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace mapbasis {

// The outer frame of a map scale: none, one line, or one line between two companion lines.
enum class OuterFrameLines { kNone, kOne, kBetweenCompanions };

// The parts of the frame a map scale draws. The Frame layer holds the minute band, the outer
// frame and the graticule extensions; FrameAdj the neighbours' names; FrameDig the coordinate
// labels.
struct FrameElements {
  bool minuteBand = false;
  OuterFrameLines outerFrame = OuterFrameLines::kNone;
  bool graticuleExtensions = false;  // the graticule lines carried out to a band off the sheet edge
  bool adjacentNames = false;        // the neighbours' names, set in gaps of the outer frame
  bool coordinateLabels = false;
};

struct MapScaleSpec {
  std::int32_t MillionSeries;  // 0 the 1:200 000 series, 1 the 1:1 000 000 series
  std::int32_t MapScale;       // its place within the series, 0..2
  double denominator;
  std::string_view thousands;    // the value MapScale= takes: the denominator in thousands, "200"
  std::string_view name;         // "1:200 000": the layout's and the messages' name of a series
  std::string_view listItem;     // "1 :   200 000": the dialogs' lists, aligned with inner blanks
  std::string_view messageName;  // "1 : 200 000": the final message
  FrameElements frame;
};

inline constexpr std::size_t kScalesPerSeries = 3;

// The map scales of a series, in MapScale order: MillionSeries 0 is the 1:200 000 series, any
// other value the 1:1 000 000 series.
std::span<const MapScaleSpec> MapScalesOf(std::int32_t MillionSeries);

// The map scale of the record; nullptr for a MapScale outside the series.
const MapScaleSpec* MapScaleOf(std::int32_t MillionSeries, std::int32_t MapScale);

// The scale a series is named by, that of its own sheets: 1:200 000 or 1:1 000 000.
const MapScaleSpec& SeriesScale(std::int32_t MillionSeries);

}  // namespace mapbasis
