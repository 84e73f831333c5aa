// Vertices of the graticule's lines: parallels and meridians densified at fixed angular spacings,
// and the closed outline of the trapezoid.
#pragma once

#include <cstdint>

#include "core/vertex_work.h"

namespace mapbasis {

// Each builder appends to the work arrays and returns the number of vertices it appended. A line
// that cannot be built (a spacing that is not positive, an argument that is not finite, arrays
// that are full) leaves the work arrays marked incomplete; such a line is never written.

// Appends the vertices of the parallel lat from lonA towards lonB: lonA, lonA +- s, lonA +- 2s, ...
// counted from the start and not aligned to any grid, up to the last one that neither lies within
// 1/6000 degree of lonB nor beyond it; then lonB itself when keepEnd is set (so a grid vertex
// within the tolerance of the end is replaced by the end, and no sliver segment arises). Returns
// the number of vertices appended.
std::int32_t AppendParallel(double lat, double lonA, double lonB, double s, bool keepEnd,
                            VertexWork& work);

// The same along the meridian lon, stepping in latitude from latA towards latB.
std::int32_t AppendMeridian(double lon, double latA, double latB, double s, bool keepEnd,
                            VertexWork& work);

// Appends the closed ring of the trapezoid: clockwise from the north-west corner (north edge west
// to east, east edge down, south edge back west, west edge up to the north-west corner again),
// with exactly one vertex at each corner besides the repeated start. Returns the number of
// vertices appended.
std::int32_t AppendTrapezoidRing(double west, double east, double sLon, double south, double north,
                                 double sLat, VertexWork& work);

}  // namespace mapbasis
