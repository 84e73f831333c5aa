#include "frame/coordinate_labels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>

#include "core/cp1251.h"
#include "core/whole_minutes.h"
#include "frame/font_metrics.h"
#include "frame/map_offsets.h"

namespace mapbasis {

namespace {

constexpr FrameFault kLabelsNotWritten = FrameFault::kNotWritten;

// Distances in mm on the map.
constexpr double kTextGap = 0.8;       // between the degree and the minute text of a latitude
constexpr double kClearance = 0.8;     // kept around the corner latitude labels
constexpr double kEdgeDistance = 1.0;  // from the sheet edge (or the band on it) to a label
// The minute text sits this much lower still; the value was fixed in single precision.
constexpr double kMinuteDrop = static_cast<double>(0.1f);

constexpr auto kEastHemisphere = Cp1251("В");
constexpr auto kWestHemisphere = Cp1251("З");

// The ink boxes of the outermost latitude labels, widened by the clearance: how far east the west
// ones reach (west of it the east ones), and how far out in latitude.
struct CornerBoxes {
  bool pending = false;  // a latitude label has been made
  double SWx = 0, SWy = 0, SEx = 0, SEy = 0;
  double NWx = 0, NWy = 0, NEx = 0, NEy = 0;
};

// One label from longitude x1 to x2 along the latitude row.
Outcome WriteLabel(FrameOutput& out, const std::string& attributes, const PrintedMap& map,
                   const FrameArgs& args, double row, double x1, double x2, VertexWork& work) {
  work.Clear();
  AppendOffsetParallel(row, 0.0, x1, x2, map, args.xFrom, args.LonDensifyStep, work);
  return out.Write(FrameSlot::FrameDig, attributes, work);
}

}  // namespace

CoordinateTexts CoordinateLabelTexts(double value, bool longitude) {
  double v = RoundToWholeMinute(value);
  CoordinateTexts texts;
  texts.hemisphere = " ";
  if (longitude) {
    // A longitude beyond 360 (or below 0) names the meridian it reaches round the globe.
    v -= 360.0 * std::floor(v / 360.0);
    if (v > 180.0) {
      v = 360.0 - v;
      texts.hemisphere = kWestHemisphere.str();
    } else {
      texts.hemisphere = kEastHemisphere.str();
    }
  }
  const DegreesMinutes split = SplitDegreesMinutes(v);
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.0f\xB0", split.degrees);
  texts.degrees = buffer;
  std::snprintf(buffer, sizeof buffer, "%02d'", split.minutes);
  texts.minutes = buffer;
  return texts;
}

Outcome WriteCoordinateLabels(FrameOutput& out, const FrameStyle& style, const FrameArgs& args,
                              std::span<const double> ParallelLats,
                              std::span<const double> MeridianLons, VertexWork& work) {
  const PrintedMap map = MapOf(style);
  const std::int32_t font = style.CoordinateLabelFont;
  const double size = style.CoordinateLabelSize;
  const auto label = [&](const std::string& text) {
    return FrameLabelText(style.CoordinateLabelCode, text, FontNames(font), size);
  };
  // Labels keep 1 mm from the sheet edge, or from the minute band when it lies on the edge.
  double dist0 = kEdgeDistance;
  if (style.MinuteFrame && style.MinuteFrameOffset == 0.0) dist0 += style.MinuteFrameWidth;

  CornerBoxes corner;
  double H = 0.0;  // height of the last latitude label's degree text
  const std::size_t parallels = ParallelLats.size();
  for (std::size_t i = 0; i < parallels; ++i) {
    const double lat = ParallelLats[i];
    const CoordinateTexts t = CoordinateLabelTexts(lat, false);
    const TextExtent deg = MeasureText(t.degrees, font, size, kTrimBoth);
    const TextExtent min = MeasureText(t.minutes, font, size, kTrimBoth);
    const double hD = deg.height();
    const double hM = min.height();
    H = hD;
    const double latD = LatitudeOffsetBy(lat, kTextGap / 2 + hD / 2, map);
    const double latM = LatitudeOffsetBy(lat, -(hM / 2 + kTextGap / 2 + kMinuteDrop), map);
    const double dist = dist0;
    // West: both texts start together; the longer one ends dist from the edge.
    const double W = std::max(deg.width, min.width) + dist;
    const double wDegA = LongitudeOffsetBy(args.xFrom, latD, -W, map);
    const double wDegB = LongitudeOffsetBy(args.xFrom, latD, deg.width - W, map);
    const double wMinA = LongitudeOffsetBy(args.xFrom, latM, -W, map);
    const double wMinB = LongitudeOffsetBy(args.xFrom, latM, min.width - W, map);
    // East: both texts start dist from the edge.
    const double eDegA = LongitudeOffsetBy(args.xTo, latD, dist, map);
    const double eDegB = LongitudeOffsetBy(args.xTo, latD, dist + deg.width, map);
    const double eMinA = LongitudeOffsetBy(args.xTo, latM, dist, map);
    const double eMinB = LongitudeOffsetBy(args.xTo, latM, dist + min.width, map);

    if (i == 0) {
      corner.pending = true;
      corner.SWx = LongitudeOffsetBy(wMinB, latM, kClearance, map);
      corner.SWy = LatitudeOffsetBy(latM, -(hM / 2 + kClearance), map);
      corner.SEx = LongitudeOffsetBy(eMinA, latM, -kClearance, map);
      corner.SEy = corner.SWy;
    }
    if (i + 1 == parallels) {
      corner.pending = true;
      corner.NWx = LongitudeOffsetBy(wDegB, latD, kClearance, map);
      corner.NWy = LatitudeOffsetBy(latD, hD / 2 + kClearance, map);
      corner.NEx = LongitudeOffsetBy(eDegA, latD, -kClearance, map);
      corner.NEy = corner.NWy;
    }

    const std::string degText = label(t.degrees);
    const std::string minText = label(t.minutes);
    for (const auto& [text, row, x1, x2] :
         {std::tuple{&degText, latD, wDegA, wDegB}, std::tuple{&minText, latM, wMinA, wMinB},
          std::tuple{&degText, latD, eDegA, eDegB}, std::tuple{&minText, latM, eMinA, eMinB}}) {
      if (Outcome written = WriteLabel(out, *text, map, args, row, x1, x2, work); !written.ok()) {
        return Failure(kLabelsNotWritten, std::move(written.reason));
      }
    }
  }

  const std::size_t meridians = MeridianLons.size();
  const double blank = MeasureText(" ", font, size, kTrimNone).width;
  const double moved = kTextGap / 2 + H + kClearance;  // out beyond a corner latitude label
  for (std::size_t i = 0; i < meridians; ++i) {
    const double lon = MeridianLons[i];
    const CoordinateTexts t = CoordinateLabelTexts(lon, true);
    const TextExtent deg = MeasureText(t.degrees, font, size, kTrimLeft);
    const TextExtent min = MeasureText(t.minutes, font, size, kTrimRight);
    const double h = std::max(deg.height(), min.height());
    const std::string text = label(t.degrees + " " + t.minutes);
    // The blank between degrees and minutes straddles the meridian.
    const auto x1 = [&](double row) {
      return LongitudeOffsetBy(lon, row, -(blank / 2 + deg.width), map);
    };
    const auto x2 = [&](double row) {
      return LongitudeOffsetBy(lon, row, blank / 2 + min.width, map);
    };
    const bool first = i == 0;
    const bool last = i + 1 == meridians;

    // North, above the sheet.
    double dist = dist0;
    double near = LatitudeOffsetBy(args.yTo, dist, map);
    double row = LatitudeOffsetBy(args.yTo, h / 2 + dist, map);
    if (corner.pending && ((first && corner.NWx > x1(row) && corner.NWy > near) ||
                           (last && corner.NEx < x2(row) && corner.NEy > near))) {
      dist = moved;
      row = LatitudeOffsetBy(args.yTo, h / 2 + dist, map);
    }
    if (Outcome written = WriteLabel(out, text, map, args, row, x1(row), x2(row), work);
        !written.ok()) {
      return Failure(kLabelsNotWritten, std::move(written.reason));
    }

    // South, below the sheet.
    dist = dist0;
    near = LatitudeOffsetBy(args.yFrom, -dist, map);
    row = LatitudeOffsetBy(args.yFrom, -(h / 2 + dist), map);
    if (corner.pending && ((first && corner.SWx > x1(row) && corner.SWy < near) ||
                           (last && corner.SEx < x2(row) && corner.SEy < near))) {
      dist = moved;
      row = LatitudeOffsetBy(args.yFrom, -(h / 2 + dist), map);
    }
    if (Outcome written = WriteLabel(out, text, map, args, row, x1(row), x2(row), work);
        !written.ok()) {
      return Failure(kLabelsNotWritten, std::move(written.reason));
    }
  }
  return Success();
}

}  // namespace mapbasis
