// The HypsL layer: the graticule of the sheet. Interior parallels south to north, interior
// meridians west to east, the Arctic Circle where it crosses the sheet, and the outline of the
// result trapezoid last, each a polyline with label attributes.
#pragma once

#include <cstdint>
#include <vector>

#include "core/outcome.h"
#include "core/vertex_work.h"
#include "graticule/graticule_args.h"

namespace mapbasis {

// The Arctic Circle, 66° 33' 38.6" N.
inline constexpr double kArcticCircle = 66.56072222222222;

// Writes HypsL into the HYPS folder and leaves the drawn interior parallels and meridians, in
// drawing order, in the two lists. A failed write leaves no HypsL (the layer is never finished) and
// the lists holding the lines entered so far.
Outcome WriteGraticuleLines(const GraticuleArgs& args, VertexWork& work,
                            std::vector<double>& ParallelLats, std::vector<double>& MeridianLons);

}  // namespace mapbasis
