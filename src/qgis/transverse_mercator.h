// The transverse Mercator projection on an ellipsoid (scale 1 on the central meridian, no false
// easting or northing), in the series form that holds to well under a millimetre on the ground
// within some ten degrees of longitude of the central meridian, more than a sheet spans.
#pragma once

#include "core/coordinate_systems.h"

namespace mapbasis {

struct ProjectedPoint {
  double x;  // easting, metres
  double y;  // northing, metres
};

// Longitude and latitude in degrees; the longitude's difference from the central meridian may
// cross 180 degrees (it is taken between -180 and 180).
ProjectedPoint TransverseMercator(const Ellipsoid& e, double centralMeridian, double lon,
                                  double lat);

}  // namespace mapbasis
