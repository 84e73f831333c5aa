#include "graticule/line_vertices.h"

#include <cmath>

#include "driver/angle_tolerance.h"

namespace mapbasis {

namespace {

// The positions a, a +- s, a +- 2s, ... towards b, each formed as a + k * d, then b when keepEnd.
// `append` takes one position and reports false when the work arrays are full.
template <class Append>
std::int32_t WalkTowards(double a, double b, double s, bool keepEnd, Append append) {
  if (!(s > 0.0) || !std::isfinite(s) || !std::isfinite(a) || !std::isfinite(b)) {
    return kLineNotBuilt;
  }
  const double d = a <= b ? s : -s;
  std::int32_t count = 0;
  for (double k = 0.0;; k += 1.0) {
    const double v = a + k * d;
    const bool overshot = d > 0.0 ? v > b : v < b;
    if (EQWITHTOLERANCE(v, b) || overshot) {
      if (keepEnd) {
        if (!append(b)) return kLineNotBuilt;
        ++count;
      }
      return count;
    }
    if (!append(v)) return kLineNotBuilt;
    ++count;
  }
}

}  // namespace

std::int32_t ADDPARALLEL(double lat, double lonA, double lonB, double s, bool keepEnd,
                         VertexWork& work) {
  return WalkTowards(lonA, lonB, s, keepEnd, [&](double lon) { return work.Append(lon, lat); });
}

std::int32_t ADDMERIDIAN(double lon, double latA, double latB, double s, bool keepEnd,
                         VertexWork& work) {
  return WalkTowards(latA, latB, s, keepEnd, [&](double lat) { return work.Append(lon, lat); });
}

std::int32_t ADDRECTANGLE(double west, double east, double sLon, double south, double north,
                          double sLat, VertexWork& work) {
  const std::int32_t pieces[] = {
      ADDPARALLEL(north, west, east, sLon, false, work),
      ADDMERIDIAN(east, north, south, sLat, false, work),
      ADDPARALLEL(south, east, west, sLon, false, work),
      ADDMERIDIAN(west, south, north, sLat, true, work),
  };
  std::int32_t total = 0;
  for (const std::int32_t n : pieces) {
    if (n == kLineNotBuilt) return kLineNotBuilt;
    total += n;
  }
  return total;
}

}  // namespace mapbasis
