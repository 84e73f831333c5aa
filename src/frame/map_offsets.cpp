#include "frame/map_offsets.h"

#include <algorithm>
#include <cmath>

namespace mapbasis {

namespace {

// Millimetres on the map to kilometres on the ground.
double GroundKm(double d, const PrintedMap& map) { return d / 1000000.0 * map.S; }

// Stepping is refused beyond this many steps from zero, where adding a step to a position would
// no longer move it reliably.
constexpr double kMaxStepsFromZero = 1e12;

// Whether a line from a to b can be stepped with `step` within the work arrays' capacity. Each
// step advances by at least one grid step less the end clearance, so a longer line cannot fit.
bool Steppable(double a, double b, double step) {
  if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(step) || !(step > 0.0)) return false;
  if (std::max(std::fabs(a), std::fabs(b)) / step > kMaxStepsFromZero) return false;
  return std::fabs(b - a) / step <= 2.0 * static_cast<double>(kWorkArrayCapacity) + 4.0;
}

// Calls vertex(position) for a, the intermediate nodes and b (b only when keepLast). Returns the
// number of calls.
template <class Vertex>
std::int32_t StepLine(double a, double b, double origin, double step, bool keepLast,
                      VertexWork& work, Vertex vertex) {
  if (!Steppable(a, b, step) || !std::isfinite(origin)) {
    work.MarkIncomplete();
    return 0;
  }
  const bool descending = a > b;
  const double base = GridBaseBelow(std::min(a, b), origin, step);
  std::int32_t n = 0;
  double cur = a;
  if (cur != b || keepLast) {
    vertex(cur);
    ++n;
  }
  while (cur != b && !work.Incomplete()) {
    cur = NextIntermediateVertex(cur, descending, base, step);
    if (descending ? cur < b + kEndClearance * step : cur > b - kEndClearance * step) cur = b;
    if (cur == b && !keepLast) break;
    vertex(cur);
    ++n;
  }
  return n;
}

}  // namespace

double LatitudeOffsetBy(double lat, double d, const PrintedMap& map) {
  return lat + GroundKm(d, map) / (map.R * kFramePi) * 180.0;
}

double LongitudeOffsetBy(double lon, double lat, double d, const PrintedMap& map) {
  return lon +
         GroundKm(d, map) / (std::cos(lat / 360.0 * 2.0 * kFramePi) * map.R * kFramePi) * 180.0;
}

double GridBaseBelow(double x, double origin, double step) {
  return (std::round((x - origin) / step) - 3.0) * step + origin;
}

double NextIntermediateVertex(double x, bool descending, double origin, double step) {
  if (!descending) {
    double g = (std::round((x - origin) / step) - 2.0) * step + origin;
    while (g <= x) g += step;
    if ((g - x) / step < kEndClearance) g += step;
    return g;
  }
  double g = (std::round((x - origin) / step) + 2.0) * step + origin;
  while (g >= x) g -= step;
  if ((x - g) / step < kEndClearance) g -= step;
  return g;
}

std::int32_t AppendOffsetParallel(const OffsetLine& line, const PrintedMap& map, VertexWork& work) {
  const double lat = LatitudeOffsetBy(line.along, line.d, map);
  return StepLine(line.from, line.to, line.origin, line.step, line.keepLast, work,
                  [&](double lon) { work.Append(lon, lat); });
}

std::int32_t AppendOffsetMeridian(const OffsetLine& line, const PrintedMap& map, VertexWork& work) {
  return StepLine(line.from, line.to, line.origin, line.step, line.keepLast, work, [&](double lat) {
    work.Append(LongitudeOffsetBy(line.along, lat, line.d, map), lat);
  });
}

}  // namespace mapbasis
