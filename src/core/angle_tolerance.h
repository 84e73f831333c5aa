// One tolerance for every comparison of two angles, and the searches for the graticule line
// nearest to an edge.
//
// A grid is an origin and a positive step; its values are origin + k * step for every integer k.
// Each value is formed as that product, never by adding the step again and again, so that the
// same grid line always has the same coordinate wherever it is computed.
#pragma once

namespace mapbasis {

// 1/6000 degree, a hundredth of a minute of arc.
inline constexpr double kAngleTolerance = 0.00016666666666666666;

// |a - b| <= 1/6000 degree.
bool AnglesEqual(double a, double b);

// The smallest grid value that reaches a (a value within the tolerance of a counts as reaching
// it and is returned as computed). NaN when the step is not positive or an argument is not
// finite: such a grid cannot be searched, and the caller must fail.
double GridValueAtOrAbove(double a, double origin, double step);

// The largest grid value that does not go beyond a; NaN as above.
double GridValueAtOrBelow(double a, double origin, double step);

}  // namespace mapbasis
