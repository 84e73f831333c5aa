#include "core/angle_tolerance.h"

#include <cmath>
#include <limits>

namespace mapbasis {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Beyond 2^52 steps consecutive k no longer give distinct doubles.
constexpr double kMaxSteps = 4503599627370496.0;

bool Searchable(double a, double origin, double step) {
  return std::isfinite(a) && std::isfinite(origin) && std::isfinite(step) && step > 0.0 &&
         std::fabs(a - origin) / step < kMaxSteps;
}

// The grid value k steps from the origin, upward or downward.
double GridValue(double origin, double k, double step, bool upward) {
  return upward ? origin + k * step : origin - k * step;
}

// The first k = 0, 1, 2, ... at which the grid, walked from the origin towards a, reaches a: the
// value lies within the tolerance of a or has passed it. The test only turns from false to true
// as k grows, so the walk may start a few steps short of a instead of at the origin; the result is
// the k that the walk from zero would stop at.
double FirstReachingStep(double a, double origin, double step, bool upward) {
  const auto reaches = [&](double k) {
    const double v = GridValue(origin, k, step, upward);
    return AnglesEqual(v, a) || (upward ? v > a : v < a);
  };
  double k = std::fmax(0.0, std::floor(std::fabs(a - origin) / step) - 3.0);
  while (k > 0.0 && reaches(k - 1.0)) k -= 1.0;
  while (!reaches(k)) k += 1.0;
  return k;
}

}  // namespace

bool AnglesEqual(double a, double b) { return std::fabs(a - b) <= kAngleTolerance; }

double GridValueAtOrAbove(double a, double origin, double step) {
  if (!Searchable(a, origin, step)) return kNaN;
  if (AnglesEqual(origin, a)) return origin;
  if (origin < a) {
    // Walking up: the first value that reaches a is the answer.
    return GridValue(origin, FirstReachingStep(a, origin, step, true), step, true);
  }
  // Walking down: a value within the tolerance is the answer; one that fell below a means the
  // value before it was the smallest one still above a.
  const double k = FirstReachingStep(a, origin, step, false);
  const double v = GridValue(origin, k, step, false);
  return AnglesEqual(v, a) ? v : GridValue(origin, k - 1.0, step, false);
}

double GridValueAtOrBelow(double a, double origin, double step) {
  if (!Searchable(a, origin, step)) return kNaN;
  if (AnglesEqual(origin, a)) return origin;
  if (origin > a) {
    return GridValue(origin, FirstReachingStep(a, origin, step, false), step, false);
  }
  const double k = FirstReachingStep(a, origin, step, true);
  const double v = GridValue(origin, k, step, true);
  return AnglesEqual(v, a) ? v : GridValue(origin, k - 1.0, step, true);
}

}  // namespace mapbasis
