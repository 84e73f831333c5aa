#include "graticule/grid_lines.h"

#include <cmath>

#include "driver/angle_tolerance.h"

namespace mapbasis {

GridLines InteriorGridLines(double from, double to, double origin, double step,
                            std::size_t capacity) {
  GridLines lines;
  double first = STARTGRADVALUE(from, origin, step);
  double last = ENDGRADVALUE(to, origin, step);
  if (std::isnan(first) || std::isnan(last)) {
    lines.unsearchable = true;
    return lines;
  }
  // A line on the edge belongs to the outline.
  if (EQWITHTOLERANCE(first, from)) first = first + step;
  if (EQWITHTOLERANCE(last, to)) last = last - step;
  for (double k = 0.0;; k += 1.0) {
    const double v = first + k * step;
    if (!(EQWITHTOLERANCE(v, last) || v < last)) break;
    if (lines.values.size() == capacity) {
      lines.overflow = true;
      break;
    }
    lines.values.push_back(v);
  }
  return lines;
}

}  // namespace mapbasis
