#include "graticule/grid_lines.h"

#include <cmath>
#include <string>

#include "core/angle_tolerance.h"

namespace mapbasis {

Outcome InteriorGridLines(double from, double to, double origin, double step, std::string_view what,
                          std::vector<double>& values, std::size_t capacity) {
  values.clear();
  double first = GridValueAtOrAbove(from, origin, step);
  double last = GridValueAtOrBelow(to, origin, step);
  if (std::isnan(first) || std::isnan(last)) {
    return Failure(GridFault::kUnsearchable,
                   "the distance between " + std::string(what) + " must be a positive angle");
  }
  // A line on the edge belongs to the outline.
  if (AnglesEqual(first, from)) first = first + step;
  if (AnglesEqual(last, to)) last = last - step;
  for (double k = 0.0;; k += 1.0) {
    const double v = first + k * step;
    if (!(AnglesEqual(v, last) || v < last)) break;
    if (values.size() == capacity) {
      return Failure(GridFault::kOverflow, "the sheet would carry more than " +
                                               std::to_string(capacity) + " " + std::string(what) +
                                               "; choose a larger spacing or a smaller trapezoid");
    }
    values.push_back(v);
  }
  return Success();
}

}  // namespace mapbasis
