#include "driver/capacity_check.h"

#include <cmath>

#include "driver/run_generation.h"
#include "graticule/grid_lines.h"
#include "graticule/line_vertices.h"

namespace mapbasis {

namespace {

std::string Plural(std::size_t n, const char* what) { return std::to_string(n) + " " + what; }

// The interior lines of one direction plus the edges on the grid, as the frame layers will see
// them; empty when they fit.
std::string CheckLines(double from, double to, double origin, double step, const char* what) {
  const GridLines interior = InteriorGridLines(from, to, origin, step);
  std::vector<double> all = interior.values;
  if (!interior.overflow) COMPLETEGRATICULELIST(all, from, to, origin, step);
  if (interior.overflow || all.size() > kGraticuleListCapacity) {
    return "the sheet would carry more than " + Plural(kGraticuleListCapacity, what) +
           "; choose a larger spacing or a smaller trapezoid";
  }
  return {};
}

}  // namespace

std::string CHECKCAPACITIES(const SheetParameters& p) {
  for (const double edge : {p.xFrom, p.xTo, p.yFrom, p.yTo}) {
    if (!std::isfinite(edge)) return "the trapezoid edges must be finite angles";
  }
  const auto positive = [](double step) { return std::isfinite(step) && step > 0.0; };
  if (!positive(p.MeridianStep)) return "the distance between meridians must be positive";
  if (!positive(p.ParallelStep)) return "the distance between parallels must be positive";
  if (p.xMinute <= 0 || p.yMinute <= 0) return "the minute-scale divisions must be positive";

  if (auto r = CheckLines(p.yFrom, p.yTo, p.BaseSouth, p.ParallelStep, "parallels"); !r.empty()) {
    return r;
  }
  if (auto r = CheckLines(p.xFrom, p.xTo, p.BaseWest, p.MeridianStep, "meridians"); !r.empty()) {
    return r;
  }

  // Every parallel (the Arctic Circle included) has as many vertices as the north edge, every
  // meridian as many as the west edge, so a closed outline that fits means every line fits.
  VertexWork scratch;
  if (ADDRECTANGLE(p.xFrom, p.xTo, LonDensifyStep, p.yFrom, p.yTo, LatDensifyStep, scratch) ==
      kLineNotBuilt) {
    return "a line of the sheet would need more than " + Plural(kWorkArrayCapacity, "vertices") +
           "; the trapezoid is too large";
  }
  return {};
}

}  // namespace mapbasis
