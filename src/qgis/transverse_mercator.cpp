#include "qgis/transverse_mercator.h"

#include <cmath>
#include <numbers>

namespace mapbasis {

ProjectedPoint TransverseMercator(const Ellipsoid& e, double centralMeridian, double lon,
                                  double lat) {
  const double f = 1.0 / e.rf;
  const double e2 = f * (2.0 - f);
  const double e4 = e2 * e2;
  const double e6 = e4 * e2;
  const double ep2 = e2 / (1.0 - e2);
  const double rad = std::numbers::pi / 180.0;

  const double phi = lat * rad;
  const double dLon = std::remainder(lon - centralMeridian, 360.0) * rad;
  const double s = std::sin(phi);
  const double c = std::cos(phi);
  const double n = e.a / std::sqrt(1.0 - e2 * s * s);
  const double t = std::tan(phi) * std::tan(phi);
  const double cc = ep2 * c * c;
  const double a = dLon * c;
  const double m =
      e.a * ((1.0 - e2 / 4.0 - 3.0 * e4 / 64.0 - 5.0 * e6 / 256.0) * phi -
             (3.0 * e2 / 8.0 + 3.0 * e4 / 32.0 + 45.0 * e6 / 1024.0) * std::sin(2.0 * phi) +
             (15.0 * e4 / 256.0 + 45.0 * e6 / 1024.0) * std::sin(4.0 * phi) -
             (35.0 * e6 / 3072.0) * std::sin(6.0 * phi));
  const double a2 = a * a;
  const double x = n * (a + (1.0 - t + cc) * a2 * a / 6.0 +
                        (5.0 - 18.0 * t + t * t + 72.0 * cc - 58.0 * ep2) * a2 * a2 * a / 120.0);
  const double y =
      m + n * std::tan(phi) *
              (a2 / 2.0 + (5.0 - t + 9.0 * cc + 4.0 * cc * cc) * a2 * a2 / 24.0 +
               (61.0 - 58.0 * t + t * t + 600.0 * cc - 330.0 * ep2) * a2 * a2 * a2 / 720.0);
  return {x, y};
}

}  // namespace mapbasis
