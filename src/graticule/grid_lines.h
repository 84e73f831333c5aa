// The graticule lines of a grid that fall strictly inside an interval.
#pragma once

#include <cstddef>
#include <vector>

namespace mapbasis {

// The parallels (or meridians) that a sheet can carry in each direction.
inline constexpr std::size_t kGraticuleListCapacity = 100;

struct GridLines {
  std::vector<double> values;  // south to north (west to east), at most `capacity` of them
  bool unsearchable = false;   // the step is not positive or a bound not finite
  bool overflow = false;       // more lines than the capacity
};

// The grid values origin + k * step strictly inside from..to: a grid line within 1/6000 degree of
// an edge is the edge itself and is not an interior line. The first interior line is found on the
// grid, the following ones are formed from it as first + k * step. Stops at the first line beyond
// the capacity and reports the overflow.
GridLines InteriorGridLines(double from, double to, double origin, double step,
                            std::size_t capacity = kGraticuleListCapacity);

}  // namespace mapbasis
