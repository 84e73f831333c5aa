#include "driver/capacity_check.h"

#include <cmath>
#include <string>
#include <vector>

#include "core/messages.h"
#include "driver/run_generation.h"
#include "graticule/grid_lines.h"
#include "graticule/line_vertices.h"
#include "params/trapezoid_rules.h"

namespace mapbasis {

namespace {

constexpr CapacityFault kDoesNotFit = CapacityFault::kDoesNotFit;

// The interior lines of one direction plus the edges on the grid, as the frame layers will see
// them.
Outcome CheckLines(double from, double to, double origin, double step, GridLines what,
                   std::vector<double>& lines) {
  if (Outcome found = InteriorGridLines(from, to, origin, step, what, lines); !found.ok()) {
    return Failure(kDoesNotFit, std::move(found.reason));
  }
  CompleteGraticuleList(lines, from, to, origin, step);
  if (lines.size() > kGraticuleListCapacity) {
    return Failure(kDoesNotFit, TooManyGridLines(what, kGraticuleListCapacity));
  }
  return Success();
}

}  // namespace

Outcome CheckSheetFits(const SheetParameters& p) {
  for (const double edge : {p.xFrom, p.xTo, p.yFrom, p.yTo}) {
    if (!std::isfinite(edge))
      return Failure(kDoesNotFit, Tr("the trapezoid edges must be finite angles"));
  }
  if (!EdgesInOrder(p.xFrom, p.xTo)) {
    return Failure(kDoesNotFit,
                   Tr("the trapezoid is empty or inverted: its east edge is not east of its "
                      "west edge"));
  }
  if (!EdgesInOrder(p.yFrom, p.yTo)) {
    return Failure(kDoesNotFit,
                   Tr("the trapezoid is empty or inverted: its north edge is not north of its "
                      "south edge"));
  }
  if (!IsPositiveSpacing(p.MeridianStep)) {
    return Failure(kDoesNotFit,
                   Tr("the distance between meridians must be positive; give MeridianStep"));
  }
  if (!IsPositiveSpacing(p.ParallelStep)) {
    return Failure(kDoesNotFit,
                   Tr("the distance between parallels must be positive; give ParallelStep"));
  }
  if (!IsPositiveDivision(p.xMinute) || !IsPositiveDivision(p.yMinute)) {
    return Failure(kDoesNotFit,
                   Tr("the minute-scale divisions must be positive; give xMinute and yMinute"));
  }

  GenerationWork sheet;
  if (Outcome r = CheckLines(p.yFrom, p.yTo, p.BaseSouth, p.ParallelStep, GridLines::kParallels,
                             sheet.ParallelLats);
      !r.ok()) {
    return r;
  }
  if (Outcome r = CheckLines(p.xFrom, p.xTo, p.BaseWest, p.MeridianStep, GridLines::kMeridians,
                             sheet.MeridianLons);
      !r.ok()) {
    return r;
  }

  // Every parallel (the Arctic Circle included) has as many vertices as the north edge, every
  // meridian as many as the west edge, so a closed outline that fits means every line fits.
  VertexWork scratch;
  AppendTrapezoidRing(p.xFrom, p.xTo, LonDensifyStep, p.yFrom, p.yTo, LatDensifyStep, scratch);
  if (scratch.Incomplete()) {
    return Failure(kDoesNotFit, Tr("a line of the sheet would need more than %1 vertices; the "
                                   "trapezoid is too large: bring xFrom, xTo, yFrom and yTo closer",
                                   kWorkArrayCapacity));
  }
  return Success();
}

}  // namespace mapbasis
