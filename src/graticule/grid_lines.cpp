#include "graticule/grid_lines.h"

#include <cmath>
#include <string>

#include "core/angle_tolerance.h"
#include "core/messages.h"

namespace mapbasis {

std::string TooManyGridLines(GridLines what, std::size_t capacity) {
  return what == GridLines::kParallels
             ? Tr("the sheet would carry more than %1 parallels; choose a larger ParallelStep or "
                  "a smaller trapezoid",
                  capacity)
             : Tr("the sheet would carry more than %1 meridians; choose a larger MeridianStep or "
                  "a smaller trapezoid",
                  capacity);
}

Outcome InteriorGridLines(double from, double to, double origin, double step, GridLines what,
                          std::vector<double>& values, std::size_t capacity) {
  values.clear();
  double first = GridValueAtOrAbove(from, origin, step);
  double last = GridValueAtOrBelow(to, origin, step);
  if (std::isnan(first) || std::isnan(last)) {
    return Failure(GridFault::kUnsearchable,
                   what == GridLines::kParallels
                       ? Tr("the distance between parallels must be a positive angle")
                       : Tr("the distance between meridians must be a positive angle"));
  }
  // A line on the edge belongs to the outline.
  if (AnglesEqual(first, from)) first = first + step;
  if (AnglesEqual(last, to)) last = last - step;
  for (double k = 0.0;; k += 1.0) {
    const double v = first + k * step;
    if (!(AnglesEqual(v, last) || v < last)) break;
    if (values.size() == capacity) {
      return Failure(GridFault::kOverflow, TooManyGridLines(what, capacity));
    }
    values.push_back(v);
  }
  return Success();
}

}  // namespace mapbasis
