// The graticule lines of a grid that fall strictly inside an interval.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/outcome.h"

namespace mapbasis {

// The parallels (or meridians) that a sheet can carry in each direction.
inline constexpr std::size_t kGraticuleListCapacity = 100;

// Why InteriorGridLines found no lines.
enum class GridFault {
  kUnsearchable = 1,  // the step is not positive, or a bound not finite
  kOverflow = 2,      // more lines than the capacity
};

// Which lines a grid holds; a message names them with the key that sets their spacing.
enum class GridLines { kParallels, kMeridians };

// The grid values origin + k * step strictly inside from..to, south to north (west to east), into
// `values`: a grid line within 1/6000 degree of an edge is the edge itself and is not an interior
// line. The first interior line is found on the grid, the following ones are formed from it as
// first + k * step. `what` says which lines they are, for the reason. Stops at the first line
// beyond the capacity.
// The reason for more lines than `capacity`, naming the key that sets their spacing.
std::string TooManyGridLines(GridLines what, std::size_t capacity);

Outcome InteriorGridLines(double from, double to, double origin, double step, GridLines what,
                          std::vector<double>& values,
                          std::size_t capacity = kGraticuleListCapacity);

}  // namespace mapbasis
