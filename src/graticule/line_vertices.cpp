#include "graticule/line_vertices.h"

#include <cmath>

#include "core/angle_tolerance.h"

namespace mapbasis {

namespace {

// The positions a, a +- s, a +- 2s, ... towards b, each formed as a + k * d, then b when keepEnd.
// `append` takes one position. A walk that cannot be stepped, or that would not fit the work
// arrays, marks the line incomplete and stops.
template <class Append>
std::int32_t WalkTowards(double a, double b, double s, bool keepEnd, VertexWork& work,
                         Append append) {
  if (!(s > 0.0) || !std::isfinite(s) || !std::isfinite(a) || !std::isfinite(b)) {
    work.MarkIncomplete();
    return 0;
  }
  const double d = a <= b ? s : -s;
  std::int32_t count = 0;
  for (double k = 0.0; !work.Incomplete(); k += 1.0) {
    const double v = a + k * d;
    const bool overshot = d > 0.0 ? v > b : v < b;
    if (AnglesEqual(v, b) || overshot) {
      if (keepEnd) {
        append(b);
        ++count;
      }
      break;
    }
    append(v);
    ++count;
  }
  return count;
}

}  // namespace

std::int32_t AppendParallel(double lat, double lonA, double lonB, double s, bool keepEnd,
                            VertexWork& work) {
  return WalkTowards(lonA, lonB, s, keepEnd, work, [&](double lon) { work.Append(lon, lat); });
}

std::int32_t AppendMeridian(double lon, double latA, double latB, double s, bool keepEnd,
                            VertexWork& work) {
  return WalkTowards(latA, latB, s, keepEnd, work, [&](double lat) { work.Append(lon, lat); });
}

std::int32_t AppendTrapezoidRing(double west, double east, double sLon, double south, double north,
                                 double sLat, VertexWork& work) {
  std::int32_t total = AppendParallel(north, west, east, sLon, false, work);
  total += AppendMeridian(east, north, south, sLat, false, work);
  total += AppendParallel(south, east, west, sLon, false, work);
  total += AppendMeridian(west, south, north, sLat, true, work);
  return total;
}

}  // namespace mapbasis
