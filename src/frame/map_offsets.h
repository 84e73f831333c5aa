// Distances on the printed map turned into angles, and the densified lines built from them.
//
// The frame's distances are millimetres on the map: at 1:200 000 the minute band lies 7 mm
// outside the sheet edge. d mm on the map is d / 1 000 000 * S km on the ground (S the scale
// denominator), turned into degrees on a sphere of radius 6371.032 km. pi is taken as 3.1415926
// throughout, so that every frame coordinate comes out the same wherever it is computed.
#pragma once

#include <cstdint>

#include "core/vertex_work.h"

namespace mapbasis {

inline constexpr double kFramePi = 3.1415926;
inline constexpr double kEarthRadius = 6371.032;  // km

// Interior vertices closer than this share of a step to either end of a line are dropped; the
// share was fixed in single precision.
inline constexpr double kEndClearance = static_cast<double>(0.2f);

// The printed map: its scale denominator and the radius of the earth in km.
struct PrintedMap {
  double S = 0.0;
  double R = kEarthRadius;
};

// The latitude d mm north of lat (south for negative d).
double LatitudeOffsetBy(double lat, double d, const PrintedMap& map);

// The longitude d mm east of lon (west for negative d), measured along the parallel lat.
double LongitudeOffsetBy(double lon, double lat, double d, const PrintedMap& map);

// The grid node origin + k * step three steps below the node nearest to x.
double GridBaseBelow(double x, double origin, double step);

// The first node of the grid origin + k * step strictly beyond x (above it, or below it when
// descending), or the node after that when the first lies closer than 0.2 step to x.
double NextIntermediateVertex(double x, bool descending, double origin, double step);

// A line beside a parallel or a meridian. Every vertex lies d mm north of the parallel (east of
// the meridian, at its own latitude), south or west for negative d. The line runs from `from` to
// `to` (longitudes beside a parallel, latitudes beside a meridian) through the nodes of the grid
// origin + k * step in between that lie at least 0.2 step from either end; from = to gives the
// single vertex `from`.
struct OffsetLine {
  double along = 0.0;  // the parallel's latitude, or the meridian's longitude
  double d = 0.0;      // mm on the map
  double from = 0.0, to = 0.0;
  double origin = 0.0, step = 0.0;
  bool keepLast = true;  // false leaves out `to`, for a line that the next one continues
};

// Appends the line beside a parallel; returns the number of vertices appended. A line that cannot
// be stepped (a step that is not positive, an end that is not finite) or that the work arrays
// cannot hold leaves them marked incomplete.
std::int32_t AppendOffsetParallel(const OffsetLine& line, const PrintedMap& map, VertexWork& work);

// The same beside a meridian, stepping over latitudes.
std::int32_t AppendOffsetMeridian(const OffsetLine& line, const PrintedMap& map, VertexWork& work);

}  // namespace mapbasis
