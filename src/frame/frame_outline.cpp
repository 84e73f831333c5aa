#include "frame/frame_outline.h"

#include <cmath>

namespace mapbasis {

namespace {

// An edge of an outline beside the parallel edge.along, |edge.d| mm north of it (south for
// negative d), from edge.from to edge.to lengthened by |edge.d| mm at both ends, so that
// consecutive edges meet at the outline's corners.
std::int32_t AppendOuterFrameParallelEdge(const OffsetLine& edge, const PrintedMap& map,
                                          VertexWork& work) {
  const double off = std::fabs(edge.d);
  const double line = LatitudeOffsetBy(edge.along, edge.d, map);
  const double outward = edge.from > edge.to ? off : -off;  // both ends move away from the edge
  OffsetLine lengthened = edge;
  lengthened.from = LongitudeOffsetBy(edge.from, line, outward, map);
  lengthened.to = LongitudeOffsetBy(edge.to, line, -outward, map);
  return AppendOffsetParallel(lengthened, map, work);
}

// The same beside the meridian edge.along, east of it (west for negative d), from latitude
// edge.from to edge.to.
std::int32_t AppendOuterFrameMeridianEdge(const OffsetLine& edge, const PrintedMap& map,
                                          VertexWork& work) {
  const double off = std::fabs(edge.d);
  const double outward = edge.from > edge.to ? off : -off;
  OffsetLine lengthened = edge;
  lengthened.from = LatitudeOffsetBy(edge.from, outward, map);
  lengthened.to = LatitudeOffsetBy(edge.to, -outward, map);
  return AppendOffsetMeridian(lengthened, map, work);
}

}  // namespace

std::int32_t AppendOuterFrameOutline(double off, const PrintedMap& map, const DrawnTrapezoid& sheet,
                                     VertexWork& work) {
  const double lonStep = sheet.LonDensifyStep, latStep = sheet.LatDensifyStep;
  // Each edge's vertices are stepped from its own start; only the last edge ends the ring.
  const auto edge = [&](double along, double d, double from, double to, double step,
                        bool keepLast) {
    return OffsetLine{along, d, from, to, from, step, keepLast};
  };
  std::int32_t n = AppendOuterFrameParallelEdge(
      edge(sheet.yTo, off, sheet.xFrom, sheet.xTo, lonStep, false), map, work);
  n += AppendOuterFrameMeridianEdge(edge(sheet.xTo, off, sheet.yTo, sheet.yFrom, latStep, false),
                                    map, work);
  n += AppendOuterFrameParallelEdge(edge(sheet.yFrom, -off, sheet.xTo, sheet.xFrom, lonStep, false),
                                    map, work);
  n += AppendOuterFrameMeridianEdge(edge(sheet.xFrom, -off, sheet.yFrom, sheet.yTo, latStep, true),
                                    map, work);
  return n;
}

Outcome AddOuterFrameOutline(FrameRecords& out, std::int32_t code, double off,
                             const PrintedMap& map, const FrameArgs& args, VertexWork& work) {
  work.Clear();
  AppendOuterFrameOutline(off, map, args, work);
  return out.Write(FrameSlot::Frame, FrameCodeText(code), work);
}

}  // namespace mapbasis
