#include "frame/coordinate_labels.h"

#include <algorithm>
#include <functional>
#include <tuple>
#include <vector>

#include "core/angle_format.h"
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

// The ink box of an outermost latitude label, widened by the clearance: how far east a west one
// reaches (how far west an east one), and how far out in latitude.
struct CornerBox {
  double x = 0, y = 0;
};

// The corner boxes at the two ends of the north or the south side.
struct CornerBoxes {
  CornerBox west, east;
};

// Where a longitude label lies: its row's latitude and its ends' longitudes.
struct Placed {
  double row = 0, x1 = 0, x2 = 0;
};

// A side of the sheet that carries longitude labels: its edge, outward to the north (+1) or to
// the south (-1), the latitude labels at its ends, and where the label of a meridian goes.
struct LongitudeSide {
  double edge;
  double outward;
  const CornerBoxes& corners;
  Placed& placed;
};

// One label from longitude x1 to x2 along the latitude row.
Outcome WriteLabel(FrameRecords& out, const std::string& attributes, const PrintedMap& map,
                   const FrameArgs& args, double row, double x1, double x2, VertexWork& work) {
  work.Clear();
  AppendOffsetParallel(
      {.along = row, .from = x1, .to = x2, .origin = args.xFrom, .step = args.LonDensifyStep}, map,
      work);
  return out.Write(FrameSlot::FrameDig, attributes, work);
}

// Which of n labels along a side are printed, so that each stands clear of the next. Every k-th
// label from the first stays, k the smallest stride at which each of them stands clear of the one
// before; the last label stays too, and those before it that it would run into give way to it,
// unless only the first would be left (then the last goes). clear(a, b) says whether label b,
// after a, stands clear of label a. Where every label stands clear of the next, all stay.
std::vector<bool> LabelsThatFit(std::size_t n,
                                const std::function<bool(std::size_t, std::size_t)>& clear) {
  std::vector<bool> kept(n, false);
  if (n == 0) return kept;
  std::size_t stride = 1;
  for (std::size_t i = stride; i < n;) {
    if (clear(i - stride, i)) {
      i += stride;
    } else {
      ++stride;
      i = stride;
    }
  }
  std::vector<std::size_t> keep;
  for (std::size_t i = 0; i < n; i += stride) keep.push_back(i);
  const std::size_t last = n - 1;
  if (keep.back() != last) {
    while (keep.size() > 1 && !clear(keep.back(), last)) keep.pop_back();
    if (keep.size() > 1 || clear(0, last)) keep.push_back(last);
  }
  for (const std::size_t i : keep) kept[i] = true;
  return kept;
}

}  // namespace

CoordinateTexts CoordinateLabelTexts(double value, bool longitude) {
  double v = RoundToWholeMinute(value);
  std::string_view hemisphere = " ";
  if (longitude) {
    // A longitude beyond 360 (or below 0) names the meridian it reaches round the globe.
    const LongitudeFromGreenwich read = FromGreenwich(v);
    v = read.angle;
    hemisphere =
        read.hemisphere == Hemisphere::kWest ? kWestHemisphere.view() : kEastHemisphere.view();
  }
  const DegreesMinutes split = SplitDegreesMinutes(v);
  return {FormatWholeDegrees(split.degrees), FormatMinutes(split.minutes), std::string(hemisphere)};
}

Outcome WriteCoordinateLabels(FrameRecords& out, const FrameStyle& style, const FrameArgs& args,
                              std::span<const double> ParallelLats,
                              std::span<const double> MeridianLons, VertexWork& work) {
  const PrintedMap map = MapOf(style);
  const std::int32_t font = style.CoordinateLabelFont;
  const double size = style.CoordinateLabelSize;
  const auto label = [&](const std::string& text) {
    return FrameLabelText(style.CoordinateLabelCode, text, FontName(font), size);
  };
  const auto write = [&](const std::string& text, double row, double x1, double x2) -> Outcome {
    if (Outcome written = WriteLabel(out, text, map, args, row, x1, x2, work); !written.ok()) {
      return Failure(kLabelsNotWritten, std::move(written.reason));
    }
    return Success();
  };
  // Labels keep 1 mm from the sheet edge, or from the minute band when it lies on the edge.
  double dist0 = kEdgeDistance;
  if (style.elements.minuteBand && style.MinuteFrameOffset == 0.0) dist0 += style.MinuteFrameWidth;

  // The latitude labels: the degree text above the parallel, the minute text below it.
  struct LatitudeLabel {
    CoordinateTexts t;
    TextExtent deg, min;
    double latD = 0, latM = 0;
  };
  std::vector<LatitudeLabel> latitudes;
  for (const double lat : ParallelLats) {
    LatitudeLabel& l = latitudes.emplace_back();
    l.t = CoordinateLabelTexts(lat, false);
    l.deg = MeasureText(l.t.degrees, font, size, kTrimBoth);
    l.min = MeasureText(l.t.minutes, font, size, kTrimBoth);
    l.latD = LatitudeOffsetBy(lat, kTextGap / 2 + l.deg.height() / 2, map);
    l.latM = LatitudeOffsetBy(lat, -(l.min.height() / 2 + kTextGap / 2 + kMinuteDrop), map);
  }
  // Both sides carry the same labels at the same latitudes, so they keep the same ones.
  const std::vector<bool> latitudeKept =
      LabelsThatFit(latitudes.size(), [&](std::size_t a, std::size_t b) {
        const LatitudeLabel &below = latitudes[a], &above = latitudes[b];
        return LatitudeOffsetBy(below.latD, below.deg.height() / 2 + kClearance, map) <=
               LatitudeOffsetBy(above.latM, -above.min.height() / 2, map);
      });

  bool pending = false;  // a latitude label has been made
  CornerBoxes north, south;
  double H = 0.0;  // height of the northernmost latitude label's degree text
  // The corner labels: the southernmost always stays, the northernmost kept one is the other.
  const std::size_t southmost = 0;
  std::size_t northmost = 0;
  for (std::size_t i = 0; i < latitudeKept.size(); ++i) {
    if (latitudeKept[i]) northmost = i;
  }
  for (std::size_t i = 0; i < latitudes.size(); ++i) {
    if (!latitudeKept[i]) continue;
    const LatitudeLabel& l = latitudes[i];
    const double hD = l.deg.height();
    const double hM = l.min.height();
    const double latD = l.latD, latM = l.latM;
    H = hD;
    const double dist = dist0;
    // West: both texts start together; the longer one ends dist from the edge.
    const double W = std::max(l.deg.width, l.min.width) + dist;
    const double wDegA = LongitudeOffsetBy(args.xFrom, latD, -W, map);
    const double wDegB = LongitudeOffsetBy(args.xFrom, latD, l.deg.width - W, map);
    const double wMinA = LongitudeOffsetBy(args.xFrom, latM, -W, map);
    const double wMinB = LongitudeOffsetBy(args.xFrom, latM, l.min.width - W, map);
    // East: both texts start dist from the edge.
    const double eDegA = LongitudeOffsetBy(args.xTo, latD, dist, map);
    const double eDegB = LongitudeOffsetBy(args.xTo, latD, dist + l.deg.width, map);
    const double eMinA = LongitudeOffsetBy(args.xTo, latM, dist, map);
    const double eMinB = LongitudeOffsetBy(args.xTo, latM, dist + l.min.width, map);

    if (i == southmost) {
      pending = true;
      south.west = {LongitudeOffsetBy(wMinB, latM, kClearance, map),
                    LatitudeOffsetBy(latM, -(hM / 2 + kClearance), map)};
      south.east = {LongitudeOffsetBy(eMinA, latM, -kClearance, map), south.west.y};
    }
    if (i == northmost) {
      pending = true;
      north.west = {LongitudeOffsetBy(wDegB, latD, kClearance, map),
                    LatitudeOffsetBy(latD, hD / 2 + kClearance, map)};
      north.east = {LongitudeOffsetBy(eDegA, latD, -kClearance, map), north.west.y};
    }

    const std::string degText = label(l.t.degrees);
    const std::string minText = label(l.t.minutes);
    for (const auto& [text, row, x1, x2] :
         {std::tuple{&degText, latD, wDegA, wDegB}, std::tuple{&minText, latM, wMinA, wMinB},
          std::tuple{&degText, latD, eDegA, eDegB}, std::tuple{&minText, latM, eMinA, eMinB}}) {
      if (Outcome written = write(*text, row, x1, x2); !written.ok()) return written;
    }
  }

  // The longitude labels: one text centred on the meridian above the sheet and one below it.
  struct LongitudeLabel {
    std::string text;
    Placed north, south;
  };
  std::vector<LongitudeLabel> longitudes;
  const std::size_t meridians = MeridianLons.size();
  const double blank = MeasureText(" ", font, size, kTrimNone).width;
  const double moved = kTextGap / 2 + H + kClearance;  // out beyond a corner latitude label
  for (std::size_t i = 0; i < meridians; ++i) {
    const double lon = MeridianLons[i];
    const CoordinateTexts t = CoordinateLabelTexts(lon, true);
    const TextExtent deg = MeasureText(t.degrees, font, size, kTrimLeft);
    const TextExtent min = MeasureText(t.minutes, font, size, kTrimRight);
    const double h = std::max(deg.height(), min.height());
    LongitudeLabel& l = longitudes.emplace_back();
    l.text = label(t.degrees + " " + t.minutes);
    // The blank between degrees and minutes straddles the meridian.
    const auto at = [&](double row) {
      return Placed{row, LongitudeOffsetBy(lon, row, -(blank / 2 + deg.width), map),
                    LongitudeOffsetBy(lon, row, blank / 2 + min.width, map)};
    };
    const bool first = i == 0;
    const bool last = i + 1 == meridians;

    // Above the sheet, then below it; each starts at the normal distance.
    for (const LongitudeSide& side : {LongitudeSide{args.yTo, 1.0, north, l.north},
                                      LongitudeSide{args.yFrom, -1.0, south, l.south}}) {
      double dist = dist0;
      const double near = LatitudeOffsetBy(side.edge, side.outward * dist, map);
      Placed placed = at(LatitudeOffsetBy(side.edge, side.outward * (h / 2 + dist), map));
      // A corner box reaches into the label's row when it lies farther out than the row's near
      // side (north of it above the sheet, south of it below).
      const auto reaches = [&](const CornerBox& box) {
        return side.outward > 0 ? box.y > near : box.y < near;
      };
      if (pending && ((first && side.corners.west.x > placed.x1 && reaches(side.corners.west)) ||
                      (last && side.corners.east.x < placed.x2 && reaches(side.corners.east)))) {
        dist = moved;
        placed = at(LatitudeOffsetBy(side.edge, side.outward * (h / 2 + dist), map));
      }
      side.placed = placed;
    }
  }
  // The meridians converge northward, so each side keeps its own.
  const auto kept = [&](Placed LongitudeLabel::*side) {
    return LabelsThatFit(meridians, [&](std::size_t a, std::size_t b) {
      const Placed &west = longitudes[a].*side, &east = longitudes[b].*side;
      return LongitudeOffsetBy(west.x2, west.row, kClearance, map) <= east.x1;
    });
  };
  const std::vector<bool> northKept = kept(&LongitudeLabel::north);
  const std::vector<bool> southKept = kept(&LongitudeLabel::south);
  for (std::size_t i = 0; i < meridians; ++i) {
    const LongitudeLabel& l = longitudes[i];
    if (northKept[i]) {
      if (Outcome written = write(l.text, l.north.row, l.north.x1, l.north.x2); !written.ok()) {
        return written;
      }
    }
    if (southKept[i]) {
      if (Outcome written = write(l.text, l.south.row, l.south.x1, l.south.x2); !written.ok()) {
        return written;
      }
    }
  }
  return Success();
}

}  // namespace mapbasis
