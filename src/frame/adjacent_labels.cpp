#include "frame/adjacent_labels.h"

#include <functional>
#include <string>

#include "core/angle_tolerance.h"
#include "core/fixed_text.h"
#include "frame/font_metrics.h"
#include "frame/map_offsets.h"

namespace mapbasis {

namespace {

constexpr FrameFault kNotWritten = FrameFault::kNotWritten;

// Room around a name in the outer frame line, mm on the map.
constexpr double kGapAroundName = 2.0;

// One gap: its length in mm (0 for none) and its ends, in latitude on the west and east sides,
// in longitude on the north and south sides.
struct Gap {
  double length = 0.0;
  double lo = 0.0, hi = 0.0;
};

}  // namespace

Outcome WriteAdjacentLabels(FrameRecords& out, const FrameStyle& style, const FrameArgs& args,
                            VertexWork& work) {
  const PrintedMap map = MapOf(style);
  const double off = style.OuterFrameOffset;
  const double midLat = (args.yFrom + args.yTo) / 2;
  const double midLon = (args.xFrom + args.xTo) / 2;
  const double latN = LatitudeOffsetBy(args.yTo, off, map);
  const double latS = LatitudeOffsetBy(args.yFrom, -off, map);

  const auto gapFor = [&](const std::string& name, double edge, double baseEdge) {
    if (!AnglesEqual(edge, baseEdge)) return 0.0;
    const TextExtent extent = MeasureText(TrimTrailingBlanks(name), style.AdjacentLabelFont,
                                          style.AdjacentLabelSize, kTrimBoth);
    return extent.width + kGapAroundName;
  };
  Gap west{gapFor(args.AdjacentWest, args.xFrom, args.BaseWest)};
  Gap east{gapFor(args.AdjacentEast, args.xTo, args.BaseEast)};
  Gap north{gapFor(args.AdjacentNorth, args.yTo, args.BaseNorth)};
  Gap south{gapFor(args.AdjacentSouth, args.yFrom, args.BaseSouth)};

  // Each gap is centred on its side and must lie strictly inside it.
  for (Gap* g : {&west, &east}) {
    g->lo = LatitudeOffsetBy(midLat, -g->length / 2, map);
    g->hi = LatitudeOffsetBy(midLat, g->length / 2, map);
    if (!(g->lo > args.yFrom && g->hi < args.yTo)) *g = {0.0, midLat, midLat};
  }
  for (auto [g, lat] : {std::pair{&north, latN}, std::pair{&south, latS}}) {
    g->lo = LongitudeOffsetBy(midLon, lat, -g->length / 2, map);
    g->hi = LongitudeOffsetBy(midLon, lat, g->length / 2, map);
    if (!(g->lo > args.xFrom && g->hi < args.xTo)) *g = {0.0, midLon, midLon};
  }

  const double lonStep = args.LonDensifyStep;
  const double latStep = args.LatDensifyStep;
  // Along the outer frame's north (+off) or south (-off) side, and its east or west side.
  const auto parallel = [&](double lat, double d, double a, double b, bool keepLast) {
    AppendOffsetParallel({lat, d, a, b, args.xFrom, lonStep, keepLast}, map, work);
  };
  const auto meridian = [&](double lon, double d, double a, double b, bool keepLast) {
    AppendOffsetMeridian({lon, d, a, b, args.yFrom, latStep, keepLast}, map, work);
  };
  const double cornerNW = LongitudeOffsetBy(args.xFrom, latN, -off, map);
  const double cornerNE = LongitudeOffsetBy(args.xTo, latN, off, map);
  const double cornerSE = LongitudeOffsetBy(args.xTo, latS, off, map);
  const double cornerSW = LongitudeOffsetBy(args.xFrom, latS, -off, map);

  // Clockwise from the north-west, each piece two lines joined at its corner.
  const std::function<void()> pieces[] = {
      [&] {
        meridian(args.xFrom, -off, west.hi, latN, false);
        parallel(args.yTo, off, cornerNW, north.lo, true);
      },
      [&] {
        parallel(args.yTo, off, north.hi, cornerNE, false);
        meridian(args.xTo, off, latN, east.hi, true);
      },
      [&] {
        meridian(args.xTo, off, east.lo, latS, false);
        parallel(args.yFrom, -off, cornerSE, south.hi, true);
      },
      [&] {
        parallel(args.yFrom, -off, south.lo, cornerSW, false);
        meridian(args.xFrom, -off, latS, west.lo, true);
      },
  };
  const std::string frameText = FrameCodeText(style.OuterFrameCode);
  for (const auto& build : pieces) {
    work.Clear();
    build();
    if (Outcome written = out.Write(FrameSlot::Frame, frameText, work); !written.ok()) {
      return Failure(kNotWritten, std::move(written.reason));
    }
  }

  // Each name spans its whole gap along the outer frame line.
  struct Name {
    const std::string& text;
    const Gap& gap;
    std::function<void()> build;
  };
  const Name names[] = {
      {args.AdjacentNorth, north, [&] { parallel(args.yTo, off, north.lo, north.hi, true); }},
      {args.AdjacentSouth, south, [&] { parallel(args.yFrom, -off, south.lo, south.hi, true); }},
      {args.AdjacentWest, west, [&] { meridian(args.xFrom, -off, west.lo, west.hi, true); }},
      {args.AdjacentEast, east, [&] { meridian(args.xTo, off, east.lo, east.hi, true); }},
  };
  const std::string_view font = FontName(style.AdjacentLabelFont);
  for (const Name& name : names) {
    if (name.gap.length == 0.0) continue;
    work.Clear();
    name.build();
    const std::string attributes =
        FrameLabelText(style.AdjacentLabelCode, name.text, font, style.AdjacentLabelSize);
    if (Outcome written = out.Write(FrameSlot::FrameAdj, attributes, work); !written.ok()) {
      return Failure(kNotWritten, std::move(written.reason));
    }
  }
  return Success();
}

}  // namespace mapbasis
