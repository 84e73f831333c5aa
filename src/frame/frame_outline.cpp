#include "frame/frame_outline.h"

namespace mapbasis {

std::int32_t AppendOuterFrameParallelEdge(double off, const PrintedMap& map, bool north, double lat,
                                          double lonA, double lonB, double step, bool keepLast,
                                          VertexWork& work) {
  const double d = north ? off : -off;
  const double line = LatitudeOffsetBy(lat, d, map);
  const double outward = lonA > lonB ? off : -off;  // both ends move away from the edge
  const double start = LongitudeOffsetBy(lonA, line, outward, map);
  const double end = LongitudeOffsetBy(lonB, line, -outward, map);
  return AppendOffsetParallel(lat, d, start, end, map, lonA, step, work, keepLast);
}

std::int32_t AppendOuterFrameMeridianEdge(double off, const PrintedMap& map, bool east, double lon,
                                          double latA, double latB, double step, bool keepLast,
                                          VertexWork& work) {
  const double d = east ? off : -off;
  const double outward = latA > latB ? off : -off;
  const double start = LatitudeOffsetBy(latA, outward, map);
  const double end = LatitudeOffsetBy(latB, -outward, map);
  return AppendOffsetMeridian(lon, d, start, end, map, latA, step, work, keepLast);
}

std::int32_t AppendOuterFrameOutline(double off, const PrintedMap& map, double xFrom, double xTo,
                                     double lonStep, double yFrom, double yTo, double latStep,
                                     VertexWork& work) {
  std::int32_t n =
      AppendOuterFrameParallelEdge(off, map, true, yTo, xFrom, xTo, lonStep, false, work);
  n += AppendOuterFrameMeridianEdge(off, map, true, xTo, yTo, yFrom, latStep, false, work);
  n += AppendOuterFrameParallelEdge(off, map, false, yFrom, xTo, xFrom, lonStep, false, work);
  n += AppendOuterFrameMeridianEdge(off, map, false, xFrom, yFrom, yTo, latStep, true, work);
  return n;
}

Outcome AddOuterFrameOutline(FrameOutput& out, std::int32_t code, double off, const PrintedMap& map,
                             const FrameArgs& args, VertexWork& work) {
  work.Clear();
  AppendOuterFrameOutline(off, map, args.xFrom, args.xTo, args.LonDensifyStep, args.yFrom, args.yTo,
                          args.LatDensifyStep, work);
  return out.Write(FrameSlot::Frame, FrameCodeText(code), work);
}

}  // namespace mapbasis
