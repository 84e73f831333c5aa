#include "core/map_scales.h"

#include <array>

namespace mapbasis {

namespace {

using enum OuterFrameLines;

// The 1:200 000 series: its own scale has the whole frame; 1:500 000 an outer frame line and the
// coordinate labels; 1:1 000 000 no frame at all.
constexpr std::array<MapScaleSpec, kScalesPerSeries> kSeries200k = {{
    {.MillionSeries = 0,
     .MapScale = 0,
     .denominator = 200000.0,
     .thousands = "200",
     .name = "1:200 000",
     .listItem = "1 :   200 000",
     .messageName = "1 : 200 000",
     .frame = {.minuteBand = true,
               .outerFrame = kOne,
               .graticuleExtensions = true,
               .adjacentNames = true,
               .coordinateLabels = true}},
    {.MillionSeries = 0,
     .MapScale = 1,
     .denominator = 500000.0,
     .thousands = "500",
     .name = "1:500 000",
     .listItem = "1 :   500 000",
     .messageName = "1 : 500 000",
     .frame = {.outerFrame = kOne, .coordinateLabels = true}},
    {.MillionSeries = 0,
     .MapScale = 2,
     .denominator = 1000000.0,
     .thousands = "1000",
     .name = "1:1 000 000",
     .listItem = "1 : 1 000 000",
     .messageName = "1 : 1 000 000",
     .frame = {}},
}};

// The 1:1 000 000 series: its own scale has the band on the sheet edge (so no extensions reach
// it) and a triple outer frame; 1:2 500 000 an outer frame line and the coordinate labels;
// 1:5 000 000 no frame at all. Neither has the neighbours' names.
constexpr std::array<MapScaleSpec, kScalesPerSeries> kSeries1m = {{
    {.MillionSeries = 1,
     .MapScale = 0,
     .denominator = 1000000.0,
     .thousands = "1000",
     .name = "1:1 000 000",
     .listItem = "1 : 1 000 000",
     .messageName = "1 : 1 000 000",
     .frame = {.minuteBand = true, .outerFrame = kBetweenCompanions, .coordinateLabels = true}},
    {.MillionSeries = 1,
     .MapScale = 1,
     .denominator = 2500000.0,
     .thousands = "2500",
     .name = "1:2 500 000",
     .listItem = "1 : 2 500 000",
     .messageName = "1 : 2 500 000",
     .frame = {.outerFrame = kOne, .coordinateLabels = true}},
    {.MillionSeries = 1,
     .MapScale = 2,
     .denominator = 5000000.0,
     .thousands = "5000",
     .name = "1:5 000 000",
     .listItem = "1 : 5 000 000",
     .messageName = "1 : 5 000 000",
     .frame = {}},
}};

// Each series lists its scales in MapScale order.
constexpr bool InOrder(std::span<const MapScaleSpec> series, std::int32_t MillionSeries) {
  for (std::size_t i = 0; i < series.size(); ++i) {
    if (series[i].MillionSeries != MillionSeries) return false;
    if (series[i].MapScale != static_cast<std::int32_t>(i)) return false;
  }
  return true;
}
static_assert(InOrder(kSeries200k, 0) && InOrder(kSeries1m, 1));

// The neighbours' names are set in gaps of the outer frame, so a scale without one has none.
constexpr bool NamesHaveAFrame(std::span<const MapScaleSpec> series) {
  for (const MapScaleSpec& scale : series) {
    if (scale.frame.adjacentNames && scale.frame.outerFrame == kNone) return false;
  }
  return true;
}
static_assert(NamesHaveAFrame(kSeries200k) && NamesHaveAFrame(kSeries1m));

}  // namespace

std::span<const MapScaleSpec> MapScalesOf(std::int32_t MillionSeries) {
  if (MillionSeries == 0) return kSeries200k;
  return kSeries1m;
}

const MapScaleSpec* MapScaleOf(std::int32_t MillionSeries, std::int32_t MapScale) {
  const auto scales = MapScalesOf(MillionSeries);
  if (MapScale < 0 || MapScale >= static_cast<std::int32_t>(scales.size())) return nullptr;
  return &scales[static_cast<std::size_t>(MapScale)];
}

const MapScaleSpec& SeriesScale(std::int32_t MillionSeries) {
  return MapScalesOf(MillionSeries).front();
}

}  // namespace mapbasis
